#pragma once

#include <QList>
#include <QString>
#include <QUrl>
#include <QVariant>

// One link button of the Hot Utilities tab.
struct HotUtilityLink {
    QString title;
    QString icon; // an image name of the application's artwork
    QUrl url;
};

// The Hot Utilities table of the settings file: the array under "HotUtilities", each entry a
// dictionary with "Title", "Icon" and "URL", so a distributor can change the links without a
// rebuild. Entries without a title or with an address that is not http(s) are left out.
class HotUtilityLinks {
public:
    HotUtilityLinks() = delete;

    static QList<HotUtilityLink> fromSettings(const QVariant& table);
    // The table of this installation's settings file.
    static QList<HotUtilityLink> standard();
};
