#include "downloads/NodeTreeOperator.h"

#include "downloads/FileTree.h"
#include "downloads/FolderWalker.h"
#include "downloads/Progress.h"
#include "platform/fs/NativePath.h"
#include "platform/fs/SizeMeter.h"

#include <QFile>

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

void NodeTreeOperator::fileInsertFatherWithRootArr(std::vector<FileNode*>& list, FileNode* node)
{
    const auto position = std::find_if(list.begin(), list.end(), [node](const FileNode* other) {
        return other->size() <= node->size();
    });
    list.insert(position, node);
}

void NodeTreeOperator::rootArrSortWithRootArr(std::vector<FileNode*>& list)
{
    if (list.empty())
        return;
    std::stable_sort(list.begin(), list.end(), [](const FileNode* a, const FileNode* b) {
        const std::uint64_t aSize = a->size();
        const std::uint64_t bSize = b->size();
        return aSize != bSize ? aSize > bSize : a->sequence() > b->sequence();
    });
}

void NodeTreeOperator::sortFatherSizeWithRootFileNode(FileNode* folder, std::uint64_t total)
{
    folder->setSize(total);
    if (FileNode* father = folder->father())
        rootArrSortWithRootArr(father->m_children);
    else if (m_opDelegate)
        m_opDelegate->doRootArrSort();
}

std::uint64_t NodeTreeOperator::getOneFileSizeWithPath(const QString& path)
{
    SizeMeter meter(SizeMode::Apparent);
    return getOneFileSizeWithPath(path, meter);
}

std::uint64_t NodeTreeOperator::getOneFileSizeWithPath(const QString& path, SizeMeter& meter)
{
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return 0;
    return meter.sizeOf(status);
}

std::uint64_t NodeTreeOperator::getFileSizeWithPat(FileTree& tree, const QString& path,
                                                   FileNode* folder, std::uint64_t startingTotal)
{
    struct stat status {};
    const QByteArray nativePath = QFile::encodeName(path);
    if (::lstat(nativePath.constData(), &status) != 0)
        return startingTotal;
    SizeMeter meter(tree.sizeMode());
    if (!S_ISDIR(status.st_mode))
        return startingTotal + getOneFileSizeWithPath(path, meter);
    // The walk opens the folder by its name relative to its parent folder, as the kernel
    // resolves the path's folder part.
    QByteArray name;
    const int parentFd = NativePath::openFolderPart(nativePath, &name);
    if (parentFd < 0)
        return startingTotal;
    FolderWalker walker(tree, m_isStopScan, meter);
    FileTree::Allocator allocator(tree);
    const std::uint64_t size = walker.walk(parentFd, folder, allocator);
    ::close(parentFd);
    return startingTotal + size;
}

void NodeTreeOperator::stopScan()
{
    m_isStopScan.store(true, std::memory_order_release);
    Progress::wakeAll();
}
