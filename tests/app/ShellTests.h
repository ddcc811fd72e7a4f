#pragma once

#include "app/AppDelegate.h"
#include "platform/PowerService.h"
#include "support/TestRegistry.h" // shell_tests' classes add themselves; ShellTestMain runs them

// Keeps the power actions asked for instead of carrying them out.
class RecordingPowerService : public PowerService {
public:
    void request(PowerAction action) override { requests.append(action); }
    QList<PowerAction> requests;
};

// The application object with a recording power service, and a system tray or none.
struct TestDelegate : AppDelegate {
    explicit TestDelegate(bool tray = true)
        : AppDelegate(std::make_unique<RecordingPowerService>()), tray(tray)
    {}
    bool isSystemTrayAvailable() const override { return tray; }
    bool panelShown() const
    {
        return isOpenMainWindow() && mainAttachedWindow() && mainAttachedWindow()->isVisible();
    }
    const bool tray;
};
