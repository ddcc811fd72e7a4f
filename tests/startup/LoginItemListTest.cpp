#include "startup/LoginItemList.h"

#include "support/AsUser.h"
#include "support/Files.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray entry(const QByteArray& exec, const QByteArray& more = {})
{
    return "[Desktop Entry]\nType=Application\nName=Item\nExec=" + exec + '\n' + more;
}

constexpr uid_t nobody = 65534;

class LoginItemListTest : public ::testing::Test {
protected:
    QString path(const QString& relative) const { return m_root.filePath(relative); }
    QString write(const QString& relative, const QByteArray& content)
    {
        EXPECT_TRUE(writeFile(path(relative), content));
        return path(relative);
    }
    bool link(const QString& target, const QString& relative) const
    {
        return QDir().mkpath(QFileInfo(path(relative)).path()) &&
               QFile::link(target, path(relative));
    }
    LoginItemList list(const char* desktop = "GNOME") const
    {
        QProcessEnvironment environment;
        environment.insert(u"HOME"_s, path(u"home"_s));
        environment.insert(u"XDG_CONFIG_HOME"_s, path(u"config"_s));
        environment.insert(u"XDG_CONFIG_DIRS"_s, path(u"system"_s));
        environment.insert(u"XDG_DATA_HOME"_s, path(u"data"_s));
        environment.insert(u"XDG_DATA_DIRS"_s, path(u"share"_s));
        environment.insert(u"XDG_CURRENT_DESKTOP"_s, QString::fromUtf8(desktop));
        return LoginItemList(XdgBaseFolders(environment));
    }
    // "name enabled/disabled path" per row.
    QStringList rows(const LoginItemList& items) const
    {
        QStringList result;
        for (const ASLoginStartItem& item : items.items())
            result.append(item.fileNames.join(u',') + (item.enabled ? u" on "_s : u" off "_s) +
                          QString(item.path).replace(m_root.path(), u"@"_s));
        return result;
    }

    QTemporaryDir m_root;
};

TEST_F(LoginItemListTest, ResolvesShadowsAndDecodesTargets)
{
    const QString cafe = path(u"My Café"_s);
    ASSERT_TRUE(QDir().mkpath(cafe));
    write(u"config/autostart/a.desktop"_s,
          entry("xdg-open \"" + QUrl::fromLocalFile(cafe).toEncoded().replace("%", "%%") + "\""));
    write(u"config/autostart/b.desktop"_s, entry("gio open \"" + cafe.toUtf8() + "/\""));
    write(u"config/autostart/editor.desktop"_s, entry("true"));
    write(u"share/applications/editor.desktop"_s, entry("true").replace("Item", "Editor"));
    write(u"system/autostart/editor.desktop"_s, entry("true", "Hidden=true\n"));
    write(u"system/autostart/kde.desktop"_s, entry("true", "OnlyShowIn=KDE;\n"));
    write(u"system/autostart/off.desktop"_s, entry("sh", "X-GNOME-Autostart-enabled=false\n"));
    write(u"system/autostart/gone.desktop"_s, entry("no-such-program-anywhere"));
    write(u"system/autostart/trygone.desktop"_s, entry("sh", "TryExec=/no/such\n"));
    write(u"system/autostart/broken.desktop"_s, "Exec=sh\n");
    const QString sh = QStandardPaths::findExecutable(u"sh"_s);
    const QString truePath = QStandardPaths::findExecutable(u"true"_s);
    EXPECT_EQ(rows(list()),
              (QStringList{u"a.desktop,b.desktop on @/My Café"_s,
                           u"editor.desktop on @/share/applications/editor.desktop"_s,
                           u"kde.desktop off "_s + truePath, u"off.desktop off "_s + sh}));
    EXPECT_EQ(list().items().at(1).name, u"Editor"_s);
    EXPECT_EQ(rows(list("KDE")).at(2), u"kde.desktop on "_s + truePath);
}

TEST_F(LoginItemListTest, AddsAndRemovesFilesFoldersAndApplications)
{
    const QString file = write(u"docs/a \"b\" $c `d` \\e é.txt"_s, "text");
    const QString application =
        write(u"share/applications/kde/viewer.desktop"_s, entry("true").replace("Item", "View"));
    const LoginItemList items = list();
    for (const QString& added : {file, application, file, path(u"docs/"_s)}) // "/" names docs
        ASSERT_TRUE(items.add(added).succeeded()) << added.toStdString();
    // What the list would never show is refused, and nothing is written for it.
    const std::pair<QString, const char*> refused[] = {
        {path(u"missing"_s), "does not exist"},
        {u"/"_s, "no name to show"},
        {write(u"docs/a.desktop"_s, entry("sh").replace("Item", "")), "no name to show"},
        {write(u"docs/b.desktop"_s, "[Desktop Entry]\nType=Link\nName=L\n"), "not an appl"},
        {write(u"docs/c.desktop"_s, "Exec=sh\n"), "not a complete desktop entry"},
        {write(u"docs/d.desktop"_s, entry("no-such-program")), "“no-such-program” cannot be"}};
    for (const auto& [added, reason] : refused)
        EXPECT_TRUE(items.add(added).error.contains(QString::fromUtf8(reason))) << reason;
    EXPECT_EQ(entriesOf(path(u"config/autostart"_s)),
              (QStringList{u"kde-viewer.desktop"_s, u"open-a--b---c--d---e---txt.desktop"_s,
                           u"open-docs.desktop"_s}));
    EXPECT_EQ(readFile(path(u"config/autostart/kde-viewer.desktop"_s)), readFile(application));
    EXPECT_EQ(rows(items),
              (QStringList{u"kde-viewer.desktop on @/share/applications/kde/viewer.desktop"_s,
                           u"open-a--b---c--d---e---txt.desktop on "_s +
                               QString(file).replace(m_root.path(), u"@"_s),
                           u"open-docs.desktop on @/docs"_s}));

    ASSERT_TRUE(items.removeItemWithPath(path(u"docs"_s)).succeeded());
    EXPECT_EQ(items.items().size(), 2);
    EXPECT_TRUE(items.remove(u"kde-viewer.desktop"_s).succeeded());
    EXPECT_FALSE(items.remove(u"kde-viewer.desktop"_s).succeeded());
    EXPECT_FALSE(items.remove(u"../autostart/x.desktop"_s).succeeded());
    EXPECT_EQ(entriesOf(path(u"config/autostart"_s)),
              QStringList{u"open-a--b---c--d---e---txt.desktop"_s});
}

TEST_F(LoginItemListTest, SystemEntriesChangeOnlyThroughUserOverrides)
{
    const QByteArray system = entry("sh", "OnlyShowIn=KDE;\n");
    const QString systemFile = write(u"system/autostart/agent.desktop"_s, system);
    const LoginItemList items = list();
    const QString sh = QStandardPaths::findExecutable(u"sh"_s);
    EXPECT_EQ(rows(items), QStringList{u"agent.desktop off "_s + sh});
    for (const bool on : {true, false}) {
        ASSERT_TRUE(items.setEnabled(u"agent.desktop"_s, on).succeeded());
        EXPECT_EQ(rows(items), QStringList{u"agent.desktop "_s + (on ? u"on "_s : u"off "_s) + sh});
    }
    EXPECT_TRUE(readFile(path(u"config/autostart/agent.desktop"_s))
                    .contains("X-GNOME-Autostart-enabled=false\n"));

    ASSERT_TRUE(items.removeItemWithPath(sh).succeeded());
    EXPECT_EQ(rows(items), QStringList());
    EXPECT_TRUE(readFile(path(u"config/autostart/agent.desktop"_s)).contains("Hidden=true\n"));
    EXPECT_EQ(readFile(systemFile), system);
    ASSERT_TRUE(items.setEnabled(u"agent.desktop"_s, true).succeeded());
    EXPECT_EQ(rows(items), QStringList{u"agent.desktop on "_s + sh}) << "enabling brings it back";
    EXPECT_EQ(readFile(systemFile), system);
}

// A linked user entry is replaced by a file of its own; the link's target stays byte for byte.
struct LinkedEntryCase {
    const char* name;
    const char* target; // below the test root
    const char* change;
    bool asNobody;
    const char* userContains; // empty: the user's entry is gone
};

class LinkedUserEntryTest : public LoginItemListTest,
                            public ::testing::WithParamInterface<LinkedEntryCase> {};

TEST_P(LinkedUserEntryTest, ReplacesTheLinkAndLeavesItsTargetByteIdentical)
{
    const LinkedEntryCase& row = GetParam();
    const QString target = write(QString::fromLatin1(row.target), entry("sh"));
    const QByteArray before = readFile(target);
    const QString user = path(u"config/autostart/x.desktop"_s);
    ASSERT_TRUE(link(target, u"config/autostart/x.desktop"_s));
    ASSERT_TRUE(!row.asNobody || giveTree(m_root.path(), nobody, {path(u"system"_s), target}));
    const auto run = [&]() -> QByteArray {
        const QByteArray change = row.change;
        const LoginItemList::Result result =
            change == "remove" ? list().remove(u"x.desktop"_s)
                               : list().setEnabled(u"x.desktop"_s, change == "on");
        return result.error.toUtf8();
    };
    EXPECT_EQ(row.asNobody ? runAsUser(nobody, run).value_or("no child") : run(), QByteArray());
    EXPECT_EQ(readFile(target), before) << "the link's target was written";
    EXPECT_FALSE(QFileInfo(user).isSymLink()) << "the link is still there";
    EXPECT_EQ(QFileInfo::exists(user), *row.userContains != 0);
    EXPECT_TRUE(readFile(user).contains(row.userContains));
    EXPECT_LE(entriesOf(path(u"config/autostart"_s)).size(), 1) << "a temporary file stayed";
}

INSTANTIATE_TEST_SUITE_P(
    Changes, LinkedUserEntryTest,
    ::testing::Values(
        LinkedEntryCase{"offRoot", "system/autostart/x.desktop", "off", false, "enabled=false"},
        LinkedEntryCase{"offNobody", "system/autostart/x.desktop", "off", true, "enabled=false"},
        LinkedEntryCase{"removeRoot", "system/autostart/x.desktop", "remove", false, "Hidden"},
        LinkedEntryCase{"removeApp", "share/applications/x.desktop", "remove", false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// A linked autostart folder is followed only into the user's own folder inside the home.
TEST_F(LoginItemListTest, ALinkedAutostartFolderIsWrittenOnlyInsideTheHome)
{
    const QString systemFile = write(u"system/autostart/x.desktop"_s, entry("sh"));
    for (const char* folder : {"system/autostart", "elsewhere/autostart", "home/dots/autostart"}) {
        const QString linked = path(QString::fromLatin1(folder));
        ASSERT_TRUE(QDir().mkpath(linked));
        QFile::remove(path(u"config/autostart"_s));
        ASSERT_TRUE(link(linked, u"config/autostart"_s));
        const bool inHome = linked.contains(u"/home/"_s);
        EXPECT_EQ(list().setEnabled(u"x.desktop"_s, false).succeeded(), inHome) << folder;
        EXPECT_EQ(readFile(systemFile), entry("sh"));
        EXPECT_EQ(QFileInfo::exists(linked + u"/x.desktop"_s),
                  inHome || systemFile.startsWith(linked));
    }
}

} // namespace
