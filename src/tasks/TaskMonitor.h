#pragma once

#include "tasks/SystemLoadSampler.h"
#include "tasks/TaskListBuilder.h"

#include <QList>

#include <memory>

// The Task Manager's state off the GUI thread: the list builder (with its window connection), the
// load sampler and the application units seen at the previous refresh. Not thread-safe: the tab
// runs every call as a job of one BackgroundTask::Queue, so calls never overlap and each sees what
// the one before it left. The window connection is opened by the first call.
class TaskMonitor {
public:
    explicit TaskMonitor(TaskListBuilder::Options options);
    ~TaskMonitor();

    struct Rebuild {
        QList<TaskManagerInfo> applications;
        // The client list changed while the list was read: those notices were taken with the
        // window manager's answers and never make the descriptor readable again.
        bool windowsChanged = false;
    };
    // A fresh list; remembers its application units for the next refresh.
    Rebuild rebuild();

    struct Refresh {
        SystemLoadReading load;
        // The set of application units differs from the previous refresh or rebuild.
        bool applicationsChanged = false;
    };
    Refresh refresh();

    // The descriptor that turns readable when the window manager's client list may have changed,
    // or -1 when windows are not read (or the display has gone).
    int windowChangeDescriptor();
    // Takes the notices that made the descriptor readable: true when the client list changed.
    bool takeWindowChange();

private:
    void ensureStarted();

    TaskListBuilder::Options m_options;
    std::unique_ptr<TaskListBuilder> m_builder;
    std::unique_ptr<SystemLoadSampler> m_load;
    QList<QByteArray> m_units;
};
