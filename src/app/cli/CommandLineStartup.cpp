#include "app/cli/CommandLine.h"

int CommandLine::startup(const QStringList&)
{
    return notYetBuilt("startup");
}
