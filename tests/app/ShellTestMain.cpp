// Runs the application shell's widget tests inside one MyNSApplication, with a private home and
// configuration folder so the settings and login items written by the panel stay in a
// temporary folder.
#include "AppDelegateTest.h"
#include "MainViewControllerTest.h"
#include "MyNSApplicationTest.h"
#include "app/MyNSApplication.h"

#include <QTemporaryDir>
#include <QTest>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(home.filePath(QStringLiteral("system-data"))));
    qputenv("CORVELLA_SHIPPED_SETTINGS", QFile::encodeName(home.filePath(QStringLiteral("none"))));
    qputenv("CORVELLA_SYSFS_ROOT", QFile::encodeName(home.filePath(QStringLiteral("sysroot"))));

    MyNSApplication app(argc, argv);
    int failures = 0;
    {
        MainViewControllerTest test(home.path());
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
