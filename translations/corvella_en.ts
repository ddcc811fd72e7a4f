<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>DownloadViewController</name>
    <message numerus="yes">
        <source>Stopped: %1 of %n item(s) removed; what is left is still listed.</source>
        <translation>
            <numerusform>Stopped: %1 of %n item removed; what is left is still listed.</numerusform>
            <numerusform>Stopped: %1 of %n items removed; what is left is still listed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) that appeared after the scan were kept.</source>
        <translation>
            <numerusform>%n item that appeared after the scan was kept.</numerusform>
            <numerusform>%n items that appeared after the scan were kept.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>… and %n more</source>
        <translation>
            <numerusform>… and %n more</numerusform>
            <numerusform>… and %n more</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cache(s) listed</source>
        <translation>
            <numerusform>%n cache listed</numerusform>
            <numerusform>%n caches listed</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Chosen: %n item(s), %1</source>
        <translation>
            <numerusform>Chosen: %n item, %1</numerusform>
            <numerusform>Chosen: %n items, %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1; %n item(s) could not be removed:</source>
        <translation>
            <numerusform>%1; %n item could not be removed:</numerusform>
            <numerusform>%1; %n items could not be removed:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PublicUtilities</name>
    <message numerus="yes">
        <source>%n item(s)</source>
        <translation>
            <numerusform>%n item</numerusform>
            <numerusform>%n items</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TaskManagerViewController</name>
    <message numerus="yes">
        <source>Quit %n application(s)? Unsaved changes may be lost.</source>
        <translation>
            <numerusform>Quit %n application? Unsaved changes may be lost.</numerusform>
            <numerusform>Quit %n applications? Unsaved changes may be lost.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TrashAction</name>
    <message numerus="yes">
        <source>The Trash could not be emptied: %n item(s) could not be removed. %1</source>
        <translation>
            <numerusform>The Trash could not be emptied: %n item could not be removed. %1</numerusform>
            <numerusform>The Trash could not be emptied: %n items could not be removed. %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Emptied the Trash (%1 freed), but %n item(s) could not be removed: %2</source>
        <translation>
            <numerusform>Emptied the Trash (%1 freed), but %n item could not be removed: %2</numerusform>
            <numerusform>Emptied the Trash (%1 freed), but %n items could not be removed: %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Stopped emptying the Trash: %n item(s) removed (%1 freed); the rest is still in the Trash.</source>
        <translation>
            <numerusform>Stopped emptying the Trash: %n item removed (%1 freed); the rest is still in the Trash.</numerusform>
            <numerusform>Stopped emptying the Trash: %n items removed (%1 freed); the rest is still in the Trash.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Emptied the Trash: %n item(s) removed, %1 freed.</source>
        <translation>
            <numerusform>Emptied the Trash: %n item removed, %1 freed.</numerusform>
            <numerusform>Emptied the Trash: %n items removed, %1 freed.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TrashViewController</name>
    <message numerus="yes">
        <source>%n item(s) could not be erased. %1</source>
        <translation>
            <numerusform>%n item could not be erased. %1</numerusform>
            <numerusform>%n items could not be erased. %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) could not be handled.</source>
        <translation>
            <numerusform>%n item could not be handled.</numerusform>
            <numerusform>%n items could not be handled.</numerusform>
        </translation>
    </message>
</context>
</TS>
