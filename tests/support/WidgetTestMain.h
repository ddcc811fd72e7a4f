#pragma once

#include "common/SettingsStore.h"
#include "support/EnglishTranslation.h"
#include "support/PrivateHome.h"

#include <QApplication>
#include <QTest>

// The main() of a widget test: a private home, the application, then the cases. With
// `confirm` false, irreversible actions are not asked about.
template <typename Test> int runWidgetTest(int argc, char** argv, bool confirm = true)
{
    const PrivateHome home;
    QApplication application(argc, argv);
    installEnglishTranslation();
    if (!home.isValid() || (!confirm && !SettingsStore::standard().setValue(
                                            QStringLiteral("ConfirmIrreversibleActions"), false)))
        return 1;
    Test test;
    return QTest::qExec(&test, argc, argv);
}

#define CORVELLA_WIDGET_TEST_MAIN(Test, ...)                                                       \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        return runWidgetTest<Test>(argc, argv __VA_OPT__(, ) __VA_ARGS__);                         \
    }
