#include "platform/xdg/DesktopEntryIndex.h"

#include "platform/proc/ProcFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

const QString desktopSuffix = QStringLiteral(".desktop");

// The program of an Exec line: its first word, past an "env VAR=value ..." prefix, as a file name.
QString programOf(const QByteArray& exec)
{
    const QList<QByteArray> words = exec.simplified().split(' ');
    for (qsizetype index = 0; index < words.size(); ++index) {
        QByteArray word = words.at(index);
        if (word.startsWith('"') && word.endsWith('"') && word.size() >= 2)
            word = word.mid(1, word.size() - 2);
        if (word.isEmpty() || word == "env" || word.contains('='))
            continue;
        return QFile::decodeName(word.mid(word.lastIndexOf('/') + 1));
    }
    return {};
}

qint64 modificationTime(const QString& folder)
{
    const QFileInfo info(folder);
    return info.exists() ? info.lastModified().toMSecsSinceEpoch() : -1;
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

// One walk over the folders: the IDs taken and the folders seen so far.
struct Walk {
    const DesktopEntryIndex::Visitor& visitor;
    const std::atomic_bool* cancelled;
    QSet<QString> takenIds;
    QSet<std::pair<dev_t, ino_t>> visitedFolders;

    void folder(const QString& path, const QString& idPrefix, bool inUserFolder)
    {
        if (cancelled && cancelled->load())
            return;
        const int descriptor =
            ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (descriptor < 0)
            return;
        struct stat status {};
        if (::fstat(descriptor, &status) != 0 ||
            visitedFolders.contains({status.st_dev, status.st_ino})) {
            ::close(descriptor);
            return;
        }
        visitedFolders.insert({status.st_dev, status.st_ino});
        for (const FolderEntry& entry : readFolder(descriptor)) {
            const QString name = QFile::decodeName(entry.name);
            const QString entryPath = path + u'/' + name;
            if (entry.isFolder) {
                folder(entryPath, idPrefix + name + u'-', inUserFolder);
                continue;
            }
            const QString id = idPrefix + name;
            if (takenIds.contains(id))
                continue;
            if (visitor(descriptor, entry.name, entryPath, id, inUserFolder))
                takenIds.insert(id);
        }
        ::close(descriptor);
    }
};

} // namespace

DesktopEntryIndex::DesktopEntryIndex(const XdgBaseFolders& folders)
    : m_folders(folders.applicationPaths())
{}

DesktopEntryIndex::DesktopEntryIndex(QStringList folders) : m_folders(std::move(folders))
{
    if (m_folders.isEmpty())
        m_folders = XdgBaseFolders().applicationPaths();
}

void DesktopEntryIndex::walk(const Visitor& visitor, const std::atomic_bool* cancelled) const
{
    Walk walk{visitor, cancelled, {}, {}};
    for (qsizetype index = 0; index < m_folders.size(); ++index)
        walk.folder(m_folders.at(index), QString(), index == 0);
}

QString DesktopEntryIndex::find(const QString& desktopFileId) const
{
    if (desktopFileId.isEmpty() || desktopFileId == u"." || desktopFileId == u".." ||
        desktopFileId.contains(u'/') || desktopFileId.contains(QChar(0)))
        return {};
    // "kde-foo.desktop" may be "kde-foo.desktop" or "kde/foo.desktop" below a folder.
    QStringList candidates{desktopFileId};
    for (QString candidate = desktopFileId; candidate.indexOf(u'-') > 0;) {
        candidate[candidate.indexOf(u'-')] = u'/';
        candidates.append(candidate);
    }
    for (const QString& folder : m_folders) {
        for (const QString& candidate : std::as_const(candidates)) {
            const QString path = folder + u'/' + candidate;
            if (QFileInfo(path).isFile())
                return path;
        }
    }
    return {};
}

QString DesktopEntryIndex::idOf(const QString& path) const
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (const QString& folder : m_folders) {
        if (absolute.startsWith(folder + u'/'))
            return absolute.mid(folder.size() + 1).replace(u'/', u'-');
    }
    return QFileInfo(path).fileName();
}

void DesktopEntryIndex::refreshIfChanged()
{
    QList<qint64> times;
    for (const QString& folder : std::as_const(m_folders))
        times.append(modificationTime(folder));
    if (m_loaded && times == m_folderTimes)
        return;
    m_folderTimes = times;
    m_loaded = true;
    m_entries.clear();
    m_byId.clear();
    m_byWindowClass.clear();
    m_byExecutable.clear();
    walk([this](int, const QByteArray&, const QString& path, const QString& id, bool) {
        const QString key = id.chopped(desktopSuffix.size());
        if (!m_byId.contains(key.toLower()))
            addEntry(key, ProcFile::read(path, nullptr));
        return true;
    });
}

void DesktopEntryIndex::addEntry(const QString& id, const QByteArray& text)
{
    bool inMainGroup = false;
    QByteArray name, icon, exec, windowClass;
    bool hidden = false;
    for (const QByteArray& rawLine : text.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.startsWith('[')) {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!inMainGroup || equals <= 0)
            continue;
        const QByteArray key = line.left(equals).trimmed();
        const QByteArray value = line.mid(equals + 1).trimmed();
        if (key == "Name")
            name = value;
        else if (key == "Icon")
            icon = value;
        else if (key == "Exec")
            exec = value;
        else if (key == "StartupWMClass")
            windowClass = value;
        else if (key == "Hidden")
            hidden = value == "true";
    }
    // A hidden entry deletes the identifier for the folders below it too.
    const qsizetype index = m_entries.size();
    m_byId.insert(id.toLower(), hidden || name.isEmpty() ? -1 : index);
    if (hidden || name.isEmpty())
        return;
    m_entries.append({id, QString::fromUtf8(name), QString::fromUtf8(icon)});
    if (!windowClass.isEmpty() &&
        !m_byWindowClass.contains(QString::fromUtf8(windowClass).toLower()))
        m_byWindowClass.insert(QString::fromUtf8(windowClass).toLower(), index);
    const QString program = programOf(exec).toLower();
    if (!program.isEmpty() && !m_byExecutable.contains(program))
        m_byExecutable.insert(program, index);
}

std::optional<DesktopEntryIndex::Entry> DesktopEntryIndex::byId(const QString& key)
{
    refreshIfChanged();
    const qsizetype index = m_byId.value(key.toLower(), -1);
    return index >= 0 ? std::optional(m_entries.at(index)) : std::nullopt;
}

std::optional<DesktopEntryIndex::Entry> DesktopEntryIndex::byWindowClass(const QString& key)
{
    refreshIfChanged();
    const qsizetype index = m_byWindowClass.value(key.toLower(), -1);
    if (index >= 0)
        return m_entries.at(index);
    // Most programs set no StartupWMClass, their class being their identifier's last part.
    return byId(key);
}

std::optional<DesktopEntryIndex::Entry> DesktopEntryIndex::byExecutable(const QString& key)
{
    refreshIfChanged();
    const qsizetype index = m_byExecutable.value(key.toLower(), -1);
    return index >= 0 ? std::optional(m_entries.at(index)) : std::nullopt;
}
