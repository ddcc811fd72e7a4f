#include "KitTests.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>

// The kit's widgets read the settings (the title font), so every test runs with a private,
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
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toUtf8());
    qputenv("XDG_CACHE_HOME", (home.path() + QStringLiteral("/cache")).toUtf8());
    qputenv("CORVELLA_SHIPPED_SETTINGS", (home.path() + QStringLiteral("/none.plist")).toUtf8());

    QApplication application(argc, argv);
    int failures = 0;
    failures += runKitImagesTest(argc, argv);
    failures += runImageButtonTest(argc, argv);
    failures += runTrafficLightButtonTest(argc, argv);
    failures += runColorAndBackgroundTest(argc, argv);
    return failures == 0 ? 0 : 1;
}
