<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
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
        <source>Size</source>
        <translation>Größe</translation>
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
        <source>%n item(s) could not be removed.</source>
        <translation>
            <numerusform>%n Objekt konnte nicht entfernt werden.</numerusform>
            <numerusform>%n Objekte konnten nicht entfernt werden.</numerusform>
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
        <source>Removal</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Each item that could not be removed, and why:</source>
        <translation>Jedes Objekt, das nicht entfernt werden konnte, und der Grund dafür:</translation>
    </message>
    <message>
        <source>Nothing to clean up: “%1” is empty.</source>
        <translation>Nichts aufzuräumen: „%1“ ist leer.</translation>
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
</context>
<context>
    <name>TrashAction</name>
    <message>
        <source>Empty Trash</source>
        <translation>Papierkorb leeren</translation>
    </message>
    <message>
        <source>Emptied the Trash: %1 freed.</source>
        <translation>Papierkorb geleert: %1 freigegeben.</translation>
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
</TS>
