// corvella-cli as a real process on fixture trees.
#include "support/ScopedEnvironmentVariable.h"
#include "support/TreeBuilder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

struct CliRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

CliRun cli(const QStringList& arguments, const QStringList& prefix = {})
{
    QProcess process;
    const QStringList command = prefix + QStringList{QStringLiteral(CORVELLA_CLI)} + arguments;
    process.start(command.first(), command.mid(1));
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        build.folder("big");
        build.file("big/one", 1000);
        build.file("big/two", 2000);
        build.folder("big/inner");
        build.file("big/inner/three", 3000);
        build.file("small", 10);
        build.file("new\nline", 5);
    }
    QTemporaryDir home;
    ScopedEnvironmentVariable config{"XDG_CONFIG_HOME",
                                     QFile::encodeName(home.filePath(QStringLiteral("config")))};
    ScopedEnvironmentVariable data{"XDG_DATA_HOME",
                                   QFile::encodeName(home.filePath(QStringLiteral("data")))};
    QTemporaryDir folder;
    TreeBuilder build{folder.path()};
};

TEST_F(CommandLineTest, ScanPrintsTheOrderedTreeWithDepthAndTopLimits)
{
    const CliRun full = cli({QStringLiteral("scan"), folder.path()});
    ASSERT_EQ(full.exitCode, 0) << full.err.constData();
    const QList<QByteArray> lines = full.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 8);
    const QByteArray rootLine = QByteArray("6.01 KB\t6015\t0\t") + QFile::encodeName(folder.path());
    EXPECT_EQ(lines[0], rootLine);
    EXPECT_EQ(lines[1], "6.00 KB\t6000\t1\tbig");
    EXPECT_EQ(lines[2], "3.00 KB\t3000\t2\t  inner");
    EXPECT_EQ(lines[3], "3.00 KB\t3000\t3\t    three");
    EXPECT_EQ(lines[4], "2.00 KB\t2000\t2\t  two");
    EXPECT_EQ(lines[6], "10 byte\t10\t1\tsmall");
    EXPECT_EQ(lines[7], "5 byte\t5\t1\tnew\\x0aline");

    const CliRun total = cli(
        {QStringLiteral("scan"), folder.path(), QStringLiteral("--depth"), QStringLiteral("0")});
    EXPECT_EQ(total.out.count('\n'), 1);
    const CliRun top = cli({QStringLiteral("scan"), QStringLiteral("--top"), QStringLiteral("1"),
                            folder.path(), QStringLiteral("--depth"), QStringLiteral("2")});
    EXPECT_EQ(top.out.trimmed().split('\n').size(), 3); // root, big, inner
}

TEST_F(CommandLineTest, ScanJsonIsOneObjectPerNode)
{
    const CliRun run = cli({QStringLiteral("scan"), QStringLiteral("--json"), folder.path()});
    ASSERT_EQ(run.exitCode, 0);
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(run.out, &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QJsonObject root = document.object();
    EXPECT_EQ(root.value(QStringLiteral("size")).toInteger(), 6015);
    EXPECT_EQ(root.value(QStringLiteral("path")).toString(), folder.path());
    const QJsonArray children = root.value(QStringLiteral("children")).toArray();
    ASSERT_EQ(children.size(), 3);
    const QJsonObject big = children[0].toObject();
    EXPECT_EQ(big.value(QStringLiteral("name")).toString(), QStringLiteral("big"));
    EXPECT_TRUE(big.value(QStringLiteral("isDirectory")).toBool());
    EXPECT_EQ(big.value(QStringLiteral("children")).toArray().size(), 3);
    EXPECT_EQ(children[2].toObject().value(QStringLiteral("name")).toString(),
              QStringLiteral("new\nline"));
}

TEST_F(CommandLineTest, BadInputGetsAClearErrorAndAStatus)
{
    EXPECT_EQ(cli({QStringLiteral("scan")}).exitCode, 2);
    EXPECT_EQ(cli({QStringLiteral("scan"), folder.path(), QStringLiteral("--depth"),
                   QStringLiteral("-1")})
                  .exitCode,
              2);
    EXPECT_EQ(cli({QStringLiteral("frobnicate")}).exitCode, 2);
    const CliRun missing =
        cli({QStringLiteral("scan"), folder.filePath(QStringLiteral("nowhere"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("does not exist"));
    EXPECT_EQ(cli({QStringLiteral("settings"), QStringLiteral("get"), QStringLiteral("NoSuchKey")})
                  .exitCode,
              1);
    EXPECT_EQ(cli({QStringLiteral("settings"), QStringLiteral("set"), QStringLiteral("X"),
                   QStringLiteral("1.5")})
                  .exitCode,
              0);
    EXPECT_EQ(cli({QStringLiteral("settings"), QStringLiteral("get"), QStringLiteral("X")}).out,
              "1.5\n");
    EXPECT_TRUE(cli({QStringLiteral("--version")}).out.startsWith("corvella-cli "));
}

TEST_F(CommandLineTest, TrashAndEraseReportEachItemAndFailures)
{
    const CliRun trash =
        cli({QStringLiteral("trash"), build.qpath("small"), build.qpath("missing")});
    EXPECT_EQ(trash.exitCode, 1);
    EXPECT_TRUE(trash.out.contains(QByteArray(QByteArray(" 30%  ") + build.path("small"))));
    EXPECT_TRUE(trash.out.contains("1 failed"));
    EXPECT_FALSE(QFileInfo::exists(build.qpath("small")));
    EXPECT_TRUE(QFileInfo::exists(home.filePath(QStringLiteral("data/Trash/files/small"))));

    const CliRun erase =
        cli({QStringLiteral("erase"), build.qpath("big"), build.qpath("new\nline")});
    EXPECT_EQ(erase.exitCode, 0) << erase.out.constData();
    EXPECT_TRUE(erase.out.contains("  0%  "));
    EXPECT_TRUE(erase.out.contains(" 50%  "));
    EXPECT_TRUE(erase.out.contains("100%  "));
    EXPECT_FALSE(QFileInfo::exists(build.qpath("big")));
}

TEST_F(CommandLineTest, UnreadableFolderCountsAsEmptyForAnUnprivilegedUser)
{
    // Root reads every folder; the scan runs as "nobody" over a tree that user owns.
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (::geteuid() != 0 || setpriv.isEmpty())
        GTEST_SKIP() << "needs root and setpriv to run the scan as another user";
    QTemporaryDir shared(QStringLiteral("/tmp/corvella-cli-test-XXXXXX"));
    TreeBuilder tree(shared.path());
    tree.folder("open");
    tree.file("open/a", 100);
    tree.folder("locked");
    tree.file("locked/b", 200);
    for (const char* path : {"", "/open", "/open/a", "/locked", "/locked/b"})
        ASSERT_EQ(::chown(QFile::encodeName(shared.path() + QString::fromLatin1(path)).constData(),
                          65534, 65534),
                  0);
    ASSERT_EQ(::chmod(tree.path("locked").constData(), 0), 0);
    const CliRun run = cli({QStringLiteral("scan"), shared.path()},
                           {setpriv, QStringLiteral("--reuid=65534"),
                            QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups")});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const QList<QByteArray> lines = run.out.trimmed().split('\n');
    EXPECT_TRUE(lines[0].startsWith("100 byte\t100\t0\t"));
    EXPECT_TRUE(run.out.contains("0 byte\t0\t1\tlocked"));
    ::chmod(tree.path("locked").constData(), 0755);
}

} // namespace
