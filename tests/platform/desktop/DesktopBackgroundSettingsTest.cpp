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

const QString gnome = u"gnome-control-center"_s;

// The first listed desktop with its program wins (ubuntu has none); another desktop's program is
// never chosen.
TEST_F(DesktopBackgroundSettingsTest, ChoosesTheDesktopsSettingsProgram)
{
    const QStringList gnomeCommand{path(u"more-bin/"_s + gnome), u"background"_s};
    const QStringList pictures{path(u"bin/xdg-open"_s), path(u"home/Pictures"_s)};
    const struct {
        QString currentDesktop;
        QStringList programs;
        QStringList expected;
    } rows[] = {
        {u"ubuntu:GNOME"_s, {gnome}, gnomeCommand},
        {u"KDE"_s,
         {u"systemsettings"_s, u"systemsettings5"_s},
         {path(u"more-bin/systemsettings"_s), u"kcm_wallpaper"_s}},
        {u"kde"_s, {u"systemsettings5"_s}, {path(u"more-bin/systemsettings5"_s)}},
        {u"MATE"_s, {gnome}, pictures},
        {QString(), {gnome}, pictures},
    };
    addProgram(u"bin/xdg-open"_s);
    ASSERT_TRUE(QDir().mkpath(path(u"home/Pictures"_s)));
    for (const auto& row : rows) {
        ASSERT_TRUE(QDir(path(u"more-bin"_s)).removeRecursively());
        for (const QString& program : row.programs)
            addProgram(u"more-bin/"_s + program);
        EXPECT_EQ(command(row.currentDesktop), row.expected) << row.currentDesktop.toStdString();
    }
}

TEST_F(DesktopBackgroundSettingsTest, FallsBackToHomeThenNothing)
{
    EXPECT_TRUE(command(u"GNOME"_s).isEmpty());
    EXPECT_TRUE(DesktopBackgroundSettings::command(QProcessEnvironment()).isEmpty());
    addProgram(u"bin/"_s + gnome, false);
    addProgram(u"bin/xdg-open"_s);
    EXPECT_EQ(command(u"GNOME"_s), (QStringList{path(u"bin/xdg-open"_s), path(u"home"_s)}))
        << "a program that cannot run is missing; without a Pictures folder home opens";
}

} // namespace
