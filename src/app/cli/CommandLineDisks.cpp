#include "app/cli/CommandLine.h"

int CommandLine::disks(const QStringList&)
{
    return notYetBuilt("disks");
}
