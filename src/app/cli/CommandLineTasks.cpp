#include "app/cli/CommandLine.h"

int CommandLine::tasks(const QStringList&)
{
    return notYetBuilt("tasks");
}

int CommandLine::load(const QStringList&)
{
    return notYetBuilt("load");
}
