#include "app/cli/CommandLine.h"

int CommandLine::trashList(const QStringList&)
{
    return notYetBuilt("trash-list");
}

int CommandLine::restore(const QList<QByteArray>&)
{
    return notYetBuilt("restore");
}

int CommandLine::emptyTrash(const QStringList&)
{
    return notYetBuilt("empty-trash");
}
