// corvella-cli's Task Manager commands: the application list, ending processes, the load.
#include "app/cli/CommandLine.h"
#include "tasks/ApplicationCloser.h"
#include "tasks/SystemLoadSampler.h"
#include "tasks/TaskListBuilder.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

namespace {

QJsonObject memoryJson(const SSMemoryInfo& info)
{
    return {{QStringLiteral("totalMemory"), double(info.totalMemory)},
            {QStringLiteral("freeMemory"), double(info.freeMemory)},
            {QStringLiteral("wiredMemory"), double(info.wiredMemory)},
            {QStringLiteral("activeMemory"), double(info.activeMemory)},
            {QStringLiteral("inactiveMemory"), double(info.inactiveMemory)},
            {QStringLiteral("usedMomory"), double(info.usedMomory)},
            {QStringLiteral("pageIn"), double(info.pageIn)},
            {QStringLiteral("pageOut"), double(info.pageOut)},
            {QStringLiteral("virtualMemory"), double(info.virtualMemory)}};
}

double oneDecimal(double percent)
{
    return std::round(percent * 10.0) / 10.0;
}

} // namespace

int CommandLine::tasks(const QStringList& arguments)
{
    if (arguments.value(0) == u"end") {
        QList<int> pids;
        bool force = false;
        double forceAfter = ApplicationCloser::DefaultGraceMilliseconds / 1000.0;
        for (qsizetype index = 1; index < arguments.size(); ++index) {
            const QString& argument = arguments.at(index);
            if (argument == u"--force") {
                force = true;
                continue;
            }
            if (argument == u"--force-after") {
                bool ok = false;
                forceAfter = arguments.value(++index).toDouble(&ok);
                if (!ok || !(forceAfter >= 0 && forceAfter <= 3600))
                    return usage(QStringLiteral("--force-after takes a number of seconds "
                                                "from 0 to 3600"));
                continue;
            }
            bool ok = false;
            const int pid = argument.toInt(&ok);
            if (!ok)
                return usage(QStringLiteral("\"%1\" is not a process ID").arg(argument));
            pids.append(pid);
        }
        if (pids.isEmpty())
            return usage(QStringLiteral("tasks end takes one or more process IDs"));
        // The close request first, the termination signal only after forceAfter seconds.
        int status = 0;
        for (const auto& result : ApplicationCloser::endProcesses(pids, force, forceAfter)) {
            if (result.outcome == ApplicationCloser::Outcome::Quit) {
                m_out << result.text() << Qt::endl;
            } else {
                m_err << "corvella-cli: " << result.text() << Qt::endl;
                status = 1;
            }
        }
        return status;
    }

    bool json = false;
    for (const QString& argument : arguments) {
        if (argument == u"--json")
            json = true;
        else
            return usage(QStringLiteral("tasks takes \"--json\" or \"end PID...\""));
    }
    QString noWindows;
    TaskListBuilder builder(TaskListBuilder::Options(),
                            TaskListBuilder::createWindowSource(&noWindows));
    builder.noWindowsBecause(noWindows);
    const QList<TaskManagerInfo> applications = builder.getAllProcess();
    // Only the applications' units were listed: say so, and do not call the list complete.
    const QString windowsError = builder.windowsError();
    if (!windowsError.isEmpty()) {
        m_err << "corvella-cli: windows could not be listed (" << windowsError
              << "); only applications found by their systemd units are shown" << Qt::endl;
    }
    if (json) {
        QJsonArray list;
        for (const TaskManagerInfo& record : applications) {
            list.append(QJsonObject{{QStringLiteral("pID"), record.pID},
                                    {QStringLiteral("name"), record.name},
                                    {QStringLiteral("bIsSelected"), record.bIsSelected},
                                    {QStringLiteral("appId"), record.appId}});
        }
        m_out << QJsonDocument(list).toJson(QJsonDocument::Indented);
    } else {
        for (const TaskManagerInfo& record : applications) {
            m_out << record.pID << '\t' << (record.bIsSelected ? "[x]" : "[ ]") << '\t'
                  << record.name << '\t' << record.appId << '\n';
        }
    }
    m_out.flush();
    return windowsError.isEmpty() ? 0 : 1;
}

int CommandLine::load(const QStringList& arguments)
{
    bool json = false;
    int samples = 1;
    for (qsizetype index = 0; index < arguments.size(); ++index) {
        if (arguments.at(index) == u"--json") {
            json = true;
        } else if (arguments.at(index) == u"--samples") {
            bool ok = false;
            samples = arguments.value(++index).toInt(&ok);
            if (!ok || samples < 1)
                return usage(QStringLiteral("--samples takes a count of 1 or more"));
        } else {
            return usage(QStringLiteral("load takes \"--json\" and \"--samples N\""));
        }
    }
    SystemLoadSampler sampler;
    for (int sample = 0; sample < samples; ++sample) {
        // The tab's refresh interval: each reading covers the 2 s before it.
        QThread::msleep(2000);
        const SystemLoadReading reading = sampler.updateSysStat();
        if (json) {
            QJsonArray cpus;
            for (const double cpu : reading.cpus)
                cpus.append(oneDecimal(cpu));
            QJsonObject object{{QStringLiteral("cpus"), cpus},
                               {QStringLiteral("memory"), oneDecimal(reading.memoryPercent)},
                               {QStringLiteral("memoryInfo"), memoryJson(reading.memoryInfo)}};
            object.insert(QStringLiteral("cpu"), reading.cpuPercent
                                                     ? QJsonValue(oneDecimal(*reading.cpuPercent))
                                                     : QJsonValue());
            m_out << QJsonDocument(object).toJson(QJsonDocument::Compact) << Qt::endl;
        } else {
            m_out << "CPU "
                  << (reading.cpuPercent ? SystemLoadSampler::percentText(*reading.cpuPercent)
                                         : QStringLiteral("(not sampled)"))
                  << "\tMemory " << SystemLoadSampler::percentText(reading.memoryPercent)
                  << Qt::endl;
        }
    }
    return 0;
}
