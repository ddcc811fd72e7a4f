// corvella-cli's Task Manager commands: the application list, ending processes, the load.
#include "app/cli/CommandLine.h"
#include "app/cli/CommandLineArguments.h"
#include "app/cli/CommandLineText.h"
#include "platform/ProcProcesses.h"
#include "platform/ProcessHandle.h"
#include "tasks/SystemLoadSampler.h"
#include "tasks/TaskListBuilder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

#include <csignal>
#include <limits>
#include <memory>
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

struct Ending {
    int pid = 0;
    QString name;
    std::shared_ptr<ProcessHandle> process;
    int error = 0;
};

// How `tasks end` ends its processes, as the command line gave it.
struct EndOptions {
    bool force = false;                      // --force: the termination signal at once
    std::optional<double> forceAfterSeconds; // --force-after: the kill signal after that long
};

// The longest wait --force-after accepts.
constexpr double longestForceAfter = 3600;

// Ends each process: the termination signal (SIGTERM) through its pidfd, and with
// forceAfterSeconds the kill signal (SIGKILL) for what outlived it. One line of outcome per
// process, on `out` or, for a failure, `err`; 1 when one could not be ended.
int endProcesses(QList<Ending>& endings, const EndOptions& options, QTextStream& out,
                 QTextStream& err)
{
    for (Ending& ending : endings) {
        // Neither init nor this command: ending either is never what was meant.
        if (ending.pid == 1 || ending.pid == QCoreApplication::applicationPid()) {
            ending.error = EPERM;
            continue;
        }
        ending.process = ProcessHandle::open(ending.pid, std::nullopt, &ending.error);
        if (ending.process)
            ending.error = ending.process->sendSignal(SIGTERM);
    }
    int status = 0;
    const QDeadlineTimer deadline(qint64(options.forceAfterSeconds.value_or(0) * 1000));
    for (const Ending& ending : std::as_const(endings)) {
        const QString who = ending.name.isEmpty()
                                ? QString::number(ending.pid)
                                : QStringLiteral("%1 (%2)")
                                      .arg(ending.pid)
                                      .arg(CommandLineText::printableText(ending.name));
        if (ending.error != 0) {
            err << "corvella-cli: could not end " << who << ": "
                << ProcessHandle::describeError(ending.error) << Qt::endl;
            status = 1;
            continue;
        }
        if (!options.forceAfterSeconds) {
            out << who << ": asked to quit (SIGTERM)" << Qt::endl;
            continue;
        }
        if (ending.process->waitForExit(int(deadline.remainingTime()))) {
            out << who << ": quit" << Qt::endl;
            continue;
        }
        const int error = ending.process->sendSignal(SIGKILL);
        if (error == 0 && ending.process->waitForExit(5000)) {
            out << who << ": force-quit (SIGKILL)" << Qt::endl;
        } else if (error == ESRCH) {
            out << who << ": quit" << Qt::endl;
        } else {
            err << "corvella-cli: could not end " << who << ": "
                << (error != 0 ? ProcessHandle::describeError(error)
                               : QStringLiteral("it is still running after SIGKILL"))
                << Qt::endl;
            status = 1;
        }
    }
    return status;
}

} // namespace

int CommandLine::tasksEnd(const CommandLineArguments& arguments)
{
    EndOptions options;
    options.force = arguments.isSet("force");
    if (arguments.isSet("force-after")) {
        options.forceAfterSeconds =
            CommandLineText::seconds(arguments.value("force-after"), longestForceAfter);
        if (!options.forceAfterSeconds)
            return usage(QStringLiteral("--force-after takes a number of seconds from 0 to 3600"));
    }
    if (options.force && options.forceAfterSeconds)
        return usage(QStringLiteral("tasks end takes --force or --force-after, not both"));
    QList<Ending> endings;
    for (const QString& argument : arguments.operands()) {
        // Decimal digits only: " 5", "+7" or "0x10" never name a process by accident.
        const std::optional<qint64> pid =
            CommandLineText::decimal(argument, std::numeric_limits<int>::max());
        if (!pid || *pid == 0)
            return usage(QStringLiteral("\"%1\" is not a process ID")
                             .arg(CommandLineText::printableText(argument)));
        endings.append({int(*pid), ProcProcesses().executableName(int(*pid)), nullptr, 0});
    }
    if (endings.isEmpty())
        return usage(QStringLiteral("tasks end takes one or more process IDs"));
    return endProcesses(endings, options, m_out, m_err);
}

int CommandLine::tasks(const CommandLineArguments& arguments)
{
    if (!arguments.operands().isEmpty())
        return usage(QStringLiteral("tasks takes \"--json\" or \"end PID...\""));
    TaskListBuilder builder(TaskListBuilder::Options(), TaskListBuilder::createWindowSource());
    const QList<TaskManagerInfo> applications = builder.getAllProcess();
    if (arguments.json()) {
        QJsonArray list;
        for (const TaskManagerInfo& record : applications) {
            list.append(QJsonObject{{QStringLiteral("pID"), record.pID},
                                    {QStringLiteral("name"), record.name},
                                    {QStringLiteral("bIsSelected"), record.bIsSelected},
                                    {QStringLiteral("appId"), record.appId}});
        }
        printJson(list);
        return 0;
    }
    for (const TaskManagerInfo& record : applications) {
        m_out << record.pID << '\t' << (record.bIsSelected ? "[x]" : "[ ]") << '\t'
              << CommandLineText::printableText(record.name) << '\t'
              << CommandLineText::printableText(record.appId) << '\n';
    }
    m_out.flush();
    return 0;
}

int CommandLine::load(const CommandLineArguments& arguments)
{
    const bool json = arguments.json();
    int samples = 1;
    if (!arguments.operands().isEmpty())
        return usage(QStringLiteral("load takes \"--json\" and \"--samples N\""));
    if (arguments.isSet("samples")) {
        const std::optional<qint64> count =
            CommandLineText::decimal(arguments.value("samples"), std::numeric_limits<int>::max());
        if (!count || *count < 1)
            return usage(QStringLiteral("--samples takes a count of 1 or more"));
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
            m_out << "CPU "
                  << (reading.cpuPercent ? SystemLoadSampler::percentText(*reading.cpuPercent)
                                         : QStringLiteral("(not sampled)"))
                  << "\tMemory " << SystemLoadSampler::percentText(reading.memoryPercent)
                  << Qt::endl;
        }
    }
    return 0;
}
