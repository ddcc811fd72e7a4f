#include "app/cli/CommandLine.h"

int CommandLine::volume(const QStringList&)
{
    return notYetBuilt("volume");
}

int CommandLine::brightness(const QStringList&)
{
    return notYetBuilt("brightness");
}

int CommandLine::sysinfo(const QStringList&)
{
    return notYetBuilt("sysinfo");
}

int CommandLine::updateCheck(const QStringList&)
{
    return notYetBuilt("update-check");
}
