// corvella-cli's trash commands: trash-list, restore, empty-trash.
#include "app/cli/CommandLine.h"
#include "app/cli/CommandLineArguments.h"
#include "app/cli/CommandLineText.h"
#include "common/CommandRunner.h"
#include "common/PublicUtilities.h"
#include "platform/fs/NativePath.h"
#include "trash/TrashCleaner.h"
#include "trash/TrashDirectory.h"
#include "trash/TrashRestorer.h"

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>
#include <cstdio>

namespace {

// Every item of every trash of the user, folder sizes measured (and their cache kept), oldest
// deletion first. Reasons why a trash could not be read go to problems.
TrashItems allItems(QStringList* problems)
{
    QString tableError;
    TrashItems all;
    for (const TrashDirectory& trash : TrashDirectory::forCurrentUser(&tableError)) {
        QString error;
        TrashItems items = trash.list(&error);
        if (!error.isEmpty())
            problems->append(error);
        error.clear();
        if (!trash.measureFolders(&items, &error))
            problems->append(error);
        all.append(items);
    }
    if (!tableError.isEmpty())
        problems->append(tableError);
    std::stable_sort(all.begin(), all.end(), [](const TrashItem& first, const TrashItem& second) {
        return first.deletionDate < second.deletionDate;
    });
    return all;
}

const char* stateName(TrashItem::State state)
{
    switch (state) {
    case TrashItem::State::Complete:
        return "complete";
    case TrashItem::State::NoRecord:
        return "noRecord";
    case TrashItem::State::NoItem:
        return "noItem";
    case TrashItem::State::InvalidRecord:
        return "refused";
    }
    return "";
}

const char* kindName(TrashItem::Kind kind)
{
    switch (kind) {
    case TrashItem::Kind::File:
        return "file";
    case TrashItem::Kind::Folder:
        return "folder";
    case TrashItem::Kind::Link:
        return "link";
    case TrashItem::Kind::Other:
        return "other";
    case TrashItem::Kind::Missing:
        return "missing";
    }
    return "";
}

// Names and paths keep their bytes: one that is not UTF-8 is written as "\udcXX", as scan --json
// writes it, so two items never look the same and each can be restored from its path.
QJsonObject jsonItem(const TrashItem& item)
{
    const QByteArray& named = item.originalPath.isEmpty() ? item.name : item.originalPath;
    return {
        {QStringLiteral("name"),
         CommandLineText::decodeName(named.mid(named.lastIndexOf('/') + 1))},
        {QStringLiteral("originalPath"), CommandLineText::decodeName(item.originalPath)},
        {QStringLiteral("deletionDate"),
         item.deletionDate.isValid() ? item.deletionDate.toString(Qt::ISODate) : QString()},
        {QStringLiteral("size"), double(item.size)},
        {QStringLiteral("isDirectory"), item.isDirectory()},
        {QStringLiteral("kind"), QString::fromLatin1(kindName(item.kind))},
        {QStringLiteral("trashPath"), CommandLineText::decodeName(item.itemPath())},
        {QStringLiteral("volume"), item.topDirectory.isEmpty()
                                       ? item.volume()
                                       : CommandLineText::decodeName(item.topDirectory)},
        {QStringLiteral("state"), QString::fromLatin1(stateName(item.state))},
        {QStringLiteral("problem"), item.problem},
    };
}

} // namespace

int CommandLine::trashList(const CommandLineArguments& arguments)
{
    if (!arguments.operands().isEmpty())
        return usage(tr("trash-list takes only --json"));
    QStringList problems;
    const TrashItems items = allItems(&problems);
    for (const QString& problem : problems)
        m_err << "corvella-cli: " << problem << Qt::endl;
    if (arguments.json()) {
        QJsonArray array;
        for (const TrashItem& item : items)
            array.append(jsonItem(item));
        printJson(array);
    } else {
        for (const TrashItem& item : items) {
            const QString date = item.deletionDate.isValid()
                                     ? item.deletionDate.toString(u"yyyy-MM-dd hh:mm:ss")
                                     : tr("unknown date").leftJustified(19);
            const QByteArray where = item.state == TrashItem::State::Complete
                                         ? CommandLineText::printable(item.originalPath)
                                         : '(' + QByteArray(stateName(item.state)) + ") " +
                                               CommandLineText::printable(item.itemPath());
            writeOut(date.toUtf8() + '\t' + QByteArray::number(item.size) + '\t' + where + '\n');
        }
    }
    m_out.flush();
    return problems.isEmpty() ? 0 : 1;
}

int CommandLine::restore(const CommandLineArguments& arguments)
{
    QList<QByteArray> paths;
    QByteArray destination;
    if (arguments.isSet("as")) {
        if (arguments.valueBytes("as").isEmpty())
            return usage(tr("--as takes one NEWPATH"));
        destination = NativePath::absolute(arguments.valueBytes("as"));
    }
    for (const QByteArray& path : arguments.operandBytes())
        paths.append(NativePath::absolute(path));
    if (paths.isEmpty())
        return usage(tr("restore takes one PATH or more"));
    if (!destination.isEmpty() && paths.size() != 1)
        return usage(tr("--as goes with one PATH only"));

    QStringList problems;
    const TrashItems items = allItems(&problems);
    int failures = 0;
    for (const QByteArray& path : paths) {
        // The item at that path in a trash, else the last one deleted from that original path.
        const TrashItem* chosen = nullptr;
        for (const TrashItem& item : items) {
            if (item.itemPath() == path || item.infoPath() == path) {
                chosen = &item;
                break;
            }
            if ((item.originalPath == path || NativePath::absolute(item.originalPath) == path) &&
                item.state == TrashItem::State::Complete &&
                (!chosen || chosen->deletionDate <= item.deletionDate))
                chosen = &item;
        }
        if (!chosen) {
            m_err << "corvella-cli: " << tr("“%1” is not in the trash").arg(QFile::decodeName(path))
                  << Qt::endl;
            ++failures;
            continue;
        }
        const TrashRestorer::Result result = TrashRestorer::restore(*chosen, destination);
        if (result.succeeded()) {
            m_out << tr("Restored “%1”").arg(QFile::decodeName(result.restoredPath)) << '\n';
            if (!result.message.isEmpty())
                m_err << "corvella-cli: " << result.message << Qt::endl;
            continue;
        }
        ++failures;
        m_err << "corvella-cli: " << result.message;
        if (result.status == TrashRestorer::Status::Occupied) {
            // A command to paste: each path one shell word of its exact bytes, whatever it holds.
            const auto word = [](const QByteArray& path) {
                return CommandLineText::encodeName(
                    CommandRunner::shellQuote(CommandLineText::decodeName(path)));
            };
            m_err << ' ' << tr("Restore it under another name with:") << ' ';
            m_err.flush();
            const QByteArray command = "corvella-cli restore " + word(chosen->itemPath()) +
                                       " --as " + word(result.suggestedPath);
            std::fwrite(command.constData(), 1, std::size_t(command.size()), stderr);
        }
        m_err << Qt::endl;
    }
    m_out.flush();
    return failures == 0 ? 0 : 1;
}

int CommandLine::emptyTrash(const CommandLineArguments& arguments)
{
    if (!arguments.operands().isEmpty())
        return usage(tr("empty-trash takes no arguments"));
    // Item by item first, so that each failure is named; then what is left around the items
    // (records without items, "expunged", the size cache).
    QStringList problems;
    const TrashItems items = allItems(&problems);
    const TrashCleaner cleaner = TrashCleaner::forCurrentUser();
    TrashCleaner::Result total;
    for (const TrashItem& item : items) {
        const TrashCleaner::Result result = cleaner.eraseItems({item});
        total.bytesFreed += result.bytesFreed;
        total.itemsRemoved += result.itemsRemoved;
        total.failures += result.failures;
        if (!result.firstError.isEmpty())
            problems.append(result.firstError);
    }
    if (total.failures == 0) {
        const TrashCleaner::Result rest = cleaner.emptyAll();
        total.bytesFreed += rest.bytesFreed;
        total.itemsRemoved += rest.itemsRemoved;
        if (!rest.firstError.isEmpty())
            problems.append(rest.firstError);
    }
    for (const QString& problem : problems)
        m_err << "corvella-cli: " << problem << Qt::endl;
    m_out << tr("Removed %1, %2 freed")
                 .arg(PublicUtilities::itemCount(total.itemsRemoved),
                      PublicUtilities::longlongDiskSize(total.bytesFreed))
          << '\n';
    m_out.flush();
    return problems.isEmpty() ? 0 : 1;
}
