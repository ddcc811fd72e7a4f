#pragma once

#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

// One processor's cumulative tick counters since boot, as the kernel's /proc/stat lists them on
// its "cpuN" lines, in that order. `user` already includes `guest` and `nice` includes
// `guestNice`, so those two are kept only for completeness.
struct CpuTicks {
    std::uint64_t user = 0;
    std::uint64_t nice = 0;
    std::uint64_t system = 0;
    std::uint64_t idle = 0;
    std::uint64_t iowait = 0;
    std::uint64_t irq = 0;
    std::uint64_t softirq = 0;
    std::uint64_t steal = 0;
    std::uint64_t guest = 0;
    std::uint64_t guestNice = 0;
};

// Reads the per-processor lines of `<procRoot>/stat` ("/proc" on a running system, a fixture tree
// in tests). Plain functions, safe on any thread.
class ProcCpuTimes {
public:
    ProcCpuTimes() = delete;

    // One record per online processor in the order of the file, or nothing when the file cannot
    // be read or holds no processor line. Missing trailing fields of older kernels read as 0.
    static std::optional<QList<CpuTicks>> read(const QString& procRoot);
    // The same from the file's text.
    static QList<CpuTicks> parse(const QByteArray& text);
};
