// corvella-cli's Startup Items commands: the login items listed, added, removed, switched.
#include "app/cli/CommandLine.h"
#include "app/cli/CommandLineArguments.h"
#include "app/cli/CommandLineText.h"
#include "startup/LoginItemList.h"
#include "startup/StartAtLogin.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>

int CommandLine::startup(const CommandLineArguments& arguments)
{
    if (!arguments.operands().isEmpty())
        return usage(tr("startup takes [--json], \"add PATH\" or "
                        "\"remove|enable|disable NAME\""));
    const QList<ASLoginStartItem> items = LoginItemList().items();
    if (arguments.json()) {
        QJsonArray rows;
        for (const ASLoginStartItem& item : items) {
            rows.append(QJsonObject{
                {QStringLiteral("name"), item.name},
                {QStringLiteral("path"), item.path},
                {QStringLiteral("fileNames"), QJsonArray::fromStringList(item.fileNames)},
                {QStringLiteral("entry"), item.entryPath},
                {QStringLiteral("enabled"), item.enabled},
                {QStringLiteral("system"), item.isSystemApp}});
        }
        printJson(rows);
        return 0;
    }
    // The first column as wide as its longer word.
    const QString enabled = tr("enabled", "a login item that starts at login");
    const QString disabled = tr("disabled", "a login item kept from starting");
    const qsizetype width = std::max(enabled.size(), disabled.size());
    for (const ASLoginStartItem& item : items) {
        m_out << (item.enabled ? enabled : disabled).leftJustified(width) << '\t'
              << (item.isSystemApp ? tr("system", "a login item of the system")
                                   : tr("user", "a login item of the user"))
              << '\t' << CommandLineText::printableText(item.fileNames.join(u',')) << '\t'
              << CommandLineText::printableText(item.name) << '\t'
              << CommandLineText::printableText(item.path) << '\n';
    }
    m_out.flush();
    return 0;
}

int CommandLine::startupAdd(const CommandLineArguments& arguments)
{
    return startupChange(arguments, QStringLiteral("add"));
}

int CommandLine::startupRemove(const CommandLineArguments& arguments)
{
    return startupChange(arguments, QStringLiteral("remove"));
}

int CommandLine::startupEnable(const CommandLineArguments& arguments)
{
    return startupChange(arguments, QStringLiteral("enable"));
}

int CommandLine::startupDisable(const CommandLineArguments& arguments)
{
    return startupChange(arguments, QStringLiteral("disable"));
}

int CommandLine::startupChange(const CommandLineArguments& arguments, const QString& verb)
{
    if (arguments.operands().size() != 1)
        return usage(tr("startup takes [--json], \"add PATH\" or "
                        "\"remove|enable|disable NAME\""));
    const QString operand = QFile::decodeName(arguments.operandBytes().first());
    const LoginItemList list;
    LoginItemList::Result result;
    if (verb == u"add")
        result = list.add(operand);
    else if (verb == u"remove")
        result = list.remove(operand);
    else
        result = list.setEnabled(operand, verb == u"enable");
    if (!result.succeeded()) {
        m_err << "corvella-cli: " << result.error << Qt::endl;
        return 1;
    }
    return 0;
}

int CommandLine::settingsLogin(const CommandLineArguments& arguments)
{
    const QStringList operands = arguments.operands();
    if (operands.size() > 1 ||
        (operands.size() == 1 && operands.first() != u"on" && operands.first() != u"off"))
        return usage(tr("settings login takes nothing, \"on\" or \"off\""));
    const StartAtLogin login;
    if (operands.isEmpty()) {
        m_out << (login.isOn() ? "on" : "off") << Qt::endl;
        return 0;
    }
    if (const LoginItemList::Result result = login.setOn(operands.first() == u"on");
        !result.succeeded()) {
        m_err << "corvella-cli: " << result.error << Qt::endl;
        return 1;
    }
    return 0;
}
