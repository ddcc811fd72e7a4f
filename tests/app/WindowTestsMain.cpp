#include "WindowTests.h"
#include "support/PrivateHome.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>

// The launcher window writes the settings (the popup point), so every test runs with a private,
// empty home and configuration folder and no shipped settings.
int main(int argc, char** argv)
{
    const PrivateHome home;
    if (!home.isValid())
        return 1;

    QApplication application(argc, argv);
    if (!qEnvironmentVariableIsEmpty("CORVELLA_WINDOWSYSTEM_PROBE"))
        return runWindowSystemProbe();

    const QByteArray only = qgetenv("WINDOW_TESTS_ONLY");
    const auto selected = [&only](const char* name) {
        return only.isEmpty() || only == name;
    };
    int failures = 0;
    if (selected("StatusAttachedWindowTest"))
        failures += runStatusAttachedWindowTest(argc, argv);
    if (selected("StatusAttachedWindowModalTest"))
        failures += runStatusAttachedWindowModalTest(argc, argv);
    if (selected("LauncherWindowTest"))
        failures += runLauncherWindowTest(argc, argv);
    if (selected("X11WindowSystemTest"))
        failures += runX11WindowSystemTest(argc, argv);
    return failures == 0 ? 0 : 1;
}
