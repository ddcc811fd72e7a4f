#include "platform/fs/DirectoryReader.h"

#include <cerrno>
#include <dirent.h>
#include <sys/types.h>

DirectoryReader::DirectoryReader(int fd, char* buffer, std::size_t bufferSize)
    : m_fd(fd), m_buffer(buffer), m_bufferSize(bufferSize)
{}

bool DirectoryReader::next(Entry& entry)
{
    for (;;) {
        if (m_offset >= m_filled) {
            const ssize_t bytes = ::getdents64(m_fd, m_buffer, m_bufferSize);
            if (bytes <= 0) {
                m_error = bytes < 0 ? errno : 0;
                m_filled = m_offset = 0;
                return false;
            }
            m_filled = bytes;
            m_offset = 0;
        }
        const auto* record = reinterpret_cast<const dirent64*>(m_buffer + m_offset);
        m_offset += record->d_reclen;
        const char* name = record->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        entry = {name, record->d_type, record->d_ino};
        return true;
    }
}
