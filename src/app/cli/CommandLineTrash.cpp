// corvella-cli's trash commands: trash-list, restore, empty-trash.
#include "app/cli/CommandLine.h"
#include "common/PublicUtilities.h"
#include "downloads/TrashCleaner.h"
#include "platform/NativePath.h"
#include "platform/TrashDirectory.h"
#include "platform/TrashRestorer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

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

// Escapes what would break a line or a terminal.
QString printable(const QByteArray& bytes)
{
    QString text = QFile::decodeName(bytes);
    text.replace(u'\\', QStringLiteral("\\\\"));
    for (QChar& character : text) {
        if (character.unicode() < 0x20 || character.unicode() == 0x7f)
            character = u'?';
    }
    return text;
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

QJsonObject jsonItem(const TrashItem& item)
{
    return {
        {QStringLiteral("name"), item.displayName()},
        {QStringLiteral("originalPath"), item.originalLocation()},
        {QStringLiteral("deletionDate"),
         item.deletionDate.isValid() ? item.deletionDate.toString(Qt::ISODate) : QString()},
        {QStringLiteral("size"), double(item.size)},
        {QStringLiteral("isDirectory"), item.isDirectory()},
        {QStringLiteral("kind"), QString::fromLatin1(kindName(item.kind))},
        {QStringLiteral("trashPath"), QFile::decodeName(item.itemPath())},
        {QStringLiteral("volume"), item.volume()},
        {QStringLiteral("state"), QString::fromLatin1(stateName(item.state))},
        {QStringLiteral("problem"), item.problem},
    };
}

} // namespace

int CommandLine::trashList(const QStringList& arguments)
{
    bool json = false;
    for (const QString& argument : arguments) {
        if (argument != u"--json")
            return usage(QStringLiteral("trash-list takes only --json"));
        json = true;
    }
    QStringList problems;
    const TrashItems items = allItems(&problems);
    for (const QString& problem : problems)
        m_err << "corvella-cli: " << problem << Qt::endl;
    if (json) {
        QJsonArray array;
        for (const TrashItem& item : items)
            array.append(jsonItem(item));
        m_out << QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
    } else {
        for (const TrashItem& item : items) {
            const QString date = item.deletionDate.isValid()
                                     ? item.deletionDate.toString(u"yyyy-MM-dd hh:mm:ss")
                                     : QStringLiteral("unknown date       ");
            const QString where =
                item.state == TrashItem::State::Complete
                    ? printable(item.originalPath)
                    : QStringLiteral("(%1) %2").arg(QString::fromLatin1(stateName(item.state)),
                                                    printable(item.itemPath()));
            m_out << date << '\t' << item.size << '\t' << where << '\n';
        }
    }
    m_out.flush();
    return problems.isEmpty() ? 0 : 1;
}

int CommandLine::restore(const QList<QByteArray>& arguments)
{
    QList<QByteArray> paths;
    QByteArray destination;
    for (qsizetype index = 0; index < arguments.size(); ++index) {
        if (arguments[index] == "--as") {
            if (index + 1 >= arguments.size() || !destination.isEmpty())
                return usage(QStringLiteral("--as takes one NEWPATH"));
            destination = NativePath::absolute(arguments[++index]);
        } else {
            paths.append(NativePath::absolute(arguments[index]));
        }
    }
    if (paths.isEmpty())
        return usage(QStringLiteral("restore takes one PATH or more"));
    if (!destination.isEmpty() && paths.size() != 1)
        return usage(QStringLiteral("--as goes with one PATH only"));

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
            m_err << "corvella-cli: “" << QFile::decodeName(path) << "” is not in the trash"
                  << Qt::endl;
            ++failures;
            continue;
        }
        const TrashRestorer::Result result = TrashRestorer::restore(*chosen, destination);
        if (result.succeeded()) {
            m_out << "Restored “" << QFile::decodeName(result.restoredPath) << "”\n";
            if (!result.message.isEmpty())
                m_err << "corvella-cli: " << result.message << Qt::endl;
            continue;
        }
        ++failures;
        m_err << "corvella-cli: " << result.message;
        if (result.status == TrashRestorer::Status::Occupied)
            m_err << " Restore it under another name with: corvella-cli restore '"
                  << QFile::decodeName(chosen->itemPath()) << "' --as '"
                  << QFile::decodeName(result.suggestedPath) << "'";
        m_err << Qt::endl;
    }
    m_out.flush();
    return failures == 0 ? 0 : 1;
}

int CommandLine::emptyTrash(const QStringList& arguments)
{
    if (!arguments.isEmpty())
        return usage(QStringLiteral("empty-trash takes no arguments"));
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
    m_out << "Removed " << PublicUtilities::itemCount(total.itemsRemoved) << ", "
          << PublicUtilities::longlongDiskSize(total.bytesFreed) << " freed\n";
    m_out.flush();
    return problems.isEmpty() ? 0 : 1;
}
