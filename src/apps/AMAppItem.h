#pragma once

#include <QDateTime>
#include <QMetaType>
#include <QString>

// One installed application of the catalogue: a desktop entry of Type=Application.
// Plain value type. The core holds no images: `image` is the entry's Icon key (a theme icon name
// or an absolute file), which the widgets turn into an icon.
class AMAppItem {
public:
    AMAppItem();
    AMAppItem(const QString& image, const QString& name, const QString& path,
              const QString& bundleID, const QString& bundleVersion, const QDateTime& date,
              const QString& isSystemAppStr, const QString& size);

    QString image;
    QString name;             // the localised Name
    QString path;             // the desktop entry's file
    QString bundleID;         // the desktop-file ID ("kde-foo.desktop" for kde/foo.desktop)
    bool isSystemApp = false; // the entry lies outside $XDG_DATA_HOME
    QString bundleVersion;    // X-AppImage-Version, else empty
    QDateTime date;           // birth time of the file, else its modification time
    bool bIsSelected = false;
    QString isSystemAppStr; // "YES" or "NO"
    QString size;
    bool bIsGetSize = false;
};

Q_DECLARE_METATYPE(AMAppItem)
