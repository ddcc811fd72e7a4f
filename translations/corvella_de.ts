<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutThisMacViewController</name>
    <message>
        <source>About This Computer</source>
        <translation>Über diesen Computer</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>AboutViewController</name>
    <message>
        <source>About Corvella</source>
        <translation>Über Corvella</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Visit the Corvella website</source>
        <translation>Die Corvella-Website besuchen</translation>
    </message>
    <message>
        <source>Notice</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Corvella&apos;s web page cannot be opened: its address (IniURL) is not set in the settings file.</source>
        <translation>Die Webseite von Corvella kann nicht geöffnet werden: Ihre Adresse (IniURL) ist in der Einstellungsdatei nicht festgelegt.</translation>
    </message>
</context>
<context>
    <name>AppDelegate</name>
    <message>
        <source>No system tray here: start Corvella again from its launcher icon or the icon&apos;s actions to reach this panel.</source>
        <translation>Hier gibt es keinen Systemabschnitt der Kontrollleiste: Starten Sie Corvella erneut über sein Starter-Symbol oder dessen Aktionen, um diese Ansicht zu erreichen.</translation>
    </message>
    <message>
        <source>Show Corvella</source>
        <translation>Corvella anzeigen</translation>
    </message>
    <message>
        <source>About Corvella</source>
        <translation>Über Corvella</translation>
    </message>
    <message>
        <source>Check for Update…</source>
        <translation>Nach Aktualisierungen suchen …</translation>
    </message>
    <message>
        <source>Online Help</source>
        <translation>Online-Hilfe</translation>
    </message>
    <message>
        <source>Support</source>
        <translation>Unterstützung</translation>
    </message>
    <message>
        <source>Start at Login</source>
        <translation>Bei der Anmeldung starten</translation>
    </message>
    <message>
        <source>Start Corvella in the system tray, without its panel, when you log in.</source>
        <translation>Corvella bei der Anmeldung im Systemabschnitt der Kontrollleiste starten, ohne seine Ansicht zu öffnen.</translation>
    </message>
    <message>
        <source>Quit Corvella</source>
        <translation>Corvella beenden</translation>
    </message>
</context>
<context>
    <name>ApplicationCloser</name>
    <message>
        <source>PID %1</source>
        <translation>PID %1</translation>
    </message>
    <message>
        <source>“%1” (PID %2)</source>
        <translation>„%1“ (PID %2)</translation>
    </message>
    <message>
        <source>%1 quit after the termination signal (SIGTERM).</source>
        <translation>%1 wurde nach dem Beendigungssignal (SIGTERM) beendet.</translation>
    </message>
    <message>
        <source>%1 quit after it was asked to close.</source>
        <translation>%1 wurde nach der Aufforderung zum Schließen beendet.</translation>
    </message>
    <message>
        <source>%1 has quit.</source>
        <translation>%1 wurde beendet.</translation>
    </message>
    <message>
        <source>%1 is still running after being asked to quit.</source>
        <translation>%1 läuft nach der Aufforderung zum Beenden noch.</translation>
    </message>
    <message>
        <source>Could not end %1: %2.</source>
        <translation>%1 konnte nicht beendet werden: %2.</translation>
    </message>
</context>
<context>
    <name>ApplicationLauncher</name>
    <message>
        <source>“%1” cannot be opened: its desktop entry %2 is unreadable (%3).</source>
        <translation>„%1“ kann nicht geöffnet werden: Seine Desktop-Datei %2 ist nicht lesbar (%3).</translation>
    </message>
    <message>
        <source>“%1” cannot be opened: its command is malformed (%2).</source>
        <translation>„%1“ kann nicht geöffnet werden: Sein Befehl ist fehlerhaft (%2).</translation>
    </message>
    <message>
        <source>“%1” runs in a terminal, and no terminal program was found.</source>
        <translation>„%1“ läuft in einem Terminal, aber es wurde kein Terminalprogramm gefunden.</translation>
    </message>
    <message>
        <source>“%1” cannot be opened: the program “%2” was not found.</source>
        <translation>„%1“ kann nicht geöffnet werden: Das Programm „%2“ wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>“%1” cannot be opened: an argument of its command holds a zero byte (NUL), which no program can be given.</source>
        <translation>„%1“ kann nicht geöffnet werden: Ein Argument seines Befehls enthält ein Nullbyte (NUL), das keinem Programm übergeben werden kann.</translation>
    </message>
    <message>
        <source>“%1” could not be started (%2): %3.</source>
        <translation>„%1“ konnte nicht gestartet werden (%2): %3.</translation>
    </message>
</context>
<context>
    <name>ApplicationListModel</name>
    <message>
        <source>Open %1</source>
        <translation>%1 öffnen</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Open</source>
        <comment>column of the buttons that open an application</comment>
        <translation>Öffnen</translation>
    </message>
</context>
<context>
    <name>ApplicationsViewController</name>
    <message>
        <source>Applications</source>
        <translation>Anwendungen</translation>
    </message>
    <message>
        <source>Every installed application, searchable by name and opened with one click.</source>
        <translation>Alle installierten Anwendungen, nach Namen durchsuchbar und mit einem Klick geöffnet.</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Search applications</source>
        <translation>Anwendungen durchsuchen</translation>
    </message>
    <message>
        <source>Clear the search</source>
        <translation>Suche leeren</translation>
    </message>
</context>
<context>
    <name>AutostartFolder</name>
    <message>
        <source>“%1” cannot be the autostart folder.</source>
        <translation>„%1“ kann nicht der Autostart-Ordner sein.</translation>
    </message>
    <message>
        <source>The autostart folder “%1” could not be created: its folder “%2” could not be made.</source>
        <translation>Der Autostart-Ordner „%1“ konnte nicht angelegt werden: Sein Ordner „%2“ konnte nicht erstellt werden.</translation>
    </message>
    <message>
        <source>The folder “%1” could not be opened: %2.</source>
        <translation>Der Ordner „%1“ konnte nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>The autostart folder “%1” could not be created: %2.</source>
        <translation>Der Autostart-Ordner „%1“ konnte nicht angelegt werden: %2.</translation>
    </message>
    <message>
        <source>The autostart folder “%1” could not be opened: %2.</source>
        <translation>Der Autostart-Ordner „%1“ konnte nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>The autostart folder “%1” could not be read: %2.</source>
        <translation>Der Autostart-Ordner „%1“ konnte nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>The autostart folder “%1” is the system folder “%2”; login items are changed only in your own folder.</source>
        <translation>Der Autostart-Ordner „%1“ ist der Systemordner „%2“; Autostart-Einträge werden nur in Ihrem eigenen Ordner geändert.</translation>
    </message>
    <message>
        <source>The autostart folder “%1” is a link to “%2”, which is not a folder of yours inside your home folder, so login items are not changed there.</source>
        <translation>Der Autostart-Ordner „%1“ ist eine Verknüpfung auf „%2“, das kein eigener Ordner in Ihrem persönlichen Ordner ist; daher werden dort keine Autostart-Einträge geändert.</translation>
    </message>
    <message>
        <source>“%1” is not the name of a login item.</source>
        <translation>„%1“ ist nicht der Name eines Autostart-Eintrags.</translation>
    </message>
    <message>
        <source>The login item “%1” could not be written: a folder of that name is in “%2”.</source>
        <translation>Der Autostart-Eintrag „%1“ konnte nicht geschrieben werden: In „%2“ gibt es einen Ordner dieses Namens.</translation>
    </message>
    <message>
        <source>The login item “%1” could not be written to “%2”: %3.</source>
        <translation>Der Autostart-Eintrag „%1“ konnte nicht nach „%2“ geschrieben werden: %3.</translation>
    </message>
    <message>
        <source>The login item “%1” could not be removed: %2.</source>
        <translation>Der Autostart-Eintrag „%1“ konnte nicht entfernt werden: %2.</translation>
    </message>
</context>
<context>
    <name>Backlight</name>
    <message>
        <source>The brightness of display “%1” cannot be read.</source>
        <translation>Die Helligkeit des Bildschirms „%1“ kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Failed to set brightness of display “%1”: %2</source>
        <translation>Die Helligkeit des Bildschirms „%1“ konnte nicht eingestellt werden: %2</translation>
    </message>
    <message>
        <source>Failed to set brightness of display “%1” through the login manager: %2</source>
        <translation>Die Helligkeit des Bildschirms „%1“ konnte nicht über den Anmeldedienst eingestellt werden: %2</translation>
    </message>
    <message>
        <source>This machine has no display whose brightness can be set.</source>
        <translation>Dieser Rechner hat keinen Bildschirm, dessen Helligkeit sich einstellen lässt.</translation>
    </message>
</context>
<context>
    <name>CacheInventory</name>
    <message>
        <source>Thumbnails</source>
        <translation>Vorschaubilder</translation>
    </message>
    <message>
        <source>Trash</source>
        <translation>Papierkorb</translation>
    </message>
    <message>
        <source>Trash on %1</source>
        <translation>Papierkorb auf %1</translation>
    </message>
    <message>
        <source>Core dump %1</source>
        <translation>Speicherabzug %1</translation>
    </message>
    <message>
        <source>Crash reports of %1</source>
        <translation>Absturzberichte von %1</translation>
    </message>
    <message>
        <source>Application cache</source>
        <translation>Anwendungszwischenspeicher</translation>
    </message>
    <message>
        <source>Crash report</source>
        <translation>Absturzbericht</translation>
    </message>
</context>
<context>
    <name>CleanUpViewController</name>
    <message>
        <source>Cleanup</source>
        <translation>Aufräumen</translation>
    </message>
    <message>
        <source>Empty the Trash of every volume and clean up the Downloads folder.</source>
        <translation>Leert den Papierkorb aller Datenträger und räumt den Download-Ordner auf.</translation>
    </message>
    <message>
        <source>Empty Trash</source>
        <translation>Papierkorb leeren</translation>
    </message>
    <message>
        <source>Remove everything in the Trash of your home and of every mounted volume.</source>
        <translation>Entfernt alles im Papierkorb Ihres persönlichen Ordners und aller eingehängten Datenträger.</translation>
    </message>
    <message>
        <source>Clean Downloads</source>
        <translation>Downloads aufräumen</translation>
    </message>
    <message>
        <source>Find what takes the most room in your Downloads folder and remove what you choose.</source>
        <translation>Findet, was im Download-Ordner am meisten Platz belegt, und entfernt, was Sie auswählen.</translation>
    </message>
    <message>
        <source>Trash</source>
        <translation>Papierkorb</translation>
    </message>
    <message>
        <source>See what the Trash of every volume holds, put items back or delete them for good.</source>
        <translation>Zeigt, was der Papierkorb jedes Datenträgers enthält, stellt Objekte wieder her oder löscht sie endgültig.</translation>
    </message>
    <message>
        <source>Permanently erase %1 (%2) in the Trash? This cannot be undone.</source>
        <translation>%1 (%2) im Papierkorb endgültig löschen? Dies kann nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>This empties the Trash of your home folder and of every mounted volume.</source>
        <translation>Damit wird der Papierkorb Ihres persönlichen Ordners und aller eingehängten Datenträger geleert.</translation>
    </message>
    <message>
        <source>Emptying the Trash</source>
        <translation>Papierkorb wird geleert</translation>
    </message>
    <message>
        <source>Emptying the Trash of your home folder and every mounted volume</source>
        <translation>Der Papierkorb Ihres persönlichen Ordners und aller eingehängten Datenträger wird geleert</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Print JSON instead of plain lines.</source>
        <translation>JSON statt einfacher Zeilen ausgeben.</translation>
    </message>
    <message>
        <source>Print no progress lines (they go to standard error, and only when it is a terminal).</source>
        <translation>Keine Fortschrittszeilen ausgeben (sie gehen auf die Standardfehlerausgabe, und nur, wenn diese ein Terminal ist).</translation>
    </message>
    <message>
        <source>Usage: </source>
        <translation>Aufruf: </translation>
    </message>
    <message>
        <source>Print the value of a setting.</source>
        <translation>Den Wert einer Einstellung ausgeben.</translation>
    </message>
    <message>
        <source>Write a setting to the user&apos;s settings file.</source>
        <translation>Eine Einstellung in die Einstellungsdatei des Benutzers schreiben.</translation>
    </message>
    <message>
        <source>Print every setting, one per line.</source>
        <translation>Alle Einstellungen ausgeben, eine pro Zeile.</translation>
    </message>
    <message>
        <source>Start Corvella in the tray at login (on) or not (off); without an argument, print which.</source>
        <translation>Corvella bei der Anmeldung im Systemabschnitt starten (on) oder nicht (off); ohne Argument ausgeben, was gilt.</translation>
    </message>
    <message>
        <source>Print the tree under PATH ordered by size, largest first.</source>
        <translation>Den Baum unter PATH nach Größe geordnet ausgeben, das Größte zuerst.</translation>
    </message>
    <message>
        <source>Print N levels below PATH (0: the total only).</source>
        <translation>N Ebenen unter PATH ausgeben (0: nur die Gesamtgröße).</translation>
    </message>
    <message>
        <source>Print the N largest entries of each folder.</source>
        <translation>Die N größten Einträge jedes Ordners ausgeben.</translation>
    </message>
    <message>
        <source>Move files and folders to the trash.</source>
        <translation>Dateien und Ordner in den Papierkorb verschieben.</translation>
    </message>
    <message>
        <source>Erase files and folders for good.</source>
        <translation>Dateien und Ordner endgültig löschen.</translation>
    </message>
    <message>
        <source>List the volumes, one per line.</source>
        <translation>Die Datenträger auflisten, einen pro Zeile.</translation>
    </message>
    <message>
        <source>Give a volume a new label.</source>
        <translation>Einem Datenträger eine neue Bezeichnung geben.</translation>
    </message>
    <message>
        <source>Erase a volume and make a new file system on it.</source>
        <translation>Einen Datenträger löschen und ein neues Dateisystem darauf anlegen.</translation>
    </message>
    <message>
        <source>The new file system: exfat, fat32 or ext4.</source>
        <translation>Das neue Dateisystem: exfat, fat32 oder ext4.</translation>
    </message>
    <message>
        <source>The new volume&apos;s label.</source>
        <translation>Die Bezeichnung des neuen Datenträgers.</translation>
    </message>
    <message>
        <source>Confirm that everything on the volume is erased.</source>
        <translation>Bestätigen, dass alles auf dem Datenträger gelöscht wird.</translation>
    </message>
    <message>
        <source>Unmount a volume and eject its disk.</source>
        <translation>Einen Datenträger aushängen und sein Laufwerk auswerfen.</translation>
    </message>
    <message>
        <source>List the running applications as the Task Manager does.</source>
        <translation>Die laufenden Anwendungen wie die Aufgabenverwaltung auflisten.</translation>
    </message>
    <message>
        <source>Ask applications to quit, given by their decimal process IDs: their windows are asked to close first.</source>
        <translation>Anwendungen, angegeben durch ihre dezimalen Prozesskennungen, zum Beenden auffordern: Zuerst werden ihre Fenster gebeten, sich zu schließen.</translation>
    </message>
    <message>
        <source>Send the termination signal (SIGTERM) at once, without asking the windows to close.</source>
        <translation>Das Beendigungssignal (SIGTERM) sofort senden, ohne die Fenster zum Schließen aufzufordern.</translation>
    </message>
    <message>
        <source>Send the termination signal to what is still running SECONDS after the close request (0 to 3600, digits and a decimal point; 5 by default).</source>
        <translation>Das Beendigungssignal an alles senden, was SECONDS nach der Aufforderung zum Schließen noch läuft (0 bis 3600, Ziffern und ein Dezimalpunkt; vorgegeben ist 5).</translation>
    </message>
    <message>
        <source>Print the CPU load and memory use, 2 s apart.</source>
        <translation>Die Prozessorlast und die Speichernutzung im Abstand von 2 s ausgeben.</translation>
    </message>
    <message>
        <source>Print N readings (1 or more).</source>
        <translation>N Messwerte ausgeben (1 oder mehr).</translation>
    </message>
    <message>
        <source>List the installed applications by name.</source>
        <translation>Die installierten Anwendungen nach Namen auflisten.</translation>
    </message>
    <message>
        <source>List only the applications whose name holds TEXT.</source>
        <translation>Nur die Anwendungen auflisten, deren Name TEXT enthält.</translation>
    </message>
    <message>
        <source>Start the application with this desktop-file ID.</source>
        <translation>Die Anwendung mit dieser Desktop-Datei-Kennung starten.</translation>
    </message>
    <message>
        <source>List the login items.</source>
        <translation>Die Autostart-Einträge auflisten.</translation>
    </message>
    <message>
        <source>Start a program or desktop entry at login.</source>
        <translation>Ein Programm oder einen Desktop-Eintrag bei der Anmeldung starten.</translation>
    </message>
    <message>
        <source>Remove a login item (a system item is hidden).</source>
        <translation>Einen Autostart-Eintrag entfernen (ein Eintrag des Systems wird ausgeblendet).</translation>
    </message>
    <message>
        <source>Start a login item at login again.</source>
        <translation>Einen Autostart-Eintrag wieder bei der Anmeldung starten.</translation>
    </message>
    <message>
        <source>Keep a login item from starting at login.</source>
        <translation>Einen Autostart-Eintrag nicht mehr bei der Anmeldung starten.</translation>
    </message>
    <message>
        <source>Print the output volume.</source>
        <translation>Die Ausgabelautstärke ausgeben.</translation>
    </message>
    <message>
        <source>Set the output volume, 0 to 100.</source>
        <translation>Die Ausgabelautstärke festlegen, 0 bis 100.</translation>
    </message>
    <message>
        <source>Turn the output volume to its quietest level.</source>
        <translation>Die Ausgabelautstärke auf die leiseste Stufe stellen.</translation>
    </message>
    <message>
        <source>Print the display brightness.</source>
        <translation>Die Bildschirmhelligkeit ausgeben.</translation>
    </message>
    <message>
        <source>Set the display brightness, 0 to 100.</source>
        <translation>Die Bildschirmhelligkeit festlegen, 0 bis 100.</translation>
    </message>
    <message>
        <source>Print the system information.</source>
        <translation>Die Systeminformationen ausgeben.</translation>
    </message>
    <message>
        <source>Check for a newer version.</source>
        <translation>Nach einer neueren Version suchen.</translation>
    </message>
    <message>
        <source>List the items of every trash of the user.</source>
        <translation>Die Objekte aller Papierkörbe des Benutzers auflisten.</translation>
    </message>
    <message>
        <source>Put items back from the trash, by original path or path in the trash.</source>
        <translation>Objekte aus dem Papierkorb wiederherstellen, angegeben durch den ursprünglichen Pfad oder den Pfad im Papierkorb.</translation>
    </message>
    <message>
        <source>Restore the one PATH at NEWPATH instead.</source>
        <translation>Den einen PATH stattdessen unter NEWPATH wiederherstellen.</translation>
    </message>
    <message>
        <source>Erase every item of every trash of the user.</source>
        <translation>Alle Objekte aller Papierkörbe des Benutzers löschen.</translation>
    </message>
    <message>
        <source>Describe a command and its options.</source>
        <translation>Einen Befehl und seine Optionen beschreiben.</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;</source>
        <translation>unbekannter Befehl „%1“</translation>
    </message>
    <message>
        <source>%1 takes %2</source>
        <translation>%1 erwartet %2</translation>
    </message>
    <message>
        <source>unknown %1 command &quot;%2&quot;</source>
        <translation>unbekannter %1-Befehl „%2“</translation>
    </message>
    <message>
        <source>help: unknown command &quot;%1&quot;</source>
        <translation>help: unbekannter Befehl „%1“</translation>
    </message>
    <message>
        <source>--generate takes %1 and an optional FILE</source>
        <translation>--generate erwartet %1 und optional eine FILE</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Print this help.</source>
        <translation>Diese Hilfe ausgeben.</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Optionen:</translation>
    </message>
    <message>
        <source>End the options: every argument after it is an operand, even &quot;-x&quot;.</source>
        <translation>Beendet die Optionen: Jedes folgende Argument ist ein Operand, sogar „-x“.</translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>Befehle:</translation>
    </message>
    <message>
        <source>Every command takes -h or --help, and &quot;--&quot; ends its options.
Results go to standard output, messages and progress to standard error.
Exit status: 0 done, 1 failed, 2 usage error (nothing was touched).</source>
        <translation>Jeder Befehl versteht -h oder --help, und „--“ beendet seine Optionen.
Ergebnisse gehen auf die Standardausgabe, Meldungen und Fortschritt auf die Standardfehlerausgabe.
Rückgabewert: 0 erledigt, 1 fehlgeschlagen, 2 Aufruffehler (nichts wurde verändert).</translation>
    </message>
    <message>
        <source>settings get takes one KEY</source>
        <translation>settings get erwartet einen KEY</translation>
    </message>
    <message>
        <source>no setting &quot;%1&quot; in %2</source>
        <translation>keine Einstellung „%1“ in %2</translation>
    </message>
    <message>
        <source>settings set takes KEY VALUE</source>
        <translation>settings set erwartet KEY VALUE</translation>
    </message>
    <message>
        <source>could not write %1 (see the message above)</source>
        <translation>%1 konnte nicht geschrieben werden (siehe die Meldung oben)</translation>
    </message>
    <message>
        <source>settings list takes no arguments</source>
        <translation>settings list erwartet keine Argumente</translation>
    </message>
    <message>
        <source>apps open takes one desktop-file ID</source>
        <translation>apps open erwartet eine Desktop-Datei-Kennung</translation>
    </message>
    <message>
        <source>no installed application has the ID &quot;%1&quot;</source>
        <translation>keine installierte Anwendung hat die Kennung „%1“</translation>
    </message>
    <message>
        <source>apps takes [--json] [--search TEXT] or &quot;open ID&quot;</source>
        <translation>apps erwartet [--json] [--search TEXT] oder „open ID“</translation>
    </message>
    <message>
        <source>--%1 may be given only once</source>
        <translation>--%1 darf nur einmal angegeben werden</translation>
    </message>
    <message>
        <source>internal</source>
        <translation>intern</translation>
    </message>
    <message>
        <source>external</source>
        <translation>extern</translation>
    </message>
    <message>
        <source>optical</source>
        <translation>optisch</translation>
    </message>
    <message>
        <source>network</source>
        <translation>Netzwerk</translation>
    </message>
    <message>
        <source>removable</source>
        <translation>wechselbar</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>disks takes --json, rename, format or eject</source>
        <translation>disks erwartet --json, rename, format oder eject</translation>
    </message>
    <message>
        <source>%1 free of %2</source>
        <translation>%1 von %2 frei</translation>
    </message>
    <message>
        <source>ejectable</source>
        <translation>auswerfbar</translation>
    </message>
    <message>
        <source>disks rename takes VOLUME NAME</source>
        <translation>disks rename erwartet VOLUME NAME</translation>
    </message>
    <message>
        <source>disks eject takes one VOLUME</source>
        <translation>disks eject erwartet ein VOLUME</translation>
    </message>
    <message>
        <source>no volume “%1” was found</source>
        <translation>kein Datenträger „%1“ gefunden</translation>
    </message>
    <message>
        <source>disks format takes VOLUME --type exfat|fat32|ext4 [--name NAME] --yes</source>
        <translation>disks format erwartet VOLUME --type exfat|fat32|ext4 [--name NAME] --yes</translation>
    </message>
    <message>
        <source>disks format needs VOLUME and --type exfat|fat32|ext4</source>
        <translation>disks format benötigt VOLUME und --type exfat|fat32|ext4</translation>
    </message>
    <message>
        <source>formatting erases everything on “%1”; add --yes to do it</source>
        <translation>Formatieren löscht alles auf „%1“; geben Sie --yes an, um es auszuführen</translation>
    </message>
    <message>
        <source>--%1 needs a number of 0 or more</source>
        <translation>--%1 benötigt eine Zahl von 0 oder mehr</translation>
    </message>
    <message>
        <source>scan takes one PATH and --depth N, --top N, --json</source>
        <translation>scan erwartet einen PATH und --depth N, --top N, --json</translation>
    </message>
    <message>
        <source>scan needs a PATH</source>
        <translation>scan benötigt einen PATH</translation>
    </message>
    <message>
        <source>“%1” does not exist</source>
        <translation>„%1“ existiert nicht</translation>
    </message>
    <message>
        <source>cannot read “%1”: %2; its size is unknown</source>
        <translation>„%1“ kann nicht gelesen werden: %2; seine Größe ist unbekannt</translation>
    </message>
    <message>
        <source>erase needs at least one PATH</source>
        <translation>erase benötigt mindestens einen PATH</translation>
    </message>
    <message>
        <source>trash needs at least one PATH</source>
        <translation>trash benötigt mindestens einen PATH</translation>
    </message>
    <message>
        <source>refusing to erase “%1”: %2</source>
        <translation>„%1“ wird nicht gelöscht: %2</translation>
    </message>
    <message>
        <source>refusing to trash “%1”: %2</source>
        <translation>„%1“ wird nicht in den Papierkorb verschoben: %2</translation>
    </message>
    <message>
        <source>nothing was removed</source>
        <translation>nichts wurde entfernt</translation>
    </message>
    <message>
        <source>Erased %1 of %2 items</source>
        <translation>%1 von %2 Objekten gelöscht</translation>
    </message>
    <message>
        <source>Moved %1 of %2 items to the trash</source>
        <translation>%1 von %2 Objekten in den Papierkorb verschoben</translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation>%1 fehlgeschlagen</translation>
    </message>
    <message>
        <source>startup takes [--json], &quot;add PATH&quot; or &quot;remove|enable|disable NAME&quot;</source>
        <translation>startup erwartet [--json], „add PATH“ oder „remove|enable|disable NAME“</translation>
    </message>
    <message>
        <source>enabled</source>
        <comment>a login item that starts at login</comment>
        <translation>aktiv</translation>
    </message>
    <message>
        <source>disabled</source>
        <comment>a login item kept from starting</comment>
        <translation>inaktiv</translation>
    </message>
    <message>
        <source>system</source>
        <comment>a login item of the system</comment>
        <translation>System</translation>
    </message>
    <message>
        <source>user</source>
        <comment>a login item of the user</comment>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>settings login takes nothing, &quot;on&quot; or &quot;off&quot;</source>
        <translation>settings login erwartet nichts, „on“ oder „off“</translation>
    </message>
    <message>
        <source>volume: too many arguments</source>
        <translation>volume: zu viele Argumente</translation>
    </message>
    <message>
        <source>volume: unknown action &quot;%1&quot;</source>
        <translation>volume: unbekannte Aktion „%1“</translation>
    </message>
    <message>
        <source>The sound server did not answer.</source>
        <translation>Der Audio-Server hat nicht geantwortet.</translation>
    </message>
    <message>
        <source>volume: %1</source>
        <translation>volume: %1</translation>
    </message>
    <message>
        <source>muted</source>
        <translation>stumm</translation>
    </message>
    <message>
        <source>volume set: PERCENT must be a whole number from 0 to 100</source>
        <translation>volume set: PERCENT muss eine ganze Zahl von 0 bis 100 sein</translation>
    </message>
    <message>
        <source>brightness: too many arguments</source>
        <translation>brightness: zu viele Argumente</translation>
    </message>
    <message>
        <source>brightness: unknown action &quot;%1&quot;</source>
        <translation>brightness: unbekannte Aktion „%1“</translation>
    </message>
    <message>
        <source>brightness: this machine has no display whose brightness can be read (no readable entry in /sys/class/backlight)</source>
        <translation>brightness: Dieser Rechner hat keinen Bildschirm, dessen Helligkeit gelesen werden kann (kein lesbarer Eintrag in /sys/class/backlight)</translation>
    </message>
    <message>
        <source>brightness set: PERCENT must be a whole number from 0 to 100</source>
        <translation>brightness set: PERCENT muss eine ganze Zahl von 0 bis 100 sein</translation>
    </message>
    <message>
        <source>brightness: %1</source>
        <translation>brightness: %1</translation>
    </message>
    <message>
        <source>sysinfo: unknown argument &quot;%1&quot;</source>
        <translation>sysinfo: unbekanntes Argument „%1“</translation>
    </message>
    <message>
        <source>update-check: unknown argument &quot;%1&quot;</source>
        <translation>update-check: unbekanntes Argument „%1“</translation>
    </message>
    <message>
        <source>The check did not finish.</source>
        <translation>Die Prüfung wurde nicht abgeschlossen.</translation>
    </message>
    <message>
        <source>No newer version is available.</source>
        <translation>Es ist keine neuere Version verfügbar.</translation>
    </message>
    <message>
        <source>update-check: %1</source>
        <translation>update-check: %1</translation>
    </message>
    <message>
        <source>--force-after takes a number of seconds from 0 to 3600</source>
        <translation>--force-after erwartet eine Anzahl Sekunden von 0 bis 3600</translation>
    </message>
    <message>
        <source>tasks end takes --force or --force-after, not both</source>
        <translation>tasks end erwartet --force oder --force-after, nicht beides</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a process ID</source>
        <translation>„%1“ ist keine Prozesskennung</translation>
    </message>
    <message>
        <source>tasks end takes one or more process IDs</source>
        <translation>tasks end erwartet eine oder mehrere Prozesskennungen</translation>
    </message>
    <message>
        <source>tasks takes &quot;--json&quot; or &quot;end PID...&quot;</source>
        <translation>tasks erwartet „--json“ oder „end PID...“</translation>
    </message>
    <message>
        <source>windows could not be listed (%1); only applications found by their systemd units are shown</source>
        <translation>Fenster konnten nicht aufgelistet werden (%1); nur über ihre systemd-Units gefundene Anwendungen werden angezeigt</translation>
    </message>
    <message>
        <source>load takes &quot;--json&quot; and &quot;--samples N&quot;</source>
        <translation>load erwartet „--json“ und „--samples N“</translation>
    </message>
    <message>
        <source>--samples takes a count of 1 or more</source>
        <translation>--samples erwartet eine Anzahl von 1 oder mehr</translation>
    </message>
    <message>
        <source>CPU %1	Memory %2</source>
        <translation>Prozessor %1	Speicher %2</translation>
    </message>
    <message>
        <source>(not sampled)</source>
        <translation>(nicht gemessen)</translation>
    </message>
    <message>
        <source>trash-list takes only --json</source>
        <translation>trash-list erwartet nur --json</translation>
    </message>
    <message>
        <source>unknown date</source>
        <translation>unbekanntes Datum</translation>
    </message>
    <message>
        <source>--as takes one NEWPATH</source>
        <translation>--as erwartet einen NEWPATH</translation>
    </message>
    <message>
        <source>restore takes one PATH or more</source>
        <translation>restore erwartet einen oder mehrere PATH</translation>
    </message>
    <message>
        <source>--as goes with one PATH only</source>
        <translation>--as geht nur mit einem einzigen PATH</translation>
    </message>
    <message>
        <source>“%1” is not in the trash</source>
        <translation>„%1“ ist nicht im Papierkorb</translation>
    </message>
    <message>
        <source>Restored “%1”</source>
        <translation>„%1“ wiederhergestellt</translation>
    </message>
    <message>
        <source>Restore it under another name with:</source>
        <translation>Unter einem anderen Namen wiederherstellen mit:</translation>
    </message>
    <message>
        <source>empty-trash takes no arguments</source>
        <translation>empty-trash erwartet keine Argumente</translation>
    </message>
    <message>
        <source>Removed %1, %2 freed</source>
        <translation>%1 entfernt, %2 freigegeben</translation>
    </message>
    <message>
        <source>Sizes are file lengths; hard links count under each name (the default).</source>
        <translation>Größen sind Dateilängen; harte Verknüpfungen zählen unter jedem Namen (Voreinstellung).</translation>
    </message>
    <message>
        <source>Sizes are the space on disk (allocated blocks, folders included), hard links counted once.</source>
        <translation>Größen sind der belegte Speicherplatz (zugewiesene Blöcke, Ordner eingeschlossen), harte Verknüpfungen einmal gezählt.</translation>
    </message>
    <message>
        <source>List the user&apos;s caches, trashes and core dumps by size on disk.</source>
        <translation>Die Zwischenspeicher, Papierkörbe und Speicherabzüge des Benutzers nach belegtem Speicherplatz auflisten.</translation>
    </message>
    <message>
        <source>caches takes only --json</source>
        <translation>caches nimmt nur --json an</translation>
    </message>
    <message>
        <source>choose one of --apparent and --disk-usage</source>
        <translation>wählen Sie eines von --apparent und --disk-usage</translation>
    </message>
</context>
<context>
    <name>DesktopBackgroundSettings</name>
    <message>
        <source>The desktop background settings could not be opened: this desktop has no settings program Corvella knows, and xdg-open is not installed.</source>
        <translation>Die Einstellungen für den Schreibtischhintergrund konnten nicht geöffnet werden: Diese Arbeitsumgebung hat kein Einstellungsprogramm, das Corvella kennt, und xdg-open ist nicht installiert.</translation>
    </message>
    <message>
        <source>The desktop background settings could not be opened. %1</source>
        <translation>Die Einstellungen für den Schreibtischhintergrund konnten nicht geöffnet werden. %1</translation>
    </message>
</context>
<context>
    <name>DesktopEntry</name>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>not valid UTF-8 text</source>
        <translation>kein gültiger UTF-8-Text</translation>
    </message>
    <message>
        <source>malformed group header</source>
        <translation>fehlerhafter Gruppenkopf</translation>
    </message>
    <message>
        <source>the group [%1] appears twice</source>
        <translation>die Gruppe [%1] kommt zweimal vor</translation>
    </message>
    <message>
        <source>the first group is [%1], not [Desktop Entry]</source>
        <translation>die erste Gruppe ist [%1], nicht [Desktop Entry]</translation>
    </message>
    <message>
        <source>not a key, group or comment</source>
        <translation>weder Schlüssel noch Gruppe noch Kommentar</translation>
    </message>
    <message>
        <source>a key before the first group</source>
        <translation>ein Schlüssel vor der ersten Gruppe</translation>
    </message>
    <message>
        <source>no [Desktop Entry] group</source>
        <translation>keine Gruppe [Desktop Entry]</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine reguläre Datei</translation>
    </message>
    <message>
        <source>too large for a desktop entry</source>
        <translation>zu groß für eine Desktop-Datei</translation>
    </message>
    <message>
        <source>no Type key</source>
        <translation>kein Type-Schlüssel</translation>
    </message>
    <message>
        <source>no Name key</source>
        <translation>kein Name-Schlüssel</translation>
    </message>
    <message>
        <source>an application without an Exec key</source>
        <translation>eine Anwendung ohne Exec-Schlüssel</translation>
    </message>
</context>
<context>
    <name>DesktopExec</name>
    <message>
        <source>a double quote is not closed</source>
        <translation>ein doppeltes Anführungszeichen ist nicht geschlossen</translation>
    </message>
    <message>
        <source>a single quote is not closed</source>
        <translation>ein einfaches Anführungszeichen ist nicht geschlossen</translation>
    </message>
    <message>
        <source>no program in the Exec key</source>
        <translation>kein Programm im Exec-Schlüssel</translation>
    </message>
</context>
<context>
    <name>DesktopNotifier</name>
    <message>
        <source>No notification could be shown: there is no session bus (%1).</source>
        <translation>Es konnte keine Benachrichtigung angezeigt werden: Es gibt keinen Sitzungsbus (%1).</translation>
    </message>
    <message>
        <source>No notification could be shown: no notification service is running on the session bus.</source>
        <translation>Es konnte keine Benachrichtigung angezeigt werden: Auf dem Sitzungsbus läuft kein Benachrichtigungsdienst.</translation>
    </message>
    <message>
        <source>No notification could be shown: the notification service answered “%1”.</source>
        <translation>Es konnte keine Benachrichtigung angezeigt werden: Der Benachrichtigungsdienst antwortete „%1“.</translation>
    </message>
</context>
<context>
    <name>DesktopOpener</name>
    <message>
        <source>xdg-open did not accept it</source>
        <translation>xdg-open hat es nicht angenommen</translation>
    </message>
    <message>
        <source>it does not exist</source>
        <translation>es existiert nicht</translation>
    </message>
    <message>
        <source>no application on this desktop is set to open it</source>
        <translation>in dieser Arbeitsumgebung ist keine Anwendung zum Öffnen festgelegt</translation>
    </message>
    <message>
        <source>the application set to open it failed</source>
        <translation>die zum Öffnen festgelegte Anwendung ist gescheitert</translation>
    </message>
    <message>
        <source>xdg-open ended with status %1</source>
        <translation>xdg-open endete mit Status %1</translation>
    </message>
    <message>
        <source>There is nothing to start.</source>
        <translation>Es gibt nichts zu starten.</translation>
    </message>
    <message>
        <source>“%1” could not be started: %2.</source>
        <translation>„%1“ konnte nicht gestartet werden: %2.</translation>
    </message>
    <message>
        <source>it was ended by signal %1 (%2)</source>
        <translation>es wurde durch Signal %1 (%2) beendet</translation>
    </message>
    <message>
        <source>“%1” could not be opened: %2.</source>
        <translation>„%1“ konnte nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>“%1” failed as it started: %2.</source>
        <translation>„%1“ ist beim Starten gescheitert: %2.</translation>
    </message>
    <message>
        <source>“%1” failed as it started: it ended with status %2.</source>
        <translation>„%1“ ist beim Starten gescheitert: Es endete mit Status %2.</translation>
    </message>
    <message>
        <source>“%1” could not be opened: xdg-open is not installed.</source>
        <translation>„%1“ konnte nicht geöffnet werden: xdg-open ist nicht installiert.</translation>
    </message>
</context>
<context>
    <name>DetachedProcess</name>
    <message>
        <source>No program was given by its full path.</source>
        <translation>Es wurde kein Programm mit vollständigem Pfad angegeben.</translation>
    </message>
    <message>
        <source>An argument holds a zero byte, which cannot be passed to a program.</source>
        <translation>Ein Argument enthält ein Nullbyte, das keinem Programm übergeben werden kann.</translation>
    </message>
    <message>
        <source>The working folder&apos;s name holds a zero byte.</source>
        <translation>Der Name des Arbeitsordners enthält ein Nullbyte.</translation>
    </message>
    <message>
        <source>The helper process that starts programs ended early.</source>
        <translation>Der Hilfsprozess, der Programme startet, hat sich vorzeitig beendet.</translation>
    </message>
</context>
<context>
    <name>DiskBoxViewController</name>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Format</source>
        <comment>verb: erase the volume with a new file system</comment>
        <translation>Formatieren</translation>
    </message>
    <message>
        <source>Eject</source>
        <translation>Auswerfen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Unknow</source>
        <translation>Unbekannt</translation>
    </message>
</context>
<context>
    <name>DiskManagerViewController</name>
    <message>
        <source>Disk Manager</source>
        <translation>Datenträgerverwaltung</translation>
    </message>
    <message>
        <source>Every mounted volume with its sizes and file system.</source>
        <translation>Alle eingehängten Datenträger mit Größe und Dateisystem.</translation>
    </message>
    <message>
        <source>Reading the volumes</source>
        <translation>Datenträger werden gelesen</translation>
    </message>
    <message>
        <source>Disk Not Ejected Properly</source>
        <translation>Datenträger nicht ordnungsgemäß ausgeworfen</translation>
    </message>
    <message>
        <source>The disk/device can be removed safely.</source>
        <translation>Der Datenträger bzw. das Gerät kann jetzt sicher entfernt werden.</translation>
    </message>
    <message>
        <source>Eject &apos;%1&apos; before disconnecting or turning it off.</source>
        <translation>Werfen Sie „%1“ aus, bevor Sie es trennen oder ausschalten.</translation>
    </message>
</context>
<context>
    <name>DownloadViewController</name>
    <message>
        <source>Downloads</source>
        <translation>Downloads</translation>
    </message>
    <message>
        <source>Looking for large downloads…</source>
        <translation>Große Downloads werden gesucht …</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alle auswählen</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Notice</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausieren</translation>
    </message>
    <message>
        <source>Stop Scan</source>
        <translation>Suchlauf beenden</translation>
    </message>
    <message>
        <source>Move to Trash</source>
        <translation>In den Papierkorb</translation>
    </message>
    <message>
        <source>Completely Erase</source>
        <translation>Endgültig löschen</translation>
    </message>
    <message>
        <source>%1%</source>
        <comment>percentage</comment>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>Scanning</source>
        <translation>Suchlauf</translation>
    </message>
    <message>
        <source>Scan finished</source>
        <translation>Suchlauf abgeschlossen</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Fortsetzen</translation>
    </message>
    <message>
        <source>Permanently erase %1 (%2)? This cannot be undone.</source>
        <translation>%1 (%2) endgültig löschen? Dies kann nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>Move to Trash keeps a way back.</source>
        <translation>Mit „In den Papierkorb“ bleibt der Weg zurück offen.</translation>
    </message>
    <message>
        <source>Erase</source>
        <translation>Löschen</translation>
    </message>
    <message numerus="yes">
        <source>Stopped: %1 of %n item(s) removed; what is left is still listed.</source>
        <translation>
            <numerusform>Angehalten: %1 von %n Objekt entfernt; der Rest bleibt aufgelistet.</numerusform>
            <numerusform>Angehalten: %1 von %n Objekten entfernt; der Rest bleibt aufgelistet.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) that appeared after the scan were kept.</source>
        <translation>
            <numerusform>%n Objekt, das nach dem Suchlauf hinzukam, wurde behalten.</numerusform>
            <numerusform>%n Objekte, die nach dem Suchlauf hinzukamen, wurden behalten.</numerusform>
        </translation>
    </message>
    <message>
        <source>Details…</source>
        <translation>Details …</translation>
    </message>
    <message numerus="yes">
        <source>… and %n more</source>
        <translation>
            <numerusform>… und %n weiteres</numerusform>
            <numerusform>… und %n weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>Each item that could not be removed, and why:</source>
        <translation>Jedes Objekt, das nicht entfernt werden konnte, und der Grund dafür:</translation>
    </message>
    <message>
        <source>Nothing to clean up: “%1” is empty.</source>
        <translation>Nichts aufzuräumen: „%1“ ist leer.</translation>
    </message>
    <message>
        <source>Choose Folder…</source>
        <translation>Ordner wählen …</translation>
    </message>
    <message>
        <source>Choose Folder</source>
        <translation>Ordner wählen</translation>
    </message>
    <message>
        <source>Scan another folder: any folder you can read. You can also drop a folder on this window.</source>
        <translation>Einen anderen Ordner durchsuchen: jeden Ordner, den Sie lesen können. Sie können auch einen Ordner auf dieses Fenster ziehen.</translation>
    </message>
    <message>
        <source>Caches</source>
        <translation>Zwischenspeicher</translation>
    </message>
    <message>
        <source>What the caches of your applications, the thumbnails, the trash and old core dumps take on disk.</source>
        <translation>Wie viel Speicherplatz die Zwischenspeicher Ihrer Anwendungen, die Vorschaubilder, der Papierkorb und alte Speicherabzüge belegen.</translation>
    </message>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <source>Space Finder</source>
        <translation>Platzsuche</translation>
    </message>
    <message>
        <source>Choose a Folder to Scan</source>
        <translation>Ordner zum Durchsuchen wählen</translation>
    </message>
    <message>
        <source>Measuring the caches…</source>
        <translation>Zwischenspeicher werden gemessen …</translation>
    </message>
    <message>
        <source>%1 (in use by %2)</source>
        <translation>%1 (in Gebrauch durch %2)</translation>
    </message>
    <message numerus="yes">
        <source>%n cache(s) listed</source>
        <translation>
            <numerusform>%n Zwischenspeicher aufgelistet</numerusform>
            <numerusform>%n Zwischenspeicher aufgelistet</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Chosen: %n item(s), %1</source>
        <translation>
            <numerusform>Ausgewählt: %n Element, %1</numerusform>
            <numerusform>Ausgewählt: %n Elemente, %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Moved %1 to the Trash</source>
        <translation>%1 in den Papierkorb verschoben</translation>
    </message>
    <message>
        <source>Freed %1</source>
        <translation>%1 freigegeben</translation>
    </message>
    <message numerus="yes">
        <source>%1; %n item(s) could not be removed:</source>
        <translation>
            <numerusform>%1; %n Element konnte nicht entfernt werden:</numerusform>
            <numerusform>%1; %n Elemente konnten nicht entfernt werden:</numerusform>
        </translation>
    </message>
    <message>
        <source>Items That Could Not Be Removed</source>
        <translation>Elemente, die nicht entfernt werden konnten</translation>
    </message>
    <message>
        <source>The caches hold nothing to clean up.</source>
        <translation>In den Zwischenspeichern gibt es nichts aufzuräumen.</translation>
    </message>
    <message>
        <source>Sizes shown</source>
        <translation>Angezeigte Größen</translation>
    </message>
    <message>
        <source>Apparent size: the length of each file. Size on disk: the space the files take, hard links counted once.</source>
        <translation>Scheinbare Größe: die Länge jeder Datei. Größe auf dem Datenträger: der Platz, den die Dateien belegen, harte Verknüpfungen einmal gezählt.</translation>
    </message>
</context>
<context>
    <name>DownloadsTreeModel</name>
    <message>
        <source>%1
Cannot be read: %2</source>
        <translation>%1
Nicht lesbar: %2</translation>
    </message>
    <message>
        <source>unknown</source>
        <comment>size of a folder that cannot be read</comment>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>The folder cannot be read: %1</source>
        <translation>Der Ordner kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 Bytes</translation>
    </message>
    <message>
        <source>Show “%1” in its folder</source>
        <translation>„%1“ im Ordner anzeigen</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
</context>
<context>
    <name>FileManagerReveal</name>
    <message>
        <source>There is no item to show.</source>
        <translation>Es gibt kein Objekt zum Anzeigen.</translation>
    </message>
    <message>
        <source>“%1” could not be shown in the file manager. %2</source>
        <translation>„%1“ konnte nicht in der Dateiverwaltung angezeigt werden. %2</translation>
    </message>
    <message>
        <source>“%1” could not be shown in the file manager (it answered: %2). %3</source>
        <translation>„%1“ konnte nicht in der Dateiverwaltung angezeigt werden (Antwort: %2). %3</translation>
    </message>
</context>
<context>
    <name>FolderAccess</name>
    <message>
        <source>There is no folder “%1”.</source>
        <translation>Es gibt keinen Ordner „%1“.</translation>
    </message>
    <message>
        <source>“%1” is not a folder.</source>
        <translation>„%1“ ist kein Ordner.</translation>
    </message>
    <message>
        <source>Cannot open the folder “%1”: %2.</source>
        <translation>Der Ordner „%1“ kann nicht geöffnet werden: %2.</translation>
    </message>
</context>
<context>
    <name>FormatEndViewController</name>
    <message>
        <source>Format Disk</source>
        <translation>Datenträger formatieren</translation>
    </message>
    <message>
        <source>Format Complete</source>
        <translation>Formatierung abgeschlossen</translation>
    </message>
    <message>
        <source>Format Failed</source>
        <translation>Formatierung fehlgeschlagen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>FormatTypeViewController</name>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
</context>
<context>
    <name>FreedesktopTrash</name>
    <message>
        <source>“%1” is not a folder</source>
        <translation>„%1“ ist kein Ordner</translation>
    </message>
    <message>
        <source>“%1” cannot be examined: %2</source>
        <translation>„%1“ kann nicht untersucht werden: %2</translation>
    </message>
    <message>
        <source>“%1” cannot be created: %2</source>
        <translation>„%1“ kann nicht erstellt werden: %2</translation>
    </message>
    <message>
        <source>Cannot move “%1” to the trash: %2</source>
        <translation>„%1“ kann nicht in den Papierkorb verschoben werden: %2</translation>
    </message>
    <message>
        <source>No item was given to move to the trash.</source>
        <translation>Es wurde kein Objekt zum Verschieben in den Papierkorb angegeben.</translation>
    </message>
    <message>
        <source>it does not name one file or folder.</source>
        <translation>es bezeichnet nicht genau eine Datei oder einen Ordner.</translation>
    </message>
    <message>
        <source>it does not exist.</source>
        <translation>es existiert nicht.</translation>
    </message>
    <message>
        <source>it cannot be examined (%1).</source>
        <translation>es kann nicht untersucht werden (%1).</translation>
    </message>
    <message>
        <source>its folder&apos;s location cannot be read (%1).</source>
        <translation>der Ort seines Ordners kann nicht gelesen werden (%1).</translation>
    </message>
    <message>
        <source>a volume is mounted there.</source>
        <translation>dort ist ein Datenträger eingehängt.</translation>
    </message>
    <message>
        <source>the trash folder cannot be made ready (%1).</source>
        <translation>der Papierkorbordner kann nicht vorbereitet werden (%1).</translation>
    </message>
    <message>
        <source>the volume at %1 has no usable trash folder (%2).</source>
        <translation>der Datenträger unter %1 hat keinen nutzbaren Papierkorbordner (%2).</translation>
    </message>
    <message>
        <source>it holds the trash folder itself.</source>
        <translation>es enthält den Papierkorbordner selbst.</translation>
    </message>
    <message>
        <source>the trash folder “%1” cannot be opened (%2).</source>
        <translation>der Papierkorbordner „%1“ kann nicht geöffnet werden (%2).</translation>
    </message>
    <message>
        <source>its record in “%1” cannot be written (%2).</source>
        <translation>sein Eintrag in „%1“ kann nicht geschrieben werden (%2).</translation>
    </message>
    <message>
        <source>it is on another file system than the trash folder “%1”, and it is not copied there.</source>
        <translation>es liegt auf einem anderen Dateisystem als der Papierkorbordner „%1“ und wird nicht dorthin kopiert.</translation>
    </message>
    <message>
        <source>it cannot be moved into “%1” (%2).</source>
        <translation>es kann nicht nach „%1“ verschoben werden (%2).</translation>
    </message>
    <message>
        <source>the trash already holds too many items named “%1”.</source>
        <translation>der Papierkorb enthält bereits zu viele Objekte namens „%1“.</translation>
    </message>
</context>
<context>
    <name>FullDiskAccessAuthorizer</name>
    <message>
        <source>&lt;application id&gt;</source>
        <translation>&lt;Anwendungskennung&gt;</translation>
    </message>
    <message>
        <source>Give Corvella access to your home folder in a terminal, then restart Corvella:
%1</source>
        <translation>Geben Sie Corvella in einem Terminal Zugriff auf Ihren persönlichen Ordner und starten Sie Corvella danach neu:
%1</translation>
    </message>
    <message>
        <source>A Snap package reaches the hidden folders of your home, where the Trash is kept, only when it was built to. Install Corvella as a Flatpak or from your distribution to empty the Trash.</source>
        <translation>Ein Snap-Paket erreicht die versteckten Ordner Ihres persönlichen Ordners, in denen der Papierkorb liegt, nur, wenn es dafür gebaut wurde. Installieren Sie Corvella als Flatpak oder aus Ihrer Distribution, um den Papierkorb zu leeren.</translation>
    </message>
    <message>
        <source>Corvella can reach your Trash folders; nothing needs to be granted.</source>
        <translation>Corvella kann Ihre Papierkorbordner erreichen; es muss nichts freigegeben werden.</translation>
    </message>
</context>
<context>
    <name>FullDiskAccessViewController</name>
    <message>
        <source>Its sandbox</source>
        <translation>Die Sandbox</translation>
    </message>
    <message>
        <source>The %1 sandbox</source>
        <translation>Die %1-Sandbox</translation>
    </message>
    <message>
        <source>%1 keeps Corvella from your Trash folders, so it cannot empty them. Allow Corvella to reach your files in the application permissions, then empty the Trash again.</source>
        <translation>%1 hält Corvella von Ihren Papierkorbordnern fern, daher kann es sie nicht leeren. Erlauben Sie Corvella in den Anwendungsberechtigungen den Zugriff auf Ihre Dateien und leeren Sie den Papierkorb dann erneut.</translation>
    </message>
    <message>
        <source>Access to the Trash</source>
        <translation>Zugriff auf den Papierkorb</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Open Settings</source>
        <translation>Einstellungen öffnen</translation>
    </message>
</context>
<context>
    <name>GXCheckUpdateViewController</name>
    <message>
        <source>Check for Updates</source>
        <translation>Nach Aktualisierungen suchen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Remind Me Later</source>
        <translation>Später erinnern</translation>
    </message>
    <message>
        <source>Install Update</source>
        <translation>Aktualisierung installieren</translation>
    </message>
    <message>
        <source>Checking for updates…</source>
        <translation>Nach Aktualisierungen wird gesucht …</translation>
    </message>
    <message>
        <source>The check for a newer version could not be made.</source>
        <translation>Die Suche nach einer neueren Version konnte nicht durchgeführt werden.</translation>
    </message>
    <message>
        <source>You have the newest version of Corvella (%1).</source>
        <translation>Sie haben die neueste Version von Corvella (%1).</translation>
    </message>
    <message>
        <source>A new version of Corvella is available!</source>
        <translation>Eine neue Version von Corvella ist verfügbar!</translation>
    </message>
    <message>
        <source>Why the download page did not open</source>
        <translation>Warum die Download-Seite nicht geöffnet wurde</translation>
    </message>
    <message>
        <source>The download page could not be opened: no address is set (UpdateURL).</source>
        <translation>Die Download-Seite konnte nicht geöffnet werden: Es ist keine Adresse festgelegt (UpdateURL).</translation>
    </message>
</context>
<context>
    <name>HotUtilitiesViewController</name>
    <message>
        <source>Hot Utilities</source>
        <translation>Nützliche Links</translation>
    </message>
    <message>
        <source>Useful links for everyday work.</source>
        <translation>Nützliche Links für die tägliche Arbeit.</translation>
    </message>
    <message>
        <source>No links are set in the settings file.</source>
        <translation>In der Einstellungsdatei sind keine Links festgelegt.</translation>
    </message>
</context>
<context>
    <name>LightViewController</name>
    <message>
        <source>Darkest</source>
        <translation>Am dunkelsten</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Helligkeit</translation>
    </message>
</context>
<context>
    <name>LoginItemList</name>
    <message>
        <source>it would have no name to show</source>
        <translation>es hätte keinen anzeigbaren Namen</translation>
    </message>
    <message>
        <source>it is not a complete desktop entry (%1)</source>
        <translation>es ist keine vollständige Desktop-Datei (%1)</translation>
    </message>
    <message>
        <source>its program “%1” cannot be found</source>
        <translation>sein Programm „%1“ wurde nicht gefunden</translation>
    </message>
    <message>
        <source>“%1”, which it opens, does not exist</source>
        <translation>„%1“, das es öffnet, existiert nicht</translation>
    </message>
    <message>
        <source>“%1” does not exist, so it cannot be added.</source>
        <translation>„%1“ existiert nicht und kann daher nicht hinzugefügt werden.</translation>
    </message>
    <message>
        <source>“%1” cannot be added as a login item: it is a desktop entry of type “%2”, not an application.</source>
        <translation>„%1“ kann nicht als Autostart-Eintrag hinzugefügt werden: Es ist eine Desktop-Datei vom Typ „%2“, keine Anwendung.</translation>
    </message>
    <message>
        <source>“%1” cannot be added as a login item: %2.</source>
        <translation>„%1“ kann nicht als Autostart-Eintrag hinzugefügt werden: %2.</translation>
    </message>
    <message>
        <source>“%1” is not the name of a login item.</source>
        <translation>„%1“ ist nicht der Name eines Autostart-Eintrags.</translation>
    </message>
    <message>
        <source>“%1” cannot be written as a login item: %2.</source>
        <translation>„%1“ kann nicht als Autostart-Eintrag geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>There is no login item “%1”.</source>
        <translation>Es gibt keinen Autostart-Eintrag „%1“.</translation>
    </message>
    <message>
        <source>There is no system login item “%1” to restore.</source>
        <translation>Es gibt keinen System-Autostart-Eintrag „%1“ zum Wiederherstellen.</translation>
    </message>
    <message>
        <source>“%1” is no longer a login item.</source>
        <translation>„%1“ ist kein Autostart-Eintrag mehr.</translation>
    </message>
    <message>
        <source>The login item “%1” is not a valid desktop entry, so it was left as it is.</source>
        <translation>Der Autostart-Eintrag „%1“ ist keine gültige Desktop-Datei und wurde daher unverändert gelassen.</translation>
    </message>
</context>
<context>
    <name>LogindPowerService</name>
    <message>
        <source>The login manager (org.freedesktop.login1) is not running, so the power request could not be sent: %1</source>
        <translation>Der Anmeldedienst (org.freedesktop.login1) läuft nicht, daher konnte die Energieanforderung nicht gesendet werden: %1</translation>
    </message>
    <message>
        <source>The power request could not be sent because the system bus is not reachable: %1</source>
        <translation>Die Energieanforderung konnte nicht gesendet werden, weil der Systembus nicht erreichbar ist: %1</translation>
    </message>
    <message>
        <source>The login manager did not answer the power request: %1</source>
        <translation>Der Anmeldedienst hat auf die Energieanforderung nicht geantwortet: %1</translation>
    </message>
    <message>
        <source>The login manager (org.freedesktop.login1) could not be started, so the power request could not be sent: %1</source>
        <translation>Der Anmeldedienst (org.freedesktop.login1) konnte nicht gestartet werden, daher konnte die Energieanforderung nicht gesendet werden: %1</translation>
    </message>
    <message>
        <source>The power request was refused: %1</source>
        <translation>Die Energieanforderung wurde abgelehnt: %1</translation>
    </message>
    <message>
        <source>The login manager named no session for this program, so there is no session to log out of.</source>
        <translation>Der Anmeldedienst nannte keine Sitzung für dieses Programm, daher gibt es keine Sitzung zum Abmelden.</translation>
    </message>
</context>
<context>
    <name>MainViewController</name>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Helligkeit</translation>
    </message>
    <message>
        <source>Desktop Background</source>
        <translation>Schreibtischhintergrund</translation>
    </message>
    <message>
        <source>Hide Others</source>
        <translation>Andere ausblenden</translation>
    </message>
    <message>
        <source>Shut Down, Sleep, Restart</source>
        <translation>Ausschalten, Bereitschaft, Neu starten</translation>
    </message>
    <message>
        <source>Needs an X11 session.</source>
        <translation>Benötigt eine X11-Sitzung.</translation>
    </message>
    <message>
        <source>Sorry, Mac mini can&apos;t adjust brightness.</source>
        <translation>Leider kann der Mac mini die Helligkeit nicht einstellen.</translation>
    </message>
    <message>
        <source>This display&apos;s brightness cannot be adjusted from here.</source>
        <translation>Die Helligkeit dieses Bildschirms kann von hier aus nicht eingestellt werden.</translation>
    </message>
    <message>
        <source>Shut Down</source>
        <translation>Ausschalten</translation>
    </message>
    <message>
        <source>Sleep</source>
        <translation>Bereitschaft</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Neu starten</translation>
    </message>
    <message>
        <source>Shut down the computer now?</source>
        <translation>Den Rechner jetzt ausschalten?</translation>
    </message>
    <message>
        <source>Restart the computer now?</source>
        <translation>Den Rechner jetzt neu starten?</translation>
    </message>
    <message>
        <source>Log out now?</source>
        <translation>Jetzt abmelden?</translation>
    </message>
    <message>
        <source>Log Out</source>
        <translation>Abmelden</translation>
    </message>
    <message>
        <source>Applications that are open may lose work that is not saved.</source>
        <translation>Geöffnete Anwendungen können nicht gespeicherte Arbeit verlieren.</translation>
    </message>
</context>
<context>
    <name>MakeSureFormatViewController</name>
    <message>
        <source>Format Disk</source>
        <translation>Datenträger formatieren</translation>
    </message>
    <message>
        <source>Name:</source>
        <comment>the volume name</comment>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Format:</source>
        <comment>noun: the file system type</comment>
        <translation>Format:</translation>
    </message>
    <message>
        <source>Choose the file system type</source>
        <translation>Dateisystemtyp wählen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Fortfahren</translation>
    </message>
    <message>
        <source>Formatting…</source>
        <translation>Wird formatiert …</translation>
    </message>
    <message>
        <source>Formatting</source>
        <translation>Formatierung</translation>
    </message>
    <message>
        <source>Format &apos;%1&apos;?</source>
        <translation>„%1“ formatieren?</translation>
    </message>
    <message>
        <source>All data on &apos;%1&apos; will be deleted after format, do you want to format it?</source>
        <translation>Alle Daten auf „%1“ werden beim Formatieren gelöscht. Möchten Sie den Datenträger formatieren?</translation>
    </message>
</context>
<context>
    <name>MountTable</name>
    <message>
        <source>The list of mounted volumes “%1” cannot be read: %2.</source>
        <translation>Die Liste der eingehängten Datenträger „%1“ kann nicht gelesen werden: %2.</translation>
    </message>
</context>
<context>
    <name>PrivateRuntimeFolder</name>
    <message>
        <source>Cannot make the folder for command output, %1, private: %2.</source>
        <translation>Der Ordner für Befehlsausgaben, %1, kann nicht privat gemacht werden: %2.</translation>
    </message>
    <message>
        <source>Cannot create the folder for command output, %1: %2.</source>
        <translation>Der Ordner für Befehlsausgaben, %1, kann nicht angelegt werden: %2.</translation>
    </message>
    <message>
        <source>Cannot examine the folder for command output, %1: %2.</source>
        <translation>Der Ordner für Befehlsausgaben, %1, kann nicht geprüft werden: %2.</translation>
    </message>
    <message>
        <source>The folder for command output, %1, is a symbolic link; it was not used. Remove the link.</source>
        <translation>Der Ordner für Befehlsausgaben, %1, ist eine symbolische Verknüpfung; er wurde nicht verwendet. Entfernen Sie die Verknüpfung.</translation>
    </message>
    <message>
        <source>The folder for command output, %1, is not a folder; it was not used. Remove it.</source>
        <translation>Der Ordner für Befehlsausgaben, %1, ist kein Ordner; er wurde nicht verwendet. Entfernen Sie ihn.</translation>
    </message>
    <message>
        <source>The folder for command output, %1, belongs to another user; it was not used.</source>
        <translation>Der Ordner für Befehlsausgaben, %1, gehört einem anderen Benutzer; er wurde nicht verwendet.</translation>
    </message>
    <message>
        <source>The folder for command output, %1, is open to other users (permissions %2); it was not used. Make it private with &quot;chmod 700&quot; or remove it.</source>
        <translation>Der Ordner für Befehlsausgaben, %1, ist für andere Benutzer offen (Zugriffsrechte %2); er wurde nicht verwendet. Machen Sie ihn mit &quot;chmod 700&quot; privat oder entfernen Sie ihn.</translation>
    </message>
</context>
<context>
    <name>ProcessHandle</name>
    <message>
        <source>it is no longer running</source>
        <translation>es läuft nicht mehr</translation>
    </message>
    <message>
        <source>you are not allowed to end it</source>
        <translation>Sie dürfen es nicht beenden</translation>
    </message>
    <message>
        <source>it has no valid process identifier</source>
        <translation>es hat keine gültige Prozesskennung</translation>
    </message>
    <message>
        <source>this kernel cannot hold processes by pidfd (Linux 5.3 or later is needed)</source>
        <translation>dieser Kernel kann Prozesse nicht per pidfd festhalten (Linux 5.3 oder neuer wird benötigt)</translation>
    </message>
</context>
<context>
    <name>ProcessSpawner</name>
    <message>
        <source>The output file %1 is a symbolic link; it was not used.</source>
        <translation>Die Ausgabedatei %1 ist eine symbolische Verknüpfung; sie wurde nicht verwendet.</translation>
    </message>
    <message>
        <source>Cannot open the output file %1: %2.</source>
        <translation>Die Ausgabedatei %1 kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>Program not found: %1</source>
        <translation>Programm nicht gefunden: %1</translation>
    </message>
    <message>
        <source>Program cannot be run: %1 (permission denied)</source>
        <translation>Programm kann nicht ausgeführt werden: %1 (Zugriff verweigert)</translation>
    </message>
    <message>
        <source>Program cannot be run: %1 (not an executable file)</source>
        <translation>Programm kann nicht ausgeführt werden: %1 (keine ausführbare Datei)</translation>
    </message>
    <message>
        <source>The arguments for %1 are too long to pass to a program.</source>
        <translation>Die Argumente für %1 sind zu lang, um sie einem Programm zu übergeben.</translation>
    </message>
    <message>
        <source>Could not start %1: %2.</source>
        <translation>%1 konnte nicht gestartet werden: %2.</translation>
    </message>
    <message>
        <source>No program was given.</source>
        <translation>Es wurde kein Programm angegeben.</translation>
    </message>
    <message>
        <source>An argument for %1 holds a zero byte, which cannot be passed to a program.</source>
        <translation>Ein Argument für %1 enthält ein Nullbyte, das keinem Programm übergeben werden kann.</translation>
    </message>
    <message>
        <source>No output file was given for %1.</source>
        <translation>Für %1 wurde keine Ausgabedatei angegeben.</translation>
    </message>
    <message>
        <source>Could not prepare to start %1: %2.</source>
        <translation>Der Start von %1 konnte nicht vorbereitet werden: %2.</translation>
    </message>
    <message>
        <source>Lost track of %1 while it ran: %2.</source>
        <translation>%1 ging während der Ausführung verloren: %2.</translation>
    </message>
</context>
<context>
    <name>ProgramOptions</name>
    <message>
        <source>Show the panel and bring it to the front, also when it is open behind other windows. This is what a start without options does.</source>
        <translation>Die Ansicht anzeigen und in den Vordergrund holen, auch wenn sie hinter anderen Fenstern geöffnet ist. Das tut auch ein Start ohne Optionen.</translation>
    </message>
    <message>
        <source>Hide the panel when it is shown, else show it.</source>
        <translation>Die Ansicht ausblenden, wenn sie angezeigt wird, sonst anzeigen.</translation>
    </message>
    <message>
        <source>Show the panel on this tab: Applications, TaskManager, Cleanup, StartupItems, DiskManager, QuickVisit or HotUtilities.</source>
        <translation>Die Ansicht mit diesem Reiter anzeigen: Applications, TaskManager, Cleanup, StartupItems, DiskManager, QuickVisit oder HotUtilities.</translation>
    </message>
    <message>
        <source>Start in the system tray without showing the panel, as at login. A copy that runs already is left as it is. Where there is no system tray the panel shows all the same.</source>
        <translation>Im Systemabschnitt der Kontrollleiste starten, ohne die Ansicht zu zeigen, wie bei der Anmeldung. Eine bereits laufende Instanz bleibt, wie sie ist. Wo es keinen Systemabschnitt gibt, erscheint die Ansicht trotzdem.</translation>
    </message>
    <message>
        <source>Print this help and exit.</source>
        <translation>Diese Hilfe ausgeben und beenden.</translation>
    </message>
    <message>
        <source>Print the version and exit.</source>
        <translation>Die Version ausgeben und beenden.</translation>
    </message>
    <message>
        <source>Corvella lives in the system tray; its panel holds seven tools. Only one copy runs in a session: a later start hands its options to the running copy and exits at once.</source>
        <translation>Corvella wohnt im Systemabschnitt der Kontrollleiste; seine Ansicht enthält sieben Werkzeuge. In einer Sitzung läuft nur eine Instanz: Ein späterer Start übergibt seine Optionen der laufenden Instanz und beendet sich sofort.</translation>
    </message>
    <message>
        <source>unknown tab “%1”; the tabs are %2</source>
        <translation>unbekannter Reiter „%1“; die Reiter sind %2</translation>
    </message>
    <message>
        <source>Try “corvella --help”.</source>
        <translation>Versuchen Sie „corvella --help“.</translation>
    </message>
    <message>
        <source>corvella takes no file or folder names (given: %1)</source>
        <translation>corvella erwartet keine Datei- oder Ordnernamen (angegeben: %1)</translation>
    </message>
    <message>
        <source>--show, --toggle and --background exclude one another</source>
        <translation>--show, --toggle und --background schließen einander aus</translation>
    </message>
    <message>
        <source>Usage: corvella [OPTION]...</source>
        <translation>Aufruf: corvella [OPTION]...</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Optionen:</translation>
    </message>
    <message>
        <source>The toolkit&apos;s own options (-platform NAME, -display DISPLAY, -style NAME, ...) are taken too. See corvella(1) and corvella-cli(1).</source>
        <translation>Die eigenen Optionen des Toolkits (-platform NAME, -display DISPLAY, -style NAME, ...) werden ebenfalls angenommen. Siehe corvella(1) und corvella-cli(1).</translation>
    </message>
    <message>
        <source>unknown action “%1”</source>
        <translation>unbekannte Aktion „%1“</translation>
    </message>
    <message>
        <source>Show the space finder on this folder, scanned by size: any folder you can read. Opens the panel on the Cleanup tab.</source>
        <translation>Die Platzsuche für diesen Ordner zeigen, nach Größe durchsucht: jeder Ordner, den Sie lesen können. Öffnet die Leiste im Reiter Aufräumen.</translation>
    </message>
</context>
<context>
    <name>ProgressViewController</name>
    <message>
        <source>Removing Downloads</source>
        <translation>Downloads werden entfernt</translation>
    </message>
    <message>
        <source>%1%</source>
        <comment>percentage</comment>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Removal finished</source>
        <translation>Entfernen abgeschlossen</translation>
    </message>
    <message>
        <source>Removing: %1%</source>
        <translation>Wird entfernt: %1 %</translation>
    </message>
</context>
<context>
    <name>PropertyList</name>
    <message>
        <source>it is empty</source>
        <translation>sie ist leer</translation>
    </message>
    <message>
        <source>it is larger than 4 GiB</source>
        <translation>sie ist größer als 4 GiB</translation>
    </message>
    <message>
        <source>it is not a property list</source>
        <translation>sie ist keine Eigenschaftsliste</translation>
    </message>
</context>
<context>
    <name>PropertyListShape</name>
    <message>
        <source>its arrays and dictionaries are nested deeper than %1 levels</source>
        <translation>ihre Listen und Wörterbücher sind tiefer als %1 Ebenen verschachtelt</translation>
    </message>
    <message>
        <source>the integer “%1” is not a whole number within 64 bits</source>
        <translation>die Ganzzahl „%1“ ist keine ganze Zahl innerhalb von 64 Bit</translation>
    </message>
    <message>
        <source>it is not a property list (%1 at line %2)</source>
        <translation>sie ist keine Eigenschaftsliste (%1 in Zeile %2)</translation>
    </message>
    <message>
        <source>it is not a property list (too short)</source>
        <translation>sie ist keine Eigenschaftsliste (zu kurz)</translation>
    </message>
    <message>
        <source>it is a damaged binary property list</source>
        <translation>sie ist eine beschädigte binäre Eigenschaftsliste</translation>
    </message>
    <message>
        <source>it holds an integer beyond 64 bits</source>
        <translation>sie enthält eine Ganzzahl jenseits von 64 Bit</translation>
    </message>
    <message>
        <source>an array or dictionary in it contains itself</source>
        <translation>eine Liste oder ein Wörterbuch darin enthält sich selbst</translation>
    </message>
    <message>
        <source>it would expand to more than %1 values</source>
        <translation>sie würde sich auf mehr als %1 Werte ausdehnen</translation>
    </message>
</context>
<context>
    <name>PublicUtilities</name>
    <message>
        <source>%1 TB</source>
        <translation>%1 TB</translation>
    </message>
    <message>
        <source>%1 GB</source>
        <translation>%1 GB</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1 KB</translation>
    </message>
    <message>
        <source>%1 byte</source>
        <translation>%1 Byte</translation>
    </message>
    <message numerus="yes">
        <source>%n item(s)</source>
        <translation>
            <numerusform>%n Objekt</numerusform>
            <numerusform>%n Objekte</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PulseAudioMixer</name>
    <message>
        <source>The sound server is not reachable: %1</source>
        <translation>Der Soundserver ist nicht erreichbar: %1</translation>
    </message>
    <message>
        <source>The sound server has no default output device: %1</source>
        <translation>Der Soundserver hat kein Standard-Ausgabegerät: %1</translation>
    </message>
    <message>
        <source>Unable to set the output volume: %1</source>
        <translation>Die Ausgabelautstärke kann nicht eingestellt werden: %1</translation>
    </message>
    <message>
        <source>Unable to set the output mute state: %1</source>
        <translation>Die Stummschaltung der Ausgabe kann nicht eingestellt werden: %1</translation>
    </message>
    <message>
        <source>The sound library could not make a connection.</source>
        <translation>Die Soundbibliothek konnte keine Verbindung herstellen.</translation>
    </message>
    <message>
        <source>The sound server refused the request: %1</source>
        <translation>Der Soundserver hat die Anfrage abgelehnt: %1</translation>
    </message>
    <message>
        <source>The sound library could not start its thread.</source>
        <translation>Die Soundbibliothek konnte ihren Thread nicht starten.</translation>
    </message>
</context>
<context>
    <name>QuickVisitTargets</name>
    <message>
        <source>The folder “%1” does not exist.</source>
        <translation>Der Ordner „%1“ existiert nicht.</translation>
    </message>
    <message>
        <source>The folder “%1” cannot be opened: xdg-open is not installed.</source>
        <translation>Der Ordner „%1“ kann nicht geöffnet werden: xdg-open ist nicht installiert.</translation>
    </message>
    <message>
        <source>This desktop has no power settings program that Corvella knows (such as gnome-control-center or xfce4-power-manager-settings).</source>
        <translation>Diese Arbeitsumgebung hat kein Programm für Energieeinstellungen, das Corvella kennt (etwa gnome-control-center oder xfce4-power-manager-settings).</translation>
    </message>
    <message>
        <source>No terminal program was found (x-terminal-emulator, gnome-terminal, konsole, xfce4-terminal or xterm).</source>
        <translation>Es wurde kein Terminalprogramm gefunden (x-terminal-emulator, gnome-terminal, konsole, xfce4-terminal oder xterm).</translation>
    </message>
    <message>
        <source>No folder of installed applications was found.</source>
        <translation>Es wurde kein Ordner mit installierten Anwendungen gefunden.</translation>
    </message>
    <message>
        <source>This desktop has no settings program that Corvella knows (such as gnome-control-center or systemsettings).</source>
        <translation>Diese Arbeitsumgebung hat kein Einstellungsprogramm, das Corvella kennt (etwa gnome-control-center oder systemsettings).</translation>
    </message>
</context>
<context>
    <name>QuickVisitViewController</name>
    <message>
        <source>Quick Visit</source>
        <translation>Schnellzugriff</translation>
    </message>
    <message>
        <source>Common folders, system tools and settings, one click away.</source>
        <translation>Häufige Ordner, Systemwerkzeuge und Einstellungen, nur einen Klick entfernt.</translation>
    </message>
    <message>
        <source>Energy Settings</source>
        <translation>Energieeinstellungen</translation>
    </message>
    <message>
        <source>Terminal</source>
        <translation>Terminal</translation>
    </message>
    <message>
        <source>Launchpad</source>
        <translation>Programmstarter</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>Anwendungen</translation>
    </message>
    <message>
        <source>My Documents</source>
        <translation>Meine Dokumente</translation>
    </message>
    <message>
        <source>Desktop</source>
        <translation>Schreibtisch</translation>
    </message>
    <message>
        <source>System Preferences</source>
        <translation>Systemeinstellungen</translation>
    </message>
    <message>
        <source>Disk Utility</source>
        <translation>Laufwerke</translation>
    </message>
    <message>
        <source>About This Computer</source>
        <translation>Über diesen Computer</translation>
    </message>
    <message>
        <source>“%1” cannot be opened: xdg-open is not installed.</source>
        <translation>„%1“ kann nicht geöffnet werden: xdg-open ist nicht installiert.</translation>
    </message>
</context>
<context>
    <name>RemovalGuard</name>
    <message>
        <source>it is on the system list</source>
        <translation>es steht auf der Systemliste</translation>
    </message>
    <message>
        <source>it holds a path on the system list</source>
        <translation>es enthält einen Pfad der Systemliste</translation>
    </message>
    <message>
        <source>it does not name one file or folder</source>
        <translation>es bezeichnet nicht genau eine Datei oder einen Ordner</translation>
    </message>
    <message>
        <source>it is the root folder</source>
        <translation>es ist der Wurzelordner</translation>
    </message>
    <message>
        <source>it is the home folder</source>
        <translation>es ist der persönliche Ordner</translation>
    </message>
    <message>
        <source>it holds the home folder</source>
        <translation>es enthält den persönlichen Ordner</translation>
    </message>
    <message>
        <source>it is or holds the current folder</source>
        <translation>es ist oder enthält den aktuellen Ordner</translation>
    </message>
    <message>
        <source>it is a folder of the system</source>
        <translation>es ist ein Ordner des Systems</translation>
    </message>
    <message>
        <source>“%1” was not removed: %2.</source>
        <translation>„%1“ wurde nicht entfernt: %2.</translation>
    </message>
    <message>
        <source>“%1” is a trash folder: Completely Erase empties it.</source>
        <translation>„%1“ ist ein Papierkorbordner: Endgültig löschen leert ihn.</translation>
    </message>
</context>
<context>
    <name>SessionManagerPowerService</name>
    <message>
        <source>shut down</source>
        <translation>herunterfahren</translation>
    </message>
    <message>
        <source>log out</source>
        <translation>abmelden</translation>
    </message>
    <message>
        <source>The session manager (%1) does not put the computer to sleep.</source>
        <translation>Die Sitzungsverwaltung (%1) versetzt den Computer nicht in den Ruhezustand.</translation>
    </message>
    <message>
        <source>The desktop&apos;s session manager (%1) did not %2: %3</source>
        <translation>Die Sitzungsverwaltung der Arbeitsumgebung (%1) konnte nicht %2: %3</translation>
    </message>
    <message>
        <source>restart</source>
        <translation>neu starten</translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <source>it does not hold a dictionary</source>
        <translation>sie enthält kein Wörterbuch</translation>
    </message>
    <message>
        <source>The settings file %1 could not be read: %2. The shipped settings are used.</source>
        <translation>Die Einstellungsdatei %1 konnte nicht gelesen werden: %2. Die mitgelieferten Einstellungen werden verwendet.</translation>
    </message>
    <message>
        <source>The settings file %1 could not be read: %2. It was moved to %3, and the shipped settings are used.</source>
        <translation>Die Einstellungsdatei %1 konnte nicht gelesen werden: %2. Sie wurde nach %3 verschoben, und die mitgelieferten Einstellungen werden verwendet.</translation>
    </message>
</context>
<context>
    <name>SizeModeSetting</name>
    <message>
        <source>Size on disk</source>
        <translation>Größe auf dem Datenträger</translation>
    </message>
    <message>
        <source>Apparent size</source>
        <translation>Scheinbare Größe</translation>
    </message>
    <message>
        <source>%1 on disk</source>
        <comment>a size: 4.2 GB on disk</comment>
        <translation>%1 auf dem Datenträger</translation>
    </message>
    <message>
        <source>%1 apparent</source>
        <comment>a size: 4.2 GB apparent</comment>
        <translation>%1 scheinbar</translation>
    </message>
</context>
<context>
    <name>SoundViewController</name>
    <message>
        <source>Quietest</source>
        <translation>Am leisesten</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
</context>
<context>
    <name>StartupItemsViewController</name>
    <message>
        <source>Startup Items</source>
        <translation>Autostart</translation>
    </message>
    <message>
        <source>The applications that start when you log in.</source>
        <translation>Die Anwendungen, die beim Anmelden starten.</translation>
    </message>
    <message>
        <source>Add…</source>
        <translation>Hinzufügen …</translation>
    </message>
    <message>
        <source>Starts at login</source>
        <translation>Startet beim Anmelden</translation>
    </message>
    <message>
        <source>Does not start at login</source>
        <translation>Startet nicht beim Anmelden</translation>
    </message>
    <message>
        <source>Remove %1 from the login items</source>
        <translation>%1 aus dem Autostart entfernen</translation>
    </message>
    <message>
        <source>Its %1 autostart entries (%2) are removed: your own are deleted for good, the system&apos;s are hidden and can be brought back from the Add menu.</source>
        <translation>Seine %1 Autostart-Dateien (%2) werden entfernt: Ihre eigenen werden endgültig gelöscht, die des Systems werden ausgeblendet und können über das Menü „Hinzufügen“ zurückgeholt werden.</translation>
    </message>
    <message>
        <source>The system&apos;s entry “%1” is hidden for you; “Restore %2” in the Add menu brings it back.</source>
        <translation>Die Systemdatei „%1“ wird für Sie ausgeblendet; „%2 wiederherstellen“ im Menü „Hinzufügen“ holt sie zurück.</translation>
    </message>
    <message>
        <source>Its autostart entry “%1” is deleted for good.</source>
        <translation>Seine Autostart-Datei „%1“ wird endgültig gelöscht.</translation>
    </message>
    <message>
        <source>Remove “%1” from the login items? It will no longer start when you log in.</source>
        <translation>„%1“ aus dem Autostart entfernen? Es wird beim Anmelden nicht mehr gestartet.</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Add a login item</source>
        <translation>Autostart-Eintrag hinzufügen</translation>
    </message>
    <message>
        <source>add</source>
        <comment>verb: the file dialog&apos;s accept button</comment>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Application…</source>
        <translation>Anwendung …</translation>
    </message>
    <message>
        <source>Applications (*.desktop);;All files (*)</source>
        <translation>Anwendungen (*.desktop);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>File…</source>
        <translation>Datei …</translation>
    </message>
    <message>
        <source>Folder…</source>
        <translation>Ordner …</translation>
    </message>
    <message>
        <source>Restore %1</source>
        <translation>%1 wiederherstellen</translation>
    </message>
    <message>
        <source>Start %1 at login again, as the system&apos;s entry “%2” says</source>
        <translation>%1 wieder beim Anmelden starten, wie es die Systemdatei „%2“ vorsieht</translation>
    </message>
</context>
<context>
    <name>SystemInformation</name>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Version %1, %2</source>
        <translation>Version %1, %2</translation>
    </message>
    <message>
        <source>MemorySize: %1</source>
        <translation>Arbeitsspeicher: %1</translation>
    </message>
    <message>
        <source>Serial Number: %1</source>
        <translation>Seriennummer: %1</translation>
    </message>
</context>
<context>
    <name>SystemLoadSampler</name>
    <message>
        <source>%1%</source>
        <comment>a percentage: the number, then the percent sign</comment>
        <translation>%1 %</translation>
    </message>
</context>
<context>
    <name>TaskListBuilder</name>
    <message>
        <source>no X display is set (DISPLAY)</source>
        <translation>es ist keine X-Anzeige festgelegt (DISPLAY)</translation>
    </message>
    <message>
        <source>the X display %1 cannot be reached</source>
        <translation>die X-Anzeige %1 ist nicht erreichbar</translation>
    </message>
    <message>
        <source>this build reads no window list</source>
        <translation>dieser Build liest keine Fensterliste</translation>
    </message>
    <message>
        <source>no window manager lists the windows</source>
        <translation>keine Fensterverwaltung listet die Fenster auf</translation>
    </message>
</context>
<context>
    <name>TaskListModel</name>
    <message>
        <source>%1 — PID %2</source>
        <translation>%1 – PID %2</translation>
    </message>
    <message>
        <source>Ticked: Close quits “%1”</source>
        <translation>Angekreuzt: „Schließen“ beendet „%1“</translation>
    </message>
    <message>
        <source>Not ticked: Close leaves “%1”</source>
        <translation>Nicht angekreuzt: „Schließen“ lässt „%1“ laufen</translation>
    </message>
</context>
<context>
    <name>TaskManagerViewController</name>
    <message>
        <source>Task Manager</source>
        <translation>Aufgabenverwaltung</translation>
    </message>
    <message>
        <source>The running applications with their process IDs, and the machine&apos;s CPU and memory load.</source>
        <translation>Die laufenden Anwendungen mit ihren Prozesskennungen sowie die Prozessor- und Speicherauslastung des Rechners.</translation>
    </message>
    <message>
        <source>Running applications</source>
        <translation>Laufende Anwendungen</translation>
    </message>
    <message>
        <source>Force Quit</source>
        <translation>Sofort beenden</translation>
    </message>
    <message>
        <source>Needs an X11 session to see windows: under Wayland, applications are listed by process, and Close ends one without an X11 window with the termination signal, so it cannot offer to save.</source>
        <translation>Zum Erkennen von Fenstern ist eine X11-Sitzung nötig: Unter Wayland werden Anwendungen nach Prozess aufgelistet, und „Schließen“ beendet eine Anwendung ohne X11-Fenster mit dem Beendigungssignal, sodass sie nicht zum Speichern auffordern kann.</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>verb: quit the ticked applications</comment>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>CPU</source>
        <translation>CPU</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>Speicher</translation>
    </message>
    <message>
        <source>“%1” (PID %2)</source>
        <translation>„%1“ (PID %2)</translation>
    </message>
    <message numerus="yes">
        <source>Quit %n application(s)? Unsaved changes may be lost.</source>
        <translation>
            <numerusform>%n Anwendung beenden? Ungespeicherte Änderungen können verloren gehen.</numerusform>
            <numerusform>%n Anwendungen beenden? Ungespeicherte Änderungen können verloren gehen.</numerusform>
        </translation>
    </message>
    <message>
        <source>Each is asked to close, as its own close button would, so it can offer to save. One without a window, or still running after %1 seconds, is sent the termination signal.</source>
        <translation>Jede wird wie durch ihren eigenen Schließen-Knopf zum Schließen aufgefordert, damit sie zum Speichern auffordern kann. Eine ohne Fenster, oder eine, die nach %1 Sekunden noch läuft, erhält das Beendigungssignal.</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>“%1” (PID %2) had already quit.</source>
        <translation>„%1“ (PID %2) war bereits beendet.</translation>
    </message>
    <message>
        <source>Still running after being asked to quit: %1.</source>
        <translation>Läuft nach der Aufforderung zum Beenden noch: %1.</translation>
    </message>
</context>
<context>
    <name>TaskTerminator</name>
    <message>
        <source>Could not end “%1” (PID %2): %3.</source>
        <translation>„%1“ (PID %2) konnte nicht beendet werden: %3.</translation>
    </message>
</context>
<context>
    <name>ToolPage</name>
    <message>
        <source>Notice</source>
        <translation>Hinweis</translation>
    </message>
</context>
<context>
    <name>TrafficLightButton</name>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Vergrößern</translation>
    </message>
</context>
<context>
    <name>TrashAction</name>
    <message>
        <source>Empty Trash</source>
        <translation>Papierkorb leeren</translation>
    </message>
    <message>
        <source>The Trash was already empty.</source>
        <translation>Der Papierkorb war bereits leer.</translation>
    </message>
    <message numerus="yes">
        <source>The Trash could not be emptied: %n item(s) could not be removed. %1</source>
        <translation>
            <numerusform>Der Papierkorb konnte nicht geleert werden: %n Objekt konnte nicht entfernt werden. %1</numerusform>
            <numerusform>Der Papierkorb konnte nicht geleert werden: %n Objekte konnten nicht entfernt werden. %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Emptied the Trash (%1 freed), but %n item(s) could not be removed: %2</source>
        <translation>
            <numerusform>Papierkorb geleert (%1 freigegeben), aber %n Objekt konnte nicht entfernt werden: %2</numerusform>
            <numerusform>Papierkorb geleert (%1 freigegeben), aber %n Objekte konnten nicht entfernt werden: %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Stopped emptying the Trash: %n item(s) removed (%1 freed); the rest is still in the Trash.</source>
        <translation>
            <numerusform>Leeren des Papierkorbs angehalten: %n Element entfernt (%1 freigegeben); der Rest ist noch im Papierkorb.</numerusform>
            <numerusform>Leeren des Papierkorbs angehalten: %n Elemente entfernt (%1 freigegeben); der Rest ist noch im Papierkorb.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Emptied the Trash: %n item(s) removed, %1 freed.</source>
        <translation>
            <numerusform>Papierkorb geleert: %n Element entfernt, %1 freigegeben.</numerusform>
            <numerusform>Papierkorb geleert: %n Elemente entfernt, %1 freigegeben.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TrashCleaner</name>
    <message>
        <source>Emptying the Trash was stopped before it was finished.</source>
        <translation>Das Leeren des Papierkorbs wurde angehalten, bevor es abgeschlossen war.</translation>
    </message>
    <message>
        <source>The trash folder “%1” cannot be opened: %2.</source>
        <translation>Der Papierkorbordner „%1“ kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>The trash folder “%1” was replaced while the Trash was being emptied, so it was left alone.</source>
        <translation>Der Papierkorbordner „%1“ wurde ersetzt, während der Papierkorb geleert wurde, und blieb daher unangetastet.</translation>
    </message>
    <message>
        <source>“%1” cannot be examined: %2.</source>
        <translation>„%1“ kann nicht untersucht werden: %2.</translation>
    </message>
    <message>
        <source>“%1” is %2, not a folder, so it was left alone.</source>
        <translation>„%1“ ist %2, kein Ordner, und blieb daher unangetastet.</translation>
    </message>
    <message>
        <source>a symbolic link</source>
        <translation>eine symbolische Verknüpfung</translation>
    </message>
    <message>
        <source>a file</source>
        <translation>eine Datei</translation>
    </message>
    <message>
        <source>The contents of “%1” cannot be read: %2.</source>
        <translation>Der Inhalt von „%1“ kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>“%1” cannot be opened: %2.</source>
        <translation>„%1“ kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>“%1” is a folder, not a file, so it was left alone.</source>
        <translation>„%1“ ist ein Ordner, keine Datei, und blieb daher unangetastet.</translation>
    </message>
    <message>
        <source>“%1” cannot be removed: %2.</source>
        <translation>„%1“ kann nicht entfernt werden: %2.</translation>
    </message>
    <message>
        <source>“%1” is not an item of one of your trash folders.</source>
        <translation>„%1“ ist kein Objekt eines Ihrer Papierkorbordner.</translation>
    </message>
</context>
<context>
    <name>TrashDirectory</name>
    <message>
        <source>its record names no original location</source>
        <translation>sein Eintrag nennt keinen ursprünglichen Ort</translation>
    </message>
    <message>
        <source>its recorded location “%1” climbs out with “..”</source>
        <translation>sein verzeichneter Ort „%1“ führt mit „..“ hinaus</translation>
    </message>
    <message>
        <source>its recorded location “%1” is outside the volume at %2</source>
        <translation>sein verzeichneter Ort „%1“ liegt außerhalb des Datenträgers unter %2</translation>
    </message>
    <message>
        <source>The contents of “%1” cannot be read: %2.</source>
        <translation>Der Inhalt von „%1“ kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>Its record “%1” cannot be read.</source>
        <translation>Sein Eintrag „%1“ kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>It is not restored: %1.</source>
        <translation>Es wird nicht wiederhergestellt: %1.</translation>
    </message>
    <message>
        <source>It has no record in “%1”, so its original location is unknown.</source>
        <translation>Es hat keinen Eintrag in „%1“, daher ist sein ursprünglicher Ort unbekannt.</translation>
    </message>
    <message>
        <source>Its record is left, but the item is gone from “%1”.</source>
        <translation>Sein Eintrag ist noch vorhanden, aber das Objekt fehlt in „%1“.</translation>
    </message>
    <message>
        <source>The folder sizes of the trash “%1” cannot be recorded: %2.</source>
        <translation>Die Ordnergrößen des Papierkorbs „%1“ können nicht gespeichert werden: %2.</translation>
    </message>
</context>
<context>
    <name>TrashFolderCandidates</name>
    <message>
        <source>“%1” cannot be examined: %2</source>
        <translation>„%1“ kann nicht untersucht werden: %2</translation>
    </message>
    <message>
        <source>“%1” is a symbolic link</source>
        <translation>„%1“ ist eine symbolische Verknüpfung</translation>
    </message>
    <message>
        <source>“%1” is not a folder</source>
        <translation>„%1“ ist kein Ordner</translation>
    </message>
    <message>
        <source>“%1” lacks the sticky bit</source>
        <translation>bei „%1“ fehlt das Sticky-Bit</translation>
    </message>
    <message>
        <source>“%1” does not exist</source>
        <translation>„%1“ existiert nicht</translation>
    </message>
    <message>
        <source>“%1” belongs to another user</source>
        <translation>„%1“ gehört einem anderen Benutzer</translation>
    </message>
    <message>
        <source>“%1” can be changed by other users</source>
        <translation>„%1“ kann von anderen Benutzern geändert werden</translation>
    </message>
</context>
<context>
    <name>TrashListModel</name>
    <message>
        <source> (no record)</source>
        <translation> (kein Eintrag)</translation>
    </message>
    <message>
        <source> (missing)</source>
        <translation> (fehlt)</translation>
    </message>
    <message>
        <source> (refused)</source>
        <translation> (abgelehnt)</translation>
    </message>
    <message>
        <source>Home</source>
        <comment>the home folder&apos;s trash</comment>
        <translation>Persönlicher Ordner</translation>
    </message>
    <message>
        <source>%1
In the trash: %2
Volume: %3</source>
        <translation>%1
Im Papierkorb: %2
Datenträger: %3</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Original Location</source>
        <translation>Ursprünglicher Ort</translation>
    </message>
    <message>
        <source>Date Deleted</source>
        <translation>Löschdatum</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
</context>
<context>
    <name>TrashRestorer</name>
    <message>
        <source>“%1” is outside the volume at %2.</source>
        <translation>„%1“ liegt außerhalb des Datenträgers unter %2.</translation>
    </message>
    <message>
        <source>the folder “%1” cannot be opened (%2).</source>
        <translation>der Ordner „%1“ kann nicht geöffnet werden (%2).</translation>
    </message>
    <message>
        <source>the folder “%1” leads outside the volume at %2.</source>
        <translation>der Ordner „%1“ führt aus dem Datenträger unter %2 hinaus.</translation>
    </message>
    <message>
        <source>“%1” is on another volume than the trash, and the item is not copied there.</source>
        <translation>„%1“ liegt auf einem anderen Datenträger als der Papierkorb, und das Objekt wird nicht dorthin kopiert.</translation>
    </message>
    <message>
        <source>the folder “%1” is a symbolic link, which may lead outside the volume at %2; it is not followed.</source>
        <translation>der Ordner „%1“ ist eine symbolische Verknüpfung, die aus dem Datenträger unter %2 hinausführen kann; ihr wird nicht gefolgt.</translation>
    </message>
    <message>
        <source>the folder “%1” cannot be made (%2).</source>
        <translation>der Ordner „%1“ kann nicht angelegt werden (%2).</translation>
    </message>
    <message>
        <source>Cannot restore “%1”: %2</source>
        <translation>„%1“ kann nicht wiederhergestellt werden: %2</translation>
    </message>
    <message>
        <source>it is no longer in the trash.</source>
        <translation>es ist nicht mehr im Papierkorb.</translation>
    </message>
    <message>
        <source>its original location is unknown.</source>
        <translation>sein ursprünglicher Ort ist unbekannt.</translation>
    </message>
    <message>
        <source>“%1” is not a plain absolute path.</source>
        <translation>„%1“ ist kein einfacher absoluter Pfad.</translation>
    </message>
    <message>
        <source>it cannot be found in the trash (%1).</source>
        <translation>es ist im Papierkorb nicht zu finden (%1).</translation>
    </message>
    <message>
        <source>Cannot restore “%1”: “%2” is already there.</source>
        <translation>„%1“ kann nicht wiederhergestellt werden: „%2“ ist bereits vorhanden.</translation>
    </message>
    <message>
        <source>it cannot be moved to “%1” (%2).</source>
        <translation>es kann nicht nach „%1“ verschoben werden (%2).</translation>
    </message>
    <message>
        <source>“%1” is back at “%2”, but its record “%3” could not be removed (%4).</source>
        <translation>„%1“ ist wieder unter „%2“, aber sein Eintrag „%3“ konnte nicht entfernt werden (%4).</translation>
    </message>
</context>
<context>
    <name>TrashViewController</name>
    <message>
        <source>Trash</source>
        <translation>Papierkorb</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alle auswählen</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Empty Trash</source>
        <translation>Papierkorb leeren</translation>
    </message>
    <message>
        <source> — %1 selected (%2)</source>
        <translation> — %1 ausgewählt (%2)</translation>
    </message>
    <message>
        <source>Reading the Trash…</source>
        <translation>Papierkorb wird gelesen …</translation>
    </message>
    <message>
        <source>The Trash is empty.</source>
        <translation>Der Papierkorb ist leer.</translation>
    </message>
    <message>
        <source>Permanently erase %1 (%2)? This cannot be undone.</source>
        <translation>%1 (%2) endgültig löschen? Dies kann nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>The chosen items are removed from the Trash for good.</source>
        <translation>Die ausgewählten Objekte werden endgültig aus dem Papierkorb entfernt.</translation>
    </message>
    <message>
        <source>Permanently erase %1 (%2) in the Trash? This cannot be undone.</source>
        <translation>%1 (%2) im Papierkorb endgültig löschen? Dies kann nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>This empties the Trash of your home folder and of every mounted volume.</source>
        <translation>Damit wird der Papierkorb Ihres persönlichen Ordners und aller eingehängten Datenträger geleert.</translation>
    </message>
    <message>
        <source>It can be restored next to it as “%1”.</source>
        <translation>Es kann daneben als „%1“ wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>Restore as “%1”</source>
        <translation>Als „%1“ wiederherstellen</translation>
    </message>
    <message>
        <source>Freed %1</source>
        <translation>%1 freigegeben</translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) could not be erased. %1</source>
        <translation>
            <numerusform>%n Objekt konnte nicht gelöscht werden. %1</numerusform>
            <numerusform>%n Objekte konnten nicht gelöscht werden. %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) could not be handled.</source>
        <translation>
            <numerusform>%n Objekt konnte nicht bearbeitet werden.</numerusform>
            <numerusform>%n Objekte konnten nicht bearbeitet werden.</numerusform>
        </translation>
    </message>
    <message>
        <source>Details</source>
        <translation>Details</translation>
    </message>
</context>
<context>
    <name>TreeEraser</name>
    <message>
        <source>Cannot erase “%1”: %2.</source>
        <translation>„%1“ kann nicht gelöscht werden: %2.</translation>
    </message>
    <message>
        <source>it was replaced while it was being erased</source>
        <translation>es wurde während des Löschens ersetzt</translation>
    </message>
    <message>
        <source>its contents cannot be read (%1)</source>
        <translation>sein Inhalt kann nicht gelesen werden (%1)</translation>
    </message>
    <message>
        <source>another file system is mounted there</source>
        <translation>dort ist ein anderes Dateisystem eingehängt</translation>
    </message>
    <message>
        <source>its folder was moved while it was being erased, so the rest was left in place</source>
        <translation>sein Ordner wurde während des Löschens verschoben, daher blieb der Rest erhalten</translation>
    </message>
    <message>
        <source>erasing was stopped before it was finished</source>
        <translation>das Löschen wurde vor dem Ende angehalten</translation>
    </message>
    <message>
        <source>No item was given to erase.</source>
        <translation>Es wurde kein Objekt zum Löschen angegeben.</translation>
    </message>
    <message>
        <source>Cannot erase “%1”: it does not name one file or folder.</source>
        <translation>„%1“ kann nicht gelöscht werden: Es bezeichnet nicht genau eine Datei oder einen Ordner.</translation>
    </message>
    <message>
        <source>it does not exist</source>
        <translation>es existiert nicht</translation>
    </message>
    <message>
        <source>a volume is mounted there</source>
        <translation>dort ist ein Datenträger eingehängt</translation>
    </message>
</context>
<context>
    <name>UDisksClient</name>
    <message>
        <source>The system bus cannot be reached: %1</source>
        <translation>Der Systembus ist nicht erreichbar: %1</translation>
    </message>
    <message>
        <source>The disk service udisks2 did not answer: %1</source>
        <translation>Der Datenträgerdienst udisks2 hat nicht geantwortet: %1</translation>
    </message>
</context>
<context>
    <name>VersionCheckResult</name>
    <message>
        <source>The version record holds no build number (“VersionCheck”), so it could not be compared.</source>
        <translation>Der Versionseintrag enthält keine Build-Nummer („VersionCheck“), daher konnte er nicht verglichen werden.</translation>
    </message>
    <message>
        <source>The version record’s build number (“VersionCheck”) is %1, not a whole number, so it could not be compared.</source>
        <translation>Die Build-Nummer des Versionseintrags („VersionCheck“) ist %1, keine ganze Zahl, daher konnte er nicht verglichen werden.</translation>
    </message>
    <message>
        <source>Corvella %1 is now available-you have %2. Would you like to download it now?</source>
        <translation>Corvella %1 ist jetzt verfügbar – Sie haben %2. Möchten Sie es jetzt herunterladen?</translation>
    </message>
</context>
<context>
    <name>VersionChecker</name>
    <message>
        <source>The update server did not answer within %1 seconds.</source>
        <translation>Der Aktualisierungsserver hat nicht innerhalb von %1 Sekunden geantwortet.</translation>
    </message>
    <message>
        <source>“%1” is not a web address.</source>
        <translation>„%1“ ist keine Webadresse.</translation>
    </message>
    <message>
        <source>The version record is only fetched over https, and “%1” is not an https address.</source>
        <translation>Der Versionseintrag wird nur über https abgerufen, und „%1“ ist keine https-Adresse.</translation>
    </message>
    <message>
        <source>No address is set for the version record (“IniURL” in the settings file).</source>
        <translation>Für den Versionseintrag ist keine Adresse festgelegt („IniURL“ in der Einstellungsdatei).</translation>
    </message>
    <message>
        <source>The update server sent the check elsewhere: %1</source>
        <translation>Der Aktualisierungsserver hat die Anfrage umgeleitet: %1</translation>
    </message>
    <message>
        <source>The version record is larger than %1 KiB, so it was not read.</source>
        <translation>Der Versionseintrag ist größer als %1 KiB und wurde daher nicht gelesen.</translation>
    </message>
    <message>
        <source>The version record could not be fetched from %1: %2</source>
        <translation>Der Versionseintrag konnte nicht von %1 abgerufen werden: %2</translation>
    </message>
    <message>
        <source>The version record from %1 could not be read: %2.</source>
        <translation>Der Versionseintrag von %1 konnte nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>it is not a property-list dictionary</source>
        <translation>er ist kein Property-List-Wörterbuch</translation>
    </message>
</context>
<context>
    <name>VolumeCapabilities</name>
    <message>
        <source>%1 is a network volume; only its server can rename it.</source>
        <translation>%1 ist ein Netzwerkdatenträger; nur sein Server kann ihn umbenennen.</translation>
    </message>
    <message>
        <source>%1 has no disk device to rename.</source>
        <translation>%1 hat kein Datenträgergerät, das umbenannt werden könnte.</translation>
    </message>
    <message>
        <source>%1 is an NTFS volume, which Corvella does not rename.</source>
        <translation>%1 ist ein NTFS-Datenträger; Corvella benennt solche Datenträger nicht um.</translation>
    </message>
    <message>
        <source>%1 is a network volume; only its server can format it.</source>
        <translation>%1 ist ein Netzwerkdatenträger; nur sein Server kann ihn formatieren.</translation>
    </message>
    <message>
        <source>%1 has no disk device to format.</source>
        <translation>%1 hat kein Datenträgergerät, das formatiert werden könnte.</translation>
    </message>
    <message>
        <source>%1 is an optical disc; it cannot be formatted.</source>
        <translation>%1 ist ein optischer Datenträger; er kann nicht formatiert werden.</translation>
    </message>
    <message>
        <source>%1 holds %2, which the system needs; it is never formatted.</source>
        <translation>%1 enthält %2, das das System benötigt; er wird nie formatiert.</translation>
    </message>
    <message>
        <source>The start-up volume cannot be ejected.</source>
        <translation>Der Startdatenträger kann nicht ausgeworfen werden.</translation>
    </message>
    <message>
        <source>%1 is on a fixed disk; it cannot be ejected.</source>
        <translation>%1 liegt auf einer fest eingebauten Platte; er kann nicht ausgeworfen werden.</translation>
    </message>
    <message>
        <source>%1 shares its disk with %2, which the system needs; it cannot be ejected.</source>
        <translation>%1 teilt sich die Platte mit %2, das das System benötigt; er kann nicht ausgeworfen werden.</translation>
    </message>
    <message>
        <source> through /dev/%1</source>
        <translation> über /dev/%1</translation>
    </message>
    <message>
        <source>/dev/%1 carries %2%3, which the system needs; it is never formatted.</source>
        <translation>/dev/%1 trägt %2%3, das das System benötigt; es wird nie formatiert.</translation>
    </message>
</context>
<context>
    <name>VolumeLabelRules</name>
    <message>
        <source>A volume name cannot hold line breaks or control characters.</source>
        <translation>Ein Datenträgername darf keine Zeilenumbrüche oder Steuerzeichen enthalten.</translation>
    </message>
    <message>
        <source>A %1 volume name cannot hold the character “%2”; these are not allowed: %3</source>
        <translation>Ein %1-Datenträgername darf das Zeichen „%2“ nicht enthalten; diese Zeichen sind nicht erlaubt: %3</translation>
    </message>
    <message>
        <source>A %1 volume name cannot start with a space.</source>
        <translation>Ein %1-Datenträgername darf nicht mit einem Leerzeichen beginnen.</translation>
    </message>
    <message>
        <source>The name “%1” is too long for a %2 volume: it may have at most %3 bytes, and it has %4.</source>
        <translation>Der Name „%1“ ist zu lang für einen %2-Datenträger: Er darf höchstens %3 Bytes haben und hat %4.</translation>
    </message>
    <message>
        <source>The name “%1” is too long for a %2 volume: it may have at most %3 characters, and it has %4.</source>
        <translation>Der Name „%1“ ist zu lang für einen %2-Datenträger: Er darf höchstens %3 Zeichen haben und hat %4.</translation>
    </message>
</context>
<context>
    <name>VolumesManager</name>
    <message>
        <source>Not authorized: %1 could not be %2. %3</source>
        <translation>Nicht berechtigt: %1 konnte nicht %2 werden. %3</translation>
    </message>
    <message>
        <source>%1 is in use and could not be %2.</source>
        <translation>%1 wird verwendet und konnte nicht %2 werden.</translation>
    </message>
    <message>
        <source>%1 is in use by %2</source>
        <translation>%1 wird verwendet von %2</translation>
    </message>
    <message>
        <source>%1 could not be %2: %3</source>
        <translation>%1 konnte nicht %2 werden: %3</translation>
    </message>
    <message>
        <source>%1 was unmounted.</source>
        <translation>%1 wurde ausgehängt.</translation>
    </message>
    <message>
        <source>another program</source>
        <translation>einem anderen Programm</translation>
    </message>
    <message>
        <source>%1 could not be unmounted: %2</source>
        <translation>%1 konnte nicht ausgehängt werden: %2</translation>
    </message>
    <message>
        <source>%1 is no longer there.</source>
        <translation>%1 ist nicht mehr vorhanden.</translation>
    </message>
    <message>
        <source>ejected</source>
        <comment>completes: could not be ...</comment>
        <translation>ausgeworfen</translation>
    </message>
    <message>
        <source>%1 was ejected.</source>
        <translation>%1 wurde ausgeworfen.</translation>
    </message>
    <message>
        <source>A volume name cannot be empty.</source>
        <translation>Ein Datenträgername darf nicht leer sein.</translation>
    </message>
    <message>
        <source>No volume %1 was found.</source>
        <translation>Es wurde kein Datenträger %1 gefunden.</translation>
    </message>
    <message>
        <source>%1 holds no file system that can be renamed.</source>
        <translation>%1 enthält kein Dateisystem, das umbenannt werden kann.</translation>
    </message>
    <message>
        <source>renamed</source>
        <comment>completes: could not be ...</comment>
        <translation>umbenannt</translation>
    </message>
    <message>
        <source>; it could not be mounted again: </source>
        <translation>; er konnte nicht wieder eingehängt werden: </translation>
    </message>
    <message>
        <source>; it is mounted again at </source>
        <translation>; er ist wieder eingehängt unter </translation>
    </message>
    <message>
        <source>Renamed %1 (%2) to %3%4.</source>
        <translation>%1 (%2) wurde in %3 umbenannt%4.</translation>
    </message>
    <message>
        <source>%1 is not a file system that can be chosen: choose ExFAT, MS-DOS FAT32 or ext4.</source>
        <translation>%1 ist kein wählbares Dateisystem: Wählen Sie ExFAT, MS-DOS FAT32 oder ext4.</translation>
    </message>
    <message>
        <source>formatted</source>
        <comment>completes: could not be ...</comment>
        <translation>formatiert</translation>
    </message>
    <message>
        <source>Formatted %1 as %2 named %3.</source>
        <translation>%1 wurde als %2 mit dem Namen %3 formatiert.</translation>
    </message>
    <message>
        <source> It is mounted at %1.</source>
        <translation> Er ist unter %1 eingehängt.</translation>
    </message>
    <message>
        <source> It could not be mounted again: %1</source>
        <translation> Er konnte nicht wieder eingehängt werden: %1</translation>
    </message>
</context>
<context>
    <name>WindowSystem</name>
    <message>
        <source>Needs an X11 session: this desktop does not let one application hide the windows of others.</source>
        <translation>Benötigt eine X11-Sitzung: Diese Arbeitsumgebung erlaubt es keiner Anwendung, die Fenster anderer auszublenden.</translation>
    </message>
</context>
<context>
    <name>X11WindowSystem</name>
    <message>
        <source>The connection to the X server is broken.</source>
        <translation>Die Verbindung zum X-Server ist unterbrochen.</translation>
    </message>
    <message>
        <source>The X server reports no screen.</source>
        <translation>Der X-Server meldet keinen Bildschirm.</translation>
    </message>
    <message>
        <source>No window manager is running, so the other windows cannot be minimised.</source>
        <translation>Es läuft keine Fensterverwaltung, daher können die anderen Fenster nicht minimiert werden.</translation>
    </message>
    <message>
        <source>The X server refused to minimise %1 of %2 windows (X error %3).</source>
        <translation>Der X-Server hat es abgelehnt, %1 von %2 Fenstern zu minimieren (X-Fehler %3).</translation>
    </message>
</context>
</TS>
