#pragma once

#include "platform/devices/MachineInfo.h"
#include "system/SystemInformation.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class StatusAttachedWindow;

// The system-information dialog: the system's name and version, model, processor, graphics,
// serial number and memory size. Each opening makes a new dialog, shown in a modal popup window
// that it closes through superDelegate; its facts are read on a worker thread (with the
// diagnostic dump on standard error) and shown when they arrive.
//
// The shared instance (shareInstall) has no view: it answers the main panel's questions about
// the machine for the whole run. GUI thread only.
class AboutThisMacViewController : public QWidget {
    Q_OBJECT
public:
    static AboutThisMacViewController* shareInstall();

    // A dialog on the machine under CORVELLA_SYSFS_ROOT (default "/").
    explicit AboutThisMacViewController(QWidget* parent = nullptr);
    explicit AboutThisMacViewController(MachineInfo machine, QWidget* parent = nullptr);

    // Whether the machine is a "mini" model (its DMI vendor, product name or version says so),
    // whose display brightness cannot be adjusted.
    bool getMacModel() const;
    bool hasAdjustableDisplay() const;

    void setSuperDelegate(StatusAttachedWindow* window) { m_superDelegate = window; }
    StatusAttachedWindow* superDelegate() const { return m_superDelegate; }
    void closeWindow();

    // The facts shown, once informationLoaded has been emitted.
    const SystemInformation& information() const { return m_information; }
    QLabel* field(const QString& outletName) const;

Q_SIGNALS:
    void informationLoaded();

private:
    enum class WithView { No, Yes };
    AboutThisMacViewController(MachineInfo machine, WithView withView, QWidget* parent);
    void buildView();
    void loadMacInfo();
    void showInformation(const SystemInformation& information);

    MachineInfo m_machine;
    QString m_macModel;
    SystemInformation m_information;
    QPointer<StatusAttachedWindow> m_superDelegate;
    QLabel* m_versionName = nullptr;
    QLabel* m_version = nullptr;
    QLabel* m_compterVerion = nullptr;
    QLabel* m_cpuName = nullptr;
    QLabel* m_grpName = nullptr;
    QLabel* m_serName = nullptr;
    QLabel* m_memorySize = nullptr;
};
