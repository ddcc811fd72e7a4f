#include "apps/RelatedAppFilesScanner.h"

#include "platform/DesktopEntry.h"
#include "platform/DesktopExec.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(appsLog, "corvella.apps")

namespace {

// Records handed to the sink at a time: the view sorts once per batch.
constexpr qsizetype batchSize = 128;

bool isProgramFound(const QString& program)
{
    if (program.contains(u'/')) {
        const QFileInfo info(program);
        return info.isFile() && info.isExecutable();
    }
    return !QStandardPaths::findExecutable(program).isEmpty();
}

struct FolderEntry {
    QByteArray name;
    bool isFolder = false;
};

// The open folder's entries that are folders or ".desktop" files (links followed), sorted by
// name so that which of two same-ID entries wins does not depend on the file system's order.
QList<FolderEntry> readFolder(int folder)
{
    QList<FolderEntry> entries;
    const int listing = ::dup(folder);
    DIR* stream = listing < 0 ? nullptr : ::fdopendir(listing);
    if (!stream) {
        if (listing >= 0)
            ::close(listing);
        return entries;
    }
    while (const dirent* entry = ::readdir(stream)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        unsigned char type = entry->d_type;
        if (type == DT_LNK || type == DT_UNKNOWN) {
            struct stat status {};
            if (::fstatat(folder, entry->d_name, &status, 0) != 0)
                continue;
            type = S_ISDIR(status.st_mode) ? DT_DIR : S_ISREG(status.st_mode) ? DT_REG : 0;
        }
        if (type == DT_DIR)
            entries.append({name, true});
        else if (type == DT_REG && name.endsWith(".desktop"))
            entries.append({name, false});
    }
    ::closedir(stream);
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    return entries;
}

} // namespace

RelatedAppFilesScanner::RelatedAppFilesScanner(XdgBaseFolders folders, QStringList locales)
    : m_folders(std::move(folders)), m_locales(std::move(locales))
{}

QList<AMAppItem> RelatedAppFilesScanner::getApplications(const BatchSink& sink,
                                                         const std::atomic_bool* cancelled)
{
    m_sink = sink;
    m_cancelled = cancelled;
    const QString userFolder = m_folders.dataHome() + QStringLiteral("/applications");
    for (const QString& folder : m_folders.applicationPaths())
        applicationsInPath(folder, QString(), folder != userFolder);
    deliver(true);
    return m_all;
}

void RelatedAppFilesScanner::applicationsInPath(const QString& folder, const QString& idPrefix,
                                                bool isSystem)
{
    if (m_cancelled && m_cancelled->load())
        return;
    const int descriptor =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 ||
        m_visitedFolders.contains({status.st_dev, status.st_ino})) {
        ::close(descriptor);
        return;
    }
    m_visitedFolders.insert({status.st_dev, status.st_ino});

    for (const FolderEntry& entry : readFolder(descriptor)) {
        const QString name = QFile::decodeName(entry.name);
        const QString path = folder + u'/' + name;
        if (entry.isFolder) {
            applicationsInPath(path, idPrefix + name + u'-', isSystem);
            continue;
        }
        const QString bundleID = idPrefix + name;
        if (m_seenIds.contains(bundleID))
            continue;
        QDateTime date;
        const DesktopEntry desktopEntry = DesktopEntry::loadAt(descriptor, entry.name, &date);
        QString reason;
        AMAppItem item = constructItem(desktopEntry, path, bundleID, isSystem, &reason);
        item.date = date;
        if (!reason.isEmpty()) {
            m_skipped.append(path + QStringLiteral(": ") + reason);
            qCInfo(appsLog, "Skipped the desktop entry %s: %s", qUtf8Printable(path),
                   qUtf8Printable(reason));
            continue;
        }
        m_seenIds.insert(bundleID);
        if (item.path.isEmpty())
            continue;
        m_all.append(item);
        m_batch.append(std::move(item));
        deliver(false);
    }
    ::close(descriptor);
}

void RelatedAppFilesScanner::deliver(bool force)
{
    if (m_batch.isEmpty() || (!force && m_batch.size() < batchSize))
        return;
    if (m_sink)
        m_sink(m_batch);
    m_batch.clear();
}

AMAppItem RelatedAppFilesScanner::constructItem(const DesktopEntry& entry, const QString& path,
                                                const QString& bundleID, bool isSystem,
                                                QString* reason) const
{
    *reason = entry.incompleteReason();
    if (!reason->isEmpty())
        return {};
    if (entry.value(QStringLiteral("Type")) != u"Application" ||
        entry.booleanValue(QStringLiteral("Hidden")) ||
        entry.booleanValue(QStringLiteral("NoDisplay")))
        return {};
    const QString tryExec = entry.value(QStringLiteral("TryExec"));
    if (!tryExec.isEmpty() && !isProgramFound(tryExec))
        return {};
    if (!entry.isShownIn(m_folders.currentDesktops()))
        return {};
    // The program the entry would run must exist, as launching looks it up (an entry started
    // only over D-Bus may have no Exec at all).
    if (const QString exec = entry.value(QStringLiteral("Exec")); !exec.isEmpty()) {
        const QStringList arguments = DesktopExec::split(exec, reason);
        if (!reason->isEmpty()) {
            *reason = QStringLiteral("malformed Exec key (%1)").arg(*reason);
            return {};
        }
        if (!isProgramFound(arguments.first()))
            return {};
    }
    return AMAppItem(entry.value(QStringLiteral("Icon")),
                     entry.localizedValue(QStringLiteral("Name"), m_locales), path, bundleID,
                     entry.value(QStringLiteral("X-AppImage-Version")), QDateTime(),
                     isSystem ? QStringLiteral("YES") : QStringLiteral("NO"),
                     QStringLiteral("0KB"));
}
