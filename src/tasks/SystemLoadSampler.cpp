#include "tasks/SystemLoadSampler.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

SystemLoadSampler::SystemLoadSampler(QString procRoot)
    : m_cpuMonitor(procRoot), m_memoryMonitor(procRoot)
{
    m_cpuCount = m_cpuMonitor.getNumCPUs();
}

SystemLoadReading SystemLoadSampler::updateSysStat()
{
    SystemLoadReading reading;
    const std::optional<QList<SSCpuMonitor::Sample>> samples = m_cpuMonitor.monitorCPU();
    if (samples && m_cpuCount > 0 && unsigned(samples->size()) == m_cpuCount) {
        double sum = 0;
        for (const SSCpuMonitor::Sample& sample : *samples) {
            const double load = double(sample.user) + double(sample.system);
            sum += load;
            reading.cpus.append(std::clamp(load, 0.0, 1.0) * 100.0);
        }
        reading.cpuPercent = std::clamp(sum / m_cpuCount, 0.0, 1.0) * 100.0;
    }
    // A changed processor count leaves the monitor with a fresh baseline of the new count.
    m_cpuCount = m_cpuMonitor.cpuCount();
    reading.memoryInfo = m_memoryMonitor.usagePercent();
    reading.memoryPercent = SSMemoryMonitor::usedPercent(reading.memoryInfo);
    return reading;
}

bool SystemLoadSampler::isHighLoad(double percent)
{
    return std::round(percent * 10.0) / 10.0 > 50.0;
}

QString SystemLoadSampler::percentText(double percent)
{
    return tr("%1%", "a percentage: the number, then the percent sign")
        .arg(QLocale().toString(percent, 'f', 1));
}
