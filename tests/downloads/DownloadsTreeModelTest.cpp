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

#include <chrono>
#include <functional>
#include <random>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

constexpr auto kReportToQtTest = QAbstractItemModelTester::FailureReportingMode::QtTest;

// The small tree scanned and shown under the tester. Tool.app is a bundle; box holds 60 bytes;
// keep.me is on the system list.
struct ScannedModel {
    ScannedModel()
    {
        build.entries({"big.iso:9000", "Tool.app/tool:4000", "Tool.app/Info.plist:500",
                       "notes.txt:120", "box/p:10", "box/q:20", "box/inner/r:30", "keep.me:50"});
        ok = build.ok() && writeFile(list, "<plist version=\"1.0\"><dict><key>0</key><string>" +
                                               build.path("keep.me") + "</string></dict></plist>");
        controller.eumeAllRootFileNodeWithRootArr(tree, folder.path());
        controller.eumeRoot()->waitUntilDone();
        model.setController(&controller);
        model.setTree(tree);
    }
    QTemporaryDir folder, lists;
    TreeBuilder build{folder.path()};
    QString list = lists.filePath(u"SystemFile.plist"_s);
    ScopedEnvironmentVariable systemList{"CORVELLA_SYSTEM_FILE_LIST", QFile::encodeName(list)};
    bool ok = false;
    std::shared_ptr<FileTree> tree = std::make_shared<FileTree>(folder.path());
    Controller controller;
    DownloadsTreeModel model;
    QAbstractItemModelTester tester{&model, kReportToQtTest};
};

// 2,501 files of random sizes in 204 folders, three levels deep. The folder the scan lists last
// gets a 4 GB file, so it ends up above every folder walked before it.
void buildGrowingTree(TreeBuilder& build, const QString& root)
{
    std::mt19937 random(20240611);
    const auto file = [&](const QByteArray& path) {
        build.file(path, 1 + random() % 5'000'000);
    };
    const std::function<void(const QByteArray&, int)> fill = [&](const QByteArray& folder,
                                                                 int level) {
        build.folder(folder);
        for (int each = 0; each < (level == 2 ? 15 : 5); ++each)
            file(folder + "/file " + QByteArray::number(each) + ".dat");
        for (int sub = 0; level < 2 && sub < 4 - level; ++sub)
            fill(folder + "/sub " + QByteArray::number(sub), level + 1);
    };
    for (int top = 0; top < 12; ++top)
        fill("folder " + QByteArray::number(top), 0);
    for (int each = 0; each < 40; ++each)
        file("loose " + QByteArray::number(each) + ".bin");
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

// What QAbstractItemModelTester cannot see here (the first column has no text): across every
// insertion and removal, the rows beside the change keep their nodes.
struct NeighbourWatch : QObject {
    explicit NeighbourWatch(const QAbstractItemModel& model)
    {
        using Model = QAbstractItemModel;
        const auto at = [&model](const QModelIndex& parent, int first, int next) {
            return std::pair(DownloadsTreeModel::nodeOf(model.index(first - 1, 0, parent)),
                             DownloadsTreeModel::nodeOf(model.index(next, 0, parent)));
        };
        for (const bool insert : {true, false}) {
            connect(&model, insert ? &Model::rowsAboutToBeInserted : &Model::rowsAboutToBeRemoved,
                    this, [=, this](const QModelIndex& parent, int first, int last) {
                        beside = at(parent, first, insert ? first : last + 1);
                    });
            connect(&model, insert ? &Model::rowsInserted : &Model::rowsRemoved, this,
                    [=, this](const QModelIndex& parent, int first, int last) {
                        ++changes;
                        failures += at(parent, first, insert ? last + 1 : first) != beside;
                    });
        }
    }
    int changes = 0;
    int failures = 0;
    std::pair<FileNode*, FileNode*> beside;
};

} // namespace

class DownloadsTreeModelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A step lets the workers run while the tree's lock is held and pauses them before letting
    // go, so each refresh sees at most one batch. Meanwhile the view opens the first four folders
    // with children and the first such folder in each.
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
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        std::vector<std::tuple<QPersistentModelIndex, FileNode*, int>> opened; // and first row
        const auto open = [&](const QModelIndex& index) {
            if (model.hasChildren(index) && !view.isExpanded(index)) {
                view.expand(index);
                opened.emplace_back(index, DownloadsTreeModel::nodeOf(index), index.row());
            }
            return model.hasChildren(index);
        };
        QCoreApplication::processEvents(); // the view's first showing, before the scan
        EumeRoot scan(2);
        Progress::isPause(true);
        scan.eumeAllRootFileNodeWithRootArr(tree, tree->rootPath());
        const QDeadlineTimer deadline(60s);
        for (; scan.isRunning() && !deadline.hasExpired() && !QTest::currentTestFailed();) {
            {
                const auto held = tree->lock();
                Progress::isPause(false);
                QThread::usleep(100);
                Progress::isPause(true);
            }
            model.refresh();
            for (int row = 0, folders = 0; row < model.rowCount() && folders < 4; ++row) {
                const QModelIndex top = model.index(row, 0);
                if (!open(top))
                    continue;
                ++folders;
                for (int inner = 0;
                     inner < model.rowCount(top) && !open(model.index(inner, 0, top));)
                    ++inner;
            }
            QCoreApplication::processEvents();
        }
        Progress::isPause(false);
        scan.waitUntilDone();
        model.refresh();
        QVERIFY(!deadline.hasExpired() && !QTest::currentTestFailed());
        QVERIFY2(inserted.count() >= 10, qPrintable(u"%1 insertions"_s.arg(inserted.count())));
        QCOMPARE(resets.count(), 0);
        QCOMPARE(neighbours.changes, inserted.count());
        QCOMPARE(neighbours.failures, 0);
        bool nested = false, moved = false;
        for (const auto& [index, node, firstRow] : opened) {
            QVERIFY(index.isValid() && view.isExpanded(index));
            QCOMPARE(DownloadsTreeModel::nodeOf(index), node);
            FileNode* owner = node->father() ? node->father() : tree->root();
            QCOMPARE(liveChildren(*tree, owner).at(std::size_t(index.row())), node);
            nested = nested || index.parent().isValid();
            moved = moved || index.row() != firstRow;
        }
        QVERIFY(nested && moved); // moved: by a layout change, as insertions go at the ends
        int rows = 0;
        compareWithTree(model, *tree, {}, rows);
        QCOMPARE(rows, 2501 + 204);
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
        ScannedModel scanned;
        DownloadsTreeModel& model = scanned.model;
        QVERIFY(scanned.ok);
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
        ScannedModel scanned;
        DownloadsTreeModel& model = scanned.model;
        QVERIFY(scanned.ok);
        const QString root = scanned.folder.path();
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
        scanned.controller.deleteFilesWithDic();
        scanned.controller.waitForRemoval();
        model.refresh();
        QVERIFY(!exists(root + u'/' + target) && removed.count() == 1);
        QCOMPARE(removed.first(), (QVariantList{QModelIndex(chosenParent), chosenRow, chosenRow}));
        for (const auto& [index, node] : held) {
            const QString path = node->path().mid(root.size() + 1);
            const bool removedToo = path == target || path.startsWith(target + u'/');
            QVERIFY2(removedToo ? !index.isValid()
                                : DownloadsTreeModel::nodeOf(index) == node &&
                                      model.index(index.row(), 0, index.parent()) == index,
                     qPrintable(path));
        }
        int rows = 0;
        compareWithTree(model, *scanned.tree, {}, rows);
        QCOMPARE(rows, target == u"box"_s ? 4 : 8);
    }
};

CORVELLA_WIDGET_TEST_MAIN(DownloadsTreeModelTest)

#include "DownloadsTreeModelTest.moc"
