#include "app/cli/CommandLine.h"
#include "common/Translations.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // What --json prints is read by programs: its sentences (a trash's problem, why a check
    // failed) stay English whatever the user's language, as its keys and numbers do.
    const bool json = std::any_of(argv + 1, argv + argc, [](const char* argument) {
        return !std::strcmp(argument, "--json");
    });
    Translations::install(json ? QLocale(QLocale::English) : QLocale::system());
    QList<QByteArray> arguments;
    for (int index = 0; index < argc; ++index)
        arguments.append(QByteArray(argv[index]));
    return CommandLine().run(arguments);
}
