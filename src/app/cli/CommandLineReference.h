#pragma once

#include "app/cli/CommandLineCommand.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QStringView>

// corvella-cli's man page and its bash, zsh and fish completions, written from the command
// table so that they name exactly the commands, verbs and options the parser takes. The build
// runs `corvella-cli --generate KIND FILE` for each; the texts are the table's English ones.
// Stateless; safe on any thread.
class CommandLineReference {
public:
    CommandLineReference() = delete;

    // "man", "bash", "zsh", "fish".
    static QStringList kinds();
    // The file of that kind for `commands`, the rows in table order; empty for an unknown kind.
    static QByteArray generate(QStringView kind, const QList<CommandLineCommand>& commands);
};
