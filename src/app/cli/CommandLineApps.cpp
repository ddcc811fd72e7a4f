// corvella-cli's Applications commands: the catalogue listed and searched, one entry opened.
#include "app/cli/CommandLine.h"
#include "app/cli/CommandLineArguments.h"
#include "app/cli/CommandLineText.h"
#include "apps/ApplicationCatalogue.h"
#include "apps/RelatedAppFilesScanner.h"
#include "platform/desktop/ApplicationLauncher.h"
#include "platform/xdg/DesktopEntry.h"

#include <QJsonArray>
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

int CommandLine::appsOpen(const CommandLineArguments& arguments)
{
    if (arguments.operands().size() != 1)
        return usage(tr("apps open takes one desktop-file ID"));
    const QString id = arguments.operands().first();
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
    m_err
        << "corvella-cli: "
        << tr("no installed application has the ID \"%1\"").arg(CommandLineText::printableText(id))
        << Qt::endl;
    return 1;
}

int CommandLine::apps(const CommandLineArguments& arguments)
{
    if (!arguments.operands().isEmpty())
        return usage(tr("apps takes [--json] [--search TEXT] or \"open ID\""));
    const QList<AMAppItem> items =
        ApplicationCatalogue::search(catalogue(), arguments.value("search"));
    if (arguments.json()) {
        QJsonArray rows;
        for (const AMAppItem& item : items) {
            rows.append(QJsonObject{{QStringLiteral("name"), item.name},
                                    {QStringLiteral("path"), item.path},
                                    {QStringLiteral("bundleID"), item.bundleID},
                                    {QStringLiteral("bundleVersion"), item.bundleVersion},
                                    {QStringLiteral("isSystemApp"), item.isSystemApp}});
        }
        printJson(rows);
        return 0;
    }
    for (const AMAppItem& item : items) {
        m_out << CommandLineText::printableText(item.name) << '\t'
              << CommandLineText::printableText(item.bundleID) << '\t'
              << CommandLineText::printableText(item.path) << '\n';
    }
    m_out.flush();
    return 0;
}
