#include "downloads/DownloadsTreeModel.h"

#include "common/PublicUtilities.h"
#include "downloads/Controller.h"
#include "downloads/EumeRoot.h"
#include "downloads/FileTree.h"
#include "downloads/Progress.h"
#include "support/PrivateHome.h"
#include "support/ScopedEnvironmentVariable.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTreeView>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

constexpr auto kReportToQtTest = QAbstractItemModelTester::FailureReportingMode::QtTest;

// A finished scan of `path`, shown by a model under the tester, its clicks going to the scan's
// controller.
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

// A file of `size` bytes with no data blocks: the scan only reads the length.
bool makeFile(const QString& path, qint64 size)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.resize(size);
}

// Twelve folders, each with four sub-folders of three leaf folders, files at every level and
// loose files beside them, all of random sizes: 2,501 files in 204 folders. The folder the scan
// lists last gets a 4 GB file, so it ends up above every folder walked before it.
constexpr int kGrowingTreeRows = 2501 + 204;
bool makeGrowingTree(const QString& root)
{
    std::mt19937 random(20240611);
    std::uniform_int_distribution<qint64> sizes(1, 5'000'000);
    const auto files = [&](const QString& folder, int count) {
        bool made = QDir().mkpath(folder);
        for (int file = 0; made && file < count; ++file)
            made = makeFile(u"%1/file %2.dat"_s.arg(folder).arg(file), sizes(random));
        return made;
    };
    bool made = true;
    for (int top = 0; made && top < 12; ++top) {
        const QString folder = u"%1/folder %2"_s.arg(root).arg(top);
        made = files(folder, 5);
        for (int sub = 0; made && sub < 4; ++sub) {
            const QString subFolder = u"%1/sub %2"_s.arg(folder).arg(sub);
            made = files(subFolder, 5);
            for (int leaf = 0; made && leaf < 3; ++leaf)
                made = files(u"%1/leaf %2"_s.arg(subFolder).arg(leaf), 15);
        }
    }
    for (int file = 0; made && file < 40; ++file)
        made = makeFile(u"%1/loose %2.bin"_s.arg(root).arg(file), sizes(random));
    const QStringList listed =
        QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
    return made && !listed.isEmpty() &&
           makeFile(u"%1/%2/large.img"_s.arg(root, listed.last()), 4'000'000'000);
}

// big.iso 9000, Tool.app 4500 (a bundle), notes.txt 120, box 60 (p 10, q 20, inner/r 30) and
// keep.me 50, which the system list names.
bool makeSmallTree(const QString& root)
{
    return QDir().mkpath(root + u"/Tool.app/Contents/MacOS"_s) &&
           QDir().mkpath(root + u"/box/inner"_s) && makeFile(root + u"/big.iso"_s, 9000) &&
           makeFile(root + u"/Tool.app/Contents/MacOS/tool"_s, 4000) &&
           makeFile(root + u"/Tool.app/Contents/Info.plist"_s, 500) &&
           makeFile(root + u"/notes.txt"_s, 120) && makeFile(root + u"/box/p"_s, 10) &&
           makeFile(root + u"/box/q"_s, 20) && makeFile(root + u"/box/inner/r"_s, 30) &&
           makeFile(root + u"/keep.me"_s, 50);
}

bool writeSystemList(const QString& file, const QString& path)
{
    QFile list(file);
    return list.open(QIODevice::WriteOnly) &&
           list.write(u"<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><dict>"
                      "<key>0</key><string>%1</string></dict></plist>"_s.arg(path)
                          .toUtf8()) > 0;
}

// The row of `parent` named `path` ("box/p" looks into box).
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

// Walks the whole model against the tree: every list holds the tree's nodes in the tree's order,
// largest first, and a row can be opened exactly when it is a folder with children and no bundle.
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
        QCOMPARE(index.parent(), parent);
        QCOMPARE(model.index(row, 1, parent).data().toString(), node->displayName());
        if (row > 0)
            QVERIFY(live[std::size_t(row) - 1]->size() >= node->size());
        const bool opens = node->isDirectory() && !node->isBundle() && node->childCount() > 0;
        QCOMPARE(model.hasChildren(index), opens);
        ++rows;
        if (opens)
            compareWithTree(model, tree, index, rows);
    }
}

// Runs a scan of `tree`'s folder in small steps and refreshes the model after each, as the
// window's timer does (only faster). A step lets the workers run while the test holds the tree's
// lock, and holds them by the pause switch before letting go: so each worker adds at most one
// batch per step, however the threads are scheduled, and the refresh meets their last appends.
// After every step, `step` acts as the user would. Returns the number of steps, or -1 when the
// scan does not end within a minute.
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

// Opens the first four top-level folders that have children, and the first folder inside each,
// as a user clicking along would. `opened` keeps each opened row and its node.
void openSome(QTreeView& view, DownloadsTreeModel& model,
              std::vector<std::pair<QPersistentModelIndex, FileNode*>>& opened)
{
    const auto isOpened = [&opened](const QModelIndex& index) {
        return std::any_of(opened.begin(), opened.end(),
                           [&index](const auto& entry) { return entry.first == index; });
    };
    std::vector<QModelIndex> topLevel;
    for (const auto& entry : opened) {
        if (!entry.first.parent().isValid())
            topLevel.push_back(entry.first);
    }
    for (int row = 0; row < model.rowCount() && topLevel.size() < 4; ++row) {
        const QModelIndex index = model.index(row, 0);
        if (model.hasChildren(index) && !isOpened(index)) {
            view.expand(index);
            opened.emplace_back(index, DownloadsTreeModel::nodeOf(index));
            topLevel.push_back(index);
        }
    }
    for (const QModelIndex& parent : topLevel) {
        for (int row = 0; row < model.rowCount(parent); ++row) {
            const QModelIndex index = model.index(row, 0, parent);
            if (isOpened(index))
                break;
            if (!model.hasChildren(index))
                continue;
            view.expand(index);
            opened.emplace_back(index, DownloadsTreeModel::nodeOf(index));
            break;
        }
    }
}

// What QAbstractItemModelTester cannot see in this model, whose first column shows no text:
// across every announced insertion and removal, the rows beside the change keep their nodes.
class NeighbourWatch : public QObject {
public:
    explicit NeighbourWatch(const QAbstractItemModel& model) : m_model(model)
    {
        using Model = QAbstractItemModel;
        connect(&model, &Model::rowsAboutToBeInserted, this,
                [this](const QModelIndex& parent, int first, int) {
                    remember(parent, first - 1, first);
                });
        connect(&model, &Model::rowsInserted, this,
                [this](const QModelIndex& parent, int first, int last) {
                    check(parent, first - 1, last + 1);
                });
        connect(&model, &Model::rowsAboutToBeRemoved, this,
                [this](const QModelIndex& parent, int first, int last) {
                    remember(parent, first - 1, last + 1);
                });
        connect(
            &model, &Model::rowsRemoved, this,
            [this](const QModelIndex& parent, int first, int) { check(parent, first - 1, first); });
    }
    int changes = 0;
    int failures = 0;

private:
    FileNode* nodeAt(const QModelIndex& parent, int row) const
    {
        return DownloadsTreeModel::nodeOf(m_model.index(row, 0, parent));
    }
    void remember(const QModelIndex& parent, int before, int after)
    {
        m_before = nodeAt(parent, before);
        m_after = nodeAt(parent, after);
    }
    void check(const QModelIndex& parent, int before, int after)
    {
        ++changes;
        if (nodeAt(parent, before) != m_before || nodeAt(parent, after) != m_after)
            ++failures;
    }

    const QAbstractItemModel& m_model;
    FileNode* m_before = nullptr;
    FileNode* m_after = nullptr;
};

} // namespace

class DownloadsTreeModelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { Progress::isPause(false); }
    void cleanup() { Progress::isPause(false); }

    void growsUnderTheTesterDuringAScan();
    void expansionFollowsItsNodeThroughTheScan();
    void unopenedFolderFollowsItsChildren();
    void columnsShowTheNodes();
    void removalTakesExactlyTheRemovedRow_data();
    void removalTakesExactlyTheRemovedRow();

private:
    QTemporaryDir m_folder;
};

void DownloadsTreeModelTest::growsUnderTheTesterDuringAScan()
{
    QTemporaryDir folder;
    QVERIFY(makeGrowingTree(folder.path()));
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

    std::vector<std::pair<QPersistentModelIndex, FileNode*>> opened;
    const int steps = driveScan(tree, model, [&] { openSome(view, model, opened); });
    QVERIFY(steps >= 0);
    QVERIFY(!QTest::currentTestFailed());

    // The tree grew in many steps and re-sorted, and the view was never reset.
    QVERIFY2(inserted.count() >= 10,
             qPrintable(u"%1 insertions in %2 steps"_s.arg(inserted.count()).arg(steps)));
    QVERIFY(reordered.count() >= 1);
    QCOMPARE(resets.count(), 0);
    QCOMPARE(neighbours.changes, inserted.count());
    QCOMPARE(neighbours.failures, 0);
    QVERIFY(std::any_of(opened.begin(), opened.end(),
                        [](const auto& entry) { return entry.first.parent().isValid(); }));
    int rows = 0;
    compareWithTree(model, *tree, {}, rows);
    QCOMPARE(rows, kGrowingTreeRows);
}

void DownloadsTreeModelTest::expansionFollowsItsNodeThroughTheScan()
{
    QTemporaryDir folder;
    QVERIFY(makeGrowingTree(folder.path()));
    auto tree = std::make_shared<FileTree>(folder.path());
    DownloadsTreeModel model;
    model.setTree(tree);
    QTreeView view;
    view.setModel(&model);
    view.show();

    std::vector<std::pair<QPersistentModelIndex, FileNode*>> opened;
    std::vector<int> firstRows;
    bool moved = false;
    QVERIFY(driveScan(tree, model, [&] {
                if (opened.empty())
                    openSome(view, model, opened);
                firstRows.resize(opened.size(), -1);
                for (std::size_t folder = 0; folder < opened.size(); ++folder) {
                    if (firstRows[folder] < 0)
                        firstRows[folder] = opened[folder].first.row();
                    moved = moved || opened[folder].first.row() != firstRows[folder];
                }
            }) >= 0);
    QVERIFY(!opened.empty());
    // The first folder was opened as its walk began; the last one walked passed it at the end.
    QVERIFY(moved);
    for (const auto& [index, node] : opened) {
        QVERIFY(index.isValid());
        QCOMPARE(DownloadsTreeModel::nodeOf(index), node);
        const QModelIndex fresh = model.index(index.row(), 0, index.parent());
        QCOMPARE(DownloadsTreeModel::nodeOf(fresh), node);
        QVERIFY(view.isExpanded(fresh));
        FileNode* owner = node->father() ? node->father() : tree->root();
        const std::vector<FileNode*> live = liveChildren(*tree, owner);
        QCOMPARE(live.at(std::size_t(index.row())), node);
    }
    int rows = 0;
    compareWithTree(model, *tree, {}, rows);
    QCOMPARE(rows, kGrowingTreeRows);
}

void DownloadsTreeModelTest::unopenedFolderFollowsItsChildren()
{
    // Lists made by hand, and no model tester: it would open every folder that has children.
    auto tree = std::make_shared<FileTree>(m_folder.path());
    FileNode* empty = nullptr;
    FileNode* full = nullptr;
    FileNode* inside = nullptr;
    {
        const auto lock = tree->lock();
        empty = tree->mainAllocator().create(tree->root(), "empty", true);
        full = tree->mainAllocator().create(tree->root(), "full", true);
        inside = tree->mainAllocator().create(full, "inside", false);
        tree->attach(empty);
        tree->attach(full);
        tree->attach(inside);
    }
    DownloadsTreeModel model;
    model.setTree(tree);
    const QPersistentModelIndex emptyRow = find(model, u"empty"_s);
    const QPersistentModelIndex fullRow = find(model, u"full"_s);
    QVERIFY(!model.hasChildren(emptyRow));
    QVERIFY(model.hasChildren(fullRow));
    QSignalSpy layouts(&model, &QAbstractItemModel::layoutChanged);

    // The top-level list keeps its order: only whether each folder opens changes.
    {
        const auto lock = tree->lock();
        tree->detach(inside);
        tree->attach(tree->mainAllocator().create(empty, "new", false));
    }
    model.refresh();
    QCOMPARE(layouts.count(), 1);
    QVERIFY(model.hasChildren(emptyRow));
    QVERIFY(!model.hasChildren(fullRow));
    QCOMPARE(model.rowCount(fullRow), 0);
    QCOMPARE(model.rowCount(emptyRow), 1);
    QCOMPARE(model.index(0, 1, emptyRow).data().toString(), u"new"_s);
}

void DownloadsTreeModelTest::columnsShowTheNodes()
{
    QTemporaryDir folder;
    QVERIFY(makeSmallTree(folder.path()));
    const QString list = m_folder.filePath(u"SystemFile.plist"_s);
    QVERIFY(writeSystemList(list, folder.filePath(u"keep.me"_s)));
    ScopedEnvironmentVariable systemList("CORVELLA_SYSTEM_FILE_LIST", QFile::encodeName(list));
    ScannedModel scanned(folder.path());
    DownloadsTreeModel& model = scanned.model;

    const QStringList identifiers{u"CheckBox"_s, u"Name"_s, u"Size"_s, u"OpenFinder"_s};
    const QStringList titles{QString(), u"Name"_s, u"Size"_s, QString()};
    QCOMPARE(model.columnCount(), 4);
    for (int column = 0; column < 4; ++column) {
        QCOMPARE(DownloadsTreeModel::columnIdentifier(column), identifiers[column]);
        QCOMPARE(DownloadsTreeModel::columnOfIdentifier(identifiers[column]), column);
        QCOMPARE(model.headerData(column, Qt::Horizontal).toString(), titles[column]);
    }

    // Size order, and a bundle is one row with its whole size.
    QStringList names;
    for (int row = 0; row < model.rowCount(); ++row)
        names << model.index(row, DownloadsTreeModel::NameColumn).data().toString();
    QCOMPARE(names,
             (QStringList{u"big.iso"_s, u"Tool.app"_s, u"notes.txt"_s, u"box"_s, u"keep.me"_s}));
    const QModelIndex bundle = find(model, u"Tool.app"_s);
    QVERIFY(!model.hasChildren(bundle));
    QCOMPARE(model.rowCount(bundle), 0);
    QVERIFY(model.flags(bundle).testFlag(Qt::ItemNeverHasChildren));
    const QModelIndex bundleSize = bundle.siblingAtColumn(DownloadsTreeModel::SizeColumn);
    QCOMPARE(bundleSize.data(DownloadsTreeModel::SizeRole).toULongLong(), quint64(4500));
    QCOMPARE(bundleSize.data().toString(), PublicUtilities::longlongDiskSize(4500));
    QCOMPARE(bundleSize.data(Qt::ToolTipRole).toString(),
             u"%1 bytes"_s.arg(QLocale().toString(4500)));
    QCOMPARE(bundle.siblingAtColumn(DownloadsTreeModel::NameColumn).data(Qt::ToolTipRole),
             folder.filePath(u"Tool.app"_s));
    const auto alignment = Qt::Alignment(bundleSize.data(Qt::TextAlignmentRole).toInt());
    QVERIFY(alignment.testFlag(Qt::AlignRight));
    QVERIFY(!bundle.siblingAtColumn(DownloadsTreeModel::NameColumn)
                 .data(Qt::DecorationRole)
                 .value<QIcon>()
                 .isNull());

    // The check box follows the node's state; a system file has none.
    const QModelIndex box = find(model, u"box"_s);
    const auto image = [](const QModelIndex& index) {
        return index.siblingAtColumn(0).data(DownloadsTreeModel::ImageNameRole).toString();
    };
    const auto checkState = [](const QModelIndex& index) {
        return index.siblingAtColumn(0).data(Qt::CheckStateRole).toInt();
    };
    QCOMPARE(image(box), u"option_yes"_s);
    QCOMPARE(checkState(box), int(Qt::Checked));
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.clickCheckBox(box);
    QCOMPARE(image(box), u"option_no"_s);
    QCOMPARE(checkState(box), int(Qt::Unchecked));
    QVERIFY(!changed.isEmpty());
    const QModelIndex first = changed.first().at(0).toModelIndex();
    QVERIFY(first.column() == 0 && first.row() <= box.row() && !first.parent().isValid());
    QCOMPARE(box.data(DownloadsTreeModel::NodeRole).value<FileNode*>(),
             DownloadsTreeModel::nodeOf(box));
    model.setExpanded(box, true);
    model.clickCheckBox(find(model, u"p"_s, box));
    QCOMPARE(image(find(model, u"p"_s, box)), u"option_yes"_s);
    QCOMPARE(image(box), u"option_a"_s);
    QCOMPARE(checkState(box), int(Qt::PartiallyChecked));
    const QModelIndex system = find(model, u"keep.me"_s);
    QVERIFY(!system.siblingAtColumn(0).data(DownloadsTreeModel::ImageNameRole).isValid());
    QVERIFY(!system.siblingAtColumn(0).data(Qt::DecorationRole).isValid());
    QVERIFY(!system.siblingAtColumn(0).data(Qt::CheckStateRole).isValid());
    const QModelIndex reveal = system.siblingAtColumn(DownloadsTreeModel::OpenFinderColumn);
    QCOMPARE(reveal.data(DownloadsTreeModel::ImageNameRole).toString(), u"ic_open"_s);
    QVERIFY(!reveal.data(Qt::DecorationRole).value<QIcon>().isNull());

    // Nothing can be edited.
    for (int column = 0; column < 4; ++column) {
        const QModelIndex index = find(model, u"notes.txt"_s).siblingAtColumn(column);
        QVERIFY(!model.flags(index).testFlag(Qt::ItemIsEditable));
        QVERIFY(model.flags(index).testFlag(Qt::ItemIsSelectable));
        QVERIFY(!model.setData(index, u"renamed"_s, Qt::EditRole));
        QVERIFY(!model.setData(index, int(Qt::Unchecked), Qt::CheckStateRole));
    }
    QCOMPARE(find(model, u"notes.txt"_s).siblingAtColumn(1).data().toString(), u"notes.txt"_s);
    QCOMPARE(image(find(model, u"notes.txt"_s)), u"option_yes"_s);

    model.setTree(nullptr);
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(!model.hasChildren());
    QVERIFY(!model.index(0, 0).isValid());
}

void DownloadsTreeModelTest::removalTakesExactlyTheRemovedRow_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("top-level file") << u"notes.txt"_s;
    QTest::newRow("file in an opened folder") << u"box/p"_s;
    QTest::newRow("opened folder with an opened folder inside") << u"box"_s;
}

void DownloadsTreeModelTest::removalTakesExactlyTheRemovedRow()
{
    QFETCH(QString, target);
    QTemporaryDir folder;
    QVERIFY(makeSmallTree(folder.path()));
    ScannedModel scanned(folder.path());
    Controller& controller = scanned.controller;
    const std::shared_ptr<FileTree>& tree = scanned.tree;
    DownloadsTreeModel& model = scanned.model;
    QTreeView view;
    view.setModel(&model);
    view.show();
    for (const QString& path : {u"box"_s, u"box/inner"_s}) {
        view.expand(find(model, path));
        model.setExpanded(find(model, path), true);
    }

    // Every row, held as the view would hold it.
    std::vector<std::pair<QPersistentModelIndex, FileNode*>> held;
    for (const QString& path : {u"big.iso"_s, u"Tool.app"_s, u"notes.txt"_s, u"box"_s, u"keep.me"_s,
                                u"box/p"_s, u"box/q"_s, u"box/inner"_s, u"box/inner/r"_s}) {
        const QModelIndex index = find(model, path);
        QVERIFY2(index.isValid(), qPrintable(path));
        held.emplace_back(index, DownloadsTreeModel::nodeOf(index));
    }
    const QModelIndex chosen = find(model, target);
    const QPersistentModelIndex chosenParent = chosen.parent();
    const int chosenRow = chosen.row();
    controller.selectAllFileNode(false);
    model.clickCheckBox(chosen);

    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    const NeighbourWatch neighbours(model);
    controller.deleteFilesWithDic();
    controller.waitForRemoval();
    model.refresh();

    QVERIFY(!QFileInfo::exists(folder.filePath(target)));
    QCOMPARE(removed.count(), 1);
    QCOMPARE(removed.first().at(0).toModelIndex(), QModelIndex(chosenParent));
    QCOMPARE(removed.first().at(1).toInt(), chosenRow);
    QCOMPARE(removed.first().at(2).toInt(), chosenRow);
    QCOMPARE(neighbours.failures, 0);
    for (const auto& [index, node] : held) {
        const QString path = node->path().mid(folder.path().size() + 1);
        if (path == target || path.startsWith(target + u'/')) {
            QVERIFY2(!index.isValid(), qPrintable(path));
            continue;
        }
        QVERIFY2(index.isValid(), qPrintable(path));
        QCOMPARE(DownloadsTreeModel::nodeOf(index), node);
        QCOMPARE(model.index(index.row(), index.column(), index.parent()), QModelIndex(index));
    }
    if (target != u"box"_s)
        QVERIFY(view.isExpanded(find(model, u"box"_s)));
    int rows = 0;
    compareWithTree(model, *tree, {}, rows);
    QCOMPARE(rows, target == u"box"_s ? 4 : 8);
}

int main(int argc, char** argv)
{
    const PrivateHome home;
    if (!home.isValid())
        return 1;
    // No system files unless a test names some.
    const QString systemList = home.path("SystemFile.plist");
    if (!writeSystemList(systemList, u"/nowhere"_s)) {
        std::fprintf(stderr, "Cannot write %s\n", qUtf8Printable(systemList));
        return 1;
    }
    qputenv("CORVELLA_SYSTEM_FILE_LIST", QFile::encodeName(systemList));

    QApplication application(argc, argv);
    DownloadsTreeModelTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DownloadsTreeModelTest.moc"
