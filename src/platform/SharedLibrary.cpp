#include "platform/SharedLibrary.h"

#include <dlfcn.h>

SharedLibrary::SharedLibrary(const char* fileName, const char* what) : m_what(what)
{
    m_handle = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    if (!m_handle) {
        const char* reason = dlerror();
        m_error = reason
                      ? QString::fromLocal8Bit(reason)
                      : QStringLiteral("%1 cannot be opened").arg(QString::fromLocal8Bit(fileName));
    }
}

void* SharedLibrary::symbol(const char* name)
{
    if (!m_handle)
        return nullptr;
    dlerror();
    void* address = dlsym(m_handle, name);
    if (address)
        return address;
    const char* reason = dlerror();
    m_error = reason ? QString::fromLocal8Bit(reason)
                     : QStringLiteral("%1 is null in %2")
                           .arg(QLatin1StringView(name), QLatin1StringView(m_what));
    return nullptr;
}
