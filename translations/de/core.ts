<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
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
        <translation>Prozessor</translation>
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
