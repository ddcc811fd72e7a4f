#include "system/QuickVisitTargets.h"

#include "platform/desktop/DesktopOpener.h"
#include "support/Files.h"
#include "support/ScopedEnvironmentVariable.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Row = QuickVisitTarget (QuickVisitTargets::*)() const;

struct RowCase {
    const char* label;
    Row row;
    const char* programs; // fake programs in PATH, each recording its name and arguments
    const char* desktop;  // XDG_CURRENT_DESKTOP
    const char* recorded; // what was started, word by word ("~" the home folder), or "tab NAME"
};

class QuickVisitTargetsTest : public ::testing::TestWithParam<RowCase> {};

void writeScript(const QString& path, const QString& record)
{
    const QByteArray to = QFile::encodeName(record);
    ASSERT_TRUE(
        writeFile(path, "#!/bin/sh\nprintf '%s\\n' \"$(basename \"$0\")\" \"$@\" > " + to +
                            ".tmp && mv " + to + ".tmp " + to + "\n") &&
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

TEST_P(QuickVisitTargetsTest, OpensTheFirstTargetThatExists)
{
    const QString xdgOpen = QStandardPaths::findExecutable(u"xdg-open"_s);
    if (xdgOpen.isEmpty() || qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "needs xdg-open and a display (xdg-open only runs handlers with one)";
    const RowCase& row = GetParam();
    QTemporaryDir dir;
    const auto in = [&dir](const char* relative) {
        return QFile::encodeName(dir.filePath(QString::fromLatin1(relative)));
    };
    const QString record = dir.filePath(u"record"_s);
    // A home folder away from /home, with documents kept under another name.
    const QString home = dir.filePath(u"elsewhere/user"_s);
    for (const char* folder : {"bin", "elsewhere/user/Papers", "share/applications"})
        ASSERT_TRUE(QDir().mkpath(QFile::decodeName(in(folder))));
    for (const QString& program : QString::fromLatin1(row.programs).split(u' ', Qt::SkipEmptyParts))
        writeScript(dir.filePath(u"bin/"_s + program), record);
    writeScript(dir.filePath(u"recorder"_s), record);
    ASSERT_TRUE(QFile::link(xdgOpen, dir.filePath(u"bin/xdg-open"_s)));
    ASSERT_TRUE(
        writeFile(in("config/user-dirs.dirs"),
                  "# written by xdg-user-dirs-update\nXDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n"));
    ASSERT_TRUE(writeFile(in("data/applications/recorder.desktop"),
                          "[Desktop Entry]\nType=Application\nName=Recorder\nExec=" +
                              in("recorder") + " %u\nMimeType=inode/directory;\n"));

    // xdg-open and the handler it starts read this process's environment.
    const ScopedEnvironmentVariable homeVariable("HOME", QFile::encodeName(home)),
        config("XDG_CONFIG_HOME", in("config")), data("XDG_DATA_HOME", in("data")),
        dataDirs("XDG_DATA_DIRS", in("share")),
        desktop("XDG_CURRENT_DESKTOP", QByteArray(row.desktop));
    ASSERT_EQ(QProcess::execute(u"xdg-mime"_s,
                                {u"default"_s, u"recorder.desktop"_s, u"inode/directory"_s}),
              0);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"PATH"_s, dir.filePath(u"bin"_s));

    const QuickVisitTarget target = (QuickVisitTargets(environment).*row.row)();
    if (target.kind == QuickVisitTarget::Kind::CorvellaTab) {
        EXPECT_EQ(u"tab "_s + target.tab, QLatin1StringView(row.recorded));
        return;
    }
    ASSERT_EQ(target.kind, QuickVisitTarget::Kind::Command) << target.error.toStdString();
    ASSERT_EQ(DesktopOpener::start(target.command), QString());
    ASSERT_TRUE(QTest::qWaitFor([&] { return exists(record); }, 20000)) << "nothing was started";
    QStringList expected = QString::fromLatin1(row.recorded).split(u' ');
    for (QString& word : expected)
        word = word.startsWith(u'~') ? QDir::cleanPath(home + word.mid(1)) : word;
    EXPECT_EQ(QString::fromUtf8(readFile(record)).split(u'\n', Qt::SkipEmptyParts), expected);
}

using Targets = QuickVisitTargets;
INSTANTIATE_TEST_SUITE_P(
    Rows, QuickVisitTargetsTest,
    ::testing::Values(RowCase{"energyGnome", &Targets::energySettings,
                              "gnome-control-center xfce4-power-manager-settings", "",
                              "gnome-control-center power"},
                      RowCase{"terminalDefault", &Targets::terminal, "x-terminal-emulator konsole",
                              "KDE", "x-terminal-emulator"},
                      RowCase{"launchpadTab", &Targets::launchpad, "", "GNOME", "tab Applications"},
                      RowCase{"applications", &Targets::applications, "", "",
                              "recorder ~/../../share/applications"},
                      RowCase{"documents", &Targets::myDocuments, "", "", "recorder ~/Papers"},
                      RowCase{"settingsOfTheDesktop", &Targets::systemPreferences,
                              "gnome-control-center systemsettings", "KDE", "systemsettings"},
                      RowCase{"disksTab", &Targets::diskUtility, "", "", "tab DiskManager"}),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace
