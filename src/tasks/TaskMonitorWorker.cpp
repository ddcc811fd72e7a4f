#include "tasks/TaskMonitorWorker.h"

#include <QSocketNotifier>

TaskMonitorWorker::TaskMonitorWorker(TaskListBuilder::Options options, QObject* parent)
    : QObject(parent), m_options(std::move(options))
{
    qRegisterMetaType<QList<TaskManagerInfo>>();
    qRegisterMetaType<SystemLoadReading>();
}

TaskMonitorWorker::~TaskMonitorWorker() = default;

void TaskMonitorWorker::ensureStarted()
{
    if (m_builder)
        return;
    // Made on the worker's thread, so the window connection and its notifier belong to it.
    m_builder = std::make_unique<TaskListBuilder>(
        m_options, m_options.readWindows ? TaskListBuilder::createWindowSource() : nullptr);
    m_load = std::make_unique<SystemLoadSampler>(m_options.procRoot);
    if (ClientWindowSource* windows = m_builder->windowSource()) {
        if (const int fd = windows->changeDescriptor(); fd >= 0) {
            m_windowNotifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
            connect(m_windowNotifier, &QSocketNotifier::activated, this,
                    &TaskMonitorWorker::windowsMayHaveChanged);
        }
    }
    m_units = m_builder->appUnitNames();
}

void TaskMonitorWorker::rebuild(quint64 generation)
{
    ensureStarted();
    QList<TaskManagerInfo> applications = m_builder->getAllProcess();
    m_units = m_builder->appUnitNames();
    Q_EMIT listBuilt(generation, applications);
    // Notices read while the list was asked for never make the descriptor readable again.
    windowsMayHaveChanged();
}

void TaskMonitorWorker::refresh()
{
    ensureStarted();
    Q_EMIT loadRead(m_load->updateSysStat());
    QList<QByteArray> units = m_builder->appUnitNames();
    if (units != m_units) {
        m_units = std::move(units);
        Q_EMIT applicationsChanged();
    }
}

void TaskMonitorWorker::windowsMayHaveChanged()
{
    ClientWindowSource* windows = m_builder ? m_builder->windowSource() : nullptr;
    if (!windows)
        return;
    if (windows->takeClientListChange())
        Q_EMIT applicationsChanged();
    // A display that went away leaves its socket readable for ever: stop listening to it.
    if (m_windowNotifier && windows->changeDescriptor() < 0)
        m_windowNotifier->setEnabled(false);
}
