#pragma once

#include <QMetaType>

#include <cstdint>

// The machine's memory figures at one moment, all in bytes.
struct SSMemoryInfo {
    std::uint64_t totalMemory = 0;
    std::uint64_t freeMemory = 0;
    // Kernel memory that cannot be reclaimed or swapped.
    std::uint64_t wiredMemory = 0;
    std::uint64_t activeMemory = 0;
    // Memory the kernel can hand out at once without swapping (available minus free).
    std::uint64_t inactiveMemory = 0;
    // totalMemory − freeMemory − inactiveMemory.
    std::uint64_t usedMomory = 0;
    // Bytes read from and written to storage through the page cache since boot.
    std::uint64_t pageIn = 0;
    std::uint64_t pageOut = 0;
    // Page faults since boot times the page size.
    std::uint64_t virtualMemory = 0;
};

Q_DECLARE_METATYPE(SSMemoryInfo)
