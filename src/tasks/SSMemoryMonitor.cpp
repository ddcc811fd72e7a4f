#include "tasks/SSMemoryMonitor.h"

#include "platform/proc/ProcMemoryStats.h"

#include <algorithm>
#include <unistd.h>

SSMemoryMonitor::SSMemoryMonitor(QString procRoot) : m_procRoot(std::move(procRoot))
{
    if (const long size = ::sysconf(_SC_PAGESIZE); size > 0)
        m_pagesize = std::uint64_t(size);
}

int SSMemoryMonitor::getMemoryInfo()
{
    const ProcMemoryStats stats = ProcMemoryStats::read(m_procRoot);
    SSMemoryInfo& info = m_last;
    if (stats.hasMemInfo("MemTotal")) {
        info.totalMemory = stats.memInfo("MemTotal");
        info.freeMemory = std::min(stats.memInfo("MemFree"), info.totalMemory);
        // Kernels before 3.14 have no MemAvailable: free memory is all they can promise.
        const std::uint64_t available =
            std::min(stats.memInfo("MemAvailable", info.freeMemory), info.totalMemory);
        info.inactiveMemory = available > info.freeMemory ? available - info.freeMemory : 0;
        info.activeMemory = stats.memInfo("Active");
        info.wiredMemory = stats.memInfo("Unevictable") + stats.memInfo("SUnreclaim") +
                           stats.memInfo("KernelStack") + stats.memInfo("PageTables");
        info.usedMomory = info.totalMemory - info.freeMemory - info.inactiveMemory;
    }
    // pgpgin and pgpgout count kibibytes; pgfault counts pages.
    info.pageIn = stats.vmStat("pgpgin", info.pageIn / 1024) * 1024;
    info.pageOut = stats.vmStat("pgpgout", info.pageOut / 1024) * 1024;
    info.virtualMemory = stats.vmStat("pgfault", info.virtualMemory / m_pagesize) * m_pagesize;
    return stats.error();
}

SSMemoryInfo SSMemoryMonitor::usagePercent()
{
    getMemoryInfo();
    return m_last;
}

double SSMemoryMonitor::usedPercent(const SSMemoryInfo& info)
{
    if (info.totalMemory == 0)
        return 0.0;
    return double(info.usedMomory) / double(info.totalMemory) * 100.0;
}
