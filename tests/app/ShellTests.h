#pragma once

#include "platform/PowerService.h"

#include <QList>
#include <QTest>

#include <functional>

// The test classes of shell_tests add themselves here; main() runs each with QTest::qExec.
inline QList<std::function<int(int, char**)>>& shellTests()
{
    static QList<std::function<int(int, char**)>> all;
    return all;
}
template <typename Test> bool addShellTest()
{
    shellTests().append([](int argc, char** argv) {
        Test test;
        return QTest::qExec(&test, argc, argv);
    });
    return true;
}

// Keeps the power actions asked for instead of carrying them out.
class RecordingPowerService : public PowerService {
public:
    void request(PowerAction action) override { requests.append(action); }
    QList<PowerAction> requests;
};
