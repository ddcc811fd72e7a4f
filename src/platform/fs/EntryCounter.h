#pragma once

#include <QByteArray>

#include <atomic>
#include <cstdint>

// Counts the entries of a tree, for progress measured in entries removed: every file, link and
// folder in it, as TreeEraser removes them. Reads folder listings only (a stat only where the
// listing gives no type), never follows a link and does not enter another file system.
//
// The count serves a progress bar, not a decision: a folder that cannot be read, or that lies
// deeper than a bound, counts as one entry.
//
// Stateless; any thread may call it.
class EntryCounter {
public:
    EntryCounter() = delete;

    // The entries of the entry `name` of the open folder `folder`, the entry itself included (1
    // for a file, 0 when it does not exist). Once stop is set it returns what it has counted.
    static std::uint64_t count(int folder, const QByteArray& name,
                               const std::atomic<bool>* stop = nullptr);
    // The same for a path; its last component is never followed.
    static std::uint64_t count(const QByteArray& path, const std::atomic<bool>* stop = nullptr);
};
