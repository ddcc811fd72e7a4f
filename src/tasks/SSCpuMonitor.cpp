#include "tasks/SSCpuMonitor.h"

namespace {

// A counter that went backwards (iowait does on Linux) counts as no ticks.
std::uint64_t ticksSince(std::uint64_t now, std::uint64_t before)
{
    return now >= before ? now - before : 0;
}

} // namespace

SSCpuMonitor::SSCpuMonitor(QString procRoot) : m_procRoot(std::move(procRoot)) {}

unsigned int SSCpuMonitor::getNumCPUs()
{
    if (std::optional<QList<CpuTicks>> ticks = ProcCpuTimes::read(m_procRoot))
        m_priorCPUTicks = std::move(*ticks);
    return cpuCount();
}

std::optional<QList<SSCpuMonitor::Sample>> SSCpuMonitor::monitorCPU()
{
    std::optional<QList<CpuTicks>> ticks = ProcCpuTimes::read(m_procRoot);
    if (!ticks)
        return std::nullopt;
    if (ticks->size() != m_priorCPUTicks.size()) {
        m_priorCPUTicks = std::move(*ticks);
        return std::nullopt;
    }
    QList<Sample> samples;
    samples.reserve(ticks->size());
    for (qsizetype cpu = 0; cpu < ticks->size(); ++cpu) {
        const CpuTicks& now = ticks->at(cpu);
        const CpuTicks& before = m_priorCPUTicks.at(cpu);
        const std::uint64_t user = ticksSince(now.user, before.user);
        const std::uint64_t nice = ticksSince(now.nice, before.nice);
        const std::uint64_t system =
            ticksSince(now.system, before.system) + ticksSince(now.irq, before.irq) +
            ticksSince(now.softirq, before.softirq) + ticksSince(now.steal, before.steal);
        const std::uint64_t idle =
            ticksSince(now.idle, before.idle) + ticksSince(now.iowait, before.iowait);
        std::uint64_t total = user + nice + system + idle;
        if (total == 0)
            total = 1;
        samples.append(
            {float(double(system) / double(total)), float(double(user + nice) / double(total))});
    }
    m_priorCPUTicks = std::move(*ticks);
    return samples;
}
