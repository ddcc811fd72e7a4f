#pragma once

#include "app/cli/CommandLineCommand.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QJsonValue>
#include <QList>
#include <QStringList>
#include <QTextStream>
#include <QVariantMap>

class SettingsStore;

// corvella-cli: the command-line face of the core library. Its commands are the rows of one
// table, commands(): run() finds the row of the typed name and verb, parses its options with
// CommandLineArguments and calls the row's handler; `--help`, `help COMMAND` and the usage text
// are printed from the rows, and so are the man page and the shells' completions (--generate,
// CommandLineReference). The handlers live in one file per tool, CommandLine<Tool>.cpp, those
// of the settings here.
//
// Exit status: 0 on success; 1 when the command failed or partly failed (a missing setting, a
// path that does not exist, an item that could not be removed, a service that refused), said on
// standard error; 2 on a usage error (an unknown command or option, a bad value, a wrong number
// of operands), reported before anything is touched. Results go to standard output, messages to
// standard error.
class CommandLine {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    CommandLine();

    // The process's arguments as the bytes it was given (argv): paths keep names that are not
    // valid UTF-8.
    int run(const QList<QByteArray>& arguments);

    // Every command, in the order of the usage text.
    static const QList<CommandLineCommand>& commands();

private:
    int help(const QStringList& names);
    // Hidden from the help: `--generate man|bash|zsh|fish [FILE]` writes the man page or a
    // shell's completion made from the table (the build runs it).
    int generate(const QStringList& arguments);
    void printHelp(const QList<const CommandLineCommand*>& rows);
    void printOverview(QTextStream& stream);
    int usage(const QString& problem);
    // Prints a value of a command's --json output.
    void printJson(const QJsonValue& value);
    // Writes bytes to standard output as they are (names that are not UTF-8), after any text.
    void writeOut(const QByteArray& bytes);

    // The settings, after saying on standard error why the user's file could not be used.
    QVariantMap readSettings(SettingsStore& store);
    int settingsGet(const CommandLineArguments& arguments);
    int settingsSet(const CommandLineArguments& arguments);
    int settingsList(const CommandLineArguments& arguments);
    int settingsLogin(const CommandLineArguments& arguments);
    // One tool each, in CommandLine<Tool>.cpp.
    int scan(const CommandLineArguments& arguments);
    int trash(const CommandLineArguments& arguments);
    int erase(const CommandLineArguments& arguments);
    int remove(const CommandLineArguments& arguments, bool erase);
    int disks(const CommandLineArguments& arguments);
    int disksRename(const CommandLineArguments& arguments);
    int disksFormat(const CommandLineArguments& arguments);
    int disksEject(const CommandLineArguments& arguments);
    int tasks(const CommandLineArguments& arguments);
    int tasksEnd(const CommandLineArguments& arguments);
    int load(const CommandLineArguments& arguments);
    int apps(const CommandLineArguments& arguments);
    int appsOpen(const CommandLineArguments& arguments);
    int startup(const CommandLineArguments& arguments);
    int startupAdd(const CommandLineArguments& arguments);
    int startupRemove(const CommandLineArguments& arguments);
    int startupEnable(const CommandLineArguments& arguments);
    int startupDisable(const CommandLineArguments& arguments);
    int startupChange(const CommandLineArguments& arguments, const QString& verb);
    int volumeGet(const CommandLineArguments& arguments);
    int volumeSet(const CommandLineArguments& arguments);
    int volumeMute(const CommandLineArguments& arguments);
    int volumeWrite(double level);
    int brightnessGet(const CommandLineArguments& arguments);
    int brightnessSet(const CommandLineArguments& arguments);
    int sysinfo(const CommandLineArguments& arguments);
    int updateCheck(const CommandLineArguments& arguments);
    int trashList(const CommandLineArguments& arguments);
    int restore(const CommandLineArguments& arguments);
    int emptyTrash(const CommandLineArguments& arguments);
    int caches(const CommandLineArguments& arguments);

    QTextStream m_out;
    QTextStream m_err;
};
