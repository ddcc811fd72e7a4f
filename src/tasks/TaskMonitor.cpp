#include "tasks/TaskMonitor.h"

TaskMonitor::TaskMonitor(TaskListBuilder::Options options) : m_options(std::move(options)) {}

TaskMonitor::~TaskMonitor() = default;

void TaskMonitor::ensureStarted()
{
    if (m_builder)
        return;
    m_builder = std::make_unique<TaskListBuilder>(
        m_options, m_options.readWindows ? TaskListBuilder::createWindowSource() : nullptr);
    m_load = std::make_unique<SystemLoadSampler>(m_options.procRoot);
    m_units = m_builder->appUnitNames();
}

TaskMonitor::Rebuild TaskMonitor::rebuild()
{
    ensureStarted();
    Rebuild result;
    result.applications = m_builder->getAllProcess();
    m_units = m_builder->appUnitNames();
    result.windowsChanged = takeWindowChange();
    return result;
}

TaskMonitor::Refresh TaskMonitor::refresh()
{
    ensureStarted();
    Refresh result;
    result.load = m_load->updateSysStat();
    QList<QByteArray> units = m_builder->appUnitNames();
    if (units != m_units) {
        m_units = std::move(units);
        result.applicationsChanged = true;
    }
    return result;
}

int TaskMonitor::windowChangeDescriptor()
{
    ensureStarted();
    ClientWindowSource* windows = m_builder->windowSource();
    return windows ? windows->changeDescriptor() : -1;
}

bool TaskMonitor::takeWindowChange()
{
    ensureStarted();
    ClientWindowSource* windows = m_builder->windowSource();
    return windows && windows->takeClientListChange();
}
