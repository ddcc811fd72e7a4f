#pragma once

#include "kit/ToolPage.h"
#include "system/QuickVisitTargets.h"

#include <QProcessEnvironment>

#include <functional>

class IconATextButton;

// The "Quick Visit" tab: eight rows that open the desktop's power settings, terminal,
// application overview, installed applications, documents and desktop folders, settings and disk
// tool, each with its fallback (QuickVisitTargets), and a button for the system-information
// dialog. Targets are chosen and started on a worker thread; a row whose fallback is one of
// Corvella's own tabs asks for it with openCorvellaTab. A row that cannot open anything says why
// at the foot of the tab. GUI thread only.
class QuickVisitViewController : public ToolPage {
    Q_OBJECT
public:
    explicit QuickVisitViewController(QWidget* parent = nullptr);

    // The environment whose PATH and XDG variables choose the targets (the process's own by
    // default).
    void setEnvironment(const QProcessEnvironment& environment) { m_environment = environment; }

    void doOpenEnergySet();
    void doOpenTerminal();
    void doOpenLaunchpad();
    void doOpenApplications();
    void doOpenMyDocuments();
    void doOpenDesktop();
    void doOpenSystemPrerence();
    void doOpenDiskUtiliy();
    // Opens a path with its default handler.
    void doOpenWithString(const QString& path);
    void doOpenAbout();

    // The row buttons, by their names ("Energy Settings", ...), and the about button.
    IconATextButton* row(const QString& name) const;
    IconATextButton* aboutBut() const { return m_aboutBut; }

Q_SIGNALS:
    // A row's fallback is Corvella's own tab with this identifier ("Applications", "DiskManager").
    void openCorvellaTab(const QString& identifier);
    // A row has been handled: `error` is empty when its target started (or its tab was asked for).
    void rowOpened(const QuickVisitTarget& target, const QString& error);

private:
    using Chooser = std::function<QuickVisitTarget(const QuickVisitTargets&)>;
    void open(Chooser choose);
    void finishOpening(const QuickVisitTarget& target, const QString& error);

    QProcessEnvironment m_environment;
    QList<IconATextButton*> m_rows;
    IconATextButton* m_aboutBut = nullptr;
};
