#include "app/cli/CommandLine.h"
#include "common/Translations.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    Translations::install();
    QList<QByteArray> arguments;
    for (int index = 0; index < argc; ++index)
        arguments.append(QByteArray(argv[index]));
    return CommandLine().run(arguments);
}
