#include "app/cli/CommandLine.h"

int CommandLine::apps(const QStringList&)
{
    return notYetBuilt("apps");
}
