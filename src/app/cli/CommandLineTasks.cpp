// corvella-cli's Task Manager commands: the application list, ending processes, the load.
#include "app/cli/CommandLine.h"
#include "app/cli/CommandLineArguments.h"
#include "app/cli/CommandLineText.h"
#include "tasks/ApplicationCloser.h"
#include "tasks/SystemLoadSampler.h"
#include "tasks/TaskListBuilder.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

#include <limits>
#include <optional>

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

// The longest wait --force-after accepts.
constexpr double longestForceAfter = 3600;

} // namespace

int CommandLine::tasksEnd(const CommandLineArguments& arguments)
{
    const bool force = arguments.isSet("force");
    double forceAfter = ApplicationCloser::DefaultGraceMilliseconds / 1000.0;
    if (arguments.isSet("force-after")) {
        const std::optional<double> seconds =
            CommandLineText::seconds(arguments.value("force-after"), longestForceAfter);
        if (!seconds)
            return usage(tr("--force-after takes a number of seconds from 0 to 3600"));
        if (force)
            return usage(tr("tasks end takes --force or --force-after, not both"));
        forceAfter = *seconds;
    }
    QList<int> pids;
    for (const QString& argument : arguments.operands()) {
        // Decimal digits only: " 5", "+7" or "0x10" never name a process by accident.
        const std::optional<qint64> pid =
            CommandLineText::decimal(argument, std::numeric_limits<int>::max());
        if (!pid || *pid == 0)
            return usage(
                tr("\"%1\" is not a process ID").arg(CommandLineText::printableText(argument)));
        pids.append(int(*pid));
    }
    if (pids.isEmpty())
        return usage(tr("tasks end takes one or more process IDs"));
    // The close request first, the termination signal only after forceAfter seconds.
    int status = 0;
    for (const auto& result : ApplicationCloser::endProcesses(pids, force, forceAfter)) {
        if (result.outcome == ApplicationCloser::Outcome::Quit) {
            m_out << CommandLineText::printableText(result.text()) << Qt::endl;
        } else {
            m_err << "corvella-cli: " << CommandLineText::printableText(result.text()) << Qt::endl;
            status = 1;
        }
    }
    return status;
}

int CommandLine::tasks(const CommandLineArguments& arguments)
{
    if (!arguments.operands().isEmpty())
        return usage(tr("tasks takes \"--json\" or \"end PID...\""));
    QString noWindows;
    TaskListBuilder builder(TaskListBuilder::Options(),
                            TaskListBuilder::createWindowSource(&noWindows));
    builder.noWindowsBecause(noWindows);
    const QList<TaskManagerInfo> applications = builder.getAllProcess();
    // Only the applications' units were listed: say so, and do not call the list complete.
    const QString windowsError = builder.windowsError();
    if (!windowsError.isEmpty()) {
        m_err << "corvella-cli: "
              << tr("windows could not be listed (%1); only applications found by their "
                    "systemd units are shown")
                     .arg(windowsError)
              << Qt::endl;
    }
    if (arguments.json()) {
        QJsonArray list;
        for (const TaskManagerInfo& record : applications) {
            list.append(QJsonObject{{QStringLiteral("pID"), record.pID},
                                    {QStringLiteral("name"), record.name},
                                    {QStringLiteral("bIsSelected"), record.bIsSelected},
                                    {QStringLiteral("appId"), record.appId}});
        }
        printJson(list);
        return windowsError.isEmpty() ? 0 : 1;
    }
    for (const TaskManagerInfo& record : applications) {
        m_out << record.pID << '\t' << (record.bIsSelected ? "[x]" : "[ ]") << '\t'
              << CommandLineText::printableText(record.name) << '\t'
              << CommandLineText::printableText(record.appId) << '\n';
    }
    m_out.flush();
    return windowsError.isEmpty() ? 0 : 1;
}

int CommandLine::load(const CommandLineArguments& arguments)
{
    const bool json = arguments.json();
    int samples = 1;
    if (!arguments.operands().isEmpty())
        return usage(tr("load takes \"--json\" and \"--samples N\""));
    if (arguments.isSet("samples")) {
        const std::optional<qint64> count =
            CommandLineText::decimal(arguments.value("samples"), std::numeric_limits<int>::max());
        if (!count || *count < 1)
            return usage(tr("--samples takes a count of 1 or more"));
        samples = int(*count);
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
            m_out << tr("CPU %1\tMemory %2")
                         .arg(reading.cpuPercent
                                  ? SystemLoadSampler::percentText(*reading.cpuPercent)
                                  : tr("(not sampled)"),
                              SystemLoadSampler::percentText(reading.memoryPercent))
                  << Qt::endl;
        }
    }
    return 0;
}
