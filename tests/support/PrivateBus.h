#pragma once

#include <QString>

// The bus address in the environment variable `variable` when it is the test environment's own
// socket (one plain path inside $CORVELLA_TEST_ENV), else empty: requests to a desktop's session
// manager or to logind must never reach the machine's own.
inline QString privateBusAddress(const char* variable)
{
    const QString address = qEnvironmentVariable(variable);
    const QString run = qEnvironmentVariable("CORVELLA_TEST_ENV");
    const bool own = !run.isEmpty() && address.startsWith(u"unix:path=" + run + u'/') &&
                     !address.contains(u';') && !address.contains(u',') && !address.contains(u"..");
    return own ? address : QString();
}
