#include "tasks/TaskListBuilder.h"

#include "platform/proc/ProcessHandle.h"
#include "tasks/SessionHelperFilter.h"
#ifdef CORVELLA_HAVE_XCB
#include "platform/x11/X11ClientWindows.h"
#endif

#include <QCoreApplication>
#include <QDebug>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <cerrno>

namespace {

const QString OwnName = QStringLiteral("Corvella");

// systemd escapes unit name characters as "\xNN".
QString unescapeUnitPart(const QByteArray& part)
{
    QByteArray text;
    for (qsizetype index = 0; index < part.size(); ++index) {
        if (part.at(index) == '\\' && index + 3 < part.size() && part.at(index + 1) == 'x') {
            bool ok = false;
            const int value = part.mid(index + 2, 2).toInt(&ok, 16);
            if (ok) {
                text.append(char(value));
                index += 3;
                continue;
            }
        }
        text.append(part.at(index));
    }
    return QString::fromUtf8(text);
}

} // namespace

TaskListBuilder::TaskListBuilder(Options options, std::unique_ptr<ClientWindowSource> windows)
    : m_options(std::move(options)), m_windows(std::move(windows)),
      m_processes(m_options.procRoot, m_options.cgroupRoot), m_entries(m_options.desktopFolders),
      m_realProcesses(m_options.procRoot == u"/proc")
{}

std::unique_ptr<ClientWindowSource> TaskListBuilder::createWindowSource(QString* why)
{
    QString reason =
        QCoreApplication::translate("TaskListBuilder", "no X display is set (DISPLAY)");
#ifdef CORVELLA_HAVE_XCB
    if (const QString display = qEnvironmentVariable("DISPLAY"); !display.isEmpty()) {
        auto windows = std::make_unique<X11ClientWindows>();
        if (windows->isConnected())
            return windows;
        reason = windows->errorString();
        if (reason.isEmpty())
            reason =
                QCoreApplication::translate("TaskListBuilder", "the X display %1 cannot be reached")
                    .arg(display);
    }
#else
    reason = QCoreApplication::translate("TaskListBuilder", "this build reads no window list");
#endif
    if (why)
        *why = reason;
    return nullptr;
}

bool TaskListBuilder::isSessionService(int pid, const Naming& naming) const
{
    QStringList names = naming.unitIds;
    names << QString::fromUtf8(naming.applicationId) << QString::fromUtf8(naming.className)
          << QString::fromUtf8(naming.instanceName) << m_processes.executableName(pid)
          << m_processes.commandName(pid);
    return SessionHelperFilter::isSessionService(names);
}

QStringList TaskListBuilder::applicationIdsOfUnit(const QByteArray& unit)
{
    // app[-<launcher>]-<id>[@<random>].service and app[-<launcher>]-<id>-<random>.scope
    QByteArray body = unit.mid(4);
    if (body.endsWith(".service")) {
        body.chop(8);
        if (const qsizetype at = body.indexOf('@'); at >= 0)
            body.truncate(at);
    } else if (body.endsWith(".scope")) {
        body.chop(6);
        if (const qsizetype dash = body.lastIndexOf('-'); dash > 0)
            body.truncate(dash);
    }
    QStringList ids;
    if (body.isEmpty())
        return ids;
    ids.append(unescapeUnitPart(body));
    if (const qsizetype dash = body.indexOf('-'); dash > 0 && dash + 1 < body.size())
        ids.append(unescapeUnitPart(body.mid(dash + 1)));
    return ids;
}

QList<QByteArray> TaskListBuilder::appUnitNames() const
{
    QList<QByteArray> names = m_processes.appUnits(m_options.uid).keys();
    std::sort(names.begin(), names.end());
    return names;
}

int TaskListBuilder::mainProcess(const QList<int>& pids,
                                 std::optional<std::uint64_t>* started) const
{
    int main = 0;
    *started = std::nullopt;
    for (const int pid : pids) {
        const std::optional<std::uint64_t> time = m_processes.startTime(pid);
        if (time && (!*started || *time < **started || (*time == **started && pid < main))) {
            *started = time;
            main = pid;
        }
    }
    return main;
}

QList<TaskManagerInfo> TaskListBuilder::getAllProcess()
{
    const QHash<QByteArray, QList<int>> units = m_processes.appUnits(m_options.uid);
    QHash<int, QByteArray> unitOfPid;
    for (auto unit = units.cbegin(); unit != units.cend(); ++unit) {
        for (const int pid : unit.value())
            unitOfPid.insert(pid, unit.key());
    }

    QList<TaskManagerInfo> records;
    QSet<QByteArray> listedUnits;
    QSet<int> listedPids;
    const auto addUnit = [&](const QByteArray& unit, Naming naming) {
        std::optional<std::uint64_t> started;
        const int pid = mainProcess(units.value(unit), &started);
        if (pid <= 0 || listedPids.contains(pid))
            return;
        naming.unitIds = applicationIdsOfUnit(unit);
        listedUnits.insert(unit);
        listedPids.insert(pid);
        if (isSessionService(pid, naming))
            return;
        records.append(makeRecord(pid, naming, started));
        records.last().unit = unit;
    };

    m_windowsError = m_noWindowsReason;
    if (m_windows) {
        const std::optional<QList<ClientWindow>> windows = m_windows->clientWindows();
        if (!windows)
            m_windowsError = QCoreApplication::translate("TaskListBuilder",
                                                         "no window manager lists the windows");
        else
            m_windowsError.clear();
        for (const ClientWindow& window : windows.value_or(QList<ClientWindow>())) {
            const Naming naming{{}, window.applicationId, window.instanceName, window.className};
            // A window drawn by a process of another machine or container cannot be ended here.
            if (window.pid <= 0 || !m_processes.exists(window.pid))
                continue;
            if (const QByteArray unit = unitOfPid.value(window.pid); !unit.isEmpty()) {
                if (!listedUnits.contains(unit))
                    addUnit(unit, naming);
            } else if (!listedPids.contains(window.pid)) {
                listedPids.insert(window.pid);
                if (isSessionService(window.pid, naming))
                    continue;
                records.append(makeRecord(window.pid, naming, m_processes.startTime(window.pid)));
            }
        }
    }

    // Applications without a window (on Wayland, every one): their units, oldest first.
    struct Remaining {
        QByteArray unit;
        std::uint64_t started;
    };
    QList<Remaining> remaining;
    for (auto unit = units.cbegin(); unit != units.cend(); ++unit) {
        // What the session starts by itself at login counts only when it shows a window.
        if (listedUnits.contains(unit.key()) || SessionHelperFilter::isAutostartUnit(unit.key()))
            continue;
        std::optional<std::uint64_t> started;
        if (mainProcess(unit.value(), &started) > 0)
            remaining.append({unit.key(), *started});
    }
    std::sort(remaining.begin(), remaining.end(), [](const Remaining& a, const Remaining& b) {
        return a.started != b.started ? a.started < b.started : a.unit < b.unit;
    });
    for (const Remaining& unit : std::as_const(remaining))
        addUnit(unit.unit, {});

    const QByteArray ownUnit = unitOfPid.value(m_options.ownPid);
    bool ownListed = false;
    for (TaskManagerInfo& record : records) {
        if (record.pID == m_options.ownPid ||
            (!ownUnit.isEmpty() && unitOfPid.value(record.pID) == ownUnit)) {
            record.name = OwnName;
            ownListed = true;
        }
    }
    if (m_options.includeOwnProcess && !ownListed) {
        TaskManagerInfo own =
            makeRecord(m_options.ownPid, {}, m_processes.startTime(m_options.ownPid));
        own.name = OwnName;
        records.append(own);
    }
    for (TaskManagerInfo& record : records)
        record.bIsSelected = record.name != OwnName;
    return records;
}

TaskManagerInfo TaskListBuilder::makeRecord(int pid, const Naming& naming,
                                            std::optional<std::uint64_t> started)
{
    TaskManagerInfo record;
    record.pID = pid;
    const QString executable = m_processes.executableName(pid);
    std::optional<DesktopEntryIndex::Entry> entry;
    for (const QString& id : naming.unitIds) {
        if ((entry = m_entries.byId(id)))
            break;
    }
    if (!entry && !naming.applicationId.isEmpty())
        entry = m_entries.byId(QString::fromUtf8(naming.applicationId));
    if (!entry && !naming.className.isEmpty())
        entry = m_entries.byWindowClass(QString::fromUtf8(naming.className));
    if (!entry && !naming.instanceName.isEmpty())
        entry = m_entries.byWindowClass(QString::fromUtf8(naming.instanceName));
    if (!entry && !executable.isEmpty())
        entry = m_entries.byExecutable(executable);
    if (entry) {
        record.name = entry->name;
        record.image = entry->icon;
        record.appId = entry->id;
    } else {
        record.name = executable;
        record.appId = !naming.unitIds.isEmpty()         ? naming.unitIds.first()
                       : !naming.applicationId.isEmpty() ? QString::fromUtf8(naming.applicationId)
                                                         : QString::fromUtf8(naming.className);
    }
    // Processes of a fixture tree are not this machine's: hold none of them.
    if (m_realProcesses)
        record.process = ProcessHandle::open(pid, started, &record.handleError);
    else
        record.handleError = ESRCH;
    return record;
}
