#include "platform/fs/SizeMeter.h"

std::uint64_t SizeMeter::sizeOf(const struct stat& status)
{
    if (m_mode == SizeMode::Apparent) {
        return S_ISREG(status.st_mode) || S_ISLNK(status.st_mode) ? std::uint64_t(status.st_size)
                                                                  : 0;
    }
    const std::uint64_t allocated = std::uint64_t(status.st_blocks) * 512u;
    // A folder's link count is its sub-folders plus two: only other entries share their blocks.
    if (status.st_nlink > 1 && !S_ISDIR(status.st_mode) && allocated > 0) {
        const std::lock_guard<std::mutex> guard(m_mutex);
        if (!m_counted.insert({status.st_dev, status.st_ino}).second)
            return 0;
    }
    return allocated;
}
