#pragma once

#include "platform/MachineInfo.h"

#include <QString>

// The system-information controller, shared for the whole run. For now it answers the machine
// model questions the main panel asks; its view comes with the system-information tool.
class AboutThisMacViewController {
public:
    static AboutThisMacViewController* shareInstall();

    explicit AboutThisMacViewController(MachineInfo machine = MachineInfo());

    // Whether the machine is a "mini" model (its DMI product name says so), whose display
    // brightness cannot be adjusted.
    bool getMacModel() const;
    bool hasAdjustableDisplay() const;

private:
    MachineInfo m_machine;
};
