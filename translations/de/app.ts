<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
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
</context>
</TS>
