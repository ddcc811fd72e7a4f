#pragma once

#include "common/BackgroundTask.h"
#include "kit/ToolPage.h"
#include "tasks/ApplicationCloser.h"
#include "tasks/SystemLoadSampler.h"
#include "tasks/TaskListBuilder.h"
#include "tasks/TaskManagerInfo.h"

#include <QHash>
#include <QIcon>
#include <QList>

#include <memory>

class QLabel;
class QTableView;
class TaskListModel;
class QSocketNotifier;
class QTimer;
class TaskMonitor;
class TextImageButton;

// The "Task Manager" tab: the user's running applications, each with its icon, name and a check
// box, ended by "Close"; below them the CPU and memory load, refreshed every 2 seconds.
//
// The list is rebuilt off the GUI thread (one BackgroundTask::Queue, so rebuilds and readings run
// one after another) whenever applications come or go (the window manager's
// client list, or the set of application units at each refresh) and the fresh list is merged
// into the shown one on the GUI thread (TaskListModel): the user's ticks and the selection stay
// with their applications, new applications come ticked, all but Corvella itself. A rebuild
// older than the one shown is dropped.
//
// "Close" asks first (under "ConfirmIrreversibleActions"), naming the ticked applications, then
// ends them the way the desktop does (ApplicationCloser): their windows are asked to close, so
// an application can ask about unsaved work; the termination signal follows for one without a
// window or still running after 5 seconds, and one still running 5 seconds after that is offered
// "Force Quit". Failures are shown under the list.
class TaskManagerViewController : public ToolPage {
    Q_OBJECT
public:
    explicit TaskManagerViewController(QWidget* parent = nullptr);
    // `options` picks the procfs root and the applications folders (tests).
    TaskManagerViewController(const TaskListBuilder::Options& options, QWidget* parent);
    ~TaskManagerViewController() override;

    // Asks for a fresh list; the shown one stays until it arrives (applicationsReloaded()).
    void getAllProcess();
    // Asks, then ends every ticked application and drops it from the list.
    void closeButtonAction();
    // Toggles the check box of the table's current row and sets the button's state.
    void changeCloseButtonState();
    // Kills the applications that outlived "Close".
    void forceQuit();
    // Asks for a load reading; the labels change when it arrives (loadUpdated()).
    void updateSysStat();

    // Merges `applications` into the shown list.
    void setApplications(const QList<TaskManagerInfo>& applications);
    const QList<TaskManagerInfo>& allApplications() const;
    QTableView* listTableView() const { return m_listTableView; }
    TaskListModel* model() const { return m_model; }
    // How long an application has to answer a close request, and then the termination signal.
    void setGraceMilliseconds(int milliseconds) { m_graceMilliseconds = milliseconds; }
    TextImageButton* closeBut() const { return m_closeBut; }
    TextImageButton* forceQuitBut() const { return m_forceQuitBut; }
    QLabel* cpuLabel() const { return m_cpuLabel; }
    QLabel* memoryLabel() const { return m_memoryLabel; }
    QLabel* messageLabel() const { return m_messageLabel; }
    // Shown outside X11: what the list and Close can do without the windows.
    QLabel* sessionNoteLabel() const { return m_sessionNoteLabel; }

    // The label text with its first "%" in black at alpha 0.6 and the rest in `color`, as rich
    // text.
    static QString getStringColor(const QString& text, const QColor& color);

Q_SIGNALS:
    void applicationsReloaded();
    void loadUpdated();
    // Every application that "Close" ended has its outcome; survivors are offered Force Quit.
    void survivorsChecked();

protected:
    // Space on the list toggles the current row's check box, as Enter does.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void listBuilt(quint64 generation, const QList<TaskManagerInfo>& applications);
    void showLoad(const SystemLoadReading& reading);
    void watchWindows(int descriptor);
    void windowsMayHaveChanged();
    void updateLabel(QLabel* label, double percent);
    void updateCloseButton();
    void closingFinished(const QList<ApplicationCloser::Result>& results);
    void showMessage(const QStringList& lines, bool failure);
    QIcon iconOf(const TaskManagerInfo& record);

    QList<TaskManagerInfo> m_survivors;
    TaskListModel* m_model = nullptr;
    QTableView* m_listTableView = nullptr;
    TextImageButton* m_closeBut = nullptr;
    TextImageButton* m_forceQuitBut = nullptr;
    QLabel* m_cpuLabel = nullptr;
    QLabel* m_memoryLabel = nullptr;
    QLabel* m_messageLabel = nullptr;
    QLabel* m_sessionNoteLabel = nullptr;
    QTimer* m_timer = nullptr;
    int m_graceMilliseconds = ApplicationCloser::DefaultGraceMilliseconds;
    // Used only by the jobs of m_queue; they keep it alive past the tab.
    std::shared_ptr<TaskMonitor> m_monitor;
    BackgroundTask::Queue m_queue;
    QSocketNotifier* m_windowNotifier = nullptr;
    quint64 m_requestedGeneration = 0;
    quint64 m_shownGeneration = 0;
    QHash<QString, QIcon> m_icons;
};
