#pragma once

#include "tasks/SSMemoryInfo.h"

#include <QString>

#include <cstdint>

// The machine's memory figures from /proc/meminfo and /proc/vmstat under a procfs root.
// Not thread-safe; cheap to make.
class SSMemoryMonitor {
public:
    explicit SSMemoryMonitor(QString procRoot = QStringLiteral("/proc"));

    // Reads the kernel's figures anew. Returns 0, or the errno of a file that could not be read;
    // the figures of that file keep their previous values.
    int getMemoryInfo();
    // Reads the figures (getMemoryInfo) and returns them as a record.
    SSMemoryInfo usagePercent();
    // The share of memory in use, as a percentage: usedMomory / totalMemory × 100; 0 when the
    // total is unknown (0).
    static double usedPercent(const SSMemoryInfo& info);

private:
    QString m_procRoot;
    std::uint64_t m_pagesize = 4096;
    SSMemoryInfo m_last;
};
