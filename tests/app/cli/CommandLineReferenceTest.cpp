// corvella-cli's man page and shell completions, as the build wrote them, against its own help.
#include "support/Cli.h"
#include "support/Files.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kReference = QStringLiteral(CORVELLA_REFERENCE_DIR);

QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return process.readAllStandardOutput() + process.readAllStandardError();
}

// What the bash or fish completion offers for `corvella-cli WORDS`, the last word being completed.
QSet<QString> complete(bool bash, const QStringList& words)
{
    const QStringList arguments =
        bash ? QStringList{u"-c"_s, uR"sh(source "$1"; shift; COMP_WORDS=(corvella-cli "$@")
                   COMP_CWORD=$#; _corvella_cli; printf '%s\n' "${COMPREPLY[@]}")sh"_s,
                           u"bash"_s, kReference + u"/completions/corvella-cli"_s}
             : QStringList{u"-c"_s,
                           uR"sh(source $argv[1]; complete -C"corvella-cli $argv[2..]")sh"_s,
                           kReference + u"/completions/corvella-cli.fish"_s};
    QSet<QString> offered;
    for (const QString& line :
         QString::fromUtf8(run(bash ? u"bash"_s : u"fish"_s, arguments + words))
             .split(u'\n', Qt::SkipEmptyParts))
        offered.insert(line.section(u'\t', 0, 0)); // fish adds a tab and the description
    return offered;
}

// The long options a help text lists under "Options:", or a completion offers; --help left out.
QSet<QString> longOptions(const QString& text)
{
    static const QRegularExpression option(u"(?<![\\w-])--[a-z][a-z0-9-]*"_s);
    QSet<QString> options;
    for (auto matches = option.globalMatch(text.section(u"Options:"_s, -1)); matches.hasNext();)
        options.insert(matches.next().captured());
    options.remove(u"--help"_s);
    return options;
}
QSet<QString> longOptions(const QSet<QString>& offered)
{
    return longOptions(QStringList(offered.cbegin(), offered.cend()).join(u' '));
}

// Every row of the command table: `help ROW` and `ROW --help` agree; the man page has an entry for
// it; the man page and the bash and fish completions offer exactly the options `help NAME` lists.
TEST(CommandLineReferenceTest, EveryRowAndOptionIsInTheManPageAndTheCompletions)
{
    const QString overview = QString::fromUtf8(cli({u"--help"_s}).out);
    QSet<QString> rows, names; // "tasks end": a row's name ends where two blanks start its summary
    for (const QString& line :
         overview.section(u"Commands:\n"_s, 1).section(u"\n\n"_s, 0, 0).split(u'\n')) {
        rows.insert(line.trimmed().section(u"  "_s, 0, 0));
        names.insert(line.trimmed().section(u' ', 0, 0));
    }
    ASSERT_GE(rows.size(), 25) << overview.toStdString();
    EXPECT_EQ(complete(true, {QString()}),
              names + QSet<QString>({u"-h"_s, u"--help"_s, u"-V"_s, u"--version"_s}));
    EXPECT_EQ(complete(false, {QString()}), names);

    // The man page's COMMANDS section: a row's entry starts `.TP` and its bold name; the entries
    // of its options follow, starting `.TP` and a bold dash.
    QHash<QString, QSet<QString>> man; // by row
    QString row;
    for (const QString& entry :
         QString::fromUtf8(files::readFile(kReference + u"/man/corvella-cli.1"_s))
             .section(u".SH COMMANDS\n"_s, 1)
             .section(u"\n.SH "_s, 0, 0)
             .replace(u"\\-"_s, u"-"_s)
             .split(u"\n.TP\n\\fB"_s)
             .mid(1)) {
        if (!entry.startsWith(u'-'))
            man[row = entry.section(u"\\fR"_s, 0, 0)];
        else
            man[row] += longOptions(QString(entry).remove(u"\\fB"_s));
    }
    EXPECT_EQ(QSet<QString>(man.keyBegin(), man.keyEnd()), rows);
    QHash<QString, QList<QSet<QString>>> offered; // by command name: man, bash, fish
    for (const QString& row : std::as_const(rows)) {
        SCOPED_TRACE(row.toStdString());
        const QStringList words = row.split(u' ');
        const CliRun help = cli(QStringList{u"help"_s} + words);
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_TRUE(help.out.startsWith(QByteArray("Usage: corvella-cli " + row.toUtf8())) &&
                    help.out.contains("-h, --help"))
            << help.out.constData();
        if (words.first() != u"help") {
            const CliRun dashed = cli(words + QStringList{u"--help"_s});
            EXPECT_EQ(std::pair(dashed.exitCode, dashed.out), std::pair(0, help.out));
        }
        const QList<QSet<QString>> ofRow{
            man.value(row), longOptions(complete(true, words + QStringList{u"--"_s})),
            longOptions(complete(false, words + QStringList{u"--"_s}))};
        if (words.size() == 2) { // `help NAME VERB` describes that row alone
            EXPECT_EQ(ofRow, QList<QSet<QString>>(3, longOptions(QString::fromUtf8(help.out))));
        }
        QList<QSet<QString>>& ofName = offered[words.first()];
        ofName.resize(3);
        for (qsizetype at = 0; at < 3; ++at)
            ofName[at] += ofRow[at];
    }
    for (const QString& name : std::as_const(names)) { // `help NAME` describes all its rows
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(
            offered.value(name),
            QList<QSet<QString>>(3, longOptions(QString::fromUtf8(cli({u"help"_s, name}).out))));
    }
}

// Each reference file reads without a complaint from the tools that read it.
TEST(CommandLineReferenceTest, FilesReadWithoutComplaint)
{
    const struct {
        const char* program;
        QStringList arguments;
        const char* file; // under the reference folder
    } checks[] = {{"groff", {u"-man"_s, u"-ww"_s, u"-z"_s, u"-Tutf8"_s}, "man/corvella-cli.1"},
                  {"mandoc", {u"-Tlint"_s, u"-Wwarning"_s}, "man/corvella-cli.1"},
                  {"mandoc", {u"-Tlint"_s, u"-Wwarning"_s}, "man/corvella.1"},
                  {"bash", {u"-n"_s}, "completions/corvella-cli"},
                  {"zsh", {u"-n"_s}, "completions/_corvella-cli"},
                  {"fish", {u"-n"_s}, "completions/corvella-cli.fish"}};
    for (const auto& [name, arguments, file] : checks) {
        const QString program = QStandardPaths::findExecutable(QString::fromUtf8(name));
        const QString path = kReference + u'/' + QString::fromUtf8(file);
        if (program.isEmpty() || !QFileInfo::exists(path))
            continue; // a checker not installed, or a build without the tray program
        EXPECT_EQ(run(program, arguments + QStringList{path}), QByteArray()) << name << file;
    }
}

} // namespace
