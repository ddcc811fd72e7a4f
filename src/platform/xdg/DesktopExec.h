#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The "Exec" key of a desktop entry: splitting it into arguments by its quoting rules and
// expanding its field codes into the command lines to run. Nothing here goes near a shell; the
// result is an argument vector.
//
// Quoting (applied after the string escapes of the value are undone): arguments are separated
// by spaces; inside double quotes a backslash escapes '"', '`', '$' and '\'; outside quotes a
// backslash escapes the next character; single quotes hold text literally, as the shell parsers
// of other implementations accept them.
//
// Field codes: %f one file, %F files, %u one URL, %U URLs, %i "--icon" and the Icon key when it
// is set, %c the localised Name, %k the entry's own path, %% a percent sign. The deprecated
// %d %D %n %N %v %m and unknown codes are dropped. An argument that is only %f/%u/%F/%U/%i and
// expands to nothing is dropped. With several inputs and only %f or %u in the template, the
// program is run once per input.
class DesktopExec {
public:
    struct Context {
        QStringList inputs; // local paths or URLs
        QString icon;       // the Icon key
        QString name;       // the localised Name
        QString location;   // the entry's path
    };

    DesktopExec() = delete;

    // The arguments of an unescaped Exec value; error set (and nothing returned) for an
    // unterminated quote or an empty command.
    static QStringList split(const QString& exec, QString* error);
    // One argument written by the quoting rules (quoted only when it needs to be).
    static QString quote(const QString& argument);
    // The command lines for the template (as split() gives it) and the context.
    static QList<QStringList> expand(const QStringList& arguments, const Context& context);
    // Whether the template takes inputs (%f %F %u %U).
    static bool takesInputs(const QStringList& arguments);
};
