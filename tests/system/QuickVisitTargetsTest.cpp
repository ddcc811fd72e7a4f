#include "system/QuickVisitTargets.h"

#include "platform/desktop/DesktopOpener.h"
#include "support/ScopedEnvironmentVariable.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Row = QuickVisitTarget (QuickVisitTargets::*)() const;

struct RowCase {
    const char* label;
    Row row;
    QStringList programs; // fake programs in PATH, each recording its name and arguments
    const char* desktop;  // XDG_CURRENT_DESKTOP
    QStringList recorded; // what was started; "~" stands for the home folder
    QString tab;          // or Corvella's own tab
};

class QuickVisitTargetsTest : public ::testing::TestWithParam<RowCase> {};

void writeScript(const QString& path, const QString& record)
{
    QFile script(path);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nprintf '%s\\n' \"$(basename \"$0\")\" \"$@\" > " +
                 QFile::encodeName(record) + ".tmp && mv " + QFile::encodeName(record) + ".tmp " +
                 QFile::encodeName(record) + "\n");
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_P(QuickVisitTargetsTest, OpensTheFirstTargetThatExists)
{
    const QString xdgOpen = QStandardPaths::findExecutable(u"xdg-open"_s);
    if (xdgOpen.isEmpty() || qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "needs xdg-open and a display (xdg-open only runs handlers with one)";
    const RowCase& row = GetParam();
    QTemporaryDir dir;
    const QString record = dir.filePath(u"record"_s);
    // A home folder away from /home, with documents kept under another name.
    const QString home = dir.filePath(u"elsewhere/user"_s);
    for (const char* folder : {"bin", "elsewhere/user/Papers", "elsewhere/user/Desktop",
                               "share/applications", "config", "data/applications"})
        ASSERT_TRUE(QDir().mkpath(dir.filePath(QString::fromLatin1(folder))));
    for (const QString& program : row.programs)
        writeScript(dir.filePath(u"bin/"_s + program), record);
    writeScript(dir.filePath(u"recorder"_s), record);
    ASSERT_TRUE(QFile::link(xdgOpen, dir.filePath(u"bin/xdg-open"_s)));
    QFile dirs(dir.filePath(u"config/user-dirs.dirs"_s));
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write("# written by xdg-user-dirs-update\nXDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n");
    dirs.close();
    QFile entry(dir.filePath(u"data/applications/recorder.desktop"_s));
    ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
    entry.write("[Desktop Entry]\nType=Application\nName=Recorder\nExec=" +
                QFile::encodeName(dir.filePath(u"recorder"_s)) +
                " %u\nMimeType=inode/directory;\n");
    entry.close();

    // xdg-open and the handler it starts read this process's environment.
    const ScopedEnvironmentVariable homeVariable("HOME", QFile::encodeName(home));
    const ScopedEnvironmentVariable config("XDG_CONFIG_HOME",
                                           QFile::encodeName(dir.filePath(u"config"_s)));
    const ScopedEnvironmentVariable data("XDG_DATA_HOME",
                                         QFile::encodeName(dir.filePath(u"data"_s)));
    const ScopedEnvironmentVariable dataDirs("XDG_DATA_DIRS",
                                             QFile::encodeName(dir.filePath(u"share"_s)));
    const ScopedEnvironmentVariable desktop("XDG_CURRENT_DESKTOP", QByteArray(row.desktop));
    ASSERT_EQ(QProcess::execute(u"xdg-mime"_s,
                                {u"default"_s, u"recorder.desktop"_s, u"inode/directory"_s}),
              0);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"PATH"_s, dir.filePath(u"bin"_s));

    const QuickVisitTarget target = (QuickVisitTargets(environment).*row.row)();
    if (!row.tab.isEmpty()) {
        EXPECT_EQ(target.kind, QuickVisitTarget::Kind::CorvellaTab);
        EXPECT_EQ(target.tab, row.tab);
        return;
    }
    ASSERT_EQ(target.kind, QuickVisitTarget::Kind::Command) << target.error.toStdString();
    ASSERT_EQ(DesktopOpener::start(target.command), QString());
    QDeadlineTimer deadline(20000);
    while (!QFile::exists(record) && !deadline.hasExpired())
        QThread::msleep(20);
    QFile output(record);
    ASSERT_TRUE(output.open(QIODevice::ReadOnly)) << "nothing was started";
    QStringList expected = row.recorded;
    for (QString& word : expected)
        word = word.startsWith(u'~') ? QDir::cleanPath(home + word.mid(1)) : word;
    EXPECT_EQ(QString::fromUtf8(output.readAll()).split(u'\n', Qt::SkipEmptyParts), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, QuickVisitTargetsTest,
    ::testing::Values(
        RowCase{"energyGnome",
                &QuickVisitTargets::energySettings,
                {u"gnome-control-center"_s, u"xfce4-power-manager-settings"_s},
                "",
                {u"gnome-control-center"_s, u"power"_s},
                {}},
        RowCase{"energyFallback",
                &QuickVisitTargets::energySettings,
                {u"xfce4-power-manager-settings"_s},
                "",
                {u"xfce4-power-manager-settings"_s},
                {}},
        RowCase{"terminalDefault",
                &QuickVisitTargets::terminal,
                {u"x-terminal-emulator"_s, u"konsole"_s},
                "KDE",
                {u"x-terminal-emulator"_s},
                {}},
        RowCase{"terminalDesktops",
                &QuickVisitTargets::terminal,
                {u"xterm"_s, u"konsole"_s},
                "KDE",
                {u"konsole"_s},
                {}},
        RowCase{"launchpadTab", &QuickVisitTargets::launchpad, {}, "GNOME", {}, u"Applications"_s},
        RowCase{"applications",
                &QuickVisitTargets::applications,
                {},
                "",
                {u"recorder"_s, u"~/../../share/applications"_s},
                {}},
        RowCase{"documents",
                &QuickVisitTargets::myDocuments,
                {},
                "",
                {u"recorder"_s, u"~/Papers"_s},
                {}},
        RowCase{
            "desktop", &QuickVisitTargets::desktop, {}, "", {u"recorder"_s, u"~/Desktop"_s}, {}},
        RowCase{"settingsOfTheDesktop",
                &QuickVisitTargets::systemPreferences,
                {u"gnome-control-center"_s, u"systemsettings"_s},
                "KDE",
                {u"systemsettings"_s},
                {}},
        RowCase{"disks",
                &QuickVisitTargets::diskUtility,
                {u"gnome-disks"_s},
                "",
                {u"gnome-disks"_s},
                {}},
        RowCase{"disksTab", &QuickVisitTargets::diskUtility, {}, "", {}, u"DiskManager"_s}),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace
