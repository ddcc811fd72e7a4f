#pragma once

#include <QList>
#include <QTest>

#include <functional>

// For a Qt Test binary of several test classes: each adds itself with a static
// `registerTest<Test>()`, and main() runs them all with runRegisteredTests() once the
// application object exists.
inline QList<std::function<int(int, char**)>>& registeredTests()
{
    static QList<std::function<int(int, char**)>> all;
    return all;
}
template <typename Test> bool registerTest()
{
    registeredTests().append([](int argc, char** argv) {
        Test test;
        return QTest::qExec(&test, argc, argv);
    });
    return true;
}
inline int runRegisteredTests(int argc, char** argv)
{
    int failures = 0;
    for (const auto& run : registeredTests())
        failures += run(argc, argv);
    return failures == 0 ? 0 : 1;
}
