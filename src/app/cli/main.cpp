#include "app/cli/CommandLine.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QList<QByteArray> arguments;
    for (int index = 0; index < argc; ++index)
        arguments.append(QByteArray(argv[index]));
    return CommandLine().run(arguments);
}
