#pragma once

#include "platform/fs/SizeMode.h"

#include <cstdint>
#include <mutex>
#include <sys/stat.h>
#include <unordered_set>

// Sizes examined entries in one SizeMode. In DiskUsage a file with more than one name counts the
// first time any of its names is measured and 0 afterwards, for as long as the meter lives: one
// meter per scan or per figure. Only such files are remembered, so the common case takes no lock.
//
// Threads: sizeOf may be called from any number of threads at once.
class SizeMeter {
public:
    explicit SizeMeter(SizeMode mode) : m_mode(mode) {}
    SizeMeter(const SizeMeter&) = delete;
    SizeMeter& operator=(const SizeMeter&) = delete;

    SizeMode mode() const { return m_mode; }

    // The size of the entry `status` describes (as lstat gives it; links are never followed).
    // Apparent: st_size of a regular file or a link, 0 for anything else. DiskUsage: allocated
    // bytes of any entry, a folder's own included.
    std::uint64_t sizeOf(const struct stat& status);

    // Whether the size of an entry of this type depends on its stat at all; a walk that already
    // knows an entry is a folder may skip the stat in Apparent mode.
    static bool foldersCount(SizeMode mode) { return mode == SizeMode::DiskUsage; }

private:
    struct FileId {
        dev_t device;
        ino_t inode;
        bool operator==(const FileId&) const = default;
    };
    struct FileIdHash {
        std::size_t operator()(const FileId& id) const
        {
            return std::hash<ino_t>()(id.inode) * 31u + std::hash<dev_t>()(id.device);
        }
    };

    const SizeMode m_mode;
    std::mutex m_mutex;
    std::unordered_set<FileId, FileIdHash> m_counted;
};
