// The removal runs of the Downloads cleaner: Move to Trash and Completely Erase.
#include "downloads/Controller.h"
#include "downloads/ControllerDelegate.h"
#include "downloads/FileTree.h"
#include "platform/FreedesktopTrash.h"
#include "platform/TreeEraser.h"

#include <unordered_set>

namespace {

// Drops every node that has an ancestor in the list: removing the ancestor removes it too.
void dropNodesUnderChosenFolders(std::vector<FileNode*>& collection)
{
    const std::unordered_set<FileNode*> chosen(collection.begin(), collection.end());
    std::erase_if(collection, [&chosen](FileNode* node) {
        for (FileNode* father = node->father(); father; father = father->father()) {
            if (chosen.contains(father))
                return true;
        }
        return false;
    });
}

} // namespace

void Controller::moveFileToTarshWithDic()
{
    startRemoval(Removal::MoveToTrash);
}

void Controller::deleteFilesWithDic()
{
    startRemoval(Removal::CompletelyErase);
}

void Controller::stopRemove()
{
    m_isStopRemove.store(true, std::memory_order_release);
}

void Controller::waitForRemoval()
{
    if (m_removalThread.joinable())
        m_removalThread.join();
}

void Controller::startRemoval(Removal kind)
{
    if (!m_aRootArr || isRemoving())
        return;
    {
        const auto lock = m_aRootArr->lock();
        if (m_aRootArr->topLevel().empty())
            return;
    }
    if (m_eumeRoot && m_eumeRoot->tree() == m_aRootArr && m_eumeRoot->isRunning()) {
        // A removal chosen from a partial tree (a paused scan) ends that scan first: the walk
        // must not go on in folders the run is taking away.
        m_eumeRoot->stopScan();
        m_eumeRoot->waitUntilDone();
    }
    waitForRemoval();
    // Cleared here, not on the worker: a stop pressed before the worker gets going still counts.
    m_isStopRemove.store(false, std::memory_order_release);
    m_removing.store(true, std::memory_order_release);
    m_removalThread = std::thread(&Controller::runRemoval, this, kind, m_aRootArr);
}

void Controller::runRemoval(Removal kind, std::shared_ptr<FileTree> tree)
{
    std::vector<FileNode*> collection;
    {
        const auto lock = tree->lock();
        moveFileToTarshWithDic(tree->topLevel(), collection);
    }
    dropNodesUnderChosenFolders(collection);
    const auto finish = [this] {
        m_removing.store(false, std::memory_order_release);
    };
    if (collection.empty())
        return finish();

    const FreedesktopTrash trash;
    const int count = int(collection.size());
    int failures = 0;
    QString firstFailure;
    QString lastPath;
    for (int index = 0; index < count; ++index) {
        FileNode* node = collection[std::size_t(index)];
        lastPath = node->path();
        if (m_isStopRemove.load(std::memory_order_acquire))
            break;
        const int percent = count == 1 ? 30 : index * 100 / count;
        if (m_aDelegate)
            m_aDelegate->changeRemoveProgressWithPoint(percent, lastPath);

        QString error;
        if (kind == Removal::MoveToTrash) {
            error = trash.moveToTrash(lastPath).error;
        } else {
            const TreeEraser::Result result = TreeEraser::erase(lastPath);
            error = result.firstError;
        }

        const auto lock = tree->lock();
        FileNode* father = node->father();
        if (error.isEmpty()) {
            // Gone from the disk: gone from the tree, and from its folders' sizes.
            const std::uint64_t size = node->size();
            tree->detach(node);
            for (FileNode* ancestor = node->m_parent; ancestor; ancestor = ancestor->m_parent) {
                ancestor->m_size.fetch_sub(std::min(size, ancestor->size()));
                ancestor->markSizeChanged();
            }
        } else {
            // Still on the disk: it stays in the tree, unticked, and the run reports it.
            qWarning("%s", qUtf8Printable(error));
            if (failures++ == 0)
                firstFailure = error;
            changeChildrenFilNodeStateWithFileNode(node, false);
        }
        if (father)
            changeChildrenFilNodeStateWithFileNode(father, false);
    }

    // Whether finished or stopped: everything left is off, and the view hears 100 once.
    selectAllFileNode(false);
    if (failures > 0 && m_aDelegate)
        m_aDelegate->removeFailuresWithCount(failures, firstFailure);
    finish();
    if (m_aDelegate)
        m_aDelegate->changeRemoveProgressWithPoint(100, lastPath);
}
