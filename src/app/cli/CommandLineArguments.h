#pragma once

#include "app/cli/CommandLineCommand.h"

#include <QByteArray>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

// The arguments of one corvella-cli command parsed against its row of the command table:
// options anywhere, "--" ends them, an unknown option is an error. Operands and option values
// come back as text, or as the exact bytes argv held (for paths).
class CommandLineArguments {
public:
    // `arguments` follow the command's name (and verb) and were decoded with
    // CommandLineText::decodeName. False with `error` set on a usage error.
    bool parse(const CommandLineCommand& command, const QStringList& arguments, QString* error);

    bool helpRequested() const { return isSet("help"); }
    // --json: every command that offers it prints JSON instead of plain lines.
    bool json() const { return isSet("json"); }
    bool isSet(const char* option) const;
    QString value(const char* option) const;
    QByteArray valueBytes(const char* option) const;
    const QStringList& operands() const { return m_operands; }
    QList<QByteArray> operandBytes() const;

private:
    QCommandLineParser m_parser;
    QStringList m_operands;
    QStringList m_defined; // long names of the options this command takes
};
