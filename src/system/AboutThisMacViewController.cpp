#include "system/AboutThisMacViewController.h"

AboutThisMacViewController* AboutThisMacViewController::shareInstall()
{
    static AboutThisMacViewController shared(
        MachineInfo(qEnvironmentVariable("CORVELLA_SYSFS_ROOT", QStringLiteral("/"))));
    return &shared;
}

AboutThisMacViewController::AboutThisMacViewController(MachineInfo machine)
    : m_machine(std::move(machine))
{}

bool AboutThisMacViewController::getMacModel() const
{
    return m_machine.productName().contains(QStringLiteral("mini"), Qt::CaseInsensitive);
}

bool AboutThisMacViewController::hasAdjustableDisplay() const
{
    return m_machine.hasBacklight();
}
