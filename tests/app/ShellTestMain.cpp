// Runs the application shell's widget tests inside one MyNSApplication, with a private home and
// configuration folder so the settings and login items written by the panel stay in a
// temporary folder.
#include "ShellTests.h"
#include "app/MyNSApplication.h"
#include "support/PrivateHome.h"

int main(int argc, char** argv)
{
    const PrivateHome home;
    if (!home.isValid())
        return 1;
    qputenv("XDG_DATA_DIRS", QFile::encodeName(home.path("system-data")));
    qputenv("CORVELLA_SYSFS_ROOT", QFile::encodeName(home.path("sysroot")));

    MyNSApplication app(argc, argv);
    const int failures = runMainViewControllerTest(argc, argv, home.path().chopped(1)) +
                         runAppDelegateTest(argc, argv) + runMyNSApplicationTest(argc, argv);
    return failures == 0 ? 0 : 1;
}
