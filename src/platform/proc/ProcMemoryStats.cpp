#include "platform/proc/ProcMemoryStats.h"

#include "platform/proc/ProcFile.h"

ProcMemoryStats ProcMemoryStats::read(const QString& procRoot)
{
    ProcMemoryStats stats;
    int error = 0;
    stats.m_memInfo = parse(ProcFile::read(procRoot + QStringLiteral("/meminfo"), &error));
    stats.m_vmStat = parse(ProcFile::read(procRoot + QStringLiteral("/vmstat"), &error));
    stats.m_error = error;
    return stats;
}

QHash<QByteArray, std::uint64_t> ProcMemoryStats::parse(const QByteArray& text)
{
    QHash<QByteArray, std::uint64_t> values;
    for (const QByteArray& line : text.split('\n')) {
        const QList<QByteArray> words = line.simplified().split(' ');
        if (words.size() < 2)
            continue;
        QByteArray key = words.at(0);
        if (key.endsWith(':'))
            key.chop(1);
        bool ok = false;
        std::uint64_t value = words.at(1).toULongLong(&ok);
        if (!ok || key.isEmpty())
            continue;
        if (words.size() > 2 && words.at(2) == "kB")
            value *= 1024;
        values.insert(key, value);
    }
    return values;
}

std::uint64_t ProcMemoryStats::memInfo(const char* key, std::uint64_t fallback) const
{
    return m_memInfo.value(QByteArray(key), fallback);
}

std::uint64_t ProcMemoryStats::vmStat(const char* key, std::uint64_t fallback) const
{
    return m_vmStat.value(QByteArray(key), fallback);
}
