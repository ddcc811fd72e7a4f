#include "KitTests.h"
#include "support/PrivateHome.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>

// The kit's widgets read the settings (the title font), so every test runs with a private,
// empty home and configuration folder and no shipped settings.
int main(int argc, char** argv)
{
    const PrivateHome home;
    if (!home.isValid())
        return 1;

    QApplication application(argc, argv);
    int failures = 0;
    failures += runKitImagesTest(argc, argv);
    failures += runImageButtonTest(argc, argv);
    failures += runTrafficLightButtonTest(argc, argv);
    failures += runColorAndBackgroundTest(argc, argv);
    return failures == 0 ? 0 : 1;
}
