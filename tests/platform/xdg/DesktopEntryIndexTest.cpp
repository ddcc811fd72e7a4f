#include "platform/xdg/DesktopEntryIndex.h"

#include "support/Files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

const QByteArray editorEntry = "[Desktop Entry]\nType=Application\nName=Éditeur\nExec=editor\n";

TEST(DesktopEntryIndexTest, FindsAnInstalledEntryInSearchOrder)
{
    QTemporaryDir top;
    const char* const inData = "@/data/applications/editor.desktop";
    const char* const inLocal = "@/local/applications/editor.desktop";
    const char* const inSystem = "@/system/applications/editor.desktop";
    const char* const inKde = "@/system/applications/kde/editor.desktop";
    const struct {
        const char* dataHome;
        const char* dataDirs;
        std::vector<const char*> existing; // a trailing "/" makes a folder
        const char* expected;
        const char* id = "editor.desktop";
    } rows[] = {
        {"@/data", "@/local:@/system", {inData, inSystem}, inData},
        {"@/data", "@/local::@/system", {inSystem, inLocal}, inLocal},
        {"data", "local:@/system", {inData, inLocal, inSystem}, inSystem}, // relative: ignored
        {"@/data",
         "@/system",
         {"@/data/applications/editor.desktop/", inSystem, "@/system/editor.desktop", inKde},
         inSystem},
        // A prefixed ID is also found in its subfolder; a path or ".." never is.
        {"@/data", "@/system", {inKde}, inKde, "kde-editor.desktop"},
        {"@/data", "@/system", {inKde}, "", "kde/editor.desktop"},
        {"@/data", "@/system", {"@/system/editor.desktop"}, "", "../editor.desktop"},
        {"@/data", "@/system", {"@/system/applications/x/"}, "", ".."},
    };
    const QString previousWorkingFolder = QDir::currentPath();
    for (int row = 0; row < int(std::size(rows)); ++row) {
        const QString root = top.filePath(u"row%1"_s.arg(row));
        const auto resolved = [&root](const char* value) {
            return *value ? QString::fromUtf8(value).replace(u"@/"_s, root + u'/') : QString();
        };
        QProcessEnvironment environment;
        environment.insert(u"XDG_DATA_HOME"_s, resolved(rows[row].dataHome));
        environment.insert(u"XDG_DATA_DIRS"_s, resolved(rows[row].dataDirs));
        for (const char* file : rows[row].existing)
            ASSERT_TRUE(resolved(file).endsWith(u'/') ? QDir().mkpath(resolved(file))
                                                      : writeFile(resolved(file), editorEntry));
        // Relative folders are ignored even where they name real ones.
        ASSERT_TRUE(QDir::setCurrent(root));
        const DesktopEntryIndex index{XdgBaseFolders(environment)};
        EXPECT_EQ(index.find(QString::fromUtf8(rows[row].id)), resolved(rows[row].expected))
            << "row " << row;
    }
    QDir::setCurrent(previousWorkingFolder);
}

} // namespace
