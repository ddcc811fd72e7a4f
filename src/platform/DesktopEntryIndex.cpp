#include "platform/DesktopEntryNames.h"

#include "platform/ProcFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

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

} // namespace

DesktopEntryNames::DesktopEntryNames(QStringList folders) : m_folders(std::move(folders))
{
    if (m_folders.isEmpty())
        m_folders = standardFolders();
}

QStringList DesktopEntryNames::standardFolders()
{
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty())
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    QString dataDirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dataDirs.isEmpty())
        dataDirs = QStringLiteral("/usr/local/share:/usr/share");
    QStringList folders{dataHome + QStringLiteral("/applications")};
    for (const QString& folder : dataDirs.split(u':', Qt::SkipEmptyParts))
        folders.append(folder + QStringLiteral("/applications"));
    folders.removeDuplicates();
    return folders;
}

void DesktopEntryNames::refreshIfChanged()
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
    for (const QString& folder : std::as_const(m_folders))
        readFolder(folder, QString());
}

void DesktopEntryNames::readFolder(const QString& folder, const QString& prefix)
{
    const QFileInfoList items =
        QDir(folder).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& item : items) {
        // A file in a subfolder "kde/foo.desktop" has the identifier "kde-foo".
        if (item.isDir()) {
            readFolder(item.filePath(), prefix + item.fileName() + u'-');
        } else if (item.fileName().endsWith(QLatin1String(".desktop"))) {
            const QString id = prefix + item.fileName().chopped(8);
            if (!m_byId.contains(id.toLower()))
                addEntry(id, ProcFile::read(item.filePath(), nullptr));
        }
    }
}

void DesktopEntryNames::addEntry(const QString& id, const QByteArray& text)
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

std::optional<DesktopEntryNames::Entry> DesktopEntryNames::byId(const QString& key)
{
    refreshIfChanged();
    const qsizetype index = m_byId.value(key.toLower(), -1);
    return index >= 0 ? std::optional(m_entries.at(index)) : std::nullopt;
}

std::optional<DesktopEntryNames::Entry> DesktopEntryNames::byWindowClass(const QString& key)
{
    refreshIfChanged();
    const qsizetype index = m_byWindowClass.value(key.toLower(), -1);
    if (index >= 0)
        return m_entries.at(index);
    // Most programs set no StartupWMClass, their class being their identifier's last part.
    return byId(key);
}

std::optional<DesktopEntryNames::Entry> DesktopEntryNames::byExecutable(const QString& key)
{
    refreshIfChanged();
    const qsizetype index = m_byExecutable.value(key.toLower(), -1);
    return index >= 0 ? std::optional(m_entries.at(index)) : std::nullopt;
}
