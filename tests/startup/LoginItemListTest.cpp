#include "startup/LoginItemList.h"

#include "support/AsUser.h"
#include "support/Files.h"

#include <QCryptographicHash>
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

QByteArray checksum(const QString& path)
{
    return QCryptographicHash::hash(readFile(path), QCryptographicHash::Sha256).toHex();
}

bool isLink(const QString& path)
{
    return QFileInfo(path).isSymLink();
}

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
    for (const QString& added : {file, application, file, path(u"docs"_s)})
        ASSERT_TRUE(items.add(added).succeeded()) << added.toStdString();
    EXPECT_FALSE(items.add(path(u"missing"_s)).succeeded());
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
    ASSERT_TRUE(items.setEnabled(u"agent.desktop"_s, true).succeeded());
    EXPECT_EQ(rows(items), QStringList{u"agent.desktop on "_s + sh});
    ASSERT_TRUE(items.setEnabled(u"agent.desktop"_s, false).succeeded());
    EXPECT_EQ(rows(items), QStringList{u"agent.desktop off "_s + sh});
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

// A user entry that is a link (to the system's entry of that name, or to an application
// elsewhere) is changed by replacing the link itself; what it points to stays as it was.
struct LinkedEntryCase {
    const char* name;
    const char* linkTarget; // below the test root
    const char* change;     // "disable", "enable" or "remove"
    bool asNobody;
    const char* userContains; // in the user's new file; empty: the user's entry is gone
};

void PrintTo(const LinkedEntryCase& row, std::ostream* stream)
{
    *stream << row.name;
}

class LinkedUserEntryTest : public LoginItemListTest,
                            public ::testing::WithParamInterface<LinkedEntryCase> {};

TEST_P(LinkedUserEntryTest, ReplacesTheLinkAndLeavesItsTargetByteIdentical)
{
    const LinkedEntryCase& row = GetParam();
    const QString target = write(QString::fromLatin1(row.linkTarget), entry("sh"));
    ASSERT_TRUE(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner |
                                                  QFile::ReadGroup | QFile::ReadOther));
    const QByteArray before = checksum(target);
    const QString user = path(u"config/autostart/x.desktop"_s);
    ASSERT_TRUE(link(target, u"config/autostart/x.desktop"_s));
    if (row.asNobody) {
        // Everything but the link's target is the user's: the system folder stays root's.
        ASSERT_TRUE(giveTree(m_root.path(), nobody, {path(u"system"_s), path(u"share"_s), target}));
    }
    const QByteArray change = row.change;
    const auto run = [&]() -> QByteArray {
        const LoginItemList items = list();
        const QString name = u"x.desktop"_s;
        const LoginItemList::Result result =
            change == "remove" ? items.remove(name) : items.setEnabled(name, change == "enable");
        return result.error.toUtf8();
    };
    const QByteArray error = row.asNobody ? runAsUser(nobody, run).value_or("no child") : run();
    EXPECT_EQ(error, QByteArray());
    EXPECT_EQ(checksum(target), before) << "the link's target was written";
    EXPECT_FALSE(isLink(user)) << "the link is still there";
    if (*row.userContains) {
        EXPECT_TRUE(QFileInfo(user).isFile());
        EXPECT_TRUE(readFile(user).contains(row.userContains)) << readFile(user).toStdString();
    } else {
        EXPECT_FALSE(QFileInfo::exists(user));
    }
    EXPECT_TRUE(entriesOf(path(u"config/autostart"_s)).size() <= 1) << "a temporary file stayed";
}

INSTANTIATE_TEST_SUITE_P(
    Changes, LinkedUserEntryTest,
    ::testing::Values(LinkedEntryCase{"disableRoot", "system/autostart/x.desktop", "disable", false,
                                      "X-GNOME-Autostart-enabled=false\n"},
                      LinkedEntryCase{"disableNobody", "system/autostart/x.desktop", "disable",
                                      true, "X-GNOME-Autostart-enabled=false\n"},
                      LinkedEntryCase{"enableNobody", "system/autostart/x.desktop", "enable", true,
                                      "X-GNOME-Autostart-enabled=true\n"},
                      LinkedEntryCase{"removeSystemRoot", "system/autostart/x.desktop", "remove",
                                      false, "Hidden=true\n"},
                      LinkedEntryCase{"removeSystemNobody", "system/autostart/x.desktop", "remove",
                                      true, "Hidden=true\n"},
                      LinkedEntryCase{"removeApplicationRoot", "share/applications/x.desktop",
                                      "remove", false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// The user's autostart folder as a link: followed only into a folder of the user's own inside
// the home folder, never into a system folder or out of the home folder.
TEST_F(LoginItemListTest, ALinkedAutostartFolderIsWrittenOnlyInsideTheHome)
{
    const QByteArray system = entry("sh");
    const QString systemFile = write(u"system/autostart/x.desktop"_s, system);
    const struct {
        const char* folder;
        bool written;
    } rows[] = {{"system/autostart", false},
                {"elsewhere/autostart", false},
                {"home/dotfiles/autostart", true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.folder);
        ASSERT_TRUE(QDir().mkpath(path(QString::fromLatin1(row.folder))));
        QFile::remove(path(u"config/autostart"_s));
        ASSERT_TRUE(link(path(QString::fromLatin1(row.folder)), u"config/autostart"_s));
        const LoginItemList::Result result = list().setEnabled(u"x.desktop"_s, false);
        EXPECT_EQ(result.succeeded(), row.written) << result.error.toStdString();
        EXPECT_EQ(readFile(systemFile), system);
        EXPECT_EQ(readFile(path(QString::fromLatin1(row.folder)) + u"/x.desktop"_s)
                      .contains("X-GNOME-Autostart-enabled=false"),
                  row.written);
    }
}

// What the list would never show is refused, and nothing is written.
TEST_F(LoginItemListTest, AddRefusesWhatWouldNotBeListed)
{
    const struct {
        QString path;
        const char* reason;
    } cases[] = {
        {u"/"_s, "no name to show"},
        {write(u"docs/nameless.desktop"_s, entry("sh").replace("Name=Item", "Name=")),
         "no name to show"},
        {write(u"docs/link.desktop"_s, "[Desktop Entry]\nType=Link\nName=L\nURL=x\n"),
         "not an application"},
        {write(u"docs/broken.desktop"_s, "Exec=sh\n"), "not a complete desktop entry"},
        {write(u"docs/gone.desktop"_s, entry("no-such-program-anywhere")),
         "“no-such-program-anywhere” cannot be found"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.path.toStdString());
        const LoginItemList::Result result = list().add(row.path);
        EXPECT_TRUE(result.error.contains(QString::fromUtf8(row.reason)))
            << result.error.toStdString();
    }
    EXPECT_EQ(entriesOf(path(u"config/autostart"_s)), QStringList());
    ASSERT_TRUE(list().add(path(u"docs"_s) + u'/').succeeded()) << "a trailing slash names it";
    EXPECT_EQ(rows(list()).size(), 1);
}

// A hidden system entry comes back as the system ships it.
TEST_F(LoginItemListTest, RestoreBringsBackAHiddenSystemItem)
{
    const QString systemFile = write(u"system/autostart/agent.desktop"_s, entry("sh"));
    const LoginItemList items = list();
    ASSERT_TRUE(items.remove(u"agent.desktop"_s).succeeded());
    EXPECT_TRUE(items.items().isEmpty());
    ASSERT_EQ(items.hiddenSystemItems().size(), 1);
    EXPECT_EQ(items.hiddenSystemItems().at(0).entryPath, systemFile);
    ASSERT_TRUE(items.restore(u"agent.desktop"_s).succeeded());
    EXPECT_EQ(items.items().size(), 1);
    EXPECT_TRUE(items.hiddenSystemItems().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path(u"config/autostart/agent.desktop"_s)));
    EXPECT_FALSE(items.restore(u"other.desktop"_s).succeeded());
}

} // namespace
