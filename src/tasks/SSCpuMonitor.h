#pragma once

#include "platform/proc/ProcCpuTimes.h"

#include <QList>
#include <QString>

#include <optional>

// Per-processor load from the kernel's tick counters (/proc/stat under a procfs root): each
// sample is the share of ticks since the previous sample spent in user (nice included) and in
// system time (interrupts and time stolen by a hypervisor included; idle counts I/O wait).
//
// Not thread-safe: one thread at a time samples, and the baseline moves with every sample.
class SSCpuMonitor {
public:
    struct Sample {
        float system = 0;
        float user = 0;
    };

    explicit SSCpuMonitor(QString procRoot = QStringLiteral("/proc"));

    // Takes the baseline; returns the processor count, 0 when the counters cannot be read.
    unsigned int getNumCPUs();
    // One sample per processor since the baseline, in processor order, and moves the baseline.
    // Nothing when the counters cannot be read, or when the number of processors changed: the
    // new counters are then the baseline and the next sample covers them.
    std::optional<QList<Sample>> monitorCPU();

    unsigned int cpuCount() const { return unsigned(m_priorCPUTicks.size()); }

private:
    QString m_procRoot;
    QList<CpuTicks> m_priorCPUTicks;
};
