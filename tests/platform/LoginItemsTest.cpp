#include "platform/LoginItems.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <sys/stat.h>

namespace {

const QByteArray editorEntry = "[Desktop Entry]\nType=Application\nName=Éditeur\nExec=editor\n";

// Writes the file, making its folder first; returns its path.
QString writeFile(const QString& file, const QByteArray& content)
{
    EXPECT_TRUE(QDir().mkpath(QFileInfo(file).absolutePath()));
    QFile out(file);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly)) << out.errorString().toStdString();
    EXPECT_EQ(out.write(content), content.size());
    return file;
}

QByteArray readFile(const QString& file)
{
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

class LoginItemsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_root.isValid()); }

    QString path(const QString& relativePath) const { return m_root.filePath(relativePath); }
    QString write(const QString& relativePath, const QByteArray& content) const
    {
        return writeFile(path(relativePath), content);
    }
    static QByteArray read(const QString& file) { return readFile(file); }

    QTemporaryDir m_root;
};

TEST_F(LoginItemsTest, AddCreatesTheFolderAndCopiesTheEntry)
{
    const QString source = write(QStringLiteral("apps/editor.desktop"), editorEntry);
    const LoginItems items(path(QStringLiteral("config/autostart")));
    EXPECT_TRUE(items.entries().isEmpty());

    const LoginItems::Result added = items.add(source);
    ASSERT_TRUE(added.succeeded()) << added.error.toStdString();
    EXPECT_EQ(items.entries(), QStringList{QStringLiteral("editor.desktop")});
    EXPECT_TRUE(items.contains(QStringLiteral("editor.desktop")));
    EXPECT_EQ(read(path(QStringLiteral("config/autostart/editor.desktop"))), editorEntry);
    EXPECT_EQ(read(source), editorEntry) << "the source is left as it was";
}

TEST_F(LoginItemsTest, AddingTwiceKeepsOneEntryWithTheNewerContent)
{
    const LoginItems items(path(QStringLiteral("autostart")));
    ASSERT_TRUE(items.add(write(QStringLiteral("a/editor.desktop"), editorEntry)).succeeded());
    const QByteArray changed = editorEntry + "Comment=changed\n";
    ASSERT_TRUE(items.add(write(QStringLiteral("b/editor.desktop"), changed)).succeeded());
    ASSERT_TRUE(items.add(path(QStringLiteral("autostart/editor.desktop"))).succeeded())
        << "adding the entry onto itself keeps it";

    EXPECT_EQ(items.entries(), QStringList{QStringLiteral("editor.desktop")});
    EXPECT_EQ(read(path(QStringLiteral("autostart/editor.desktop"))), changed);
    EXPECT_EQ(QDir(path(QStringLiteral("autostart")))
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("editor.desktop")})
        << "no temporary file is left behind";
}

TEST_F(LoginItemsTest, EntriesListsOnlyDesktopFilesSorted)
{
    write(QStringLiteral("autostart/zeal.desktop"), editorEntry);
    write(QStringLiteral("autostart/Backup.desktop"), editorEntry);
    write(QStringLiteral("autostart/agent.desktop"), editorEntry);
    write(QStringLiteral("autostart/notes.txt"), "not an entry");
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("autostart/folder.desktop"))));
    const LoginItems items(path(QStringLiteral("autostart")));

    EXPECT_EQ(items.entries(),
              (QStringList{QStringLiteral("Backup.desktop"), QStringLiteral("agent.desktop"),
                           QStringLiteral("zeal.desktop")}));
    EXPECT_FALSE(items.contains(QStringLiteral("notes.txt")));
    EXPECT_FALSE(items.contains(QStringLiteral("folder.desktop")));
    EXPECT_FALSE(items.contains(QStringLiteral("../autostart/agent.desktop")));
}

TEST_F(LoginItemsTest, RemoveDeletesOnlyThatEntry)
{
    write(QStringLiteral("autostart/agent.desktop"), editorEntry);
    write(QStringLiteral("autostart/editor.desktop"), editorEntry);
    const LoginItems items(path(QStringLiteral("autostart")));

    const LoginItems::Result removed = items.remove(QStringLiteral("agent.desktop"));
    ASSERT_TRUE(removed.succeeded()) << removed.error.toStdString();
    EXPECT_EQ(items.entries(), QStringList{QStringLiteral("editor.desktop")});
    EXPECT_TRUE(items.remove(QStringLiteral("agent.desktop")).succeeded())
        << "an entry that is not there is already removed";
    EXPECT_TRUE(LoginItems(path(QStringLiteral("missing")))
                    .remove(QStringLiteral("x.desktop"))
                    .succeeded());
}

TEST_F(LoginItemsTest, RemoveRefusesNamesOutsideTheFolder)
{
    write(QStringLiteral("keep.desktop"), editorEntry);
    const LoginItems items(path(QStringLiteral("autostart")));
    for (const QString& name : {QStringLiteral("../keep.desktop"), QStringLiteral(""),
                                QStringLiteral(".."), QStringLiteral("keep.txt")}) {
        const LoginItems::Result removed = items.remove(name);
        EXPECT_FALSE(removed.succeeded()) << name.toStdString();
        EXPECT_EQ(removed.error, QStringLiteral("“%1” is not the name of a login item.").arg(name));
    }
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("keep.desktop"))));
}

TEST_F(LoginItemsTest, RemoveReportsAnEntryThatCannotBeDeleted)
{
    write(QStringLiteral("autostart/stuck.desktop/inside"), "x");
    const LoginItems::Result removed =
        LoginItems(path(QStringLiteral("autostart"))).remove(QStringLiteral("stuck.desktop"));
    EXPECT_FALSE(removed.succeeded());
    EXPECT_TRUE(removed.error.startsWith(u"The login item “stuck.desktop” could not be removed: "))
        << removed.error.toStdString();
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("autostart/stuck.desktop/inside"))));
}

struct RefusedSourceCase {
    const char* name;
    // Prepares the source below the fixture root and returns its path.
    std::function<QString(const QDir& root)> source;
    // The start of the error; "%1" stands for the source's path.
    const char* errorStart;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const RefusedSourceCase& testCase, std::ostream* stream)
{
    *stream << testCase.name;
}

class LoginItemsRefusedSourceTest : public LoginItemsTest,
                                    public ::testing::WithParamInterface<RefusedSourceCase> {};

TEST_P(LoginItemsRefusedSourceTest, RefusesAndWritesNothing)
{
    const QString source = GetParam().source(QDir(m_root.path()));
    write(QStringLiteral("autostart/existing.desktop"), editorEntry);
    const LoginItems items(path(QStringLiteral("autostart")));

    const LoginItems::Result added = items.add(source);
    EXPECT_FALSE(added.succeeded());
    const QString expectedStart =
        QString::fromUtf8(GetParam().errorStart).replace(QStringLiteral("%1"), source);
    EXPECT_TRUE(added.error.startsWith(expectedStart))
        << added.error.toStdString() << "\nexpected to start with: " << expectedStart.toStdString();
    EXPECT_EQ(items.entries(), QStringList{QStringLiteral("existing.desktop")});
    EXPECT_EQ(read(path(QStringLiteral("autostart/existing.desktop"))), editorEntry);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, LoginItemsRefusedSourceTest,
    ::testing::Values(
        RefusedSourceCase{
            "Missing",
            [](const QDir& root) { return root.filePath(QStringLiteral("gone.desktop")); },
            "The desktop entry “%1” does not exist."},
        RefusedSourceCase{"Folder",
                          [](const QDir& root) {
                              root.mkpath(QStringLiteral("folder.desktop"));
                              return root.filePath(QStringLiteral("folder.desktop"));
                          },
                          "“%1” is a folder, not a desktop entry."},
        RefusedSourceCase{"NotADesktopEntry",
                          [](const QDir& root) {
                              return writeFile(root.filePath(QStringLiteral("notes.txt")),
                                               editorEntry);
                          },
                          "“%1” is not a desktop entry: its name does not end in “.desktop”."},
        RefusedSourceCase{"Fifo",
                          [](const QDir& root) {
                              const QString fifo = root.filePath(QStringLiteral("pipe.desktop"));
                              EXPECT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
                              return fifo;
                          },
                          "“%1” is not a regular file"},
        RefusedSourceCase{"BelowAFile",
                          [](const QDir& root) {
                              writeFile(root.filePath(QStringLiteral("plain")), "x");
                              return root.filePath(QStringLiteral("plain/inside.desktop"));
                          },
                          "The desktop entry “%1” does not exist."},
        RefusedSourceCase{"LinkLoop",
                          [](const QDir& root) {
                              const QString loop = root.filePath(QStringLiteral("loop.desktop"));
                              EXPECT_TRUE(QFile::link(loop, loop));
                              return loop;
                          },
                          "The desktop entry “%1” could not be read: "},
        RefusedSourceCase{"Empty", [](const QDir&) { return QString(); },
                          "No desktop entry was given to add as a login item."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LoginItemsTest, AddReportsAFolderThatCannotBeMade)
{
    const QString source = write(QStringLiteral("editor.desktop"), editorEntry);
    write(QStringLiteral("config"), "a file where the configuration folder should be");

    const LoginItems::Result added =
        LoginItems(path(QStringLiteral("config/autostart"))).add(source);
    EXPECT_FALSE(added.succeeded());
    EXPECT_TRUE(
        added.error.startsWith(QStringLiteral("The autostart folder “%1” could not be created: ")
                                   .arg(path(QStringLiteral("config/autostart")))))
        << added.error.toStdString();
}

TEST_F(LoginItemsTest, AddReportsAnEntryThatCannotBeWritten)
{
    const QString source = write(QStringLiteral("editor.desktop"), editorEntry);
    write(QStringLiteral("autostart/editor.desktop/occupied"), "x");

    const LoginItems::Result added = LoginItems(path(QStringLiteral("autostart"))).add(source);
    EXPECT_FALSE(added.succeeded());
    EXPECT_TRUE(added.error.startsWith(
        QStringLiteral("The login item “editor.desktop” could not be written to “%1”: ")
            .arg(path(QStringLiteral("autostart")))))
        << added.error.toStdString();
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("autostart/editor.desktop/occupied"))));
}

} // namespace
