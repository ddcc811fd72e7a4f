#include "app/cli/CommandLine.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    return CommandLine().run(QCoreApplication::arguments());
}
