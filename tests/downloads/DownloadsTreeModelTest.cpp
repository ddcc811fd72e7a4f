#include "downloads/DownloadsTreeModel.h"

#include "downloads/Controller.h"
#include "downloads/EumeRoot.h"
#include "downloads/FileTree.h"
#include "downloads/Progress.h"
#include "support/Files.h"
#include "support/ScopedEnvironmentVariable.h"
#include "support/TreeBuilder.h"
#include "support/WidgetTestMain.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDeadlineTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTreeView>

#include <algorithm>
#include <chrono>
#include <functional>
#include <random>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

constexpr auto kReportToQtTest = QAbstractItemModelTester::FailureReportingMode::QtTest;

// Tool.app is a bundle; box holds 60 bytes.
void buildSmallTree(TreeBuilder& build)
{
    build.entries({"big.iso:9000", "Tool.app/tool:4000", "Tool.app/Info.plist:500", "notes.txt:120",
                   "box/p:10", "box/q:20", "box/inner/r:30", "keep.me:50"});
}

struct ScannedModel {
    explicit ScannedModel(const QString& path) : tree(std::make_shared<FileTree>(path))
    {
        controller.eumeAllRootFileNodeWithRootArr(tree, path);
        controller.eumeRoot()->waitUntilDone();
        model.setController(&controller);
        model.setTree(tree);
    }
    Controller controller;
    std::shared_ptr<FileTree> tree;
    DownloadsTreeModel model;
    QAbstractItemModelTester tester{&model, kReportToQtTest};
};

// 2,501 files of random sizes in 204 folders, three levels deep. The folder the scan lists last
// gets a 4 GB file, so it ends up above every folder walked before it.
constexpr int kGrowingTreeRows = 2501 + 204;
void buildGrowingTree(TreeBuilder& build, const QString& root)
{
    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::uint64_t> sizes(1, 5'000'000);
    const auto files = [&](const QByteArray& folder, int count) {
        build.folder(folder);
        for (int file = 0; file < count; ++file)
            build.file(folder + "/file " + QByteArray::number(file) + ".dat", sizes(random));
    };
    for (int top = 0; top < 12; ++top) {
        const QByteArray folder = "folder " + QByteArray::number(top);
        files(folder, 5);
        for (int sub = 0; sub < 4; ++sub) {
            const QByteArray subFolder = folder + "/sub " + QByteArray::number(sub);
            files(subFolder, 5);
            for (int leaf = 0; leaf < 3; ++leaf)
                files(subFolder + "/leaf " + QByteArray::number(leaf), 15);
        }
    }
    for (int file = 0; file < 40; ++file)
        build.file("loose " + QByteArray::number(file) + ".bin", sizes(random));
    const QStringList listed =
        QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
    build.file(QFile::encodeName(listed.value(listed.size() - 1, u"none"_s)) + "/large.img",
               4'000'000'000);
}

QModelIndex find(const QAbstractItemModel& model, const QString& path, QModelIndex parent = {})
{
    for (const QString& name : path.split(u'/')) {
        const QModelIndexList found =
            model.match(model.index(0, 1, parent), Qt::DisplayRole, name, 1, Qt::MatchExactly);
        if (found.isEmpty())
            return {};
        parent = found.first().siblingAtColumn(0);
    }
    return parent;
}

std::vector<FileNode*> liveChildren(FileTree& tree, FileNode* owner)
{
    const auto lock = tree.lock();
    return owner->children();
}

// Lists hold the tree's nodes in order; only folders with children that are not bundles open.
void compareWithTree(DownloadsTreeModel& model, FileTree& tree, const QModelIndex& parent,
                     int& rows)
{
    const std::vector<FileNode*> live =
        liveChildren(tree, parent.isValid() ? DownloadsTreeModel::nodeOf(parent) : tree.root());
    QCOMPARE(model.rowCount(parent), int(live.size()));
    for (int row = 0; row < int(live.size()); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        FileNode* node = live[std::size_t(row)];
        QCOMPARE(DownloadsTreeModel::nodeOf(index), node);
        if (row > 0)
            QVERIFY(live[std::size_t(row) - 1]->size() >= node->size());
        const bool opens = node->isDirectory() && !node->isBundle() && node->childCount() > 0;
        QCOMPARE(model.hasChildren(index), opens);
        ++rows;
        if (opens)
            compareWithTree(model, tree, index, rows);
    }
}

// A step lets the workers run while the tree's lock is held and pauses them before letting go,
// so each adds at most one batch per refresh. Returns the steps, or -1 after a minute.
int driveScan(const std::shared_ptr<FileTree>& tree, DownloadsTreeModel& model,
              const std::function<void()>& step)
{
    QCoreApplication::processEvents(); // the view's first showing, before the scan
    EumeRoot scan(2);
    Progress::isPause(true);
    scan.eumeAllRootFileNodeWithRootArr(tree, tree->rootPath());
    const QDeadlineTimer deadline(60s);
    int steps = 0;
    for (; scan.isRunning() && !deadline.hasExpired() && !QTest::currentTestFailed(); ++steps) {
        {
            const auto held = tree->lock();
            Progress::isPause(false);
            QThread::usleep(100);
            Progress::isPause(true);
        }
        model.refresh();
        step();
        QCoreApplication::processEvents();
    }
    Progress::isPause(false);
    scan.waitUntilDone();
    model.refresh();
    return deadline.hasExpired() ? -1 : steps;
}

struct Opened {
    QPersistentModelIndex index;
    FileNode* node;
    int firstRow;
};

void openSome(QTreeView& view, DownloadsTreeModel& model, std::vector<Opened>& opened)
{
    const auto open = [&](const QModelIndex& index) {
        if (model.hasChildren(index) && !view.isExpanded(index)) {
            view.expand(index);
            opened.push_back({index, DownloadsTreeModel::nodeOf(index), index.row()});
        }
        return model.hasChildren(index);
    };
    for (int row = 0, folders = 0; row < model.rowCount() && folders < 4; ++row) {
        const QModelIndex folder = model.index(row, 0);
        if (!open(folder))
            continue;
        ++folders;
        for (int inner = 0; inner < model.rowCount(folder); ++inner) {
            if (open(model.index(inner, 0, folder)))
                break;
        }
    }
}

// What QAbstractItemModelTester cannot see here (the first column has no text): across every
// insertion and removal, the rows beside the change keep their nodes.
struct NeighbourWatch : QObject {
    explicit NeighbourWatch(const QAbstractItemModel& model)
    {
        using Model = QAbstractItemModel;
        const auto at = [&model](const QModelIndex& parent, int before, int after) {
            return std::pair(DownloadsTreeModel::nodeOf(model.index(before, 0, parent)),
                             DownloadsTreeModel::nodeOf(model.index(after, 0, parent)));
        };
        const auto check = [this](const std::pair<FileNode*, FileNode*>& beside) {
            ++changes;
            failures += beside != m_beside;
        };
        connect(&model, &Model::rowsAboutToBeInserted, this,
                [=, this](const QModelIndex& parent, int first) {
                    m_beside = at(parent, first - 1, first);
                });
        connect(&model, &Model::rowsInserted, this,
                [=](const QModelIndex& parent, int first, int last) {
                    check(at(parent, first - 1, last + 1));
                });
        connect(&model, &Model::rowsAboutToBeRemoved, this,
                [=, this](const QModelIndex& parent, int first, int last) {
                    m_beside = at(parent, first - 1, last + 1);
                });
        connect(&model, &Model::rowsRemoved, this,
                [=](const QModelIndex& parent, int first) { check(at(parent, first - 1, first)); });
    }
    int changes = 0;
    int failures = 0;
    std::pair<FileNode*, FileNode*> m_beside;
};

} // namespace

class DownloadsTreeModelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void growsUnderTheTesterDuringAScan()
    {
        QTemporaryDir folder;
        TreeBuilder build(folder.path());
        buildGrowingTree(build, folder.path());
        QVERIFY2(build.ok(), build.failure());
        auto tree = std::make_shared<FileTree>(folder.path());
        DownloadsTreeModel model;
        QAbstractItemModelTester tester(&model, kReportToQtTest);
        const NeighbourWatch neighbours(model);
        model.setTree(tree);
        QTreeView view;
        view.setUniformRowHeights(true);
        view.setModel(&model);
        view.resize(640, 480);
        view.show();
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy reordered(&model, &QAbstractItemModel::layoutChanged);
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        std::vector<Opened> opened;
        bool moved = false;
        const int steps = driveScan(tree, model, [&] {
            openSome(view, model, opened);
            for (const Opened& entry : opened)
                moved = moved || entry.index.row() != entry.firstRow;
        });
        QVERIFY(steps >= 0);
        QVERIFY(!QTest::currentTestFailed());
        QVERIFY2(inserted.count() >= 10,
                 qPrintable(u"%1 insertions in %2 steps"_s.arg(inserted.count()).arg(steps)));
        QVERIFY(reordered.count() >= 1);
        QCOMPARE(resets.count(), 0);
        QCOMPARE(neighbours.changes, inserted.count());
        QCOMPARE(neighbours.failures, 0);
        QVERIFY(std::any_of(opened.begin(), opened.end(),
                            [](const Opened& entry) { return entry.index.parent().isValid(); }));
        QVERIFY(moved);
        for (const auto& [index, node, firstRow] : opened) {
            QVERIFY(index.isValid() && view.isExpanded(index));
            QCOMPARE(DownloadsTreeModel::nodeOf(index), node);
            FileNode* owner = node->father() ? node->father() : tree->root();
            QCOMPARE(liveChildren(*tree, owner).at(std::size_t(index.row())), node);
        }
        int rows = 0;
        compareWithTree(model, *tree, {}, rows);
        QCOMPARE(rows, kGrowingTreeRows);
    }

    void unopenedFolderFollowsItsChildren()
    {
        // No model tester: it would open every folder that has children.
        auto tree = std::make_shared<FileTree>(u"/scanned"_s);
        auto& nodes = tree->mainAllocator();
        auto lock = tree->lock();
        FileNode* empty = nodes.create(tree->root(), "empty", true);
        FileNode* full = nodes.create(tree->root(), "full", true);
        FileNode* inside = nodes.create(full, "inside", false);
        for (FileNode* node : {empty, full, inside})
            tree->attach(node);
        lock.unlock();
        DownloadsTreeModel model;
        model.setTree(tree);
        const QPersistentModelIndex emptyRow = find(model, u"empty"_s),
                                    fullRow = find(model, u"full"_s);
        QVERIFY(!model.hasChildren(emptyRow) && model.hasChildren(fullRow));
        QSignalSpy layouts(&model, &QAbstractItemModel::layoutChanged);
        lock.lock(); // the order stays: only whether each folder opens changes
        tree->detach(inside);
        tree->attach(nodes.create(empty, "new", false));
        lock.unlock();
        model.refresh();
        QCOMPARE(layouts.count(), 1);
        QVERIFY(model.hasChildren(emptyRow) && !model.hasChildren(fullRow));
        QVERIFY(model.rowCount(fullRow) == 0 && model.rowCount(emptyRow) == 1);
        QCOMPARE(model.index(0, 1, emptyRow).data().toString(), u"new"_s);
    }

    void checkBoxesFollowTheNodes()
    {
        QTemporaryDir folder, lists;
        TreeBuilder build(folder.path());
        buildSmallTree(build);
        QVERIFY2(build.ok(), build.failure());
        const QString list = lists.filePath(u"SystemFile.plist"_s);
        QVERIFY(writeFile(list, "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\">"
                                "<dict><key>0</key><string>" +
                                    build.path("keep.me") + "</string></dict></plist>"));
        const ScopedEnvironmentVariable systemList("CORVELLA_SYSTEM_FILE_LIST",
                                                   QFile::encodeName(list));
        ScannedModel scanned(folder.path());
        DownloadsTreeModel& model = scanned.model;
        const auto box = [&model](const QString& path) {
            const QModelIndex index = find(model, path);
            return std::pair(index.data(DownloadsTreeModel::ImageNameRole).toString(),
                             Qt::CheckState(index.data(Qt::CheckStateRole).toInt()));
        };
        QCOMPARE(box(u"box"_s), std::pair(u"option_yes"_s, Qt::Checked));
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.clickCheckBox(find(model, u"box"_s));
        QCOMPARE(box(u"box"_s), std::pair(u"option_no"_s, Qt::Unchecked));
        QVERIFY(!changed.isEmpty());
        const QModelIndex first = changed.first().at(0).toModelIndex();
        QVERIFY(first.column() == 0 && first.row() <= 3 && !first.parent().isValid());
        model.setExpanded(find(model, u"box"_s), true);
        model.clickCheckBox(find(model, u"box/p"_s));
        QCOMPARE(box(u"box/p"_s), std::pair(u"option_yes"_s, Qt::Checked));
        QCOMPARE(box(u"box"_s), std::pair(u"option_a"_s, Qt::PartiallyChecked));
        for (const int role : {int(DownloadsTreeModel::ImageNameRole), int(Qt::DecorationRole),
                               int(Qt::CheckStateRole)})
            QVERIFY(!find(model, u"keep.me"_s).data(role).isValid());
    }

    void removalTakesExactlyTheRemovedRow_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("top-level file") << u"notes.txt"_s;
        QTest::newRow("file in an opened folder") << u"box/p"_s;
        QTest::newRow("opened folder with an opened folder inside") << u"box"_s;
    }

    void removalTakesExactlyTheRemovedRow()
    {
        QFETCH(QString, target);
        QTemporaryDir folder;
        TreeBuilder build(folder.path());
        buildSmallTree(build);
        QVERIFY2(build.ok(), build.failure());
        const QString root = folder.path();
        ScannedModel scanned(root);
        DownloadsTreeModel& model = scanned.model;
        QTreeView view;
        view.setModel(&model);
        view.show();
        for (const QString& path : {u"box"_s, u"box/inner"_s}) {
            view.expand(find(model, path));
            model.setExpanded(find(model, path), true);
        }

        std::vector<std::pair<QPersistentModelIndex, FileNode*>> held;
        for (const QModelIndex& index : model.match(model.index(0, 1), Qt::DisplayRole, u"*"_s, -1,
                                                    Qt::MatchWildcard | Qt::MatchRecursive))
            held.emplace_back(index.siblingAtColumn(0), DownloadsTreeModel::nodeOf(index));
        QCOMPARE(held.size(), std::size_t(9));
        const QModelIndex chosen = find(model, target);
        const QPersistentModelIndex chosenParent = chosen.parent();
        const int chosenRow = chosen.row();
        scanned.controller.selectAllFileNode(false);
        model.clickCheckBox(chosen);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        const NeighbourWatch neighbours(model);
        scanned.controller.deleteFilesWithDic();
        scanned.controller.waitForRemoval();
        model.refresh();
        QVERIFY(!exists(root + u'/' + target) && removed.count() == 1);
        QCOMPARE(removed.first(), (QVariantList{QModelIndex(chosenParent), chosenRow, chosenRow}));
        QCOMPARE(neighbours.failures, 0);
        for (const auto& [index, node] : held) {
            const QString path = node->path().mid(root.size() + 1);
            const bool removedToo = path == target || path.startsWith(target + u'/');
            QVERIFY2(removedToo ? !index.isValid()
                                : DownloadsTreeModel::nodeOf(index) == node &&
                                      model.index(index.row(), 0, index.parent()) == index,
                     qPrintable(path));
        }
        if (target != u"box"_s)
            QVERIFY(view.isExpanded(find(model, u"box"_s)));
        int rows = 0;
        compareWithTree(model, *scanned.tree, {}, rows);
        QCOMPARE(rows, target == u"box"_s ? 4 : 8);
    }
};

CORVELLA_WIDGET_TEST_MAIN(DownloadsTreeModelTest)

#include "DownloadsTreeModelTest.moc"
