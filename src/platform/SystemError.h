#pragma once

#include <QString>

// The text of a system error number (errno), in the system's words.
class SystemError {
public:
    static QString text(int error);
};
