#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

// Stands in a value of one environment variable of this process (or its absence) for the life of
// the object, then restores what was there. Not thread-safe, like the environment itself.
class ScopedEnvironmentVariable {
public:
    ScopedEnvironmentVariable(const char* name, const std::optional<QByteArray>& value)
        : m_name(name),
          m_previous(qEnvironmentVariableIsSet(name) ? std::optional<QByteArray>(qgetenv(name))
                                                     : std::nullopt)
    {
        apply(value);
    }
    ~ScopedEnvironmentVariable() { apply(m_previous); }
    ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
    ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

private:
    void apply(const std::optional<QByteArray>& value) const
    {
        value ? qputenv(m_name, *value) : qunsetenv(m_name);
    }

    const char* m_name;
    std::optional<QByteArray> m_previous;
};
