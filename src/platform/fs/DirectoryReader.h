#pragma once

#include <cstddef>
#include <string_view>

// Reads the entries of an open folder with getdents64, many at a time, into a buffer the caller
// provides (so a thread can reuse one buffer for every folder it reads). "." and ".." are left out.
class DirectoryReader {
public:
    struct Entry {
        const char* name;   // NUL-terminated, valid until the next call
        unsigned char type; // DT_DIR, DT_REG, DT_LNK, ... or DT_UNKNOWN
        unsigned long long inode;
    };

    DirectoryReader(int fd, char* buffer, std::size_t bufferSize);

    // The next entry; false at the end of the folder or when it cannot be read further.
    bool next(Entry& entry);
    // The errno of a failed read, 0 when the folder was read to its end.
    int error() const { return m_error; }

private:
    int m_fd;
    char* m_buffer;
    std::size_t m_bufferSize;
    long m_filled = 0;
    long m_offset = 0;
    int m_error = 0;
};
