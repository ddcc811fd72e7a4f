#pragma once

#include <QList>
#include <QString>

class CommandLine;
class CommandLineArguments;

// One option of a corvella-cli command, as the command table states it.
struct CommandLineOption {
    const char* name;                // "force-after", given as --force-after
    char shortName = '\0';           // 'q' for -q; '\0' for none
    const char* valueName = nullptr; // "SECONDS" when the option takes a value; a name ending
                                     // in "PATH" ("NEWPATH") is completed as a file name
    const char* description = "";    // one line, English, translated when printed
};

// One row of corvella-cli's command table. The table is the only list of commands: it drives
// dispatch, parsing, `--help`, `help COMMAND` and the usage text, and the man page and the shells'
// completions are written from it at build time (CommandLineReference). Every text is a plain
// English string marked for translation (context "CommandLine") and translated when printed;
// the man page and the completions carry the English.
struct CommandLineCommand {
    // What the operands are, for a completion: nothing, free text, paths (passed on as the
    // exact bytes of argv, so names that are not UTF-8 keep working), or names of commands.
    enum class Operands { None, Text, Paths, Commands };
    using Handler = int (CommandLine::*)(const CommandLineArguments&);

    const char* name;     // "tasks"
    const char* verb;     // "end", or "" for the command without a verb
    Handler handler;      // nullptr for "help", which the dispatcher answers itself
    const char* synopsis; // what follows "corvella-cli tasks end": "PID... [--force]"
    const char* summary;  // one line
    Operands operands = Operands::None;
    QList<CommandLineOption> options = {};

    // "tasks end", or "tasks".
    QString fullName() const;
};
