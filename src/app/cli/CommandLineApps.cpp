// corvella-cli's Applications commands: the catalogue listed and searched, one entry opened.
#include "app/cli/CommandLine.h"
#include "apps/ApplicationCatalogue.h"
#include "apps/RelatedAppFilesScanner.h"
#include "platform/ApplicationLauncher.h"
#include "platform/DesktopEntry.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QList<AMAppItem> catalogue()
{
    RelatedAppFilesScanner scanner{XdgBaseFolders(), DesktopEntry::preferredLocales()};
    QList<AMAppItem> items = scanner.getApplications();
    ApplicationCatalogue::sortByName(items);
    return items;
}

} // namespace

int CommandLine::apps(const QStringList& arguments)
{
    if (arguments.value(0) == u"open") {
        if (arguments.size() != 2)
            return usage(QStringLiteral("apps open takes one desktop-file ID"));
        const QString id = arguments.at(1);
        for (const AMAppItem& item : catalogue()) {
            if (item.bundleID != id)
                continue;
            const ApplicationLauncher::Result result = ApplicationLauncher::launch(item.path);
            if (!result.succeeded()) {
                m_err << "corvella-cli: " << result.error << Qt::endl;
                return 1;
            }
            return 0;
        }
        m_err << "corvella-cli: no installed application has the ID \"" << id << '"' << Qt::endl;
        return 1;
    }

    bool json = false;
    QString search;
    for (qsizetype index = 0; index < arguments.size(); ++index) {
        if (arguments.at(index) == u"--json") {
            json = true;
        } else if (arguments.at(index) == u"--search" && index + 1 < arguments.size()) {
            search = arguments.at(++index);
        } else {
            return usage(QStringLiteral("apps takes [--json] [--search TEXT] or \"open ID\""));
        }
    }
    const QList<AMAppItem> items = ApplicationCatalogue::search(catalogue(), search);
    if (json) {
        QJsonArray rows;
        for (const AMAppItem& item : items) {
            rows.append(QJsonObject{{QStringLiteral("name"), item.name},
                                    {QStringLiteral("path"), item.path},
                                    {QStringLiteral("bundleID"), item.bundleID},
                                    {QStringLiteral("bundleVersion"), item.bundleVersion},
                                    {QStringLiteral("isSystemApp"), item.isSystemApp}});
        }
        m_out << QJsonDocument(rows).toJson(QJsonDocument::Indented);
    } else {
        for (const AMAppItem& item : items)
            m_out << item.name << '\t' << item.bundleID << '\t' << item.path << '\n';
    }
    m_out.flush();
    return 0;
}
