// corvella-cli's man page and shell completions, as the build wrote them, against its own help.
#include "support/Cli.h"
#include "support/Files.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kReference = QStringLiteral(CORVELLA_REFERENCE_DIR);
const QString kManPage = kReference + u"/man/corvella-cli.1"_s;
const QString kBash = kReference + u"/completions/corvella-cli"_s;

QByteArray run(const QString& program, const QStringList& arguments, QByteArray* err = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    if (err != nullptr)
        *err = process.readAllStandardError();
    return process.readAllStandardOutput();
}

// What the bash completion offers in `folder` for the words typed so far (the last one is being
// completed).
QSet<QString> bashComplete(const QStringList& words, const QString& folder = u"/"_s)
{
    const QString script =
        uR"sh(source "$1"; cd "$2"; shift 2; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
        _corvella_cli; printf '%s\n' "${COMPREPLY[@]}")sh"_s;
    const QStringList lines =
        QString::fromUtf8(run(u"bash"_s, QStringList{u"--norc"_s, u"-c"_s, script, u"bash"_s, kBash,
                                                     folder, u"corvella-cli"_s} +
                                             words))
            .split(u'\n', Qt::SkipEmptyParts);
    return {lines.cbegin(), lines.cend()};
}

QSet<QString> longOptions(const QString& text)
{
    static const QRegularExpression option(u"(?<![\\w-])--[a-z][a-z0-9-]*"_s);
    QSet<QString> options;
    for (auto matches = option.globalMatch(text); matches.hasNext();)
        options.insert(matches.next().captured());
    return options;
}

// The long options a help text lists, -h/--help left out.
QSet<QString> helpOptions(const QByteArray& help)
{
    QSet<QString> options = longOptions(QString::fromUtf8(help).section(u"Options:"_s, 1));
    options.remove(u"--help"_s);
    return options;
}

QString roffBold(const QString& text)
{
    return u"\\fB"_s + QString(text).replace(u'-', u"\\-"_s) + u"\\fR"_s;
}

// The options of a command's entry in the man page's COMMANDS section.
QSet<QString> manOptions(const QString& page, const QString& command)
{
    const QStringList lines =
        page.section(u".SH COMMANDS\n"_s, 1).section(u"\n.SH "_s, 0, 0).split(u'\n');
    const QString heading = roffBold(command);
    qsizetype at = 0;
    while (at < lines.size() && lines.at(at) != heading && !lines.at(at).startsWith(heading + u' '))
        ++at;
    QString entry;
    for (int depth = 0; ++at < lines.size() && !(depth == 0 && lines.at(at) == u".TP");) {
        depth += lines.at(at) == u".RS" ? 1 : lines.at(at) == u".RE" ? -1 : 0;
        entry += lines.at(at) + u'\n';
    }
    return longOptions(entry.replace(u"\\-"_s, u"-"_s).remove(u"\\fB"_s).remove(u"\\fR"_s));
}

TEST(CommandLineReferenceTest, EveryCommandAndOptionOfTheHelpIsInTheManPageAndTheBashCompletion)
{
    const QString page = QString::fromUtf8(files::readFile(kManPage));
    const QString overview = QString::fromUtf8(cli({u"--help"_s}).out);
    QStringList rows; // "tasks end": a row's name ends where two blanks start its summary
    for (const QString& line :
         overview.section(u"Commands:\n"_s, 1).section(u"\n\n"_s, 0, 0).split(u'\n'))
        rows.append(line.trimmed().section(u"  "_s, 0, 0));
    ASSERT_GE(rows.size(), 25) << overview.toStdString();
    QSet<QString> names;
    for (const QString& row : rows)
        names.insert(row.section(u' ', 0, 0));
    const QSet<QString> global{u"-h"_s, u"--help"_s, u"-V"_s, u"--version"_s};
    EXPECT_EQ(bashComplete({QString()}), names + global);

    QHash<QString, QSet<QString>> manUnion, bashUnion; // by command name: every row's options
    for (const QString& row : rows) {
        SCOPED_TRACE(row.toStdString());
        const QStringList words = row.split(u' ');
        EXPECT_TRUE(page.contains(u"\n.TP\n"_s + roffBold(row)));
        const CliRun help = cli(QStringList{u"help"_s} + words);
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_TRUE(help.out.startsWith(QByteArray("Usage: corvella-cli " + row.toUtf8())) &&
                    help.out.contains("-h, --help"))
            << help.out.constData();
        QSet<QString> completed = bashComplete(words + QStringList{u"--"_s});
        if (words.first() != u"help") { // `ROW --help` prints the same
            const CliRun dashed = cli(words + QStringList{u"--help"_s});
            EXPECT_EQ(std::pair(dashed.exitCode, dashed.out), std::pair(0, help.out));
            EXPECT_TRUE(completed.remove(u"--help"_s));
        }
        manUnion[words.first()] += manOptions(page, row);
        bashUnion[words.first()] += completed;
        if (words.size() == 2) { // `help NAME VERB` describes that row alone
            EXPECT_EQ(manOptions(page, row), helpOptions(help.out));
            EXPECT_EQ(completed, helpOptions(help.out));
        }
    }
    for (const QString& name : std::as_const(names)) { // `help NAME` describes all its rows
        SCOPED_TRACE(name.toStdString());
        const QSet<QString> listed = helpOptions(cli({u"help"_s, name}).out);
        EXPECT_EQ(manUnion.value(name), listed);
        EXPECT_EQ(bashUnion.value(name), listed);
    }
}

struct Completion {
    const char* name;
    QStringList words; // "DIR" stands for a folder holding "a b", "-i" and "sub/"
    QStringList offered;
};

class BashCompletionTest : public ::testing::TestWithParam<Completion> {};

TEST_P(BashCompletionTest, OffersWhatTheCommandTakesThere)
{
    QTemporaryDir folder;
    for (const char* name : {"a b", "-i", "sub/x"})
        ASSERT_TRUE(files::writeFile(folder.filePath(QString::fromUtf8(name)), "x"));
    QStringList words = GetParam().words, offered = GetParam().offered;
    words.replaceInStrings(u"DIR"_s, folder.path());
    offered.replaceInStrings(u"DIR"_s, folder.path());
    EXPECT_EQ(bashComplete(words, folder.path()), QSet<QString>(offered.cbegin(), offered.cend()));
}

INSTANTIATE_TEST_SUITE_P(
    Words, BashCompletionTest,
    ::testing::Values(
        Completion{
            "PathOperands", {u"trash"_s, u"DIR/"_s}, {u"DIR/a b"_s, u"DIR/-i"_s, u"DIR/sub"_s}},
        Completion{"OptionsBeforeDashDash",
                   {u"erase"_s, u"-"_s},
                   {u"-q"_s, u"--quiet"_s, u"-h"_s, u"--help"_s}},
        Completion{"FilesAfterDashDash", {u"erase"_s, u"--"_s, u"-"_s}, {u"-i"_s}},
        Completion{"PathValue", {u"restore"_s, u"x"_s, u"--as"_s, u"DIR/a"_s}, {u"DIR/a b"_s}},
        Completion{"TextValue", {u"tasks"_s, u"end"_s, u"--force-after"_s, u""_s}, {}},
        Completion{"TextOperand", {u"settings"_s, u"get"_s, u""_s}, {}},
        Completion{"Verbs", {u"disks"_s, u""_s}, {u"rename"_s, u"format"_s, u"eject"_s}},
        Completion{"VerbsOfHelp", {u"help"_s, u"startup"_s, u"e"_s}, {u"enable"_s}}),
    [](const auto& info) { return std::string(info.param.name); });

struct Checker {
    const char* label;
    const char* program;
    QStringList arguments;
    const char* file; // under the reference folder
};

class ReferenceFileTest : public ::testing::TestWithParam<Checker> {};

TEST_P(ReferenceFileTest, ReadsWithoutComplaint)
{
    const QString program = QStandardPaths::findExecutable(QString::fromUtf8(GetParam().program));
    if (program.isEmpty())
        GTEST_SKIP() << GetParam().program << " is not installed";
    const QString file = kReference + u'/' + QString::fromUtf8(GetParam().file);
    if (!QFileInfo::exists(file))
        GTEST_SKIP() << GetParam().file << " is built with the tray program only";
    QByteArray err;
    EXPECT_EQ(run(program, GetParam().arguments + QStringList{file}, &err) + err, QByteArray());
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReferenceFileTest,
    ::testing::Values(
        Checker{
            "groffCli", "groff", {u"-man"_s, u"-ww"_s, u"-z"_s, u"-Tutf8"_s}, "man/corvella-cli.1"},
        Checker{"mandocCli", "mandoc", {u"-Tlint"_s, u"-Wwarning"_s}, "man/corvella-cli.1"},
        Checker{"mandocTray", "mandoc", {u"-Tlint"_s, u"-Wwarning"_s}, "man/corvella.1"},
        Checker{"bash", "bash", {u"-n"_s}, "completions/corvella-cli"},
        Checker{"zsh", "zsh", {u"-n"_s}, "completions/_corvella-cli"},
        Checker{"fish", "fish", {u"-n"_s}, "completions/corvella-cli.fish"}),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace
