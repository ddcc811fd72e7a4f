#include "startup/LoginItemList.h"

#include "platform/xdg/AutostartFolder.h"
#include "platform/xdg/DesktopEntry.h"
#include "platform/xdg/DesktopEntryIndex.h"
#include "platform/xdg/DesktopExec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMap>
#include <QSet>
#include <QStandardPaths>
#include <QUrl>

Q_LOGGING_CATEGORY(startupLog, "corvella.startup")

namespace {

const QString suffix = QStringLiteral(".desktop");

bool isEntryName(const QString& fileName)
{
    return fileName.size() > suffix.size() && fileName.endsWith(suffix) &&
           !fileName.contains(u'/') && !fileName.contains(QChar(0)) && fileName != u"..";
}

QString findProgram(const QString& program)
{
    if (program.contains(u'/')) {
        const QFileInfo info(program);
        return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
    }
    return QStandardPaths::findExecutable(program);
}

// The local path an opener's argument names: a file URL decoded, or the path itself.
QString openedPath(const QString& argument)
{
    if (argument.startsWith(u'/'))
        return QDir::cleanPath(argument);
    const QUrl url(argument);
    return url.isLocalFile() ? QDir::cleanPath(url.toLocalFile()) : QString();
}

// The file an "xdg-open X" or "gio open X" command opens, or empty.
QString openerTarget(const QStringList& arguments)
{
    const QString program = QFileInfo(arguments.value(0)).fileName();
    if (program == u"xdg-open" && arguments.size() == 2)
        return openedPath(arguments.at(1));
    if (program == u"gio" && arguments.size() == 3 && arguments.at(1) == u"open")
        return openedPath(arguments.at(2));
    return {};
}

// A file name for a new entry that opens path: its name's safe characters, made unique.
QString newEntryName(const QString& folder, const QString& path)
{
    QString base;
    for (QChar character : QFileInfo(QDir::cleanPath(path)).fileName()) {
        const bool safe =
            (character >= u'a' && character <= u'z') || (character >= u'A' && character <= u'Z') ||
            (character >= u'0' && character <= u'9') || character == u'-' || character == u'_';
        base.append(safe ? character : u'-');
    }
    base = QStringLiteral("open-") + (base.isEmpty() ? QStringLiteral("item") : base);
    QString name = base + suffix;
    for (int number = 2; QFileInfo::exists(folder + u'/' + name); ++number)
        name = base + u'-' + QString::number(number) + suffix;
    return name;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

LoginItemList::LoginItemList(XdgBaseFolders folders) : m_folders(std::move(folders)) {}

QString LoginItemList::userFolder() const
{
    return m_folders.autostartPaths().constFirst();
}

QString LoginItemList::userEntry(const QString& fileName) const
{
    const QString path = userFolder() + u'/' + fileName;
    return QFileInfo(path).isFile() ? path : QString();
}

QString LoginItemList::systemEntry(const QString& fileName) const
{
    const QStringList folders = m_folders.autostartPaths();
    for (qsizetype index = 1; index < folders.size(); ++index) {
        const QString path = folders.at(index) + u'/' + fileName;
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

QString LoginItemList::installedEntry(const QString& fileName) const
{
    return DesktopEntryIndex(m_folders).find(fileName);
}

QString LoginItemList::desktopFileId(const QString& path) const
{
    return DesktopEntryIndex(m_folders).idOf(path);
}

QString LoginItemList::resolve(const QString& fileName, const QString& entryPath,
                               const DesktopEntry& entry, ASLoginStartItem* item,
                               QString* identity) const
{
    if (const QString reason = entry.incompleteReason(); !reason.isEmpty()) {
        if (entry.isValid() && entry.value(QStringLiteral("Name")).isEmpty())
            return QCoreApplication::translate("LoginItemList", "it would have no name to show");
        return QCoreApplication::translate("LoginItemList",
                                           "it is not a complete desktop entry (%1)")
            .arg(reason);
    }
    const QStringList locales = DesktopEntry::preferredLocales();
    QString error;
    const QStringList arguments =
        DesktopExec::expand(DesktopExec::split(entry.value(QStringLiteral("Exec")), &error), {})
            .constFirst();
    const QString tryExec = entry.value(QStringLiteral("TryExec"));
    const QString wanted = tryExec.isEmpty() ? arguments.value(0) : tryExec;
    const QString program = findProgram(wanted);
    if (program.isEmpty())
        return QCoreApplication::translate("LoginItemList", "its program “%1” cannot be found")
            .arg(wanted);

    const bool hidden = entry.booleanValue(QStringLiteral("Hidden"));
    item->fileNames = {fileName};
    item->entryPath = entryPath;
    item->enabled = !hidden &&
                    entry.booleanValue(QStringLiteral("X-GNOME-Autostart-enabled"), true) &&
                    entry.isShownIn(m_folders.currentDesktops());
    item->image = entry.value(QStringLiteral("Icon"));
    item->name = entry.localizedValue(QStringLiteral("Name"), locales);
    identity->clear();
    if (const QString installed = installedEntry(fileName); !installed.isEmpty()) {
        const DesktopEntry application = DesktopEntry::load(installed);
        item->path = installed;
        if (const QString name = application.localizedValue(QStringLiteral("Name"), locales);
            !name.isEmpty()) {
            item->name = name;
            if (const QString icon = application.value(QStringLiteral("Icon")); !icon.isEmpty())
                item->image = icon;
        }
    } else if (const QString opened = openerTarget(arguments); !opened.isEmpty()) {
        if (!QFileInfo::exists(opened))
            return QCoreApplication::translate("LoginItemList",
                                               "“%1”, which it opens, does not exist")
                .arg(opened);
        item->path = opened;
        item->name = QFileInfo(opened).fileName();
        if (item->name.isEmpty())
            return QCoreApplication::translate("LoginItemList", "it would have no name to show");
        if (item->image.isEmpty())
            item->image = QFileInfo(opened).isDir() ? QStringLiteral("folder")
                                                    : QStringLiteral("text-x-generic");
    } else {
        item->path = program;
        *identity = arguments.mid(1).join(u'\n');
    }
    identity->prepend(item->path + u'\n');
    return {};
}

QList<ASLoginStartItem> LoginItemList::items() const
{
    return collect(false);
}

QList<ASLoginStartItem> LoginItemList::hiddenSystemItems() const
{
    return collect(true);
}

QList<ASLoginStartItem> LoginItemList::collect(bool hiddenSystem) const
{
    // File name -> the entry that counts, in file-name order.
    QMap<QString, QString> entries;
    QMap<QString, bool> fromSystem;
    QSet<QString> shadowsSystem;
    const QStringList folders = m_folders.autostartPaths();
    for (qsizetype index = 0; index < folders.size(); ++index) {
        const QStringList names =
            QDir(folders.at(index))
                .entryList({QStringLiteral("*.desktop")}, QDir::Files, QDir::Name);
        for (const QString& name : names) {
            if (entries.contains(name)) {
                if (!fromSystem.value(name) && index > 0)
                    shadowsSystem.insert(name);
                continue;
            }
            entries.insert(name, folders.at(index) + u'/' + name);
            fromSystem.insert(name, index > 0);
        }
    }

    QList<ASLoginStartItem> items;
    // What makes two entries one row: their target, and for a program its arguments too.
    QStringList identities;
    for (auto each = entries.cbegin(); each != entries.cend(); ++each) {
        const QString& fileName = each.key();
        QString entryPath = each.value();
        DesktopEntry entry = DesktopEntry::load(entryPath);
        // A user copy with Hidden=true over a system entry is a removal: not listed, but
        // offered for restoring under the system entry's own name.
        const bool removed =
            shadowsSystem.contains(fileName) && entry.booleanValue(QStringLiteral("Hidden"));
        if (removed != hiddenSystem)
            continue;
        if (removed) {
            entryPath = systemEntry(fileName);
            entry = DesktopEntry::load(entryPath);
        }
        ASLoginStartItem item;
        QString identity;
        if (const QString reason = resolve(fileName, entryPath, entry, &item, &identity);
            !reason.isEmpty()) {
            qCInfo(startupLog, "Skipped the autostart entry %s: %s", qUtf8Printable(entryPath),
                   qUtf8Printable(reason));
            continue;
        }
        item.isSystemApp = fromSystem.value(fileName) || shadowsSystem.contains(fileName);
        if (const qsizetype same = identities.indexOf(identity); same >= 0) {
            items[same].fileNames.append(fileName);
            continue;
        }
        identities.append(identity);
        items.append(item);
    }
    return items;
}

AutostartFolder LoginItemList::userWriter() const
{
    return AutostartFolder(userFolder(), m_folders.autostartPaths().mid(1), m_folders.home());
}

LoginItemList::Result LoginItemList::writeUserEntry(const QString& fileName,
                                                    const QByteArray& content) const
{
    return {userWriter().write(fileName, content)};
}

LoginItemList::Result LoginItemList::add(const QString& path) const
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return {QCoreApplication::translate("LoginItemList",
                                            "“%1” does not exist, so it cannot be added.")
                    .arg(path)};
    const QString target = info.absoluteFilePath();
    for (const ASLoginStartItem& item : items()) {
        if (item.path == target)
            return {};
    }
    QString fileName;
    QByteArray content;
    // A desktop entry file is added as the application it describes, never as a file to open.
    if (info.isFile() && path.endsWith(suffix)) {
        const DesktopEntry entry = DesktopEntry::load(target);
        if (const QString type = entry.value(QStringLiteral("Type"));
            entry.isValid() && !type.isEmpty() && type != u"Application")
            return {QCoreApplication::translate(
                        "LoginItemList",
                        "“%1” cannot be added as a login item: it is a desktop entry of "
                        "type “%2”, not an application.")
                        .arg(path, type)};
        fileName = desktopFileId(target);
        content = readAll(target);
    }
    if (fileName.isEmpty()) {
        fileName = newEntryName(userFolder(), target);
        content = "[Desktop Entry]\nType=Application\nName=" +
                  DesktopEntry::escape(QFileInfo(QDir::cleanPath(target)).fileName()).toUtf8() +
                  "\nExec=xdg-open " + DesktopEntry::escape(DesktopExec::quote(target)).toUtf8() +
                  "\nIcon=" + (info.isDir() ? "folder" : "text-x-generic") +
                  "\nX-GNOME-Autostart-enabled=true\n";
    }
    // An entry that the list would skip is never written: it would be a login item no one sees.
    ASLoginStartItem item;
    QString identity;
    if (const QString reason =
            resolve(fileName, target, DesktopEntry::parse(content), &item, &identity);
        !reason.isEmpty())
        return {QCoreApplication::translate("LoginItemList",
                                            "“%1” cannot be added as a login item: %2.")
                    .arg(path, reason)};
    return writeUserEntry(fileName, content);
}

LoginItemList::Result LoginItemList::write(const QString& fileName, const QByteArray& content) const
{
    if (!isEntryName(fileName))
        return {
            QCoreApplication::translate("LoginItemList", "“%1” is not the name of a login item.")
                .arg(fileName)};
    ASLoginStartItem item;
    QString identity;
    const QString entryPath = userFolder() + u'/' + fileName;
    if (const QString reason =
            resolve(fileName, entryPath, DesktopEntry::parse(content), &item, &identity);
        !reason.isEmpty())
        return {QCoreApplication::translate("LoginItemList",
                                            "“%1” cannot be written as a login item: %2.")
                    .arg(fileName, reason)};
    return writeUserEntry(fileName, content);
}

LoginItemList::Result LoginItemList::remove(const QString& fileName) const
{
    if (!isEntryName(fileName))
        return {
            QCoreApplication::translate("LoginItemList", "“%1” is not the name of a login item.")
                .arg(fileName)};
    const QString system = systemEntry(fileName);
    if (!system.isEmpty()) {
        const QByteArray content = readAll(system);
        return writeUserEntry(fileName, DesktopEntry::withValue(content, QStringLiteral("Hidden"),
                                                                QStringLiteral("true")));
    }
    // The user's entry itself goes, a link to a file elsewhere included (never its target).
    const QFileInfo user(userFolder() + u'/' + fileName);
    if (!user.exists() && !user.isSymLink())
        return {QCoreApplication::translate("LoginItemList", "There is no login item “%1”.")
                    .arg(fileName)};
    return {userWriter().remove(fileName)};
}

LoginItemList::Result LoginItemList::restore(const QString& fileName) const
{
    if (!isEntryName(fileName))
        return {
            QCoreApplication::translate("LoginItemList", "“%1” is not the name of a login item.")
                .arg(fileName)};
    if (systemEntry(fileName).isEmpty())
        return {QCoreApplication::translate("LoginItemList",
                                            "There is no system login item “%1” to restore.")
                    .arg(fileName)};
    return {userWriter().remove(fileName)};
}

LoginItemList::Result LoginItemList::removeItemWithPath(const QString& path) const
{
    for (const ASLoginStartItem& item : items()) {
        if (item.path != path)
            continue;
        for (const QString& fileName : item.fileNames) {
            if (Result removed = remove(fileName); !removed.succeeded())
                return removed;
        }
        return {};
    }
    return {
        QCoreApplication::translate("LoginItemList", "“%1” is no longer a login item.").arg(path)};
}

LoginItemList::Result LoginItemList::setEnabled(const QString& fileName, bool enabled) const
{
    if (!isEntryName(fileName))
        return {
            QCoreApplication::translate("LoginItemList", "“%1” is not the name of a login item.")
                .arg(fileName)};
    QString source = userEntry(fileName);
    if (source.isEmpty())
        source = systemEntry(fileName);
    if (source.isEmpty())
        return {QCoreApplication::translate("LoginItemList", "There is no login item “%1”.")
                    .arg(fileName)};
    QByteArray content = readAll(source);
    if (!DesktopEntry::parse(content).isValid())
        return {QCoreApplication::translate(
                    "LoginItemList", "The login item “%1” is not a valid desktop entry, so it "
                                     "was left as it is.")
                    .arg(fileName)};
    content = DesktopEntry::withValue(content, QStringLiteral("X-GNOME-Autostart-enabled"),
                                      enabled ? QStringLiteral("true") : QStringLiteral("false"));
    if (enabled) {
        for (const char* key : {"Hidden", "OnlyShowIn", "NotShowIn"})
            content = DesktopEntry::withoutKey(content, QLatin1StringView(key));
    }
    return writeUserEntry(fileName, content);
}
