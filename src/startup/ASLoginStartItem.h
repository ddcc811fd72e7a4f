#pragma once

#include <QDateTime>
#include <QMetaType>
#include <QString>
#include <QStringList>

// One login item as the Startup Items tab shows it: an XDG autostart entry resolved to its
// target. Plain value type. `image` is an icon name or file (the core holds no images).
class ASLoginStartItem {
public:
    ASLoginStartItem();

    QString image;
    QString name; // shown name: the target application's Name, the file's name, or the entry's
    QString path; // the target: an installed desktop entry, a program, or an opened file
    QString bundleID;
    bool isSystemApp =
        false; // a system autostart folder holds the entry (a user copy may shadow it)
    QString bundleVersion;
    QString fileSize;
    QDateTime date;
    bool bIsSelected = false;
    QString isSystemAppStr;
    quint64 fileSizeNum = 0;

    // The autostart entries behind the row, by file name (the first is the shown one's): two
    // entries with one target are one row.
    QStringList fileNames;
    QString entryPath;   // the autostart file that counts (the user's where it shadows)
    bool enabled = true; // starts at login on this desktop
};

Q_DECLARE_METATYPE(ASLoginStartItem)
