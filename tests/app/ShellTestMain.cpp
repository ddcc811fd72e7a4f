// The shell's widget tests in one MyNSApplication, writing settings only into a private home.
#include "ShellTests.h"
#include "app/MyNSApplication.h"
#include "support/EnglishTranslation.h"
#include "support/PrivateHome.h"

int main(int argc, char** argv)
{
    const PrivateHome home;
    if (!home.isValid())
        return 1;
    qputenv("XDG_DATA_DIRS", QFile::encodeName(home.path("system-data")));
    qputenv("CORVELLA_SYSFS_ROOT", QFile::encodeName(home.path("sysroot")));

    MyNSApplication app(argc, argv);
    installEnglishTranslation();
    return runRegisteredTests(argc, argv);
}
