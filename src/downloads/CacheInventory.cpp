#include "downloads/CacheInventory.h"

#include "downloads/FileTree.h"
#include "platform/fs/FileDescriptor.h"
#include "platform/fs/NativePath.h"
#include "platform/fs/SizeMeter.h"
#include "platform/fs/TreeSize.h"
#include "platform/proc/ProcProcesses.h"
#include "tasks/TaskListBuilder.h"
#include "trash/TrashDirectory.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

// The kernel keeps 15 bytes of a process's name.
constexpr qsizetype kKernelNameLength = 15;

QString shown(const QByteArray& name)
{
    QString text = QFile::decodeName(name);
    for (QChar& character : text) {
        if (character.category() == QChar::Other_Control)
            character = QChar::ReplacementCharacter;
    }
    return text;
}

// The entries of an open folder, "." and ".." left out.
QList<QByteArray> entriesOf(int folder)
{
    QList<QByteArray> names;
    const int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* stream = listing >= 0 ? ::fdopendir(listing) : nullptr;
    if (!stream) {
        if (listing >= 0)
            ::close(listing);
        return names;
    }
    while (const dirent* entry = ::readdir(stream)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names.append(name);
    }
    ::closedir(stream);
    return names;
}

// The entry `name` of the open folder, as itself (a link is a link).
bool statOf(int folder, const QByteArray& name, struct stat* status)
{
    return ::fstatat(folder, name.constData(), status, AT_SYMLINK_NOFOLLOW) == 0;
}

struct Lister {
    const CacheInventory::Options& options;
    QList<CacheInventory::Entry> entries;
    // One meter for the whole view: a file linked from two caches counts once.
    SizeMeter meter{SizeMode::DiskUsage};

    void add(CacheInventory::Kind kind, int folder, const QByteArray& folderPath,
             const QByteArray& name, const QString& label)
    {
        CacheInventory::Entry entry;
        entry.kind = kind;
        entry.path = NativePath::child(folderPath, name);
        entry.label = label;
        entry.bytes = TreeSize::size(folder, name, meter);
        entries.append(entry);
    }

    void applicationCaches(const QStringList& processNames)
    {
        const QByteArray cacheHome = QFile::encodeName(options.folders.cacheHome());
        const FileDescriptor folder(
            ::open(cacheHome.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (folder.get() < 0)
            return;
        for (const QByteArray& name : entriesOf(folder.get())) {
            struct stat status {};
            if (!statOf(folder.get(), name, &status) || !S_ISDIR(status.st_mode))
                continue; // links, files and what vanished are no application's cache
            if (name == "thumbnails") {
                add(CacheInventory::Kind::Thumbnails, folder.get(), cacheHome, name,
                    CacheInventory::tr("Thumbnails"));
                continue;
            }
            add(CacheInventory::Kind::Application, folder.get(), cacheHome, name, shown(name));
            entries.last().inUseBy = CacheInventory::matchingProcess(name, processNames);
        }
    }

    void trashes()
    {
        const QString homeTrash = options.folders.dataHome() + QStringLiteral("/Trash");
        for (const TrashDirectory& trash :
             TrashDirectory::findAll(homeTrash, options.mountInfoPath, options.uid)) {
            QByteArray name;
            const FileDescriptor folder(NativePath::openFolderPart(trash.path(), &name));
            if (folder.get() < 0)
                continue;
            const QByteArray folderPath = NativePath::folderPath(folder.get());
            add(CacheInventory::Kind::Trash, folder.get(), folderPath, name,
                trash.isHome()
                    ? CacheInventory::tr("Trash")
                    : CacheInventory::tr("Trash on %1").arg(shown(trash.topDirectory())));
        }
    }

    void crashReports()
    {
        const QByteArray home = QFile::encodeName(options.folders.home());
        const FileDescriptor folder(::open(home.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (folder.get() < 0)
            return;
        for (const QByteArray& name : entriesOf(folder.get())) {
            const bool coreName =
                name == "core" || (name.startsWith("core.") && name.size() > 5 &&
                                   std::all_of(name.begin() + 5, name.end(),
                                               [](char c) { return c >= '0' && c <= '9'; }));
            struct stat status {};
            if (coreName && statOf(folder.get(), name, &status) && S_ISREG(status.st_mode) &&
                status.st_uid == options.uid) {
                add(CacheInventory::Kind::CrashReport, folder.get(), home, name,
                    CacheInventory::tr("Core dump %1").arg(shown(name)));
                entries.last().isFolder = false;
            }
        }
        for (const char* parent : {".mozilla/firefox", ".thunderbird"}) {
            const QByteArray parentPath = NativePath::child(home, parent);
            // O_NOFOLLOW on the last part only; the user's own links above it are the user's.
            const FileDescriptor reports(
                ::openat(folder.get(), parent, O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
            struct stat status {};
            if (reports.get() >= 0 && statOf(reports.get(), "Crash Reports", &status) &&
                S_ISDIR(status.st_mode)) {
                add(CacheInventory::Kind::CrashReport, reports.get(), parentPath, "Crash Reports",
                    CacheInventory::tr("Crash reports of %1")
                        .arg(QLatin1StringView(parent).endsWith(u"firefox")
                                 ? QStringLiteral("Firefox")
                                 : QStringLiteral("Thunderbird")));
            }
        }
    }
};

} // namespace

QList<CacheInventory::Entry> CacheInventory::list(const Options& options)
{
    Lister lister{options, {}};
    lister.applicationCaches(processNames(options.procRoot, options.uid));
    lister.trashes();
    lister.crashReports();
    std::stable_sort(lister.entries.begin(), lister.entries.end(),
                     [](const Entry& a, const Entry& b) { return a.bytes > b.bytes; });
    return lister.entries;
}

QList<CacheInventory::Entry> CacheInventory::list()
{
    const Options options;
    return list(options);
}

QStringList CacheInventory::processNames(const QString& procRoot, uid_t uid)
{
    const ProcProcesses processes(procRoot);
    QSet<QString> names;
    const auto addName = [&names](const QString& name) {
        if (name.isEmpty())
            return;
        names.insert(name.toLower());
        // "org.gnome.Maps" also goes by "maps".
        if (const qsizetype dot = name.lastIndexOf(u'.'); dot > 0 && dot + 1 < name.size())
            names.insert(name.mid(dot + 1).toLower());
    };
    for (const int pid : processes.processesOf(uid)) {
        names.insert(processes.commandName(pid).toLower());
        names.insert(processes.executableName(pid).toLower());
    }
    const QHash<QByteArray, QList<int>> units = processes.appUnits(uid);
    for (auto unit = units.cbegin(); unit != units.cend(); ++unit) {
        for (const QString& id : TaskListBuilder::applicationIdsOfUnit(unit.key()))
            addName(id);
    }
    names.remove(QString());
    QStringList sorted(names.cbegin(), names.cend());
    sorted.sort();
    return sorted;
}

QString CacheInventory::matchingProcess(const QByteArray& folderName,
                                        const QStringList& processNames)
{
    const QString folder = QFile::decodeName(folderName).toLower();
    if (folder.isEmpty())
        return {};
    for (const QString& name : processNames) {
        if (name == folder ||
            (name.size() == kKernelNameLength && folder.size() > kKernelNameLength &&
             folder.startsWith(name)) ||
            (name.size() > folder.size() + 1 && name.startsWith(folder) &&
             name.at(folder.size()) == u'-'))
            return name;
    }
    return {};
}

QString CacheInventory::kindName(Kind kind)
{
    switch (kind) {
    case Kind::Application:
        return QStringLiteral("application");
    case Kind::Thumbnails:
        return QStringLiteral("thumbnails");
    case Kind::Trash:
        return QStringLiteral("trash");
    case Kind::CrashReport:
        return QStringLiteral("crash-report");
    }
    return {};
}

QString CacheInventory::kindText(Kind kind)
{
    switch (kind) {
    case Kind::Application:
        return tr("Application cache");
    case Kind::Thumbnails:
        return tr("Thumbnails");
    case Kind::Trash:
        return tr("Trash");
    case Kind::CrashReport:
        return tr("Crash report");
    }
    return {};
}

std::shared_ptr<FileTree> CacheInventory::tree(const QList<Entry>& entries)
{
    auto tree = std::make_shared<FileTree>(QString(), SizeMode::DiskUsage);
    tree->setListsContents(false);
    const auto lock = tree->lock();
    std::uint64_t total = 0;
    for (const Entry& entry : entries) {
        FileNode* node = tree->mainAllocator().create(
            tree->root(), std::string_view(entry.path.constData(), std::size_t(entry.path.size())),
            entry.isFolder);
        node->setSize(std::uint64_t(std::max<qint64>(entry.bytes, 0)));
        total += node->size();
        node->setState(entry.inUse() ? FileNode::Off : FileNode::On);
        tree->attach(node);
    }
    tree->root()->setSize(total);
    return tree;
}
