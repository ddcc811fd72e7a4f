#pragma once

#include <atomic>

// The process-wide pause switch of the folder scan. Workers wait on it at every step; continuing
// wakes them at once. A stopped scan's worker is woken too (wakeAll), so nothing stays blocked.
class Progress {
public:
    Progress() = delete;

    // Sets the pause flag and wakes every waiting worker.
    static void isPause(bool paused);
    static bool paused();
    // Returns once the pause flag is clear, or at once when `stop` is (or becomes) set.
    static void isPause(const std::atomic<bool>* stop = nullptr);
    // Wakes every waiting worker so it can look at its stop flag.
    static void wakeAll();
};
