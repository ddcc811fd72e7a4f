#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <cstdint>

// The kernel's memory figures: `<procRoot>/meminfo` ("MemTotal:  16318504 kB") and
// `<procRoot>/vmstat` ("pgpgin 123456"), read under a root folder that tests point at a fixture
// tree. Plain value type, safe on any thread.
class ProcMemoryStats {
public:
    // Reads both files. A file that cannot be read leaves its figures empty and sets error().
    static ProcMemoryStats read(const QString& procRoot);
    // Parses "Key: value [kB]" or "key value" lines; a "kB" unit turns the value into bytes.
    static QHash<QByteArray, std::uint64_t> parse(const QByteArray& text);

    // A meminfo figure in bytes, or `fallback` when the kernel does not report it.
    std::uint64_t memInfo(const char* key, std::uint64_t fallback = 0) const;
    bool hasMemInfo(const char* key) const { return m_memInfo.contains(key); }
    // A vmstat counter as the kernel reports it (pgpgin and pgpgout count kibibytes).
    std::uint64_t vmStat(const char* key, std::uint64_t fallback = 0) const;

    // The errno of the last file that could not be opened, 0 when both were read.
    int error() const { return m_error; }

private:
    QHash<QByteArray, std::uint64_t> m_memInfo;
    QHash<QByteArray, std::uint64_t> m_vmStat;
    int m_error = 0;
};
