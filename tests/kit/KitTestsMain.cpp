#include "KitTests.h"
#include "support/EnglishTranslation.h"
#include "support/PrivateHome.h"

#include <QApplication>

// The kit's widgets read the settings (the title font): a private home without shipped ones.
int main(int argc, char** argv)
{
    const PrivateHome home;
    if (!home.isValid())
        return 1;
    QApplication application(argc, argv);
    installEnglishTranslation();
    return runRegisteredTests(argc, argv);
}
