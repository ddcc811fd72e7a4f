#pragma once

#include "platform/PowerService.h"
#include "support/TestRegistry.h" // shell_tests' classes add themselves; ShellTestMain runs them

// Keeps the power actions asked for instead of carrying them out.
class RecordingPowerService : public PowerService {
public:
    void request(PowerAction action) override { requests.append(action); }
    QList<PowerAction> requests;
};
