#pragma once

#include "platform/PowerService.h"

#include <QList>
#include <QString>

// The test classes of shell_tests; each runs its cases with QTest::qExec and returns the number
// of failures. `home` is the private home folder made by main().
int runMainViewControllerTest(int argc, char** argv, const QString& home);
int runAppDelegateTest(int argc, char** argv);
int runMyNSApplicationTest(int argc, char** argv);

// Keeps the power actions asked for instead of carrying them out.
class RecordingPowerService : public PowerService {
public:
    void request(PowerAction action) override { requests.append(action); }
    QList<PowerAction> requests;
};
