#include "support/Files.h"
#include "tasks/SessionHelperFilter.h"
#include "tasks/TaskListBuilder.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr uid_t Uid = 1000;
constexpr int OwnPid = 700;

class FixedWindows : public ClientWindowSource {
public:
    explicit FixedWindows(QList<ClientWindow> windows) : m_windows(std::move(windows)) {}
    std::optional<QList<ClientWindow>> clientWindows() override { return m_windows; }

private:
    QList<ClientWindow> m_windows;
};

// A fixture procfs: each process with its cgroup path, start time and executable's short name.
struct Process {
    int pid;
    QByteArray cgroup;
    int started;
    QByteArray comm;
};

// The units are found through every process's cgroup file, or in a cgroup tree (the parameter).
class TaskList : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        const QByteArray user = "0::/user.slice/user-1000.slice/user@1000.service/app.slice/";
        for (const Process& process : QList<Process>{
                 {101, user + "app-gnome-org.example.Editor-3021.scope", 500, "editor"},
                 {102, user + "app-gnome-org.example.Editor-3021.scope", 400, "editor-helper"},
                 {150, user + "app-org.example.Viewer@9.service", 300, "viewer"},
                 {160, user + "app-unknown\\x2dtool-77.scope", 350, "unknown-tool"},
                 {170, user + "app-corvella-5.scope/sub.scope", 200, "corvella-helper"},
                 {180,
                  "0::/user.slice/user-1001.slice/user@1001.service/app.slice/"
                  "app-other-1.scope",
                  100, "other"},
                 {190, user + "session.slice/pipewire.service", 100, "pipewire"},
                 // The session's own: left out unless they show a window (the first).
                 {210, user + "app-org.example.Sync@autostart.service", 250, "sync-daemon"},
                 {220, user + "app-gnome-xdg\\x2ddesktop\\x2dportal\\x2dgtk-55.scope", 260,
                  "xdg-desktop-por"},
                 {230, user + "app-gnome-pipewire\\x2dpulse-56.scope", 270, "pipewire-pulse"},
                 {201, "0::/system.slice/xterm.service", 600, "xterm"},
                 {202, "0::/", 650, "Corvella Helper"},
                 {OwnPid, "0::/init.scope", 700, "corvella"}}) {
            const QString unit = m_cgroup.path() + QString::fromUtf8(process.cgroup.mid(3));
            QByteArray procs = files::readFile(unit + "/cgroup.procs");
            procs =
                (procs == "<unreadable>" ? QByteArray() : procs) + QByteArray::number(process.pid);
            ASSERT_TRUE(files::writeFile(unit + "/cgroup.procs", procs + '\n'));
            const QString folder = m_proc.filePath(QString::number(process.pid));
            ASSERT_TRUE(files::writeFile(folder + "/cgroup", process.cgroup + '\n'));
            ASSERT_TRUE(files::writeFile(folder + "/comm", process.comm + '\n'));
            // The name in parentheses may hold spaces and parentheses.
            ASSERT_TRUE(files::writeFile(folder + "/stat",
                                         QByteArray::number(process.pid) + " (a (b) c) S" +
                                             QByteArray(" 1").repeated(18) + ' ' +
                                             QByteArray::number(process.started) + " 0 0\n"));
        }
        const QString apps = m_data.filePath("applications");
        ASSERT_TRUE(files::writeFile(apps + "/org.example.Editor.desktop",
                                     "[Desktop Entry]\nName=Example Editor\nIcon=accessories-"
                                     "text-editor\nExec=editor %F\n[Desktop Action new]\n"
                                     "Name=Not this\n"));
        ASSERT_TRUE(files::writeFile(apps + "/org.example.Viewer.desktop",
                                     "[Desktop Entry]\nName=Photo.apple.Tool\nExec=viewer\n"));
        ASSERT_TRUE(files::writeFile(apps + "/debian/xterm.desktop",
                                     "[Desktop Entry]\nName=XTerm\nExec=env LANG=C /usr/bin/xterm"
                                     "\nStartupWMClass=UXTerm\n"));
        ASSERT_TRUE(
            files::writeFile(apps + "/corvella.desktop", "[Desktop Entry]\nName=Corvella\n"));
    }

    QList<TaskManagerInfo> build(QList<ClientWindow> windows, bool includeOwn)
    {
        TaskListBuilder::Options options;
        options.procRoot = m_proc.path();
        options.cgroupRoot = GetParam() ? m_cgroup.path() : QString();
        options.uid = Uid;
        options.ownPid = OwnPid;
        options.includeOwnProcess = includeOwn;
        options.desktopFolders = {m_data.filePath("applications")};
        return TaskListBuilder(options, std::make_unique<FixedWindows>(std::move(windows)))
            .getAllProcess();
    }

    static std::string summary(const QList<TaskManagerInfo>& records)
    {
        std::string text;
        for (const TaskManagerInfo& record : records) {
            text += std::to_string(record.pID) + ' ' + (record.bIsSelected ? "+" : "-") +
                    record.name.toStdString() + " [" + record.appId.toStdString() + "]; ";
        }
        return text;
    }

    QTemporaryDir m_proc;
    QTemporaryDir m_cgroup;
    QTemporaryDir m_data;
};

TEST_P(TaskList, OneRowPerApplicationInWindowOrderThenUnitsByAge)
{
    const QList<TaskManagerInfo> records =
        build({{1, 201, "xterm", "UXTerm", {}},
               {2, 101, "editor", "Editor", {}}, // stands for its unit's main process
               {3, 102, "editor", "Editor", {}}, // the same application again
               {4, 0, "remote", "Remote", {}},   // no process to end
               {5, 4242, "gone", "Gone", {}},    // not on this machine
               {6, 202, "helper", "Helper", {}}},
              false);
    EXPECT_EQ(summary(records),
              "201 +XTerm [debian-xterm]; 102 +Example Editor [org.example.Editor]; "
              "202 +Corvella Helper [Helper]; 170 -Corvella [corvella]; "
              "150 +Photo.apple.Tool [org.example.Viewer]; 160 +unknown-tool [unknown-tool]; ");
}

TEST_P(TaskList, OwnProcessIsListedUntickedWhenAsked)
{
    const QList<TaskManagerInfo> records = build({{1, OwnPid, "corvella", "Corvella", {}}}, true);
    ASSERT_FALSE(records.isEmpty());
    EXPECT_EQ(summary(records.mid(0, 1)), "700 -Corvella [corvella]; ");
    EXPECT_EQ(std::count_if(records.cbegin(), records.cend(),
                            [](const TaskManagerInfo& r) { return r.pID == OwnPid; }),
              1);
    EXPECT_EQ(summary(build({}, true).mid(4)), "700 -Corvella []; ");
}

TEST_P(TaskList, SessionHelpersAreLeftOutButAnAutostartedWindowCounts)
{
    const auto pids = [](const QList<TaskManagerInfo>& records) {
        QList<int> list;
        for (const TaskManagerInfo& record : records)
            list.append(record.pID);
        return list;
    };
    const QList<int> windowless = pids(build({}, false));
    EXPECT_FALSE(windowless.contains(210) || windowless.contains(220) || windowless.contains(230));
    const QList<int> shown = pids(build(
        {{1, 210, "sync", "Sync", {}}, {2, 220, "portal", "Xdg-desktop-portal-gtk", {}}}, false));
    EXPECT_TRUE(shown.contains(210));
    EXPECT_FALSE(shown.contains(220));
}

INSTANTIATE_TEST_SUITE_P(UnitsFrom, TaskList, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "CgroupTree" : "Processes"; });

TEST(TaskListUnits, ApplicationIdsOfUnitNames)
{
    const QList<std::pair<QByteArray, QStringList>> cases{
        {"app-gnome-org.gnome.Terminal-1234.scope",
         {"gnome-org.gnome.Terminal", "org.gnome.Terminal"}},
        {"app-firefox\\x2desr-99.scope", {"firefox-esr"}},
        {"app-org.example.Viewer@abc.service", {"org.example.Viewer"}},
        {"app-flatpak-org.gimp.GIMP.service", {"flatpak-org.gimp.GIMP", "org.gimp.GIMP"}}};
    for (const auto& [unit, ids] : cases)
        EXPECT_EQ(TaskListBuilder::applicationIdsOfUnit(unit), ids) << unit.toStdString();
}

TEST(TaskListUnits, SessionHelperNames)
{
    for (const char* unit :
         {"app-org.kde.kdeconnect.daemon@autostart.service", "app-pulseaudio@autostart.service"})
        EXPECT_TRUE(SessionHelperFilter::isAutostartUnit(unit)) << unit;
    for (const char* unit :
         {"app-firefox-1234.scope", "app-org.example.Viewer@9.service", "app-autostart.service"})
        EXPECT_FALSE(SessionHelperFilter::isAutostartUnit(unit)) << unit;
    for (const char* name :
         {"xdg-desktop-portal-gtk", "PulseAudio", "dbus-daemon", "org.gnome.SettingsDaemon.Color"})
        EXPECT_TRUE(SessionHelperFilter::isSessionService({QString::fromUtf8(name)})) << name;
    for (const char* name : {"firefox-esr", "Corvella", "dbus", ""})
        EXPECT_FALSE(SessionHelperFilter::isSessionService({QString::fromUtf8(name)})) << name;
}

} // namespace
