#include "system/HotUtilityLinks.h"

#include "common/SettingsStore.h"

#include <QVariantMap>

QList<HotUtilityLink> HotUtilityLinks::fromSettings(const QVariant& table)
{
    QList<HotUtilityLink> links;
    const QVariantList entries = table.toList();
    for (const QVariant& entry : entries) {
        const QVariantMap fields = entry.toMap();
        HotUtilityLink link{fields.value(QStringLiteral("Title")).toString().trimmed(),
                            fields.value(QStringLiteral("Icon")).toString().trimmed(),
                            QUrl(fields.value(QStringLiteral("URL")).toString().trimmed())};
        const bool webAddress = link.url.isValid() && !link.url.host().isEmpty() &&
                                (link.url.scheme() == u"https" || link.url.scheme() == u"http");
        if (link.title.isEmpty() || !webAddress) {
            qWarning("Skipping a Hot Utilities entry without a title or a web address: %s",
                     qUtf8Printable(link.url.toString()));
            continue;
        }
        links.append(link);
    }
    return links;
}

QList<HotUtilityLink> HotUtilityLinks::standard()
{
    return fromSettings(SettingsStore::standard().value(QStringLiteral("HotUtilities")));
}
