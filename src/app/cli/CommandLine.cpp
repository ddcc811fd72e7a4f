#include "app/cli/CommandLine.h"

#include "common/SettingsStore.h"

#include <QFile>
#include <QVariantMap>

#include <cstdio>

namespace {

const char kUsage[] =
    "Usage: corvella-cli --version\n"
    "       corvella-cli settings get KEY\n"
    "       corvella-cli settings set KEY VALUE\n"
    "       corvella-cli settings list\n"
    "       corvella-cli scan PATH [--depth N] [--top N] [--json]\n"
    "       corvella-cli trash PATH...\n"
    "       corvella-cli erase PATH...\n"
    "       corvella-cli disks [--json]\n"
    "       corvella-cli disks rename VOLUME NAME\n"
    "       corvella-cli disks format VOLUME --type exfat|fat32|ext4 [--name NAME] --yes\n"
    "       corvella-cli disks eject VOLUME\n"
    "       corvella-cli tasks [--json]\n"
    "       corvella-cli tasks end PID... [--force | --force-after SECONDS]\n"
    "       corvella-cli load [--json] [--samples N]\n"
    "       corvella-cli apps [--json] [--search TEXT]\n"
    "       corvella-cli apps open ID\n"
    "       corvella-cli startup [--json]\n"
    "       corvella-cli startup add PATH\n"
    "       corvella-cli startup remove|enable|disable NAME\n"
    "       corvella-cli volume [get | set PERCENT | mute]\n"
    "       corvella-cli brightness [get | set PERCENT]\n"
    "       corvella-cli sysinfo [--json]\n"
    "       corvella-cli update-check [--json]\n"
    "       corvella-cli trash-list [--json]\n"
    "       corvella-cli restore PATH... [--as NEWPATH]\n"
    "       corvella-cli empty-trash\n";

} // namespace

CommandLine::CommandLine() : m_out(stdout), m_err(stderr) {}

int CommandLine::run(const QList<QByteArray>& arguments)
{
    QStringList rest;
    for (const QByteArray& argument : arguments.mid(1))
        rest.append(QFile::decodeName(argument));
    if (rest.isEmpty())
        return usage(QString());
    const QString& command = rest.first();
    if (command == u"--version" || command == u"-V") {
        m_out << "corvella-cli " << CORVELLA_VERSION << Qt::endl;
        return 0;
    }
    if (command == u"--help" || command == u"-h") {
        m_out << kUsage;
        return 0;
    }
    if (command == u"settings")
        return settings(rest.mid(1));
    if (command == u"scan")
        return scan(rest.mid(1));
    if (command == u"trash" || command == u"erase")
        return remove(arguments.mid(2), command == u"erase");
    if (command == u"disks")
        return disks(rest.mid(1));
    if (command == u"tasks")
        return tasks(rest.mid(1));
    if (command == u"load")
        return load(rest.mid(1));
    if (command == u"apps")
        return apps(rest.mid(1));
    if (command == u"startup")
        return startup(rest.mid(1));
    if (command == u"volume")
        return volume(rest.mid(1));
    if (command == u"brightness")
        return brightness(rest.mid(1));
    if (command == u"sysinfo")
        return sysinfo(rest.mid(1));
    if (command == u"update-check")
        return updateCheck(rest.mid(1));
    if (command == u"trash-list")
        return trashList(rest.mid(1));
    if (command == u"restore")
        return restore(arguments.mid(2));
    if (command == u"empty-trash")
        return emptyTrash(rest.mid(1));
    return usage(QStringLiteral("unknown command \"%1\"").arg(command));
}

int CommandLine::settings(const QStringList& arguments)
{
    SettingsStore store = SettingsStore::standard();
    const QString verb = arguments.value(0);
    if (verb == u"get" && arguments.size() == 2) {
        const QVariant value = store.value(arguments.at(1));
        if (value.isNull()) {
            m_err << "corvella-cli: no setting \"" << arguments.at(1) << "\" in "
                  << store.writablePath() << Qt::endl;
            return 1;
        }
        m_out << value.toString() << Qt::endl;
        return 0;
    }
    if (verb == u"set" && arguments.size() == 3) {
        if (!store.setValue(arguments.at(1), arguments.at(2))) {
            m_err << "corvella-cli: could not write " << store.writablePath()
                  << " (see the message above)" << Qt::endl;
            return 1;
        }
        return 0;
    }
    if (verb == u"list" && arguments.size() == 1) {
        const QVariantMap dictionary = store.dictionary();
        for (auto it = dictionary.cbegin(); it != dictionary.cend(); ++it)
            m_out << it.key() << '\t' << it.value().toString() << '\n';
        m_out.flush();
        return 0;
    }
    return usage(QStringLiteral("settings takes \"get KEY\", \"set KEY VALUE\" or \"list\""));
}

int CommandLine::notYetBuilt(const char* command)
{
    m_err << "corvella-cli: " << command << ": not available in this build" << Qt::endl;
    return 1;
}

int CommandLine::usage(const QString& problem)
{
    if (!problem.isEmpty())
        m_err << "corvella-cli: " << problem << '\n';
    m_err << kUsage;
    m_err.flush();
    return 2;
}
