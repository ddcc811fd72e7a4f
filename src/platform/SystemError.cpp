#include "platform/SystemError.h"

#include <system_error>

QString SystemError::text(int error)
{
    return QString::fromLocal8Bit(std::error_code(error, std::generic_category()).message());
}
