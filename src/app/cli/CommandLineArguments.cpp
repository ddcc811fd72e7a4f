#include "app/cli/CommandLineArguments.h"

#include "app/cli/CommandLineText.h"

#include <QCoreApplication>

bool CommandLineArguments::parse(const CommandLineCommand& command, const QStringList& arguments,
                                 QString* error)
{
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    m_parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    m_parser.addOption(
        QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    m_defined.append(QStringLiteral("help"));
    for (const CommandLineOption& option : command.options) {
        QStringList names{QLatin1StringView(option.name)};
        m_defined.append(names.first());
        if (option.shortName != '\0')
            names.prepend(QString(QLatin1Char(option.shortName)));
        m_parser.addOption(
            option.valueName != nullptr
                ? QCommandLineOption(names, QString(), QLatin1StringView(option.valueName))
                : QCommandLineOption(names));
    }
    if (!m_parser.parse(QStringList{command.fullName()} + arguments)) {
        *error = m_parser.errorText();
        return false;
    }
    m_operands = m_parser.positionalArguments();
    // An option given twice would silently drop a value; every option here is given at most once.
    for (const CommandLineOption& option : command.options) {
        if (m_parser.values(QLatin1StringView(option.name)).size() > 1) {
            *error = QCoreApplication::translate("CommandLine", "--%1 may be given only once")
                         .arg(QLatin1StringView(option.name));
            return false;
        }
    }
    return true;
}

bool CommandLineArguments::isSet(const char* option) const
{
    // QCommandLineParser warns about a name it was not given: --json is asked of every command.
    const QString name = QLatin1StringView(option);
    return m_defined.contains(name) && m_parser.isSet(name);
}

QString CommandLineArguments::value(const char* option) const
{
    return m_parser.value(QLatin1StringView(option));
}

QByteArray CommandLineArguments::valueBytes(const char* option) const
{
    return CommandLineText::encodeName(value(option));
}

QList<QByteArray> CommandLineArguments::operandBytes() const
{
    QList<QByteArray> bytes;
    for (const QString& operand : m_operands)
        bytes.append(CommandLineText::encodeName(operand));
    return bytes;
}
