// Runs the application shell's widget tests inside one MyNSApplication, with a private home and
// configuration folder so the settings and login items written by the panel stay in a
// temporary folder.
#include "AppDelegateTest.h"
#include "MainViewControllerTest.h"
#include "MyNSApplicationTest.h"
#include "app/MyNSApplication.h"
#include "support/PrivateHome.h"

#include <QTemporaryDir>
#include <QTest>

int main(int argc, char** argv)
{
    const PrivateHome home;
    if (!home.isValid())
        return 1;
    qputenv("XDG_DATA_DIRS", QFile::encodeName(home.path("system-data")));
    qputenv("CORVELLA_SYSFS_ROOT", QFile::encodeName(home.path("sysroot")));

    MyNSApplication app(argc, argv);
    int failures = 0;
    {
        MainViewControllerTest test(home.path().chopped(1));
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        AppDelegateTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        MyNSApplicationTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    return failures;
}
