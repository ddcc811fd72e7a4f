#include "platform/DesktopBackgroundSettings.h"

#include "support/Files.h"
#include "support/ScopedEnvironmentVariable.h"

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Two PATH folders of fake programs, and a home whose Pictures folder is the fallback target.
class DesktopBackgroundSettingsTest : public ::testing::Test {
protected:
    QString path(const QString& relativePath) const { return m_root.filePath(relativePath); }

    // A program at the relative path; unless given a script, it records its arguments, one a
    // line, in "arguments" below the root.
    void addProgram(const QString& program, QByteArray script = {},
                    QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner |
                                                     QFile::ExeOwner) const
    {
        const QByteArray record = QFile::encodeName(path(u"arguments"_s));
        if (script.isEmpty()) {
            script = "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + record + ".part'\n/bin/mv '" +
                     record + ".part' '" + record + "'\n";
        }
        ASSERT_TRUE(writeFile(path(program), script));
        ASSERT_TRUE(QFile::setPermissions(path(program), permissions));
    }

    QProcessEnvironment environment(const QString& currentDesktop) const
    {
        QProcessEnvironment environment;
        environment.insert(u"PATH"_s, path(u"bin"_s) + u':' + path(u"more-bin"_s));
        if (!currentDesktop.isNull())
            environment.insert(u"XDG_CURRENT_DESKTOP"_s, currentDesktop);
        return environment;
    }

    QTemporaryDir m_root;
    ScopedEnvironmentVariable m_home{"HOME", QFile::encodeName(path(u"home"_s))};
    ScopedEnvironmentVariable m_configHome{"XDG_CONFIG_HOME",
                                           QFile::encodeName(path(u"home/.config"_s))};
};

struct DesktopCase {
    const char* name;
    QString currentDesktop;
    QStringList programs;
    QStringList expected; // "@/" stands for the fixture root
};

class DesktopBackgroundSettingsDesktopTest : public DesktopBackgroundSettingsTest,
                                             public ::testing::WithParamInterface<DesktopCase> {};

TEST_P(DesktopBackgroundSettingsDesktopTest, ChoosesTheDesktopsSettingsProgram)
{
    // Later folders of PATH hold the programs, so the whole PATH must be searched.
    for (const QString& program : GetParam().programs)
        addProgram(u"more-bin/"_s + program);
    addProgram(u"bin/xdg-open"_s);
    ASSERT_TRUE(QDir().mkpath(path(u"home/Pictures"_s)));

    QStringList expected = GetParam().expected;
    expected.replaceInStrings(u"@/"_s, m_root.path() + u'/');
    EXPECT_EQ(DesktopBackgroundSettings::command(environment(GetParam().currentDesktop)), expected);
}

const QString gnome = u"gnome-control-center"_s;
const QStringList gnomeCommand{u"@/more-bin/gnome-control-center"_s, u"background"_s};
const QStringList pictures{u"@/bin/xdg-open"_s, u"@/home/Pictures"_s};

INSTANTIATE_TEST_SUITE_P(
    Desktops, DesktopBackgroundSettingsDesktopTest,
    ::testing::Values(
        DesktopCase{"UbuntuGnome", u"ubuntu:GNOME"_s, {gnome}, gnomeCommand},
        DesktopCase{"Plasma6",
                    u"KDE"_s,
                    {u"systemsettings"_s, u"systemsettings5"_s},
                    {u"@/more-bin/systemsettings"_s, u"kcm_wallpaper"_s}},
        DesktopCase{"Plasma5", u"kde"_s, {u"systemsettings5"_s}, {u"@/more-bin/systemsettings5"_s}},
        DesktopCase{"NextListedDesktop", u"XFCE:GNOME"_s, {gnome}, gnomeCommand},
        DesktopCase{"ProgramMissing", u"GNOME"_s, {}, pictures},
        DesktopCase{"OtherDesktopsProgram", u"MATE"_s, {gnome}, pictures},
        DesktopCase{"UnknownDesktop", u"sway"_s, {gnome}, pictures},
        DesktopCase{"NoDesktop", QString(), {gnome}, pictures}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DesktopBackgroundSettingsTest, FallsBackToThePicturesFolderThenHomeThenNothing)
{
    const QProcessEnvironment gnomeDesktop = environment(u"GNOME"_s);
    EXPECT_TRUE(DesktopBackgroundSettings::command(gnomeDesktop).isEmpty());
    EXPECT_TRUE(DesktopBackgroundSettings::command(QProcessEnvironment()).isEmpty())
        << "no PATH at all";

    addProgram(u"bin/"_s + gnome, {}, QFile::ReadOwner | QFile::WriteOwner);
    addProgram(u"bin/xdg-open"_s);
    EXPECT_EQ(DesktopBackgroundSettings::command(gnomeDesktop),
              (QStringList{path(u"bin/xdg-open"_s), path(u"home"_s)}))
        << "a program that cannot run is missing; without a Pictures folder home opens";

    ASSERT_TRUE(
        writeFile(path(u"home/.config/user-dirs.dirs"_s), "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n"));
    ASSERT_TRUE(QDir().mkpath(path(u"home/Bilder"_s)));
    EXPECT_EQ(DesktopBackgroundSettings::command(gnomeDesktop),
              (QStringList{path(u"bin/xdg-open"_s), path(u"home/Bilder"_s)}));
}

TEST_F(DesktopBackgroundSettingsTest, OpenStartsTheSettingsProgramOrReportsItCannot)
{
    const ScopedEnvironmentVariable searchPath("PATH", QFile::encodeName(path(u"bin"_s)));
    const ScopedEnvironmentVariable desktop("XDG_CURRENT_DESKTOP", QByteArray("X-Cinnamon"));
    EXPECT_FALSE(DesktopBackgroundSettings::open()) << "nothing in PATH";

    // Executable, but its interpreter does not exist, so it fails when started.
    addProgram(u"bin/cinnamon-settings"_s, "#!/nonexistent/interpreter\n");
    EXPECT_FALSE(DesktopBackgroundSettings::open()) << "a program that cannot start";

    addProgram(u"bin/cinnamon-settings"_s);
    ASSERT_TRUE(DesktopBackgroundSettings::open());
    ASSERT_TRUE(QTest::qWaitFor([&] { return exists(path(u"arguments"_s)); }, 10000));
    EXPECT_EQ(readFile(path(u"arguments"_s)), QByteArray("backgrounds\n"));
}

} // namespace
