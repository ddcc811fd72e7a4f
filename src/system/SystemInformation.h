#pragma once

#include "common/PublicUtilities.h"
#include "platform/devices/MachineInfo.h"

#include <QCoreApplication>
#include <QString>

// The texts of the system-information dialog, read from the machine: the system's name and
// version (os-release and the kernel), the model (DMI), the processor, the graphics adapter, the
// serial number and the memory size. Reading blocks on small files (and the PCI ID database):
// keep it off the GUI thread. Plain value type.
struct SystemInformation {
    Q_DECLARE_TR_FUNCTIONS(SystemInformation)

public:
    QString versionName;   // os-release NAME, else PRETTY_NAME, else "Linux"
    QString version;       // "Version VERSION, Linux RELEASE" (the kernel's release)
    QString compterVerion; // DMI sys_vendor, product_name and product_version
    QString cpuName;
    QString grpName;
    QString serName;    // "Serial Number: ..." ("(null)" when unreadable)
    QString memorySize; // "MemorySize: ..." in units of 1024
    // The model, as the brightness rule asks it.
    QString macModel;

    // Reads everything; with `diagnostics` also writes the collection's dump to standard error.
    // The texts are translated and sizes localised unless `form` is C (for --json output).
    static SystemInformation
    collect(const MachineInfo& machine, bool diagnostics = false,
            PublicUtilities::TextForm form = PublicUtilities::TextForm::Shown);

    // Whether the model is a "mini" machine (whose display has no adjustable backlight).
    bool getMacModel() const;
};
