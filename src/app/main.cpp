#include "app/AppDelegate.h"
#include "app/MyNSApplication.h"
#include "app/ProgramOptions.h"
#include "app/StartupProbe.h"
#include "app/ToolTipStyle.h"
#include "common/Translations.h"
#include "kit/KitImages.h"

#include <QCoreApplication>
#include <QSaveFile>

#include <cstdio>

namespace {

// --help, --version and a bad option: printed without a display, in the user's language (the
// translators need an application object, and a QCoreApplication needs no display).
int exitWithoutDisplay(int argc, char* argv[], const QStringList& arguments)
{
    QCoreApplication core(argc, argv);
    Translations::install();
    const ProgramOptions::Outcome options = ProgramOptions::parse(arguments);
    std::fputs(options.output.toLocal8Bit().constData(), stdout);
    std::fputs(options.error.toLocal8Bit().constData(), stderr);
    if (!options.manPageFile.isEmpty()) {
        QSaveFile page(options.manPageFile);
        if (!page.open(QIODevice::WriteOnly) || page.write(ProgramOptions::manPage()) < 0 ||
            !page.commit()) {
            std::fprintf(stderr, "corvella: could not write %s: %s\n",
                         qPrintable(options.manPageFile), qPrintable(page.errorString()));
            return 1;
        }
    }
    return options.exitCode;
}

} // namespace

int main(int argc, char* argv[])
{
    // The options come first: --help, --version and a bad option need no display.
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments.append(QString::fromLocal8Bit(argv[index]));
    const ProgramOptions::Outcome options = ProgramOptions::parse(arguments);
    if (options.exitCode >= 0)
        return exitWithoutDisplay(argc, argv, arguments);
    // The toolkit takes the start's tokens for its own first window: a running copy needs them.
    const ActivationRequest activation = ProgramOptions::activationFor(options.request);

    MyNSApplication app(argc, argv);
    Translations::install();
    MyNSApplication::setApplicationName(QStringLiteral("corvella"));
    MyNSApplication::setApplicationDisplayName(QStringLiteral("Corvella"));
    MyNSApplication::setApplicationVersion(QStringLiteral(CORVELLA_VERSION));
    MyNSApplication::setDesktopFileName(QStringLiteral("com.brimwick.corvella"));
    MyNSApplication::setWindowIcon(KitImages::icon(QStringLiteral("corvella")));
    // The program lives in the tray: closing the panel must not end it.
    MyNSApplication::setQuitOnLastWindowClosed(false);

    MyNSApplication::setStyle(new ToolTipStyle());

    AppDelegate delegate;
    if (!delegate.applicationDidFinishLaunching(activation))
        return 0; // another copy runs and took the request
    StartupProbe::watchIfRequested(delegate.mainAttachedWindow());
    return MyNSApplication::exec();
}
