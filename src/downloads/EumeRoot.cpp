#include "downloads/EumeRoot.h"

#include "downloads/FileTree.h"
#include "downloads/FolderWalker.h"
#include "downloads/Progress.h"
#include "platform/fs/DirectoryReader.h"
#include "platform/fs/SizeMeter.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The entries of the scanned folder, packed: every name NUL-terminated in one string, read in
// order, so a folder of 200,000 entries costs its names and nothing more.
struct Listing {
    std::string names;
    int count = 0;
};

Listing listEntries(int fd)
{
    Listing listing;
    std::vector<char> buffer(64 * 1024);
    DirectoryReader reader(fd, buffer.data(), buffer.size());
    DirectoryReader::Entry entry{};
    while (reader.next(entry)) {
        listing.names.append(entry.name).push_back('\0');
        ++listing.count;
    }
    // It stays while the nodes are made: give back what the string's growth reserved.
    listing.names.shrink_to_fit();
    return listing;
}

} // namespace

EumeRoot::EumeRoot(int threads)
    : m_threads(threads > 0 ? threads : FolderWalker::defaultThreadCount())
{}

EumeRoot::~EumeRoot()
{
    stopScan();
    waitUntilDone();
}

void EumeRoot::eumeAllRootFileNodeWithRootArr(std::shared_ptr<FileTree> tree, const QString& path)
{
    stopScan();
    waitUntilDone();
    m_rootNodeArr = std::move(tree);
    m_treeOperator = std::make_unique<NodeTreeOperator>();
    m_treeOperator->setOpDelegate(this);
    m_allFileCount = 0;
    m_eumeFileCount = 0;
    m_isStopScan = false;
    m_isPauseScan = false;
    getRootNodeListWithPath(path);
}

void EumeRoot::getRootNodeListWithPath(const QString& path)
{
    m_running.store(true, std::memory_order_release);
    m_thread = std::thread(&EumeRoot::run, this, path);
}

void EumeRoot::waitUntilDone()
{
    if (m_thread.joinable())
        m_thread.join();
}

void EumeRoot::addTopLevel(FileNode* node, bool sorted)
{
    const auto lock = m_rootNodeArr->lock();
    std::vector<FileNode*>& list = m_rootNodeArr->root()->m_children;
    if (sorted && !list.empty()) {
        // Keep the list in order before inserting by position.
        m_rootNodeArr->root()->children();
        NodeTreeOperator::fileInsertFatherWithRootArr(list, node);
    } else {
        list.push_back(node);
        m_rootNodeArr->root()->m_childrenUnsorted.store(true, std::memory_order_release);
    }
}

void EumeRoot::insertFileInRootArrWithFile(FileNode* node)
{
    addTopLevel(node, true);
}

void EumeRoot::doRootArrSort()
{
    const auto lock = m_rootNodeArr->lock();
    NodeTreeOperator::rootArrSortWithRootArr(m_rootNodeArr->root()->m_children);
}

float EumeRoot::getProgress() const
{
    const int all = allFileCount();
    if (all < 1)
        return 0.0f;
    return static_cast<float>(double(eumeFileCount()) * 100.0 / double(all));
}

void EumeRoot::pauseScan()
{
    m_isPauseScan = !m_isPauseScan;
    Progress::isPause(m_isPauseScan);
}

void EumeRoot::stopScan()
{
    m_isStopScan.store(true, std::memory_order_release);
    if (m_treeOperator)
        m_treeOperator->stopScan();
}

void EumeRoot::run(const QString& path)
{
    FileTree& tree = *m_rootNodeArr;
    FileTree::Allocator allocator(tree);
    const QByteArray nativePath = QFile::encodeName(path);
    const auto finish = [this] {
        m_running.store(false, std::memory_order_release);
    };

    struct stat status {};
    if (::stat(nativePath.constData(), &status) != 0) {
        // Nothing at the path: no nodes and no end notification.
        if (::lstat(nativePath.constData(), &status) != 0)
            return finish();
        status.st_mode = S_IFLNK; // a dangling link is shown as the link it is
    }
    SizeMeter meter(tree.sizeMode());
    if (!S_ISDIR(status.st_mode)) {
        // A file: one node, and no end notification.
        const QByteArray name = QFile::encodeName(QFileInfo(path).fileName());
        FileNode* node = allocator.create(tree.root(), name.toStdString(), false);
        node->setSize(NodeTreeOperator::getOneFileSizeWithPath(path, meter));
        tree.root()->m_size.store(node->size(), std::memory_order_relaxed);
        insertFileInRootArrWithFile(node);
        return finish();
    }

    const int rootFd = ::open(nativePath.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const Listing listing = rootFd >= 0 ? listEntries(rootFd) : Listing();
    const int count = listing.count;
    m_allFileCount = count;
    FolderWalker walker(tree, m_treeOperator->stopFlag(), meter, m_threads);
    struct stat rootStatus {};
    if (rootFd >= 0 && meter.mode() == SizeMode::DiskUsage && ::fstat(rootFd, &rootStatus) == 0)
        tree.root()->m_size.fetch_add(meter.sizeOf(rootStatus), std::memory_order_relaxed);
    {
        // The top level takes every entry: one allocation of its final size.
        const auto lock = tree.lock();
        tree.root()->m_children.reserve(std::size_t(count));
    }

    const char* nextName = listing.names.data();
    for (int index = 0; index < count; ++index) {
        if (isStopScan())
            break;
        Progress::isPause(&m_treeOperator->stopFlag());
        if (isStopScan())
            break;
        const char* const name = nextName;
        nextName += std::strlen(name) + 1;
        // One lstat an entry: it may have vanished since the listing; a link is asked where it
        // leads.
        struct stat own {};
        const bool exists = ::fstatat(rootFd, name, &own, AT_SYMLINK_NOFOLLOW) == 0;
        const bool isLink = exists && S_ISLNK(own.st_mode);
        bool isFolder = exists && S_ISDIR(own.st_mode);
        // A folder's own blocks are measured when it is opened.
        const std::uint64_t size = exists && !S_ISDIR(own.st_mode) ? meter.sizeOf(own) : 0;
        struct stat target {};
        if (isLink && ::fstatat(rootFd, name, &target, 0) == 0 && S_ISDIR(target.st_mode))
            isFolder = true;
        if (isFolder) {
            FileNode* node = allocator.create(tree.root(), name, true);
            addTopLevel(node, false);
            // A link to a folder shows as a folder whose walk lists nothing: nothing outside
            // the scanned folder is ever shown, ticked or removed.
            if (!isLink)
                walker.walk(rootFd, node, allocator);
            tree.root()->m_size.fetch_add(node->size(), std::memory_order_relaxed);
        } else if (exists) {
            // Appended, not inserted by position: readers see the list in order all the same.
            FileNode* node = allocator.create(tree.root(), name, false);
            node->m_size.store(size, std::memory_order_relaxed);
            tree.root()->m_size.fetch_add(size, std::memory_order_relaxed);
            addTopLevel(node, false);
        }
        if (m_ordersTopLevelBeforeEnd && index + 1 == count) {
            // The count reaching 100% ends the scan in the window, whose last reload then finds
            // nothing to sort.
            const auto lock = tree.lock();
            tree.root()->children();
        }
        // An entry that vanished since the listing still counts as handled.
        m_eumeFileCount.fetch_add(1, std::memory_order_release);
    }
    if (rootFd >= 0)
        ::close(rootFd);

    const bool completed = m_eumeFileCount.load() == count && !isStopScan();
    finish();
    if (completed && m_eumeDelegate)
        m_eumeDelegate->endScan();
}
