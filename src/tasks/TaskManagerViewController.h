#pragma once

#include "kit/ToolPage.h"
#include "tasks/SystemLoadSampler.h"
#include "tasks/TaskListBuilder.h"
#include "tasks/TaskManagerInfo.h"

#include <QHash>
#include <QIcon>
#include <QList>

class QLabel;
class QTableWidget;
class QThread;
class QTimer;
class TaskMonitorWorker;
class TextImageButton;

// The "Task Manager" tab: the user's running applications, each with its icon, name and a check
// box, ended by "Close"; below them the CPU and memory load, refreshed every 2 seconds.
//
// The list is rebuilt on a worker thread whenever applications come or go (the window manager's
// client list, or the set of application units at each refresh) and the fresh list replaces the
// shown one on the GUI thread; a rebuild older than the one shown is dropped. Every application
// but Corvella itself is ticked after a rebuild. "Close" sends each ticked application the
// termination signal through the pidfd its record holds; one still running 5 seconds later is
// offered "Force Quit". Failures are shown under the list.
class TaskManagerViewController : public ToolPage {
    Q_OBJECT
public:
    explicit TaskManagerViewController(QWidget* parent = nullptr);
    // `options` picks the procfs root and the applications folders (tests).
    TaskManagerViewController(const TaskListBuilder::Options& options, QWidget* parent);
    ~TaskManagerViewController() override;

    // Asks for a fresh list; the shown one stays until it arrives (applicationsReloaded()).
    void getAllProcess();
    // Ends every ticked application and drops it from the list.
    void closeButtonAction();
    // Toggles the check box of the table's current row and sets the button's state.
    void changeCloseButtonState();
    // Kills the applications that outlived "Close" by 5 seconds.
    void forceQuit();
    // Asks for a load reading; the labels change when it arrives (loadUpdated()).
    void updateSysStat();

    // Shows `applications` in place of the current list.
    void setApplications(const QList<TaskManagerInfo>& applications);
    const QList<TaskManagerInfo>& allApplications() const { return m_allApplications; }
    QTableWidget* listTableView() const { return m_listTableView; }
    TextImageButton* closeBut() const { return m_closeBut; }
    TextImageButton* forceQuitBut() const { return m_forceQuitBut; }
    QLabel* cpuLabel() const { return m_cpuLabel; }
    QLabel* memoryLabel() const { return m_memoryLabel; }
    QLabel* messageLabel() const { return m_messageLabel; }

    // The label text with its first "%" in black at alpha 0.6 and the rest in `color`, as rich
    // text.
    static QString getStringColor(const QString& text, const QColor& color);

Q_SIGNALS:
    void applicationsReloaded();
    void loadUpdated();
    // The applications that "Close" ended are checked again, 5 seconds later.
    void survivorsChecked();

private:
    void listBuilt(quint64 generation, const QList<TaskManagerInfo>& applications);
    void showLoad(const SystemLoadReading& reading);
    void updateLabel(QLabel* label, double percent);
    void reloadTable();
    void checkSurvivors();
    void showMessage(const QStringList& lines, bool failure);
    QIcon iconOf(const TaskManagerInfo& record);

    QList<TaskManagerInfo> m_allApplications;
    QList<TaskManagerInfo> m_ending;
    QList<TaskManagerInfo> m_survivors;
    QTableWidget* m_listTableView = nullptr;
    TextImageButton* m_closeBut = nullptr;
    TextImageButton* m_forceQuitBut = nullptr;
    QLabel* m_cpuLabel = nullptr;
    QLabel* m_memoryLabel = nullptr;
    QLabel* m_messageLabel = nullptr;
    QTimer* m_timer = nullptr;
    QTimer* m_survivorTimer = nullptr;
    QThread* m_thread = nullptr;
    TaskMonitorWorker* m_worker = nullptr;
    quint64 m_requestedGeneration = 0;
    quint64 m_shownGeneration = 0;
    QHash<QString, QIcon> m_icons;
};
