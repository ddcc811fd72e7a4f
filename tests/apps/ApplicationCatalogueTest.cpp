#include "apps/ApplicationCatalogue.h"

#include "apps/RelatedAppFilesScanner.h"
#include "support/Files.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray application(const char* name, const QByteArray& more = {})
{
    return "[Desktop Entry]\nType=Application\nExec=true\nName=" + QByteArray(name) + '\n' + more;
}

class ApplicationCatalogueTest : public ::testing::Test {
protected:
    QString write(const QString& relative, const QByteArray& content)
    {
        EXPECT_TRUE(writeFile(m_root.filePath(relative), content));
        return m_root.filePath(relative);
    }
    XdgBaseFolders folders(const QString& desktops = {}) const
    {
        QProcessEnvironment environment;
        if (!desktops.isEmpty())
            environment.insert(u"XDG_CURRENT_DESKTOP"_s, desktops);
        environment.insert(u"HOME"_s, m_root.path());
        environment.insert(u"XDG_DATA_HOME"_s, m_root.filePath(u"home"_s));
        environment.insert(u"XDG_DATA_DIRS"_s,
                           m_root.filePath(u"first"_s) + u':' + m_root.filePath(u"second"_s));
        return XdgBaseFolders(environment);
    }
    QList<AMAppItem> scan(RelatedAppFilesScanner* scanner = nullptr, const QString& desktops = {})
    {
        RelatedAppFilesScanner own(folders(desktops), {u"de"_s});
        QList<AMAppItem> items = (scanner ? scanner : &own)->getApplications();
        ApplicationCatalogue::sortByName(items);
        return items;
    }
    static QStringList names(const QList<AMAppItem>& items)
    {
        QStringList result;
        for (const AMAppItem& item : items)
            result.append(item.name);
        return result;
    }

    QTemporaryDir m_root;
};

TEST_F(ApplicationCatalogueTest, SearchesAndSortsByTheRules)
{
    for (const char* name : {"Photos", "alpha", "Zeta", "Two  Spaces", "One Space"})
        write(u"first/applications/"_s + QString::fromUtf8(name).remove(u' ') + u".desktop"_s,
              application(name));
    const QList<AMAppItem> items = scan();
    EXPECT_EQ(names(items),
              (QStringList{u"One Space"_s, u"Photos"_s, u"Two  Spaces"_s, u"Zeta"_s, u"alpha"_s}));
    const std::pair<const char*, QStringList> rows[] = {
        {"PHOTO", {u"Photos"_s}}, {"hot", {u"Photos"_s}},     {"", names(items)},
        {" ", names(items)},      {"  ", {u"Two  Spaces"_s}}, {"x", {}}};
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(names(ApplicationCatalogue::search(items, QString::fromUtf8(text))), expected)
            << '"' << text << '"';
}

TEST_F(ApplicationCatalogueTest, ShadowsFiltersAndSkipsByTheEntryRules)
{
    const QString user = write(u"home/applications/editor.desktop"_s, application("Mine"));
    write(u"first/applications/editor.desktop"_s, application("System editor"));
    write(u"home/applications/gone.desktop"_s, application("Gone", "Hidden=true\n"));
    write(u"second/applications/gone.desktop"_s, application("Gone below"));
    write(u"first/applications/menu.desktop"_s, application("No menu", "NoDisplay=true\n"));
    write(u"first/applications/try.desktop"_s, application("Missing", "TryExec=/no/such\n"));
    write(u"first/applications/shell.desktop"_s, application("Shell", "TryExec=sh\n"));
    write(u"first/applications/link.desktop"_s,
          "[Desktop Entry]\nType=Link\nName=Web\nURL=https://x\n");
    const QString broken = write(u"first/applications/broken.desktop"_s, "Name=x\n");
    write(u"first/applications/notes.txt"_s, application("Not an entry"));
    const QString kde =
        write(u"first/applications/kde/viewer.desktop"_s,
              application("Viewer", "Name[de]=Betrachter\nX-AppImage-Version=2.1\n"));
    write(u"second/applications/kde-viewer.desktop"_s, application("Shadowed viewer"));
    // The program an entry runs must be found: in PATH (Exec=true above), or an executable file.
    const QString tool = write(u"bin/tool"_s, "#!/bin/sh\n");
    ASSERT_TRUE(QFile::setPermissions(tool, QFile::ReadOwner | QFile::ExeOwner));
    const std::pair<const char*, QByteArray> programs[] = {
        {"Absolute", '"' + QFile::encodeName(tool) + "\" %F"},
        {"MissingInPath", "no-such-program-anywhere %U"},
        {"NotExecutable", QFile::encodeName(write(u"bin/plain"_s, "#!/bin/sh\n"))},
        {"AFolder", QFile::encodeName(m_root.path())},
        {"Unclosed", "sh \"-c"}};
    for (const auto& [name, exec] : programs)
        write(u"first/applications/"_s + QLatin1StringView(name) + u".desktop"_s,
              "[Desktop Entry]\nType=Application\nName=" + QByteArray(name) + "\nExec=" + exec);
    // Links back up the tree: each folder is walked once.
    ASSERT_TRUE(QFile::link(m_root.filePath(u"first/applications"_s),
                            m_root.filePath(u"first/applications/kde/loop"_s)));
    ASSERT_TRUE(
        QFile::link(m_root.filePath(u"first"_s), m_root.filePath(u"second/applications/up"_s)));

    RelatedAppFilesScanner scanner(folders(), {u"de"_s});
    const QList<AMAppItem> items = scan(&scanner);
    ASSERT_EQ(names(items), (QStringList{u"Absolute"_s, u"Betrachter"_s, u"Mine"_s, u"Shell"_s}));
    EXPECT_EQ(std::tuple(items[1].bundleID, items[1].path, items[1].bundleVersion),
              std::tuple(u"kde-viewer.desktop"_s, kde, u"2.1"_s));
    EXPECT_EQ(std::pair(items[1].isSystemApp, items[2].isSystemApp), std::pair(true, false));
    EXPECT_EQ(items[2].path, user);
    QStringList skipped = scanner.skipped();
    skipped.sort();
    ASSERT_EQ(skipped.size(), 2) << skipped.join(u'\n').toStdString();
    EXPECT_TRUE(skipped[0].contains(u"Unclosed.desktop: malformed Exec key"_s)) // "U" < "b"
        << skipped[0].toStdString();
    EXPECT_TRUE(skipped[1].startsWith(broken + u": line 1"_s)) << skipped[1].toStdString();
}

TEST_F(ApplicationCatalogueTest, DeliversBatchesAndFinishesOnTheMainThread)
{
    for (int index = 0; index < 300; ++index)
        write(u"second/applications/app%1.desktop"_s.arg(index), application("App"));
    ApplicationCatalogue catalogue;
    QSignalSpy batches(&catalogue, &ApplicationCatalogue::batchFound);
    QSignalSpy finished(&catalogue, &ApplicationCatalogue::scanFinished);
    catalogue.getApplications(folders());
    ASSERT_TRUE(finished.wait(10000));
    qsizetype total = 0;
    for (const QList<QVariant>& batch : batches)
        total += batch.at(0).value<QList<AMAppItem>>().size();
    EXPECT_EQ(total, 300);
    EXPECT_GT(batches.size(), 1) << "rows arrive while the scan goes";
}

TEST_F(ApplicationCatalogueTest, ListsOnlyWhatTheCurrentDesktopShows)
{
    write(u"first/applications/plain.desktop"_s, application("Plain"));
    write(u"first/applications/only-gnome.desktop"_s,
          application("OnlyGnome", "OnlyShowIn=GNOME;\n"));
    write(u"first/applications/only-kde.desktop"_s, application("OnlyKde", "OnlyShowIn=KDE;\n"));
    write(u"first/applications/not-kde.desktop"_s, application("NotKde", "NotShowIn=KDE;\n"));
    write(u"first/applications/not-gnome.desktop"_s,
          application("NotGnome", "NotShowIn=GNOME;Unity;\n"));
    const std::pair<const char*, QStringList> rows[] = {
        {"KDE", {u"NotGnome"_s, u"OnlyKde"_s, u"Plain"_s}},
        {"", {u"NotGnome"_s, u"NotKde"_s, u"Plain"_s}},
        // The most specific name decides.
        {"ubuntu:GNOME", {u"NotKde"_s, u"OnlyGnome"_s, u"Plain"_s}},
        {"Unity:KDE", {u"OnlyKde"_s, u"Plain"_s}},
        {"kde", {u"NotGnome"_s, u"NotKde"_s, u"Plain"_s}}, // names compare exactly
    };
    for (const auto& [desktops, shown] : rows)
        EXPECT_EQ(names(scan(nullptr, QString::fromUtf8(desktops))), shown) << desktops;
}

} // namespace
