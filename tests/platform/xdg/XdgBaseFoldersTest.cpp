#include "platform/xdg/XdgBaseFolders.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct FolderCase {
    const char* variable;
    const char* value; // null: unset
    const char* expected;
};

class XdgBaseFoldersTest : public ::testing::TestWithParam<FolderCase> {};

// Each variable alone: an absolute value counts as given (less trailing slashes, ".." left to
// the kernel); an unset, empty or relative one gives the default, in a list entry by entry.
TEST_P(XdgBaseFoldersTest, RelativeValuesAreIgnoredAndEmptyOnesDefault)
{
    const FolderCase& row = GetParam();
    QProcessEnvironment environment;
    environment.insert(u"HOME"_s, u"/home/ada"_s);
    if (row.value)
        environment.insert(QString::fromUtf8(row.variable), QString::fromUtf8(row.value));
    const XdgBaseFolders folders(environment);
    const QString name = QString::fromUtf8(row.variable);
    const QString got = name == u"XDG_DATA_HOME"     ? folders.dataHome()
                        : name == u"XDG_CONFIG_HOME" ? folders.configHome()
                        : name == u"XDG_DATA_DIRS"   ? folders.dataDirs().join(u':')
                                                     : folders.configDirs().join(u':');
    EXPECT_EQ(got, QString::fromUtf8(row.expected));
}

INSTANTIATE_TEST_SUITE_P(
    EachVariable, XdgBaseFoldersTest,
    ::testing::Values(FolderCase{"XDG_DATA_HOME", nullptr, "/home/ada/.local/share"},
                      FolderCase{"XDG_DATA_HOME", "", "/home/ada/.local/share"},
                      FolderCase{"XDG_DATA_HOME", "data", "/home/ada/.local/share"},
                      FolderCase{"XDG_DATA_HOME", "./data", "/home/ada/.local/share"},
                      FolderCase{"XDG_DATA_HOME", "/srv/link/../data//", "/srv/link/../data"},
                      FolderCase{"XDG_CONFIG_HOME", "", "/home/ada/.config"},
                      FolderCase{"XDG_CONFIG_HOME", "config", "/home/ada/.config"},
                      FolderCase{"XDG_CONFIG_HOME", "/srv/config", "/srv/config"},
                      FolderCase{"XDG_DATA_DIRS", "", "/usr/local/share:/usr/share"},
                      FolderCase{"XDG_DATA_DIRS", "share:../share", "/usr/local/share:/usr/share"},
                      FolderCase{"XDG_DATA_DIRS", "share::/opt/share/:local", "/opt/share"},
                      FolderCase{"XDG_CONFIG_DIRS", "", "/etc/xdg"},
                      FolderCase{"XDG_CONFIG_DIRS", "xdg", "/etc/xdg"},
                      FolderCase{"XDG_CONFIG_DIRS", "/a:b:/c", "/a:/c"}));

TEST(XdgBaseFoldersHomeTest, ARelativeHomeIsNotTheBaseOfTheDefaults)
{
    QProcessEnvironment environment;
    environment.insert(u"HOME"_s, u"relative"_s);
    const XdgBaseFolders folders(environment);
    EXPECT_TRUE(QDir::isAbsolutePath(folders.home())) << folders.home().toStdString();
    EXPECT_EQ(folders.autostartPaths().constFirst(), folders.home() + u"/.config/autostart"_s);
}

} // namespace
