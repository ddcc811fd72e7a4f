#pragma once

#include "tasks/SSCpuMonitor.h"
#include "tasks/SSMemoryMonitor.h"

#include <QCoreApplication>
#include <QList>
#include <QMetaType>

#include <optional>

// One refresh of the two load labels.
struct SystemLoadReading {
    // The CPU load in percent, 0 to 100; nothing when this refresh has no processor sample (the
    // counters could not be read, or the processor count changed).
    std::optional<double> cpuPercent;
    // Each processor's load in percent, in processor order; empty with cpuPercent.
    QList<double> cpus;
    double memoryPercent = 0;
    SSMemoryInfo memoryInfo;
};

Q_DECLARE_METATYPE(SystemLoadReading)

// The Task Manager's CPU and memory load: a processor baseline taken when made, then one reading
// per refresh. Used by the tab (on its worker thread) and by corvella-cli. Not thread-safe.
class SystemLoadSampler {
    Q_DECLARE_TR_FUNCTIONS(SystemLoadSampler)

public:
    explicit SystemLoadSampler(QString procRoot = QStringLiteral("/proc"));

    SystemLoadReading updateSysStat();
    unsigned int cpuCount() const { return m_cpuCount; }

    // Loads above one half show in red, the rest in blue. Decided on the shown value (one
    // decimal): the float fractions of 30 % user and 20 % system add up to 50.000001, which must
    // not show as a red "50.0%".
    static bool isHighLoad(double percent);
    // "40.0%": one decimal in the user's locale and a percent sign (German "40,0 %"). For the UI
    // and plain output; --json writes the number.
    static QString percentText(double percent);

private:
    SSCpuMonitor m_cpuMonitor;
    SSMemoryMonitor m_memoryMonitor;
    unsigned int m_cpuCount = 0;
};
