#include "app/AppDelegate.h"
#include "app/MyNSApplication.h"
#include "app/StartupProbe.h"
#include "app/ToolTipStyle.h"
#include "kit/KitImages.h"

int main(int argc, char* argv[])
{
    MyNSApplication app(argc, argv);
    MyNSApplication::setApplicationName(QStringLiteral("corvella"));
    MyNSApplication::setApplicationDisplayName(QStringLiteral("Corvella"));
    MyNSApplication::setApplicationVersion(QStringLiteral(CORVELLA_VERSION));
    MyNSApplication::setDesktopFileName(QStringLiteral("corvella"));
    MyNSApplication::setWindowIcon(KitImages::icon(QStringLiteral("corvella")));
    // The program lives in the tray: closing the panel must not end it.
    MyNSApplication::setQuitOnLastWindowClosed(false);

    MyNSApplication::setStyle(new ToolTipStyle());

    AppDelegate delegate;
    if (!delegate.applicationDidFinishLaunching())
        return 0; // another copy runs and was told to reopen
    StartupProbe::watchIfRequested(delegate.mainAttachedWindow());
    return MyNSApplication::exec();
}
