#pragma once

#include <cerrno>
#include <unistd.h>
#include <utility>

// Owns an open file descriptor and closes it when it goes, on every path out of a function.
// Closing keeps errno, so a failure can still be judged after the descriptor is dropped or
// replaced. Not thread-safe; one owner at a time (move only).
class FileDescriptor {
public:
    explicit FileDescriptor(int value = -1) noexcept : m_value(value) {}
    FileDescriptor(FileDescriptor&& other) noexcept : m_value(other.release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept
    {
        reset(other.release());
        return *this;
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { reset(); }

    int get() const noexcept { return m_value; }
    bool isOpen() const noexcept { return m_value >= 0; }
    // Gives the descriptor up without closing it.
    int release() noexcept { return std::exchange(m_value, -1); }
    // Closes the descriptor held, if any, and holds `value` instead.
    void reset(int value = -1) noexcept
    {
        if (m_value >= 0) {
            const int saved = errno;
            ::close(m_value);
            errno = saved;
        }
        m_value = value;
    }

private:
    int m_value;
};
