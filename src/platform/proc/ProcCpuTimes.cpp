#include "platform/proc/ProcCpuTimes.h"

#include "platform/proc/ProcFile.h"

std::optional<QList<CpuTicks>> ProcCpuTimes::read(const QString& procRoot)
{
    QList<CpuTicks> cpus = parse(ProcFile::read(procRoot + QStringLiteral("/stat")));
    if (cpus.isEmpty())
        return std::nullopt;
    return cpus;
}

QList<CpuTicks> ProcCpuTimes::parse(const QByteArray& text)
{
    QList<CpuTicks> cpus;
    for (const QByteArray& line : text.split('\n')) {
        // "cpu" alone is the sum of all processors; "cpuN" is one of them.
        if (!line.startsWith("cpu") || line.size() < 4 || line.at(3) < '0' || line.at(3) > '9')
            continue;
        std::uint64_t fields[10] = {};
        int count = 0;
        const QList<QByteArray> words = line.split(' ');
        for (qsizetype index = 1; index < words.size() && count < 10; ++index) {
            if (words.at(index).isEmpty())
                continue;
            bool ok = false;
            fields[count++] = words.at(index).toULongLong(&ok);
            if (!ok)
                fields[count - 1] = 0;
        }
        if (count < 4)
            continue;
        cpus.append({fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6],
                     fields[7], fields[8], fields[9]});
    }
    return cpus;
}
