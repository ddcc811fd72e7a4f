#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// One desktop entry file (".desktop"), parsed by the rules of the freedesktop Desktop Entry
// Specification: groups, keys with an optional locale ("Name[de_AT]"), the escapes of string
// values (\s \n \t \r \\), lists separated by ";" (with "\;" for a literal semicolon), and
// localised lookup in the order lang_COUNTRY@MODIFIER, lang_COUNTRY, lang@MODIFIER, lang, plain.
//
// Parsing is strict where a wrong guess would run the wrong program: a file that is not UTF-8,
// has a line that is neither a comment, a group header nor a key, has a key before the first
// group, repeats a group, or does not start with [Desktop Entry] is refused with a reason.
// A repeated key keeps its first value. Plain value type, safe to copy between threads.
class DesktopEntry {
public:
    // The group every key accessor reads unless told otherwise.
    static QString mainGroup() { return QStringLiteral("Desktop Entry"); }

    // An invalid (empty) entry; error() says why when it came from parse() or load().
    DesktopEntry() = default;

    static DesktopEntry parse(const QByteArray& content);
    // Reads a regular file of at most a megabyte; anything else is refused with a reason.
    static DesktopEntry load(const QString& path);
    // The same for the file `name` of an open folder (links followed); *date, when given, gets
    // the file's birth time, else its modification time.
    static DesktopEntry loadAt(int folderDescriptor, const char* name, QDateTime* date = nullptr);

    bool isValid() const { return m_error.isEmpty() && !m_groups.isEmpty(); }
    const QString& error() const { return m_error; }

    QStringList groups() const;
    bool hasKey(const QString& key, const QString& group = mainGroup()) const;
    // The value as written in the file, no escapes undone; empty when the key is missing.
    QString rawValue(const QString& key, const QString& group = mainGroup()) const;
    // The string value with its escapes undone.
    QString value(const QString& key, const QString& group = mainGroup()) const;
    // The best localised value for the locale candidates (see localeCandidates()), else value().
    QString localizedValue(const QString& key, const QStringList& locales,
                           const QString& group = mainGroup()) const;
    // "true" is true, "false" is false, anything else (or nothing) is the fallback.
    bool booleanValue(const QString& key, bool fallback = false,
                      const QString& group = mainGroup()) const;
    // A ";"-separated list, each item unescaped; a trailing empty item is dropped.
    QStringList listValue(const QString& key, const QString& group = mainGroup()) const;

    // Why this entry, though well formed, cannot describe an application or link ("Type" or
    // "Name" missing, an application without "Exec"); empty when it can.
    QString incompleteReason() const;

    // Whether the entry is shown on a desktop whose $XDG_CURRENT_DESKTOP names are `desktops`,
    // most specific first: the first of them that OnlyShowIn or NotShowIn lists decides (shown,
    // or not); when neither lists any, the entry is shown unless it has an OnlyShowIn list.
    // Names compare exactly, as the freedesktop menu and autostart rules say.
    bool isShownIn(const QStringList& desktops) const;

    // Locale names to try, best first, for a POSIX locale like "sr_RS.UTF-8@latin". "C" and
    // "POSIX" give none.
    static QStringList localeCandidates(const QString& locale);
    // The message locale of the process: LC_ALL, else LC_MESSAGES, else LANG.
    static QString messagesLocale();
    // The candidates of each language of $LANGUAGE, then of messagesLocale(); as gettext does,
    // $LANGUAGE counts only when that locale is not "C".
    static QStringList preferredLocales();

    static QString unescape(const QString& raw);
    // The escaped form of a string value (the inverse of unescape()), one line long.
    static QString escape(const QString& text);

    // The file's content with key set to rawValue in [Desktop Entry] (replacing the first line of
    // that key, or added after the group header); every other line is kept byte for byte.
    static QByteArray withValue(const QByteArray& content, const QString& key,
                                const QString& rawValue);
    // The content without any line of the key (all locales stay) in [Desktop Entry].
    static QByteArray withoutKey(const QByteArray& content, const QString& key);

private:
    struct Group {
        QString name;
        QHash<QString, QString> values;
    };
    const Group* group(const QString& name) const;

    QList<Group> m_groups;
    QString m_error;
};
