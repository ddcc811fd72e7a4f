#include "platform/desktop/DesktopBackgroundSettings.h"

#include "support/Files.h"
#include "support/ScopedEnvironmentVariable.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Two PATH folders of fake programs, and a home whose Pictures folder is the fallback target.
class DesktopBackgroundSettingsTest : public ::testing::Test {
protected:
    QString path(const QString& relativePath) const { return m_root.filePath(relativePath); }
    void addProgram(const QString& program, bool executable = true) const
    {
        ASSERT_TRUE(writeFile(path(program), "#!/bin/sh\n"));
        ASSERT_TRUE(
            QFile::setPermissions(path(program), executable ? QFile::ExeOwner : QFile::ReadOwner));
    }
    QStringList command(const QString& currentDesktop) const
    {
        QProcessEnvironment environment;
        environment.insert(u"PATH"_s, path(u"bin"_s) + u':' + path(u"more-bin"_s));
        if (!currentDesktop.isNull())
            environment.insert(u"XDG_CURRENT_DESKTOP"_s, currentDesktop);
        return DesktopBackgroundSettings::command(environment);
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
    for (const QString& program : GetParam().programs)
        addProgram(u"more-bin/"_s + program);
    addProgram(u"bin/xdg-open"_s);
    ASSERT_TRUE(QDir().mkpath(path(u"home/Pictures"_s)));
    EXPECT_EQ(command(GetParam().currentDesktop),
              QStringList(GetParam().expected).replaceInStrings(u"@/"_s, m_root.path() + u'/'));
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
        DesktopCase{"OtherDesktopsProgram", u"MATE"_s, {gnome}, pictures},
        DesktopCase{"UnknownDesktop", u"sway"_s, {gnome}, pictures},
        DesktopCase{"NoDesktop", QString(), {gnome}, pictures}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DesktopBackgroundSettingsTest, FallsBackToThePicturesFolderThenHomeThenNothing)
{
    EXPECT_TRUE(command(u"GNOME"_s).isEmpty());
    EXPECT_TRUE(DesktopBackgroundSettings::command(QProcessEnvironment()).isEmpty());
    addProgram(u"bin/"_s + gnome, false);
    addProgram(u"bin/xdg-open"_s);
    EXPECT_EQ(command(u"GNOME"_s), (QStringList{path(u"bin/xdg-open"_s), path(u"home"_s)}))
        << "a program that cannot run is missing; without a Pictures folder home opens";
    ASSERT_TRUE(
        writeFile(path(u"home/.config/user-dirs.dirs"_s), "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n"));
    ASSERT_TRUE(QDir().mkpath(path(u"home/Bilder"_s)));
    EXPECT_EQ(command(u"GNOME"_s), (QStringList{path(u"bin/xdg-open"_s), path(u"home/Bilder"_s)}));
}

} // namespace
