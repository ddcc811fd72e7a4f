#include "WindowTests.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>

// The launcher window writes the settings (the popup point), so every test runs with a private,
// empty home and configuration folder and no shipped settings.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QTemporaryDir home;
    if (!home.isValid()) {
        std::fprintf(stderr, "Cannot create a temporary home folder: %s\n",
                     qUtf8Printable(home.errorString()));
        return 1;
    }
    // The X server may want the cookie of the real home.
    if (qEnvironmentVariableIsEmpty("XAUTHORITY") && !qEnvironmentVariableIsEmpty("HOME"))
        qputenv("XAUTHORITY", qgetenv("HOME") + "/.Xauthority");
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toUtf8());
    qputenv("XDG_CACHE_HOME", (home.path() + QStringLiteral("/cache")).toUtf8());
    qputenv("CORVELLA_SHIPPED_SETTINGS", (home.path() + QStringLiteral("/none.plist")).toUtf8());

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
