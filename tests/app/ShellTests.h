#pragma once

#include "platform/PowerService.h"
#include "support/TestRegistry.h"

// The test classes of shell_tests add themselves with this; ShellTestMain runs them all.
template <typename Test> bool addShellTest()
{
    return registerTest<Test>();
}

// Keeps the power actions asked for instead of carrying them out.
class RecordingPowerService : public PowerService {
public:
    void request(PowerAction action) override { requests.append(action); }
    QList<PowerAction> requests;
};
