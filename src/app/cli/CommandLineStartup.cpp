// corvella-cli's Startup Items commands: the login items listed, added, removed, switched.
#include "app/cli/CommandLine.h"
#include "startup/LoginItemList.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

int CommandLine::startup(const QStringList& arguments)
{
    const LoginItemList list;
    const QString verb = arguments.value(0);
    if (arguments.isEmpty() || (arguments.size() == 1 && verb == u"--json")) {
        const QList<ASLoginStartItem> items = list.items();
        if (verb == u"--json") {
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
            m_out << QJsonDocument(rows).toJson(QJsonDocument::Indented);
        } else {
            for (const ASLoginStartItem& item : items) {
                m_out << (item.enabled ? "enabled " : "disabled") << '\t'
                      << (item.isSystemApp ? "system" : "user") << '\t' << item.fileNames.join(u',')
                      << '\t' << item.name << '\t' << item.path << '\n';
            }
        }
        m_out.flush();
        return 0;
    }
    if (arguments.size() != 2)
        return usage(QStringLiteral("startup takes [--json], \"add PATH\" or "
                                    "\"remove|enable|disable NAME\""));
    LoginItemList::Result result;
    if (verb == u"add")
        result = list.add(arguments.at(1));
    else if (verb == u"remove")
        result = list.remove(arguments.at(1));
    else if (verb == u"enable" || verb == u"disable")
        result = list.setEnabled(arguments.at(1), verb == u"enable");
    else
        return usage(QStringLiteral("unknown startup command \"%1\"").arg(verb));
    if (!result.succeeded()) {
        m_err << "corvella-cli: " << result.error << Qt::endl;
        return 1;
    }
    return 0;
}
