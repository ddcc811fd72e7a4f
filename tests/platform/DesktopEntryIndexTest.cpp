#include "platform/LoginItems.h"

#include "support/Files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

const QByteArray editorEntry = "[Desktop Entry]\nType=Application\nName=Éditeur\nExec=editor\n";

class LoginItemsTest : public ::testing::Test {
protected:
    QString path(const QString& relativePath) const { return m_root.filePath(relativePath); }
    QString write(const QString& relativePath, const QByteArray& content = editorEntry) const
    {
        EXPECT_TRUE(writeFile(path(relativePath), content)) << relativePath.toStdString();
        return path(relativePath);
    }

    QTemporaryDir m_root;
};

TEST_F(LoginItemsTest, AddCreatesTheFolderAndReAddingReplacesTheEntryWhole)
{
    const LoginItems items(path(u"config/autostart"_s));
    const QString entry = path(u"config/autostart/editor.desktop"_s);
    EXPECT_TRUE(items.entries().isEmpty());
    const QString source = write(u"a/editor.desktop"_s);
    const LoginItems::Result added = items.add(source);
    ASSERT_TRUE(added.succeeded()) << added.error.toStdString();
    EXPECT_TRUE(items.contains(u"editor.desktop"_s));
    EXPECT_EQ(readFile(entry), editorEntry);
    EXPECT_EQ(readFile(source), editorEntry) << "the source is left as it was";

    const QByteArray changed = editorEntry + "Comment=changed\n";
    ASSERT_TRUE(items.add(write(u"b/editor.desktop"_s, changed)).succeeded());
    ASSERT_TRUE(items.add(entry).succeeded()) << "adding the entry onto itself keeps it";
    EXPECT_EQ(readFile(entry), changed);
    EXPECT_EQ(entriesOf(path(u"config/autostart"_s)), QStringList{u"editor.desktop"_s})
        << "no temporary file is left behind";
}

TEST_F(LoginItemsTest, AddAndRemoveReplaceALinkedEntryNeverItsTarget)
{
    const QString system = write(u"system/editor.desktop"_s), entry = path(u"a/editor.desktop"_s);
    const LoginItems items(path(u"a"_s));
    for (bool adding : {true, false}) {
        ASSERT_TRUE(QDir().mkpath(path(u"a"_s)) && QFile::link(system, entry));
        ASSERT_TRUE(adding ? items.add(write(u"b/editor.desktop"_s, "new")).succeeded()
                           : items.remove(u"editor.desktop"_s).succeeded());
        EXPECT_EQ(readFile(system), editorEntry);
        EXPECT_FALSE(QFileInfo(entry).isSymLink());
        EXPECT_TRUE(adding ? readFile(entry) == "new" : !QFileInfo::exists(entry));
        QFile::remove(entry);
    }
}

TEST_F(LoginItemsTest, EntriesListsOnlyDesktopFilesSorted)
{
    for (const char* name : {"zeal.desktop", "Backup.desktop", "agent.desktop", "notes.txt"})
        write(u"autostart/"_s + QLatin1String(name));
    ASSERT_TRUE(QDir().mkpath(path(u"autostart/folder.desktop"_s)));
    const LoginItems items(path(u"autostart"_s));

    EXPECT_EQ(items.entries(),
              (QStringList{u"Backup.desktop"_s, u"agent.desktop"_s, u"zeal.desktop"_s}));
    EXPECT_FALSE(items.contains(u"notes.txt"_s));
    EXPECT_FALSE(items.contains(u"folder.desktop"_s));
    EXPECT_FALSE(items.contains(u"../autostart/agent.desktop"_s));
}

TEST_F(LoginItemsTest, RemoveDeletesOnlyThatEntryAndRefusesOtherNames)
{
    for (const QString& file : {u"autostart/agent.desktop"_s, u"autostart/editor.desktop"_s,
                                u"autostart/stuck.desktop/inside"_s, u"keep.desktop"_s})
        write(file);
    const LoginItems items(path(u"autostart"_s));
    const LoginItems::Result removed = items.remove(u"agent.desktop"_s);
    ASSERT_TRUE(removed.succeeded()) << removed.error.toStdString();
    EXPECT_EQ(entriesOf(items.autostartPath()),
              (QStringList{u"editor.desktop"_s, u"stuck.desktop"_s}));
    EXPECT_TRUE(items.remove(u"agent.desktop"_s).succeeded())
        << "an entry that is not there is already removed";
    EXPECT_TRUE(LoginItems(path(u"none"_s)).remove(u"x.desktop"_s).succeeded());
    for (const QString& name : {u"../keep.desktop"_s, QString(), u".."_s, u"keep.txt"_s})
        EXPECT_FALSE(items.remove(name).succeeded()) << name.toStdString();
    EXPECT_TRUE(exists(path(u"keep.desktop"_s)));
    const LoginItems::Result stuck = items.remove(u"stuck.desktop"_s);
    EXPECT_TRUE(stuck.error.contains(u"stuck.desktop")) << stuck.error.toStdString();
    EXPECT_TRUE(exists(path(u"autostart/stuck.desktop/inside"_s)));
}

TEST_F(LoginItemsTest, RefusedSourcesWriteNothing)
{
    write(u"autostart/existing.desktop"_s);
    const QString folder = path(u"folder.desktop"_s), fifo = path(u"fifo.desktop"_s);
    ASSERT_TRUE(QDir().mkpath(folder) && ::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    ASSERT_TRUE(QFile::link(path(u"loop.desktop"_s), path(u"loop.desktop"_s)));
    const LoginItems items(path(u"autostart"_s));
    for (const QString& source : {path(u"gone.desktop"_s), folder, write(u"notes.txt"_s), fifo,
                                  path(u"loop.desktop"_s), QString()}) {
        const LoginItems::Result added = items.add(source);
        EXPECT_FALSE(added.succeeded()) << source.toStdString();
        EXPECT_TRUE(added.error.contains(source)) << added.error.toStdString();
    }
    EXPECT_EQ(entriesOf(items.autostartPath()), QStringList{u"existing.desktop"_s});
    EXPECT_EQ(readFile(path(u"autostart/existing.desktop"_s)), editorEntry);
}

TEST_F(LoginItemsTest, AddReportsAFolderOrEntryThatCannotBeMade)
{
    const QString source = write(u"editor.desktop"_s);
    write(u"config"_s, "a file where the configuration folder should be");
    const LoginItems::Result noFolder = LoginItems(path(u"config/autostart"_s)).add(source);
    EXPECT_TRUE(noFolder.error.contains(path(u"config/autostart"_s)))
        << noFolder.error.toStdString();

    write(u"autostart/editor.desktop/occupied"_s);
    const LoginItems::Result noEntry = LoginItems(path(u"autostart"_s)).add(source);
    EXPECT_TRUE(noEntry.error.contains(path(u"autostart"_s))) << noEntry.error.toStdString();
    EXPECT_TRUE(exists(path(u"autostart/editor.desktop/occupied"_s)));
}

TEST(LoginItemsStandardPathTest, FollowsAnAbsoluteXdgConfigHome)
{
    QProcessEnvironment environment;
    environment.insert(u"HOME"_s, u"/home/ada"_s);
    for (const QString& unusable : {QString(), u"config"_s}) {
        environment.insert(u"XDG_CONFIG_HOME"_s, unusable);
        EXPECT_EQ(LoginItems::standardPath(environment), u"/home/ada/.config/autostart");
    }
    environment.insert(u"XDG_CONFIG_HOME"_s, u"/srv/config"_s);
    EXPECT_EQ(LoginItems::standardPath(environment), u"/srv/config/autostart");
}

TEST_F(LoginItemsTest, FindsAnInstalledEntryInSearchOrder)
{
    const char* const inData = "@/data/applications/editor.desktop";
    const char* const inLocal = "@/local/applications/editor.desktop";
    const char* const inSystem = "@/system/applications/editor.desktop";
    const char* const inHome = "@/home/.local/share/applications/editor.desktop";
    const struct {
        const char* dataHome; // null: unset
        const char* dataDirs;
        std::vector<const char*> existing; // a trailing "/" makes a folder
        const char* expected;
    } rows[] = {
        {"@/data", "@/local:@/system", {inData, inSystem}, inData},
        {"@/data", "@/local::@/system", {inSystem, inLocal}, inLocal},
        {nullptr, "@/system", {inHome, inSystem}, inHome},
        {"data", "local:@/system", {inData, inLocal, inSystem}, inSystem}, // relative: ignored
        {"@/data",
         "@/system",
         {"@/data/applications/editor.desktop/", inSystem, "@/system/editor.desktop",
          "@/system/applications/kde/editor.desktop"},
         inSystem},
    };
    const QString previousWorkingFolder = QDir::currentPath();
    for (int row = 0; row < int(std::size(rows)); ++row) {
        const QString root = path(u"row%1"_s.arg(row));
        const auto resolved = [&root](const char* value) {
            return QString::fromUtf8(value).replace(u"@/"_s, root + u'/');
        };
        QProcessEnvironment environment;
        environment.insert(u"HOME"_s, resolved("@/home"));
        if (rows[row].dataHome)
            environment.insert(u"XDG_DATA_HOME"_s, resolved(rows[row].dataHome));
        environment.insert(u"XDG_DATA_DIRS"_s, resolved(rows[row].dataDirs));
        for (const char* file : rows[row].existing)
            ASSERT_TRUE(resolved(file).endsWith(u'/') ? QDir().mkpath(resolved(file))
                                                      : writeFile(resolved(file), editorEntry));
        // Relative folders are ignored even where they name real ones.
        ASSERT_TRUE(QDir::setCurrent(root));
        EXPECT_EQ(LoginItems::findInstalledDesktopEntry(u"editor.desktop"_s, environment),
                  resolved(rows[row].expected))
            << "row " << row;
        EXPECT_EQ(LoginItems::findInstalledDesktopEntry(u"../editor.desktop"_s, environment) +
                      LoginItems::findInstalledDesktopEntry(u"kde/editor.desktop"_s, environment),
                  QString())
            << "a path instead of a name, row " << row;
    }
    QDir::setCurrent(previousWorkingFolder);
}

} // namespace
