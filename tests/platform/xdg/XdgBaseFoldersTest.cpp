#include "platform/xdg/XdgBaseFolders.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Each variable alone: an absolute value counts as given (less trailing slashes, ".." left to
// the kernel); an unset, empty or relative one gives the default, in a list entry by entry.
TEST(XdgBaseFoldersTest, RelativeValuesAreIgnoredAndEmptyOnesDefault)
{
    const struct {
        QString variable;
        const char* value; // null: unset
        QString expected;
    } rows[] = {
        {u"XDG_DATA_HOME"_s, nullptr, u"/home/ada/.local/share"_s},
        {u"XDG_DATA_HOME"_s, "", u"/home/ada/.local/share"_s},
        {u"XDG_DATA_HOME"_s, "data", u"/home/ada/.local/share"_s},
        {u"XDG_DATA_HOME"_s, "/srv/link/../data//", u"/srv/link/../data"_s},
        {u"XDG_CONFIG_HOME"_s, "config", u"/home/ada/.config"_s},
        {u"XDG_CONFIG_HOME"_s, "/srv/config", u"/srv/config"_s},
        {u"XDG_DATA_DIRS"_s, "share:../share", u"/usr/local/share:/usr/share"_s},
        {u"XDG_DATA_DIRS"_s, "share::/opt/share/:local", u"/opt/share"_s},
        {u"XDG_CONFIG_DIRS"_s, "/a:b:/c", u"/a:/c"_s},
    };
    for (const auto& row : rows) {
        QProcessEnvironment environment;
        environment.insert(u"HOME"_s, u"/home/ada"_s);
        if (row.value)
            environment.insert(row.variable, QString::fromUtf8(row.value));
        const XdgBaseFolders folders(environment);
        const QString got = row.variable == u"XDG_DATA_HOME"     ? folders.dataHome()
                            : row.variable == u"XDG_CONFIG_HOME" ? folders.configHome()
                            : row.variable == u"XDG_DATA_DIRS"   ? folders.dataDirs().join(u':')
                                                                 : folders.configDirs().join(u':');
        EXPECT_EQ(got, row.expected)
            << row.variable.toStdString() << '=' << (row.value ? row.value : "(unset)");
    }
}

TEST(XdgBaseFoldersTest, ARelativeHomeIsNotTheBaseOfTheDefaults)
{
    QProcessEnvironment environment;
    environment.insert(u"HOME"_s, u"relative"_s);
    const XdgBaseFolders folders(environment);
    EXPECT_TRUE(QDir::isAbsolutePath(folders.home())) << folders.home().toStdString();
    EXPECT_EQ(folders.autostartPaths().constFirst(), folders.home() + u"/.config/autostart"_s);
}

} // namespace
