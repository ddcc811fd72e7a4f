#include "platform/xdg/DesktopEntry.h"

#include "platform/xdg/DesktopExec.h"
#include "support/Files.h"
#include "support/ScopedEnvironmentVariable.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

DesktopEntry entryWith(const QByteArray& lines)
{
    return DesktopEntry::parse("# comment\n\n[Desktop Entry]\nType=Application\n" + lines);
}

// Escapes, spacing, a duplicate key, and the locale fallbacks: lang_COUNTRY@MODIFIER, then
// lang_COUNTRY, lang@MODIFIER, lang, then the plain key.
TEST(DesktopEntryTest, ReadsTheLocalisedValue)
{
    const QByteArray localised = "Name=Plain\nName[de]=De\nName[de_AT]=DeAt\nName[de@euro]=DeEuro\n"
                                 "Name[de_AT@euro]=DeAtEuro\n";
    const struct {
        QByteArray lines;
        const char* locale;
        QString expected;
    } rows[] = {
        {"Name=a\\sb\\nc\\td\\\\e\\rf\\;g\\", "", u"a b\nc\td\\e\rf\\;g\\"_s},
        {"Name  =   spaced  ", "", u"spaced  "_s},
        {"Name=Café=1\r\n", "", u"Café=1"_s},
        {"Name=first\nName=second", "", u"first"_s},
        {localised, "de_AT.UTF-8@euro", u"DeAtEuro"_s},
        {localised, "de_AT.UTF-8", u"DeAt"_s},
        {localised, "de_CH@euro", u"DeEuro"_s},
        {localised, "de_CH", u"De"_s},
        {localised, "fr_FR", u"Plain"_s},
        {"Name[de]=Nur\\sDe", "de_DE", u"Nur De"_s},
    };
    for (const auto& row : rows) {
        const DesktopEntry entry = entryWith(row.lines);
        ASSERT_TRUE(entry.isValid()) << entry.error().toStdString();
        EXPECT_EQ(entry.localizedValue(
                      u"Name"_s, DesktopEntry::localeCandidates(QString::fromUtf8(row.locale))),
                  row.expected)
            << row.lines.constData() << " in " << row.locale;
    }
}

TEST(DesktopEntryTest, RefusesMalformedFilesWithAReason)
{
    const struct {
        QByteArray content;
        const char* reason;
    } rows[] = {
        {"Name=x\n[Desktop Entry]\n", "line 1"},
        {"[Other]\n[Desktop Entry]\n", "not [Desktop Entry]"},
        {"[Desktop Entry]\nName=x\n[Desktop Entry]\n", "appears twice"},
        {"[Desktop Entry]\nthis is not a key\n", "line 2: not a key"},
        {"[Desktop Entry\nName=x\n", "malformed group header"},
        {"[Desktop Entry]\nName=\xff\xfe\n", "UTF-8"},
        {"# only a comment\n", "no [Desktop Entry]"},
    };
    for (const auto& row : rows) {
        const DesktopEntry entry = DesktopEntry::parse(row.content);
        EXPECT_FALSE(entry.isValid()) << row.content.constData();
        EXPECT_TRUE(entry.error().contains(QString::fromUtf8(row.reason)))
            << entry.error().toStdString();
    }
    const QTemporaryDir folder;
    const QString fifo = folder.filePath(u"fifo.desktop"_s);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(DesktopEntry::load(fifo).error(), u"not a regular file"_s) << "and no wait";
    EXPECT_EQ(DesktopEntry::load(folder.path()).error(), u"not a regular file"_s);
    EXPECT_EQ(entryWith("Exec=x\n").incompleteReason(), u"no Name key"_s);
    EXPECT_EQ(entryWith("Name=x\n").incompleteReason(), u"an application without an Exec key"_s);
    EXPECT_EQ(entryWith("Name=x\nDBusActivatable=true\n").incompleteReason(), QString());
}

TEST(DesktopEntryTest, PrefersTheLanguagesOfLanguageUnlessTheLocaleIsC)
{
    const ScopedEnvironmentVariable language("LANGUAGE", "fr_CA:de");
    const ScopedEnvironmentVariable messages("LC_MESSAGES", std::nullopt);
    for (const auto& [all, expected] :
         {std::pair{"de_AT.UTF-8", QStringList{u"fr_CA"_s, u"fr"_s, u"de"_s, u"de_AT"_s}},
          std::pair{"C.UTF-8", QStringList{}}}) {
        const ScopedEnvironmentVariable locale("LC_ALL", QByteArray(all));
        EXPECT_EQ(DesktopEntry::preferredLocales(), expected) << all;
    }
}

TEST(DesktopEntryTest, ListsBooleansAndEdits)
{
    const DesktopEntry entry =
        entryWith("Categories=A;B\\;C;;D\\s;\nHidden=true\nTerminal=yes\n[Desktop Action x]\n"
                  "Name=Action\n");
    EXPECT_EQ(entry.listValue(u"Categories"_s), (QStringList{u"A"_s, u"B;C"_s, u""_s, u"D "_s}));
    EXPECT_TRUE(entry.booleanValue(u"Hidden"_s));
    EXPECT_FALSE(entry.booleanValue(u"Terminal"_s)) << "only \"true\" is true";
    EXPECT_EQ(entry.value(u"Name"_s, u"Desktop Action x"_s), u"Action"_s);
    EXPECT_EQ(entry.value(u"Name"_s), QString()) << "keys of other groups stay there";

    const QByteArray file = "[Desktop Entry]\nName=x\nHidden=false\n[Other]\nHidden=keep\n";
    EXPECT_EQ(DesktopEntry::withValue(file, u"Hidden"_s, u"true"_s),
              "[Desktop Entry]\nName=x\nHidden=true\n[Other]\nHidden=keep\n");
    EXPECT_EQ(DesktopEntry::withValue("[Desktop Entry]", u"A"_s, u"1"_s), "[Desktop Entry]\nA=1\n");
    EXPECT_EQ(DesktopEntry::withoutKey(file, u"Hidden"_s),
              "[Desktop Entry]\nName=x\n[Other]\nHidden=keep\n");
}

// %F, %U, %i, %c, %k and quoting with a real program: ApplicationLauncherTest.HandsTheProgram...
TEST(DesktopExecTest, ExpandsToTheArgumentVectors)
{
    const QStringList twoFiles{u"/tmp/a b"_s, u"file:///tmp/c%C3%A9"_s};
    const struct {
        const char* exec; // as written in the file
        QStringList inputs;
        QList<QStringList> expected;
    } rows[] = {
        {"edit %f", twoFiles, {{u"edit"_s, u"/tmp/a b"_s}, {u"edit"_s, u"/tmp/cé"_s}}},
        {"edit %u", {u"/tmp/a b"_s}, {{u"edit"_s, u"file:///tmp/a%20b"_s}}},
        {"edit %f %F", {u"https://x/y"_s}, {{u"edit"_s}}},
        {"edit %f", {}, {{u"edit"_s}}},
        {"edit --name=%c 100%% %d %v %x", {}, {{u"edit"_s, u"--name=Bearbeiten"_s, u"100%"_s}}},
        {"edit \"q\\\\\"uote\" \"\\\\$HOME\" \"\\\\`id\\\\`\" un\\\\;quoted",
         {},
         {{u"edit"_s, u"q\"uote"_s, u"$HOME"_s, u"`id`"_s, u"un;quoted"_s}}},
        {"edit\\s\\s\"\" x", {}, {{u"edit"_s, u""_s, u"x"_s}}},
    };
    for (const auto& row : rows) {
        const DesktopEntry entry = entryWith(
            "Name=Edit\nName[de]=Bearbeiten\nIcon=edit-icon\nExec=" + QByteArray(row.exec));
        QString error;
        const QStringList arguments = DesktopExec::split(entry.value(u"Exec"_s), &error);
        ASSERT_EQ(error, QString()) << row.exec;
        const DesktopExec::Context context{row.inputs, entry.value(u"Icon"_s),
                                           entry.localizedValue(u"Name"_s, {u"de"_s}),
                                           u"/apps/edit.desktop"_s};
        EXPECT_EQ(DesktopExec::expand(arguments, context), row.expected) << row.exec;
    }
}

TEST(DesktopExecQuoteTest, QuotedArgumentsSurviveTheFileRoundTrip)
{
    for (const QString& argument :
         {u"plain"_s, u"a b"_s, u"q\"uote"_s, u"$HOME `id` ;|&<>"_s, u"back\\slash\\"_s, u" lead"_s,
          u"line\nbreak"_s, u"50%f %%"_s, u"Café ☕"_s, QString()}) {
        const QByteArray file = "[Desktop Entry]\nExec=x " +
                                DesktopEntry::escape(DesktopExec::quote(argument)).toUtf8() + '\n';
        QString error;
        const QStringList split =
            DesktopExec::split(DesktopEntry::parse(file).value(u"Exec"_s), &error);
        EXPECT_EQ(DesktopExec::expand(split, {}), (QList<QStringList>{{u"x"_s, argument}}))
            << file.constData();
    }
    QString error;
    for (const char* broken : {"x \"open", "x 'open", "", "  "}) {
        EXPECT_TRUE(DesktopExec::split(QString::fromUtf8(broken), &error).isEmpty());
        EXPECT_FALSE(error.isEmpty()) << broken;
    }
}

} // namespace
