#pragma once

#include <QString>

#include <cstdint>
#include <vector>

// What one removal run did, for the view and the command line: every item it could not remove
// with the reason, whether it was stopped, and what Completely Erase kept because the scan had
// not listed it.
struct RemovalOutcome {
    struct Failure {
        QString path;
        QString reason;
    };
    int chosen = 0;                // items the run set out to remove
    int removed = 0;               // chosen items now gone
    std::vector<Failure> failures; // chosen items that stay, each with why
    bool stopped = false;          // the run ended before its last item
    int keptUnlisted = 0;          // entries that appeared after the scan, left in place
    // What left the tree, in the tree's size mode: the sizes it listed for the items gone, and
    // for an item erased in part the part gone. Sums the same sizes the tree showed.
    std::uint64_t bytesFreed = 0;
};
