#include "platform/xdg/DesktopEntry.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringDecoder>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Desktop entries are a few kilobytes; anything far larger is not one.
constexpr qint64 sizeLimit = 1024 * 1024;

bool isKeyCharacter(QChar character)
{
    const char16_t code = character.unicode();
    return (code >= u'A' && code <= u'Z') || (code >= u'a' && code <= u'z') ||
           (code >= u'0' && code <= u'9') || code == u'-' || code == u'_' || code == u'.' ||
           code == u'@';
}

// "Name" or "Name[de_AT@euro]".
bool isValidKey(QStringView key)
{
    const qsizetype open = key.indexOf(u'[');
    const QStringView base = open < 0 ? key : key.left(open);
    if (base.isEmpty())
        return false;
    for (QChar character : base) {
        if (!isKeyCharacter(character) || character == u'.' || character == u'@')
            return false;
    }
    if (open < 0)
        return true;
    const QStringView locale = key.mid(open + 1);
    if (locale.size() < 2 || !locale.endsWith(u']'))
        return false;
    for (QChar character : locale.chopped(1)) {
        if (!isKeyCharacter(character))
            return false;
    }
    return true;
}

QString lineError(int lineNumber, const QString& what)
{
    return QCoreApplication::translate("DesktopEntry", "line %1: %2").arg(lineNumber).arg(what);
}

// The range of [Desktop Entry]'s lines in content: [begin, end) byte offsets of whole lines
// after the header, and the offset just past the header line. False when there is no such group.
bool mainGroupRange(const QByteArray& content, qsizetype* afterHeader, qsizetype* end)
{
    const QByteArray header = "[" + DesktopEntry::mainGroup().toUtf8() + "]";
    qsizetype position = 0;
    bool inside = false;
    while (position < content.size()) {
        qsizetype lineEnd = content.indexOf('\n', position);
        const qsizetype next = lineEnd < 0 ? content.size() : lineEnd + 1;
        const QByteArray line = content.mid(position, next - position).trimmed();
        if (line.startsWith('[')) {
            if (inside) {
                *end = position;
                return true;
            }
            if (line == header) {
                inside = true;
                *afterHeader = next;
            }
        }
        position = next;
    }
    *end = content.size();
    return inside;
}

// The key of a "key = value" line, or empty.
QByteArray lineKey(const QByteArray& line)
{
    const qsizetype equals = line.indexOf('=');
    return equals < 0 ? QByteArray() : line.left(equals).trimmed();
}

} // namespace

DesktopEntry DesktopEntry::parse(const QByteArray& content)
{
    DesktopEntry entry;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(content);
    if (decoder.hasError()) {
        entry.m_error = QCoreApplication::translate("DesktopEntry", "not valid UTF-8 text");
        return entry;
    }
    const QStringView all(text);
    int lineNumber = 0;
    qsizetype position = 0;
    while (position < all.size()) {
        qsizetype lineEnd = all.indexOf(u'\n', position);
        if (lineEnd < 0)
            lineEnd = all.size();
        QStringView line = all.mid(position, lineEnd - position);
        position = lineEnd + 1;
        ++lineNumber;
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QStringView trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
            continue;
        if (trimmed.startsWith(u'[')) {
            const qsizetype close = trimmed.indexOf(u']');
            const QStringView name = close < 0 ? QStringView() : trimmed.mid(1, close - 1);
            if (close != trimmed.size() - 1 || name.isEmpty() || name.contains(u'[')) {
                entry.m_error =
                    lineError(lineNumber, QCoreApplication::translate("DesktopEntry",
                                                                      "malformed group header"));
                break;
            }
            if (entry.group(name.toString())) {
                entry.m_error = lineError(
                    lineNumber,
                    QCoreApplication::translate("DesktopEntry", "the group [%1] appears twice")
                        .arg(name));
                break;
            }
            if (entry.m_groups.isEmpty() && name != mainGroup()) {
                entry.m_error =
                    lineError(lineNumber, QCoreApplication::translate("DesktopEntry",
                                                                      "the first group is [%1], "
                                                                      "not [Desktop Entry]")
                                              .arg(name));
                break;
            }
            entry.m_groups.append(Group{name.toString(), {}});
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        const QStringView key = equals < 0 ? QStringView() : line.left(equals).trimmed();
        if (!isValidKey(key)) {
            entry.m_error =
                lineError(lineNumber, QCoreApplication::translate("DesktopEntry",
                                                                  "not a key, group or comment"));
            break;
        }
        if (entry.m_groups.isEmpty()) {
            entry.m_error =
                lineError(lineNumber, QCoreApplication::translate("DesktopEntry",
                                                                  "a key before the first group"));
            break;
        }
        QStringView value = line.mid(equals + 1);
        while (!value.isEmpty() && (value.front() == u' ' || value.front() == u'\t'))
            value = value.mid(1);
        QHash<QString, QString>& values = entry.m_groups.last().values;
        if (!values.contains(key.toString()))
            values.insert(key.toString(), value.toString());
    }
    if (entry.m_error.isEmpty() && entry.m_groups.isEmpty())
        entry.m_error = QCoreApplication::translate("DesktopEntry", "no [Desktop Entry] group");
    if (!entry.m_error.isEmpty())
        entry.m_groups.clear();
    return entry;
}

DesktopEntry DesktopEntry::load(const QString& path)
{
    return loadAt(AT_FDCWD, QFile::encodeName(path).constData());
}

DesktopEntry DesktopEntry::loadAt(int folderDescriptor, const char* name, QDateTime* date)
{
    DesktopEntry entry;
    const int descriptor =
        ::openat(folderDescriptor, name, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (descriptor < 0) {
        entry.m_error = qt_error_string(errno);
        return entry;
    }
    struct statx status {};
    QByteArray content;
    if (::statx(descriptor, "", AT_EMPTY_PATH, STATX_TYPE | STATX_SIZE | STATX_BTIME | STATX_MTIME,
                &status) != 0) {
        entry.m_error = qt_error_string(errno);
    } else if (!S_ISREG(status.stx_mode)) {
        entry.m_error = QCoreApplication::translate("DesktopEntry", "not a regular file");
    } else if (qint64(status.stx_size) > sizeLimit) {
        entry.m_error =
            QCoreApplication::translate("DesktopEntry", "too large for a desktop entry");
    } else {
        // Opened without blocking, so a FIFO in its place cannot stall the caller; it is refused
        // above as not regular.
        content.resize(qsizetype(status.stx_size));
        qsizetype filled = 0;
        while (filled < content.size()) {
            const ssize_t count =
                ::read(descriptor, content.data() + filled, std::size_t(content.size() - filled));
            if (count < 0 && errno == EINTR)
                continue;
            if (count < 0)
                entry.m_error = qt_error_string(errno);
            if (count <= 0)
                break;
            filled += count;
        }
        content.truncate(filled);
    }
    ::close(descriptor);
    if (!entry.m_error.isEmpty())
        return entry;
    if (date) {
        const bool hasBirth = (status.stx_mask & STATX_BTIME) && status.stx_btime.tv_sec != 0;
        const statx_timestamp& time = hasBirth ? status.stx_btime : status.stx_mtime;
        *date = QDateTime::fromMSecsSinceEpoch(time.tv_sec * 1000 + time.tv_nsec / 1000000);
    }
    return parse(content);
}

QStringList DesktopEntry::groups() const
{
    QStringList names;
    for (const Group& each : m_groups)
        names.append(each.name);
    return names;
}

const DesktopEntry::Group* DesktopEntry::group(const QString& name) const
{
    for (const Group& each : m_groups) {
        if (each.name == name)
            return &each;
    }
    return nullptr;
}

bool DesktopEntry::hasKey(const QString& key, const QString& groupName) const
{
    const Group* found = group(groupName);
    return found && found->values.contains(key);
}

QString DesktopEntry::rawValue(const QString& key, const QString& groupName) const
{
    const Group* found = group(groupName);
    return found ? found->values.value(key) : QString();
}

QString DesktopEntry::value(const QString& key, const QString& groupName) const
{
    return unescape(rawValue(key, groupName));
}

QString DesktopEntry::localizedValue(const QString& key, const QStringList& locales,
                                     const QString& groupName) const
{
    const Group* found = group(groupName);
    if (!found)
        return {};
    for (const QString& locale : locales) {
        const auto localized = found->values.constFind(key + u'[' + locale + u']');
        if (localized != found->values.cend())
            return unescape(*localized);
    }
    return unescape(found->values.value(key));
}

bool DesktopEntry::booleanValue(const QString& key, bool fallback, const QString& groupName) const
{
    const QString raw = rawValue(key, groupName).trimmed();
    if (raw == u"true")
        return true;
    if (raw == u"false")
        return false;
    return fallback;
}

QStringList DesktopEntry::listValue(const QString& key, const QString& groupName) const
{
    const QString raw = rawValue(key, groupName);
    QStringList items;
    QString current;
    for (qsizetype index = 0; index < raw.size(); ++index) {
        const QChar character = raw.at(index);
        if (character == u'\\' && index + 1 < raw.size()) {
            if (raw.at(index + 1) == u';') {
                current.append(u';');
            } else {
                current.append(character).append(raw.at(index + 1));
            }
            ++index;
        } else if (character == u';') {
            items.append(unescape(current));
            current.clear();
        } else {
            current.append(character);
        }
    }
    if (!current.isEmpty())
        items.append(unescape(current));
    return items;
}

QString DesktopEntry::incompleteReason() const
{
    if (!isValid())
        return m_error;
    const QString type = value(QStringLiteral("Type"));
    if (type.isEmpty())
        return QCoreApplication::translate("DesktopEntry", "no Type key");
    if (value(QStringLiteral("Name")).isEmpty())
        return QCoreApplication::translate("DesktopEntry", "no Name key");
    if (type == u"Application" && value(QStringLiteral("Exec")).isEmpty() &&
        !booleanValue(QStringLiteral("DBusActivatable")))
        return QCoreApplication::translate("DesktopEntry", "an application without an Exec key");
    return {};
}

bool DesktopEntry::isShownIn(const QStringList& desktops) const
{
    const QStringList only = listValue(QStringLiteral("OnlyShowIn"));
    const QStringList hiddenIn = listValue(QStringLiteral("NotShowIn"));
    for (const QString& desktop : desktops) {
        if (only.contains(desktop))
            return true;
        if (hiddenIn.contains(desktop))
            return false;
    }
    return only.isEmpty();
}

QStringList DesktopEntry::localeCandidates(const QString& locale)
{
    QString rest = locale;
    QString modifier;
    if (const qsizetype at = rest.indexOf(u'@'); at >= 0) {
        modifier = rest.mid(at + 1);
        rest.truncate(at);
    }
    if (const qsizetype dot = rest.indexOf(u'.'); dot >= 0)
        rest.truncate(dot);
    QString country;
    if (const qsizetype underscore = rest.indexOf(u'_'); underscore >= 0) {
        country = rest.mid(underscore + 1);
        rest.truncate(underscore);
    }
    const QString& language = rest;
    if (language.isEmpty() || language == u"C" || language == u"POSIX")
        return {};
    QStringList candidates;
    if (!country.isEmpty() && !modifier.isEmpty())
        candidates.append(language + u'_' + country + u'@' + modifier);
    if (!country.isEmpty())
        candidates.append(language + u'_' + country);
    if (!modifier.isEmpty())
        candidates.append(language + u'@' + modifier);
    candidates.append(language);
    return candidates;
}

QString DesktopEntry::messagesLocale()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty())
            return value;
    }
    return {};
}

QStringList DesktopEntry::preferredLocales()
{
    const QStringList own = localeCandidates(messagesLocale());
    if (own.isEmpty())
        return own;
    QStringList locales;
    for (const QString& language : qEnvironmentVariable("LANGUAGE").split(u':', Qt::SkipEmptyParts))
        locales.append(localeCandidates(language));
    locales.append(own);
    locales.removeDuplicates();
    return locales;
}

QString DesktopEntry::unescape(const QString& raw)
{
    if (!raw.contains(u'\\'))
        return raw;
    QString text;
    text.reserve(raw.size());
    for (qsizetype index = 0; index < raw.size(); ++index) {
        const QChar character = raw.at(index);
        if (character != u'\\' || index + 1 == raw.size()) {
            text.append(character);
            continue;
        }
        const QChar next = raw.at(++index);
        switch (next.unicode()) {
        case u's':
            text.append(u' ');
            break;
        case u'n':
            text.append(u'\n');
            break;
        case u't':
            text.append(u'\t');
            break;
        case u'r':
            text.append(u'\r');
            break;
        case u'\\':
            text.append(u'\\');
            break;
        default: // not an escape of the format: kept as written
            text.append(character).append(next);
        }
    }
    return text;
}

QString DesktopEntry::escape(const QString& text)
{
    QString raw;
    raw.reserve(text.size());
    for (qsizetype index = 0; index < text.size(); ++index) {
        const QChar character = text.at(index);
        switch (character.unicode()) {
        case u'\\':
            raw.append(u"\\\\");
            break;
        case u'\n':
            raw.append(u"\\n");
            break;
        case u'\t':
            raw.append(u"\\t");
            break;
        case u'\r':
            raw.append(u"\\r");
            break;
        case u' ':
            // Leading spaces would be lost after "=".
            raw.append(index == 0 ? QStringLiteral("\\s") : QStringLiteral(" "));
            break;
        default:
            raw.append(character);
        }
    }
    return raw;
}

QByteArray DesktopEntry::withValue(const QByteArray& content, const QString& key,
                                   const QString& rawValue)
{
    const QByteArray line = key.toUtf8() + '=' + rawValue.toUtf8() + '\n';
    qsizetype afterHeader = 0;
    qsizetype end = 0;
    if (!mainGroupRange(content, &afterHeader, &end))
        return "[Desktop Entry]\n" + line + content;
    const QByteArray wanted = key.toUtf8();
    for (qsizetype position = afterHeader; position < end;) {
        const qsizetype lineEnd = content.indexOf('\n', position);
        const qsizetype next = lineEnd < 0 ? content.size() : lineEnd + 1;
        if (lineKey(content.mid(position, next - position)) == wanted)
            return content.left(position) + line + content.mid(next);
        position = next;
    }
    QByteArray result = content;
    if (afterHeader > 0 && result.at(afterHeader - 1) != '\n') {
        result.insert(afterHeader, '\n');
        ++afterHeader;
    }
    return result.insert(afterHeader, line);
}

QByteArray DesktopEntry::withoutKey(const QByteArray& content, const QString& key)
{
    qsizetype afterHeader = 0;
    qsizetype end = 0;
    if (!mainGroupRange(content, &afterHeader, &end))
        return content;
    const QByteArray wanted = key.toUtf8();
    QByteArray result = content.left(afterHeader);
    for (qsizetype position = afterHeader; position < end;) {
        const qsizetype lineEnd = content.indexOf('\n', position);
        const qsizetype next = lineEnd < 0 ? content.size() : lineEnd + 1;
        const QByteArray line = content.mid(position, next - position);
        if (lineKey(line) != wanted)
            result.append(line);
        position = next;
    }
    return result + content.mid(end);
}
