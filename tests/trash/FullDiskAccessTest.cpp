#include "support/AsUser.h"
#include "support/Files.h"
#include "trash/FullDiskAccessAuthorizer.h"

#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// "NAME=value NAME=value", "@" for the fixture folder.
QProcessEnvironment environmentOf(const QString& variables, const QString& top = {})
{
    QProcessEnvironment environment;
    for (const QString& variable : variables.split(u' ', Qt::SkipEmptyParts))
        environment.insert(variable.section(u'=', 0, 0),
                           variable.section(u'=', 1).replace(u'@', top));
    return environment;
}

enum class Probe { Missing, Listable, NotAFolder, Unlistable };

struct StatusCase {
    const char* name;
    const char* environment;
    const char* flatpakInfo;   // "/.flatpak-info" under the fixture's root, or nullptr
    const char* expectedProbe; // relative to the fixture; "": the user database has no record
    Probe probe;
    int expectedStatus;
    const char* expectedSandbox;
    const char* flatpakId; // in the override command; "" for none
};

class FullDiskAccessStatusTest : public ::testing::TestWithParam<StatusCase> {};

// The sandbox's own home and data folder hold a listable Trash: a probe looking there answers 2.
TEST_P(FullDiskAccessStatusTest, ProbesTheRealHomesTrashAndNamesTheSandbox)
{
    const StatusCase& row = GetParam();
    QTemporaryDir root;
    const QString top = QFileInfo(root.path()).canonicalFilePath();
    ASSERT_TRUE(QDir(top).mkpath(u"sandbox-home/.local/share/Trash/files"_s) &&
                QDir(top).mkpath(u"sandbox-data/Trash/files"_s) && QDir(top).mkpath(u"root"_s) &&
                (!row.flatpakInfo || writeFile(top + u"/root/.flatpak-info", row.flatpakInfo)));
    const QString probe =
        *row.expectedProbe ? top + u'/' + QString::fromUtf8(row.expectedProbe) : QString();
    ASSERT_TRUE(row.probe == Probe::NotAFolder
                    ? writeFile(probe)
                    : row.probe == Probe::Missing || QDir().mkpath(probe + u"/files"));
    // Permission bits decide "denied"; as root the probe runs as nobody, where they apply.
    const bool unlistable = row.probe == Probe::Unlistable, asNobody = unlistable && !::geteuid();
    ASSERT_TRUE(!unlistable || ::chmod(QFile::encodeName(probe).constData(), 0) == 0);
    const auto listable =
        qScopeGuard([&] { unlistable&& ::chmod(QFile::encodeName(probe).constData(), 0700); });
    ASSERT_TRUE(!asNobody || giveTree(top, 65534));
    const QString realHome = probe.isEmpty() ? QString() : top + u"/real-home";
    const FullDiskAccessAuthorizer access(
        environmentOf(u"HOME=@/sandbox-home "_s + QString::fromUtf8(row.environment), top),
        top + u"/root", [realHome] { return realHome; });
    EXPECT_EQ(access.probePath(), probe);
    const auto status = [&access] {
        return QByteArray::number(access.authorizationStatus());
    };
    EXPECT_EQ(asNobody ? runAsUser(65534, status) : status(),
              QByteArray::number(row.expectedStatus));
    EXPECT_EQ(access.sandboxName(), QString::fromUtf8(row.expectedSandbox));
    const QString command = *row.flatpakId ? u"flatpak override --user --filesystem=home "_s +
                                                 QString::fromUtf8(row.flatpakId)
                                           : QString();
    EXPECT_EQ(access.overrideCommand(), command);
    EXPECT_TRUE(access.accessAdvice().contains(command));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FullDiskAccessStatusTest,
    ::testing::Values(
        StatusCase{"UnsandboxedUsesAnAbsoluteDataHome", "XDG_DATA_HOME=@/plain-data", nullptr,
                   "plain-data/Trash", Probe::NotAFolder, 1, "", ""},
        StatusCase{"EmptyFlatpakIdAndARelativeDataHomeAreIgnored",
                   "FLATPAK_ID= XDG_DATA_HOME=relative/data", nullptr,
                   "sandbox-home/.local/share/Trash", Probe::Listable, 2, "", ""},
        StatusCase{"Flatpak", "FLATPAK_ID=org.example.Corvella XDG_DATA_HOME=@/sandbox-data",
                   nullptr, "real-home/.local/share/Trash", Probe::Missing, 0, "Flatpak",
                   "org.example.Corvella"},
        StatusCase{"FlatpakInfoFile", "", "[Application]\nname=org.example.FromInfo\n",
                   "real-home/.local/share/Trash", Probe::Listable, 2, "Flatpak",
                   "org.example.FromInfo"},
        StatusCase{"FlatpakWithoutUserRecord", "FLATPAK_ID=org.example.Corvella", nullptr, "",
                   Probe::Missing, 0, "Flatpak", "org.example.Corvella"},
        StatusCase{"FlatpakUnlistable", "FLATPAK_ID=org.example.Corvella", nullptr,
                   "real-home/.local/share/Trash", Probe::Unlistable, 1, "Flatpak",
                   "org.example.Corvella"},
        StatusCase{"Snap", "SNAP=/snap/corvella/12 XDG_DATA_HOME=@/sandbox-data", nullptr,
                   "real-home/.local/share/Trash", Probe::Listable, 2, "Snap", ""}),
    [](const auto& info) { return info.param.name; });

TEST(FullDiskAccessTest, SettingsCommandFollowsTheDesktopAndPathAndIsStarted)
{
    QTemporaryDir bin;
    const QString record = bin.filePath(u"opened.txt"_s);
    for (const char* program : {"gnome-control-center", "systemsettings"}) {
        const QByteArray file = QFile::encodeName(bin.filePath(QString::fromUtf8(program)));
        ASSERT_TRUE(
            writeFile(file, "#!/bin/sh\necho \"$@\" >> '" + QFile::encodeName(record) + "'\n") &&
            ::chmod(file.constData(), 0700) == 0);
    }
    const struct {
        const char* desktop;
        const char* path; // "@": the folder with both programs
        const char* expected;
    } rows[] = {{"ubuntu:GNOME", "@", "@/gnome-control-center applications"},
                {"KDE", "@", "@/systemsettings kcm_flatpak"},
                {"GNOME", "/nowhere", ""}};
    for (const auto& row : rows) {
        const FullDiskAccessAuthorizer access(
            environmentOf(u"XDG_CURRENT_DESKTOP="_s + QString::fromUtf8(row.desktop) + u" PATH=" +
                              QString::fromUtf8(row.path),
                          bin.path()),
            bin.path());
        EXPECT_EQ(access.settingsCommand().join(u' '),
                  QString::fromUtf8(row.expected).replace(u'@', bin.path()))
            << row.desktop << " " << row.path;
        EXPECT_EQ(access.requestAuthorization(), *row.expected != 0) << row.desktop;
    }
    const auto opened = [&record] {
        QByteArrayList lines = readFile(record).split('\n');
        std::sort(lines.begin(), lines.end());
        return lines.join(' ');
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return opened() == " applications kcm_flatpak"; }, 10000))
        << opened().constData();
}

} // namespace
