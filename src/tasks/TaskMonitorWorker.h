#pragma once

#include "tasks/SystemLoadSampler.h"
#include "tasks/TaskListBuilder.h"

#include <QList>
#include <QObject>

#include <memory>

class QSocketNotifier;

// The Task Manager's work off the GUI thread: rebuilding the application list, reading the
// load, and noticing when applications come and go (the window manager's client list changes,
// or the set of application units differs from the previous refresh). Lives on a thread of its
// own; call its slots through queued connections or QMetaObject::invokeMethod. Results leave by
// queued signals, each a whole fresh list or reading.
class TaskMonitorWorker : public QObject {
    Q_OBJECT
public:
    explicit TaskMonitorWorker(TaskListBuilder::Options options, QObject* parent = nullptr);
    ~TaskMonitorWorker() override;

public Q_SLOTS:
    // Builds a fresh list and sends it with `generation`.
    void rebuild(quint64 generation);
    // Reads the load and compares the set of application units with the previous refresh.
    void refresh();

Q_SIGNALS:
    void listBuilt(quint64 generation, const QList<TaskManagerInfo>& applications);
    void loadRead(const SystemLoadReading& reading);
    void applicationsChanged();

private:
    void ensureStarted();
    void windowsMayHaveChanged();

    TaskListBuilder::Options m_options;
    std::unique_ptr<TaskListBuilder> m_builder;
    std::unique_ptr<SystemLoadSampler> m_load;
    QSocketNotifier* m_windowNotifier = nullptr;
    QList<QByteArray> m_units;
};
