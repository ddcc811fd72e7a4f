#include "downloads/FullDiskAccessAuthorizer.h"
#include "support/TreeBuilder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <future>
#include <grp.h>
#include <gtest/gtest.h>
#include <ostream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;

inline void PrintTo(const QString& text, std::ostream* stream)
{
    *stream << '"' << text.toStdString() << '"';
}

namespace {

constexpr uid_t unprivilegedUser = 65534;

void writeFile(const QString& path, const QByteArray& content, QFile::Permissions permissions = {})
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << file.errorString().toStdString();
    ASSERT_EQ(file.write(content), content.size());
    file.close();
    if (permissions != QFile::Permissions()) {
        ASSERT_TRUE(file.setPermissions(permissions));
    }
}

// Where the probe folder is in a case: missing, a folder that can be listed, or something at its
// place that cannot be listed as a folder.
enum class Probe { Missing, Listable, NotAFolder };

struct StatusCase {
    const char* description;
    const char* flatpakId;     // FLATPAK_ID, nullptr for unset
    const char* snap;          // SNAP, nullptr for unset
    const char* flatpakInfo;   // content of "/.flatpak-info" under the fixture root, or nullptr
    const char* dataHome;      // XDG_DATA_HOME relative to the fixture, or nullptr
    bool userRecordReadable;   // the user database answers a home
    const char* expectedProbe; // relative to the fixture; "" for none
    Probe probe;
    int expectedStatus;
    const char* expectedSandbox;
    const char* expectedCommand;
};

void PrintTo(const StatusCase& testCase, std::ostream* stream)
{
    *stream << testCase.description;
}

class FullDiskAccessStatusTest : public ::testing::TestWithParam<StatusCase> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        m_top = QFileInfo(m_root.path()).canonicalFilePath();
    }
    QString path(const QString& relative) const { return m_top + u'/' + relative; }

    // The sandbox's own home ("sandbox-home") and data folder both hold a listable Trash, so a
    // probe that looked there instead of the real home ("real-home") would answer 2.
    FullDiskAccessAuthorizer authorizer(const StatusCase& testCase) const
    {
        QProcessEnvironment environment;
        environment.insert(u"HOME"_s, path(u"sandbox-home"_s));
        environment.insert(u"PATH"_s, u"/usr/bin:/bin"_s);
        if (testCase.flatpakId != nullptr) {
            environment.insert(u"FLATPAK_ID"_s, QString::fromUtf8(testCase.flatpakId));
        }
        if (testCase.snap != nullptr) {
            environment.insert(u"SNAP"_s, QString::fromUtf8(testCase.snap));
        }
        if (testCase.dataHome != nullptr) {
            environment.insert(u"XDG_DATA_HOME"_s,
                               QString::fromUtf8(testCase.dataHome).replace(u"@"_s, m_top));
        }
        const QString realHome = testCase.userRecordReadable ? path(u"real-home"_s) : QString();
        return FullDiskAccessAuthorizer(environment, path(u"root"_s),
                                        [realHome] { return realHome; });
    }

    QTemporaryDir m_root{QDir::tempPath() + u"/corvella-access-XXXXXX"};
    QString m_top;
};

TEST_P(FullDiskAccessStatusTest, ProbesTheRealHomesTrashAndNamesTheSandbox)
{
    const StatusCase& testCase = GetParam();
    TreeBuilder tree(m_top);
    tree.folder("sandbox-home/.local/share/Trash/files");
    tree.folder("sandbox-data/Trash/files");
    tree.folder("root");
    if (testCase.flatpakInfo != nullptr) {
        writeFile(path(u"root/.flatpak-info"_s), testCase.flatpakInfo);
    }
    const QString expectedProbe =
        *testCase.expectedProbe == 0 ? QString() : path(QString::fromUtf8(testCase.expectedProbe));
    if (!expectedProbe.isEmpty() && testCase.probe == Probe::Listable) {
        ASSERT_TRUE(QDir().mkpath(expectedProbe + u"/files"));
    } else if (!expectedProbe.isEmpty() && testCase.probe == Probe::NotAFolder) {
        writeFile(expectedProbe, "not a folder");
    }
    const FullDiskAccessAuthorizer access = authorizer(testCase);

    EXPECT_EQ(access.probePath(), expectedProbe);
    EXPECT_EQ(access.authorizationStatus(), testCase.expectedStatus);
    EXPECT_EQ(access.sandboxName(), QString::fromUtf8(testCase.expectedSandbox));
    EXPECT_EQ(access.isSandboxed(), *testCase.expectedSandbox != 0);
    EXPECT_EQ(access.overrideCommand(), QString::fromUtf8(testCase.expectedCommand));
    if (*testCase.expectedCommand != 0) {
        EXPECT_TRUE(access.accessAdvice().contains(access.overrideCommand()));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FullDiskAccessStatusTest,
    ::testing::Values(
        StatusCase{"UnsandboxedUsesTheGivenHome", nullptr, nullptr, nullptr, nullptr, true,
                   "sandbox-home/.local/share/Trash", Probe::Listable, 2, "", ""},
        StatusCase{"UnsandboxedUsesTheGivenDataHome", nullptr, nullptr, nullptr, "@/plain-data",
                   true, "plain-data/Trash", Probe::Missing, 0, "", ""},
        StatusCase{"UnsandboxedListable", nullptr, nullptr, nullptr, "@/plain-data", true,
                   "plain-data/Trash", Probe::Listable, 2, "", ""},
        StatusCase{"UnsandboxedNotAFolder", nullptr, nullptr, nullptr, "@/plain-data", true,
                   "plain-data/Trash", Probe::NotAFolder, 1, "", ""},
        StatusCase{"UnsandboxedIgnoresARelativeDataHome", nullptr, nullptr, nullptr,
                   "relative/data", true, "sandbox-home/.local/share/Trash", Probe::Listable, 2, "",
                   ""},
        StatusCase{"EmptyFlatpakIdIsNoSandbox", "", nullptr, nullptr, nullptr, true,
                   "sandbox-home/.local/share/Trash", Probe::Listable, 2, "", ""},
        StatusCase{"FlatpakMissing", "org.example.Corvella", nullptr, nullptr, "@/sandbox-data",
                   true, "real-home/.local/share/Trash", Probe::Missing, 0, "Flatpak",
                   "flatpak override --user --filesystem=home org.example.Corvella"},
        StatusCase{"FlatpakListable", "org.example.Corvella", nullptr, nullptr, "@/sandbox-data",
                   true, "real-home/.local/share/Trash", Probe::Listable, 2, "Flatpak",
                   "flatpak override --user --filesystem=home org.example.Corvella"},
        StatusCase{"FlatpakNotAFolder", "org.example.Corvella", nullptr, nullptr, "@/sandbox-data",
                   true, "real-home/.local/share/Trash", Probe::NotAFolder, 1, "Flatpak",
                   "flatpak override --user --filesystem=home org.example.Corvella"},
        StatusCase{"FlatpakInfoFile", nullptr, nullptr,
                   "[Application]\nname=org.example.FromInfo\nruntime=runtime/x\n", nullptr, true,
                   "real-home/.local/share/Trash", Probe::Listable, 2, "Flatpak",
                   "flatpak override --user --filesystem=home org.example.FromInfo"},
        StatusCase{"FlatpakWithoutUserRecord", "org.example.Corvella", nullptr, nullptr, nullptr,
                   false, "", Probe::Missing, 0, "Flatpak",
                   "flatpak override --user --filesystem=home org.example.Corvella"},
        StatusCase{"SnapMissing", nullptr, "/snap/corvella/12", nullptr, "@/sandbox-data", true,
                   "real-home/.local/share/Trash", Probe::Missing, 0, "Snap", ""},
        StatusCase{"SnapListable", nullptr, "/snap/corvella/12", nullptr, nullptr, true,
                   "real-home/.local/share/Trash", Probe::Listable, 2, "Snap", ""}),
    [](const ::testing::TestParamInfo<StatusCase>& info) { return info.param.description; });

// Permission bits, not only the kind of file, decide "denied". As root they do not apply, so the
// probe runs in a child process as an unprivileged user then.
TEST(FullDiskAccessTest, AnUnlistableTrashIsDenied)
{
    QTemporaryDir root(QDir::tempPath() + u"/corvella-access-XXXXXX");
    ASSERT_TRUE(root.isValid());
    const QString home = QFileInfo(root.path()).canonicalFilePath();
    ASSERT_TRUE(QDir().mkpath(home + u"/.local/share/Trash/files"));
    ASSERT_EQ(::chmod(QFile::encodeName(home + u"/.local/share/Trash").constData(), 0), 0);
    const bool asRoot = ::geteuid() == 0;
    if (asRoot) {
        for (const QString& folder : QStringList{home, home + u"/.local", home + u"/.local/share",
                                                 home + u"/.local/share/Trash"}) {
            ASSERT_EQ(
                ::chown(QFile::encodeName(folder).constData(), unprivilegedUser, unprivilegedUser),
                0);
        }
    }
    QProcessEnvironment environment;
    environment.insert(u"FLATPAK_ID"_s, u"org.example.Corvella"_s);
    const FullDiskAccessAuthorizer access(environment, home, [home] { return home; });

    int status = -1;
    if (asRoot) {
        const pid_t child = ::fork();
        if (child == 0) {
            const bool dropped =
                ::setgroups(0, nullptr) == 0 &&
                ::setresgid(unprivilegedUser, unprivilegedUser, unprivilegedUser) == 0 &&
                ::setresuid(unprivilegedUser, unprivilegedUser, unprivilegedUser) == 0;
            ::_exit(dropped ? access.authorizationStatus() : 100);
        }
        int waited = 0;
        ASSERT_EQ(::waitpid(child, &waited, 0), child);
        ASSERT_TRUE(WIFEXITED(waited));
        status = WEXITSTATUS(waited);
    } else {
        status = access.authorizationStatus();
    }
    ::chmod(QFile::encodeName(home + u"/.local/share/Trash").constData(), 0700);

    EXPECT_EQ(status, FullDiskAccessAuthorizer::Denied);
}

struct SettingsCase {
    const char* description;
    const char* desktop;
    const char* programs;        // space-separated programs put in PATH
    const char* expectedProgram; // "" for no command
    const char* expectedArgument;
};

void PrintTo(const SettingsCase& testCase, std::ostream* stream)
{
    *stream << testCase.description;
}

class SettingsCommandTest : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(SettingsCommandTest, OpensTheDesktopsApplicationPermissions)
{
    QTemporaryDir bin(QDir::tempPath() + u"/corvella-access-bin-XXXXXX");
    ASSERT_TRUE(bin.isValid());
    for (const QString& program :
         QString::fromUtf8(GetParam().programs).split(u' ', Qt::SkipEmptyParts)) {
        writeFile(bin.filePath(program), "#!/bin/sh\n",
                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QProcessEnvironment environment;
    environment.insert(u"PATH"_s, bin.path());
    environment.insert(u"XDG_CURRENT_DESKTOP"_s, QString::fromUtf8(GetParam().desktop));
    const FullDiskAccessAuthorizer access(environment, bin.path(), [] { return QString(); });

    const QStringList expected =
        *GetParam().expectedProgram == 0
            ? QStringList()
            : QStringList{bin.filePath(QString::fromUtf8(GetParam().expectedProgram)),
                          QString::fromUtf8(GetParam().expectedArgument)};
    EXPECT_EQ(access.settingsCommand(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Desktops, SettingsCommandTest,
    ::testing::Values(SettingsCase{"Gnome", "GNOME", "gnome-control-center systemsettings",
                                   "gnome-control-center", "applications"},
                      SettingsCase{"UbuntuGnome", "ubuntu:GNOME", "gnome-control-center",
                                   "gnome-control-center", "applications"},
                      SettingsCase{"Kde", "KDE", "gnome-control-center systemsettings",
                                   "systemsettings", "kcm_flatpak"},
                      SettingsCase{"GnomeWithoutItsProgram", "GNOME", "systemsettings", "", ""},
                      SettingsCase{"UnknownDesktop", "XFCE", "gnome-control-center systemsettings",
                                   "", ""},
                      SettingsCase{"NoDesktop", "", "gnome-control-center", "", ""}),
    [](const ::testing::TestParamInfo<SettingsCase>& info) { return info.param.description; });

// The settings program records its arguments; below 10.14 nothing is started, so after one call
// below and one at the current version it has run exactly once.
TEST(FullDiskAccessTest, RequestAuthorizationOpensTheSettingsFromVersion1014On)
{
    QTemporaryDir bin(QDir::tempPath() + u"/corvella-access-bin-XXXXXX");
    ASSERT_TRUE(bin.isValid());
    const QString record = bin.filePath(u"opened.txt"_s);
    writeFile(bin.filePath(u"gnome-control-center"_s),
              "#!/bin/sh\necho \"$@\" >> '" + QFile::encodeName(record) + "'\n",
              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment environment;
    environment.insert(u"PATH"_s, bin.path());
    environment.insert(u"XDG_CURRENT_DESKTOP"_s, u"GNOME"_s);
    environment.insert(u"FLATPAK_ID"_s, u"org.example.Corvella"_s);
    const FullDiskAccessAuthorizer access(environment, bin.path(), [] { return QString(); });

    EXPECT_FALSE(access.requestAuthorization(1013));
    EXPECT_TRUE(access.requestAuthorization());
    EXPECT_TRUE(QTest::qWaitFor([&record] { return QFileInfo(record).size() > 0; }, 10000));
    QFile opened(record);
    ASSERT_TRUE(opened.open(QIODevice::ReadOnly));
    EXPECT_EQ(opened.readAll(), "applications\n");

    QProcessEnvironment bare;
    bare.insert(u"PATH"_s, bin.path());
    EXPECT_FALSE(FullDiskAccessAuthorizer(bare, bin.path()).requestAuthorization());
}

TEST(FullDiskAccessTest, TheSharedInstanceIsOneForAllThreads)
{
    std::vector<std::future<FullDiskAccessAuthorizer*>> answers;
    for (int thread = 0; thread < 4; ++thread) {
        answers.push_back(
            std::async(std::launch::async, &FullDiskAccessAuthorizer::sharedInstance));
    }
    FullDiskAccessAuthorizer* const first = FullDiskAccessAuthorizer::sharedInstance();
    ASSERT_NE(first, nullptr);
    for (auto& answer : answers) {
        EXPECT_EQ(answer.get(), first);
    }
}

} // namespace
