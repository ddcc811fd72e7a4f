#include "platform/DesktopBackgroundSettings.h"

#include "support/ScopedEnvironmentVariable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <ostream>

namespace {

constexpr int startTimeoutMs = 10000;

// Two PATH folders of fake programs, and a home whose Pictures folder is the fallback target.
class DesktopBackgroundSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("bin"))));
        ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("more-bin"))));
        ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("home/.config"))));
        m_home.emplace("HOME", QFile::encodeName(path(QStringLiteral("home"))));
        m_configHome.emplace("XDG_CONFIG_HOME",
                             QFile::encodeName(path(QStringLiteral("home/.config"))));
    }

    QString path(const QString& relativePath) const { return m_root.filePath(relativePath); }

    // A program in the given folder; it records its arguments, one a line, in `recordFile`.
    void addProgram(const QString& folder, const QString& name, bool executable = true,
                    const QString& recordFile = QStringLiteral("/dev/null")) const
    {
        QFile program(path(folder + u'/' + name));
        ASSERT_TRUE(program.open(QIODevice::WriteOnly));
        const QByteArray record = QFile::encodeName(recordFile);
        program.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + record + ".part'\n/bin/mv '" +
                      record + ".part' '" + record + "'\n");
        program.close();
        QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        if (executable) {
            permissions |= QFileDevice::ExeOwner;
        }
        ASSERT_TRUE(program.setPermissions(permissions));
    }

    QProcessEnvironment environment(const QString& currentDesktop) const
    {
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("PATH"),
                           path(QStringLiteral("bin")) + u':' + path(QStringLiteral("more-bin")));
        if (!currentDesktop.isNull()) {
            environment.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), currentDesktop);
        }
        return environment;
    }

    QTemporaryDir m_root;
    std::optional<ScopedEnvironmentVariable> m_home;
    std::optional<ScopedEnvironmentVariable> m_configHome;
};

struct DesktopCase {
    const char* name;
    QString currentDesktop;
    QStringList programs;
    // The expected command; "@/" stands for the fixture root.
    QStringList expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const DesktopCase& testCase, std::ostream* stream)
{
    *stream << testCase.name;
}

class DesktopBackgroundSettingsDesktopTest : public DesktopBackgroundSettingsTest,
                                             public ::testing::WithParamInterface<DesktopCase> {};

TEST_P(DesktopBackgroundSettingsDesktopTest, ChoosesTheDesktopsSettingsProgram)
{
    for (const QString& program : GetParam().programs) {
        // Later folders of PATH hold the programs, so the whole PATH must be searched.
        addProgram(QStringLiteral("more-bin"), program);
    }
    addProgram(QStringLiteral("bin"), QStringLiteral("xdg-open"));
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("home/Pictures"))));

    QStringList expected = GetParam().expected;
    expected.replaceInStrings(QStringLiteral("@/"), m_root.path() + u'/');
    EXPECT_EQ(DesktopBackgroundSettings::command(environment(GetParam().currentDesktop)), expected);
}

const QString gnomeSettings = QStringLiteral("gnome-control-center");
const QString opener = QStringLiteral("@/bin/xdg-open");
const QString pictures = QStringLiteral("@/home/Pictures");

INSTANTIATE_TEST_SUITE_P(
    Desktops, DesktopBackgroundSettingsDesktopTest,
    ::testing::Values(
        DesktopCase{
            "Gnome",
            QStringLiteral("GNOME"),
            {gnomeSettings},
            {QStringLiteral("@/more-bin/gnome-control-center"), QStringLiteral("background")}},
        DesktopCase{
            "UbuntuGnome",
            QStringLiteral("ubuntu:GNOME"),
            {gnomeSettings},
            {QStringLiteral("@/more-bin/gnome-control-center"), QStringLiteral("background")}},
        DesktopCase{
            "Unity",
            QStringLiteral("Unity"),
            {gnomeSettings},
            {QStringLiteral("@/more-bin/gnome-control-center"), QStringLiteral("background")}},
        DesktopCase{
            "Budgie",
            QStringLiteral("Budgie:GNOME"),
            {gnomeSettings},
            {QStringLiteral("@/more-bin/gnome-control-center"), QStringLiteral("background")}},
        DesktopCase{"Plasma6",
                    QStringLiteral("KDE"),
                    {QStringLiteral("systemsettings"), QStringLiteral("systemsettings5")},
                    {QStringLiteral("@/more-bin/systemsettings"), QStringLiteral("kcm_wallpaper")}},
        DesktopCase{"Plasma5",
                    QStringLiteral("kde"),
                    {QStringLiteral("systemsettings5")},
                    {QStringLiteral("@/more-bin/systemsettings5")}},
        DesktopCase{"Xfce",
                    QStringLiteral("XFCE"),
                    {QStringLiteral("xfdesktop-settings")},
                    {QStringLiteral("@/more-bin/xfdesktop-settings")}},
        DesktopCase{"Mate",
                    QStringLiteral("MATE"),
                    {QStringLiteral("mate-appearance-properties")},
                    {QStringLiteral("@/more-bin/mate-appearance-properties"),
                     QStringLiteral("--show-page=background")}},
        DesktopCase{
            "Cinnamon",
            QStringLiteral("X-Cinnamon"),
            {QStringLiteral("cinnamon-settings")},
            {QStringLiteral("@/more-bin/cinnamon-settings"), QStringLiteral("backgrounds")}},
        DesktopCase{"LxQt",
                    QStringLiteral("LXQt"),
                    {QStringLiteral("pcmanfm-qt")},
                    {QStringLiteral("@/more-bin/pcmanfm-qt"), QStringLiteral("--desktop-pref")}},
        DesktopCase{
            "NextListedDesktop",
            QStringLiteral("XFCE:GNOME"),
            {gnomeSettings},
            {QStringLiteral("@/more-bin/gnome-control-center"), QStringLiteral("background")}},
        DesktopCase{"ProgramMissing", QStringLiteral("GNOME"), {}, {opener, pictures}},
        DesktopCase{
            "OtherDesktopsProgram", QStringLiteral("MATE"), {gnomeSettings}, {opener, pictures}},
        DesktopCase{"UnknownDesktop", QStringLiteral("sway"), {gnomeSettings}, {opener, pictures}},
        DesktopCase{"NoDesktop", QString(), {gnomeSettings}, {opener, pictures}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DesktopBackgroundSettingsTest, AProgramThatCannotRunIsMissing)
{
    addProgram(QStringLiteral("bin"), gnomeSettings, false);
    addProgram(QStringLiteral("bin"), QStringLiteral("xdg-open"));
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("home/Pictures"))));
    EXPECT_EQ(
        DesktopBackgroundSettings::command(environment(QStringLiteral("GNOME"))),
        (QStringList{path(QStringLiteral("bin/xdg-open")), path(QStringLiteral("home/Pictures"))}));
}

TEST_F(DesktopBackgroundSettingsTest, FallsBackToTheUsersPicturesFolderThenHome)
{
    addProgram(QStringLiteral("bin"), QStringLiteral("xdg-open"));
    const QProcessEnvironment unknownDesktop = environment(QStringLiteral("sway"));
    const QString xdgOpen = path(QStringLiteral("bin/xdg-open"));

    EXPECT_EQ(DesktopBackgroundSettings::command(unknownDesktop),
              (QStringList{xdgOpen, path(QStringLiteral("home"))}))
        << "without a Pictures folder the home folder opens";

    QFile userDirs(path(QStringLiteral("home/.config/user-dirs.dirs")));
    ASSERT_TRUE(userDirs.open(QIODevice::WriteOnly));
    userDirs.write("XDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
    userDirs.close();
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("home/Bilder"))));
    EXPECT_EQ(DesktopBackgroundSettings::command(unknownDesktop),
              (QStringList{xdgOpen, path(QStringLiteral("home/Bilder"))}));
}

TEST_F(DesktopBackgroundSettingsTest, NothingToRunGivesNoCommand)
{
    EXPECT_TRUE(DesktopBackgroundSettings::command(environment(QStringLiteral("GNOME"))).isEmpty());
    EXPECT_TRUE(DesktopBackgroundSettings::command(QProcessEnvironment()).isEmpty())
        << "no PATH at all";
}

TEST_F(DesktopBackgroundSettingsTest, OpenStartsTheSettingsProgram)
{
    const QString record = path(QStringLiteral("arguments"));
    addProgram(QStringLiteral("bin"), QStringLiteral("cinnamon-settings"), true, record);
    const ScopedEnvironmentVariable searchPath("PATH",
                                               QFile::encodeName(path(QStringLiteral("bin"))));
    const ScopedEnvironmentVariable desktop("XDG_CURRENT_DESKTOP", QByteArray("X-Cinnamon"));

    ASSERT_TRUE(DesktopBackgroundSettings::open());
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(record); }, startTimeoutMs));
    QFile arguments(record);
    ASSERT_TRUE(arguments.open(QIODevice::ReadOnly));
    EXPECT_EQ(arguments.readAll(), QByteArray("backgrounds\n"));
}

TEST_F(DesktopBackgroundSettingsTest, OpenReportsWhenNothingCanBeStarted)
{
    const ScopedEnvironmentVariable searchPath("PATH",
                                               QFile::encodeName(path(QStringLiteral("bin"))));
    const ScopedEnvironmentVariable desktop("XDG_CURRENT_DESKTOP", QByteArray("GNOME"));
    EXPECT_FALSE(DesktopBackgroundSettings::open()) << "nothing in PATH";

    // Executable, but its interpreter does not exist, so it fails when started.
    QFile broken(path(QStringLiteral("bin/gnome-control-center")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("#!/nonexistent/interpreter\n");
    broken.close();
    ASSERT_TRUE(broken.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    EXPECT_FALSE(DesktopBackgroundSettings::open()) << "a program that cannot start";
}

} // namespace
