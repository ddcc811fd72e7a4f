#include "platform/LoginItems.h"

#include "support/Files.h"

#include <QTemporaryDir>

#include <functional>
#include <gtest/gtest.h>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QByteArray editorEntry = "[Desktop Entry]\nType=Application\nName=Éditeur\nExec=editor\n";

class LoginItemsTest : public ::testing::Test {
protected:
    QString path(const QString& relativePath) const { return m_root.filePath(relativePath); }
    // Writes the file below the root (an entry unless told otherwise) and answers its path.
    QString write(const QString& relativePath, const QByteArray& content = editorEntry) const
    {
        EXPECT_TRUE(writeFile(path(relativePath), content)) << relativePath.toStdString();
        return path(relativePath);
    }

    QTemporaryDir m_root;
};

TEST_F(LoginItemsTest, AddCreatesTheFolderAndReAddingReplacesTheEntryWhole)
{
    const LoginItems items(path(QStringLiteral("config/autostart")));
    const QString entry = path(QStringLiteral("config/autostart/editor.desktop"));
    EXPECT_TRUE(items.entries().isEmpty());
    const QString source = write(QStringLiteral("a/editor.desktop"));
    const LoginItems::Result added = items.add(source);
    ASSERT_TRUE(added.succeeded()) << added.error.toStdString();
    EXPECT_TRUE(items.contains(QStringLiteral("editor.desktop")));
    EXPECT_EQ(readFile(entry), editorEntry);
    EXPECT_EQ(readFile(source), editorEntry) << "the source is left as it was";

    const QByteArray changed = editorEntry + "Comment=changed\n";
    ASSERT_TRUE(items.add(write(QStringLiteral("b/editor.desktop"), changed)).succeeded());
    ASSERT_TRUE(items.add(entry).succeeded()) << "adding the entry onto itself keeps it";
    EXPECT_EQ(readFile(entry), changed);
    EXPECT_EQ(entriesOf(path(QStringLiteral("config/autostart"))),
              QStringList{QStringLiteral("editor.desktop")})
        << "no temporary file is left behind";
}

TEST_F(LoginItemsTest, EntriesListsOnlyDesktopFilesSorted)
{
    for (const char* name : {"zeal.desktop", "Backup.desktop", "agent.desktop", "notes.txt"})
        write(QStringLiteral("autostart/") + QLatin1String(name));
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("autostart/folder.desktop"))));
    const LoginItems items(path(QStringLiteral("autostart")));

    EXPECT_EQ(items.entries(),
              (QStringList{QStringLiteral("Backup.desktop"), QStringLiteral("agent.desktop"),
                           QStringLiteral("zeal.desktop")}));
    EXPECT_FALSE(items.contains(QStringLiteral("notes.txt")));
    EXPECT_FALSE(items.contains(QStringLiteral("folder.desktop")));
    EXPECT_FALSE(items.contains(QStringLiteral("../autostart/agent.desktop")));
}

TEST_F(LoginItemsTest, RemoveDeletesOnlyThatEntryAndRefusesOtherNames)
{
    write(QStringLiteral("autostart/agent.desktop"));
    write(QStringLiteral("autostart/editor.desktop"));
    write(QStringLiteral("autostart/stuck.desktop/inside"));
    write(QStringLiteral("keep.desktop"));
    const LoginItems items(path(QStringLiteral("autostart")));

    const LoginItems::Result removed = items.remove(QStringLiteral("agent.desktop"));
    ASSERT_TRUE(removed.succeeded()) << removed.error.toStdString();
    EXPECT_EQ(entriesOf(items.autostartPath()),
              (QStringList{QStringLiteral("editor.desktop"), QStringLiteral("stuck.desktop")}));
    EXPECT_TRUE(items.remove(QStringLiteral("agent.desktop")).succeeded())
        << "an entry that is not there is already removed";
    EXPECT_TRUE(
        LoginItems(path(QStringLiteral("none"))).remove(QStringLiteral("x.desktop")).succeeded());

    for (const QString& name : {QStringLiteral("../keep.desktop"), QString(), QStringLiteral(".."),
                                QStringLiteral("keep.txt")}) {
        const LoginItems::Result refused = items.remove(name);
        EXPECT_FALSE(refused.succeeded()) << name.toStdString();
    }
    EXPECT_TRUE(exists(path(QStringLiteral("keep.desktop"))));

    const LoginItems::Result stuck = items.remove(QStringLiteral("stuck.desktop"));
    EXPECT_TRUE(stuck.error.contains(u"stuck.desktop")) << stuck.error.toStdString();
    EXPECT_TRUE(exists(path(QStringLiteral("autostart/stuck.desktop/inside"))));
}

struct RefusedSourceCase {
    const char* name;
    // Prepares the source below the fixture root and answers its path.
    std::function<QString(const QDir& root)> source;
};

class LoginItemsRefusedSourceTest : public LoginItemsTest,
                                    public ::testing::WithParamInterface<RefusedSourceCase> {};

TEST_P(LoginItemsRefusedSourceTest, RefusesAndWritesNothing)
{
    const QString source = GetParam().source(QDir(m_root.path()));
    write(QStringLiteral("autostart/existing.desktop"));
    const LoginItems items(path(QStringLiteral("autostart")));

    const LoginItems::Result added = items.add(source);
    EXPECT_FALSE(added.succeeded());
    EXPECT_TRUE(added.error.contains(source)) << added.error.toStdString();
    EXPECT_EQ(entriesOf(items.autostartPath()), QStringList{QStringLiteral("existing.desktop")});
    EXPECT_EQ(readFile(path(QStringLiteral("autostart/existing.desktop"))), editorEntry);
}

QString made(const QString& path, bool made)
{
    EXPECT_TRUE(made) << path.toStdString();
    return path;
}

INSTANTIATE_TEST_SUITE_P(
    Sources, LoginItemsRefusedSourceTest,
    ::testing::Values(
        RefusedSourceCase{"Missing",
                          [](const QDir& root) {
                              return root.filePath(QStringLiteral("gone.desktop"));
                          }},
        RefusedSourceCase{"Folder",
                          [](const QDir& root) {
                              return made(root.filePath(QStringLiteral("folder.desktop")),
                                          root.mkpath(QStringLiteral("folder.desktop")));
                          }},
        RefusedSourceCase{"NotADesktopEntry",
                          [](const QDir& root) {
                              const QString notes = root.filePath(QStringLiteral("notes.txt"));
                              return made(notes, writeFile(notes, editorEntry));
                          }},
        RefusedSourceCase{"Fifo",
                          [](const QDir& root) {
                              const QString fifo = root.filePath(QStringLiteral("pipe.desktop"));
                              return made(fifo,
                                          ::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
                          }},
        RefusedSourceCase{"LinkLoop",
                          [](const QDir& root) {
                              const QString loop = root.filePath(QStringLiteral("loop.desktop"));
                              return made(loop, QFile::link(loop, loop));
                          }},
        RefusedSourceCase{"Empty",
                          [](const QDir&) {
                              return QString();
                          }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LoginItemsTest, AddReportsAFolderOrEntryThatCannotBeMade)
{
    const QString source = write(QStringLiteral("editor.desktop"));
    write(QStringLiteral("config"), "a file where the configuration folder should be");
    const LoginItems::Result noFolder =
        LoginItems(path(QStringLiteral("config/autostart"))).add(source);
    EXPECT_TRUE(noFolder.error.contains(path(QStringLiteral("config/autostart"))))
        << noFolder.error.toStdString();

    write(QStringLiteral("autostart/editor.desktop/occupied"));
    const LoginItems::Result noEntry = LoginItems(path(QStringLiteral("autostart"))).add(source);
    EXPECT_TRUE(noEntry.error.contains(path(QStringLiteral("autostart"))))
        << noEntry.error.toStdString();
    EXPECT_TRUE(exists(path(QStringLiteral("autostart/editor.desktop/occupied"))));
}

TEST(LoginItemsStandardPathTest, FollowsAnAbsoluteXdgConfigHome)
{
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("HOME"), QStringLiteral("/home/ada"));
    EXPECT_EQ(LoginItems::standardPath(environment), u"/home/ada/.config/autostart");
    for (const QString& unusable : {QString(), QStringLiteral("config")}) {
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), unusable);
        EXPECT_EQ(LoginItems::standardPath(environment), u"/home/ada/.config/autostart");
    }
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), QStringLiteral("/srv/config"));
    EXPECT_EQ(LoginItems::standardPath(environment), u"/srv/config/autostart");
}

struct InstalledEntryCase {
    const char* name;
    // Values below the fixture root are written with a leading "@/"; a trailing "/" makes a
    // folder.
    std::optional<QString> dataHome;
    QString dataDirs;
    QStringList existing;
    QString fileName;
    QString expected;
};

class LoginItemsInstalledEntryTest : public LoginItemsTest,
                                     public ::testing::WithParamInterface<InstalledEntryCase> {
protected:
    QString resolved(QString value) const
    {
        return value.replace(QStringLiteral("@/"), m_root.path() + u'/');
    }
};

TEST_P(LoginItemsInstalledEntryTest, FindsTheFirstInSearchOrder)
{
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("HOME"), path(QStringLiteral("home")));
    if (GetParam().dataHome)
        environment.insert(QStringLiteral("XDG_DATA_HOME"), resolved(*GetParam().dataHome));
    environment.insert(QStringLiteral("XDG_DATA_DIRS"), resolved(GetParam().dataDirs));
    for (const QString& file : GetParam().existing) {
        ASSERT_TRUE(file.endsWith(u'/') ? QDir().mkpath(resolved(file))
                                        : writeFile(resolved(file), editorEntry));
    }
    // A relative folder must be ignored even where it would name a real folder.
    const QString previousWorkingFolder = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_root.path()));
    const QString found = LoginItems::findInstalledDesktopEntry(GetParam().fileName, environment);
    QDir::setCurrent(previousWorkingFolder);

    EXPECT_EQ(found, GetParam().expected.isEmpty() ? QString() : resolved(GetParam().expected));
}

const QString editor = QStringLiteral("editor.desktop");
const QString inData = QStringLiteral("@/data/applications/editor.desktop");
const QString inLocal = QStringLiteral("@/local/applications/editor.desktop");
const QString inSystem = QStringLiteral("@/system/applications/editor.desktop");

INSTANTIATE_TEST_SUITE_P(
    SearchOrder, LoginItemsInstalledEntryTest,
    ::testing::Values(InstalledEntryCase{"DataHomeFirst",
                                         u"@/data"_s,
                                         u"@/local:@/system"_s,
                                         {inData, inSystem},
                                         editor,
                                         inData},
                      InstalledEntryCase{"DataDirsInOrder",
                                         u"@/data"_s,
                                         u"@/local::@/system"_s,
                                         {inSystem, inLocal},
                                         editor,
                                         inLocal},
                      InstalledEntryCase{
                          "DefaultDataHome",
                          std::nullopt,
                          u"@/system"_s,
                          {u"@/home/.local/share/applications/editor.desktop"_s, inSystem},
                          editor,
                          u"@/home/.local/share/applications/editor.desktop"_s},
                      InstalledEntryCase{"RelativeFoldersIgnored",
                                         u"data"_s,
                                         u"local:@/system"_s,
                                         {inData, inLocal, inSystem},
                                         editor,
                                         inSystem},
                      InstalledEntryCase{"FolderOfThatNameSkipped",
                                         u"@/data"_s,
                                         u"@/system"_s,
                                         {inData + u'/', inSystem},
                                         editor,
                                         inSystem},
                      InstalledEntryCase{"PathInsteadOfName",
                                         u"@/data"_s,
                                         u"@/system"_s,
                                         {u"@/system/applications/kde/editor.desktop"_s,
                                          u"@/system/editor.desktop"_s},
                                         u"../editor.desktop"_s,
                                         QString()}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
