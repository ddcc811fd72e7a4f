#include "platform/LoginItems.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <optional>
#include <ostream>

namespace {

// Where login items live and where installed desktop entries are found, for given environments.
class LoginItemsLocationTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_root.isValid()); }

    QString path(const QString& relativePath) const { return m_root.filePath(relativePath); }

    void write(const QString& relativePath) const
    {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path(relativePath)).absolutePath()));
        QFile out(path(relativePath));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly)) << out.errorString().toStdString();
        out.write("[Desktop Entry]\nType=Application\nName=Editor\nExec=editor\n");
    }

    QTemporaryDir m_root;
};

struct StandardPathCase {
    const char* name;
    std::optional<QString> configHome;
    QString expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const StandardPathCase& testCase, std::ostream* stream)
{
    *stream << testCase.name;
}

class LoginItemsStandardPathTest : public ::testing::TestWithParam<StandardPathCase> {};

TEST_P(LoginItemsStandardPathTest, FollowsXdgConfigHome)
{
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("HOME"), QStringLiteral("/home/ada"));
    if (GetParam().configHome) {
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), *GetParam().configHome);
    }
    EXPECT_EQ(LoginItems::standardPath(environment), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, LoginItemsStandardPathTest,
    ::testing::Values(
        StandardPathCase{"Set", QStringLiteral("/srv/config"),
                         QStringLiteral("/srv/config/autostart")},
        StandardPathCase{"Unset", std::nullopt, QStringLiteral("/home/ada/.config/autostart")},
        StandardPathCase{"Empty", QString(), QStringLiteral("/home/ada/.config/autostart")},
        StandardPathCase{"Relative", QStringLiteral("config"),
                         QStringLiteral("/home/ada/.config/autostart")}),
    [](const auto& info) { return std::string(info.param.name); });

struct InstalledEntryCase {
    const char* name;
    // Values below the fixture root are written with a leading "@/".
    std::optional<QString> dataHome;
    std::optional<QString> dataDirs;
    QStringList existing;
    QString fileName;
    QString expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const InstalledEntryCase& testCase, std::ostream* stream)
{
    *stream << testCase.name;
}

class LoginItemsInstalledEntryTest : public LoginItemsLocationTest,
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
    if (GetParam().dataHome) {
        environment.insert(QStringLiteral("XDG_DATA_HOME"), resolved(*GetParam().dataHome));
    }
    if (GetParam().dataDirs) {
        environment.insert(QStringLiteral("XDG_DATA_DIRS"), resolved(*GetParam().dataDirs));
    }
    for (const QString& file : GetParam().existing) {
        if (file.endsWith(u'/')) {
            ASSERT_TRUE(QDir().mkpath(resolved(file)));
        } else {
            write(resolved(file).mid(m_root.path().size() + 1));
        }
    }
    // A relative folder must be ignored even where it would name a real folder.
    const QString previousWorkingFolder = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_root.path()));
    const QString found = LoginItems::findInstalledDesktopEntry(GetParam().fileName, environment);
    QDir::setCurrent(previousWorkingFolder);

    EXPECT_EQ(found, GetParam().expected.isEmpty() ? QString() : resolved(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    SearchOrder, LoginItemsInstalledEntryTest,
    ::testing::Values(
        InstalledEntryCase{"DataHomeFirst",
                           QStringLiteral("@/data"),
                           QStringLiteral("@/local:@/system"),
                           {QStringLiteral("@/data/applications/editor.desktop"),
                            QStringLiteral("@/system/applications/editor.desktop")},
                           QStringLiteral("editor.desktop"),
                           QStringLiteral("@/data/applications/editor.desktop")},
        InstalledEntryCase{"DataDirsInOrder",
                           QStringLiteral("@/data"),
                           QStringLiteral("@/local::@/system"),
                           {QStringLiteral("@/system/applications/editor.desktop"),
                            QStringLiteral("@/local/applications/editor.desktop")},
                           QStringLiteral("editor.desktop"),
                           QStringLiteral("@/local/applications/editor.desktop")},
        InstalledEntryCase{"DefaultDataHome",
                           std::nullopt,
                           QStringLiteral("@/system"),
                           {QStringLiteral("@/home/.local/share/applications/editor.desktop"),
                            QStringLiteral("@/system/applications/editor.desktop")},
                           QStringLiteral("editor.desktop"),
                           QStringLiteral("@/home/.local/share/applications/editor.desktop")},
        InstalledEntryCase{"RelativeFoldersIgnored",
                           QStringLiteral("data"),
                           QStringLiteral("local:@/system"),
                           {QStringLiteral("@/data/applications/editor.desktop"),
                            QStringLiteral("@/local/applications/editor.desktop"),
                            QStringLiteral("@/system/applications/editor.desktop")},
                           QStringLiteral("editor.desktop"),
                           QStringLiteral("@/system/applications/editor.desktop")},
        InstalledEntryCase{"FolderOfThatNameSkipped",
                           QStringLiteral("@/data"),
                           QStringLiteral("@/system"),
                           {QStringLiteral("@/data/applications/editor.desktop/"),
                            QStringLiteral("@/system/applications/editor.desktop")},
                           QStringLiteral("editor.desktop"),
                           QStringLiteral("@/system/applications/editor.desktop")},
        InstalledEntryCase{"NotInstalled",
                           QStringLiteral("@/data"),
                           QStringLiteral("@/system"),
                           {QStringLiteral("@/system/applications/other.desktop")},
                           QStringLiteral("editor.desktop"),
                           QString()},
        InstalledEntryCase{"PathInsteadOfName",
                           QStringLiteral("@/data"),
                           QStringLiteral("@/system"),
                           {QStringLiteral("@/system/applications/kde/editor.desktop"),
                            QStringLiteral("@/system/editor.desktop")},
                           QStringLiteral("../editor.desktop"),
                           QString()}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
