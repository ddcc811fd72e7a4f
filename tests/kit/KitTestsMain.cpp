#include "KitTests.h"
#include "support/PrivateHome.h"

#include <QApplication>

// The kit's widgets read the settings (the title font), so every test runs with a private,
// empty home and configuration folder and no shipped settings.
int main(int argc, char** argv)
{
    const PrivateHome home;
    if (!home.isValid())
        return 1;
    QApplication application(argc, argv);
    const int failures = runKitImagesTest(argc, argv) + runImageButtonTest(argc, argv) +
                         runTrafficLightButtonTest(argc, argv) +
                         runColorAndBackgroundTest(argc, argv) +
                         runStatusAttachedWindowTest(argc, argv);
    return failures == 0 ? 0 : 1;
}
