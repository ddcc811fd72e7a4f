// The removal runs of the Downloads cleaner: Move to Trash and Completely Erase.
#include "downloads/Controller.h"
#include "downloads/ControllerDelegate.h"
#include "downloads/FileTree.h"
#include "downloads/NodeListing.h"
#include "downloads/RemovalGuard.h"
#include "downloads/RemovalOutcome.h"
#include "platform/fs/EntryCounter.h"
#include "platform/fs/TreeEraser.h"
#include "trash/FreedesktopTrash.h"

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

// The entries the scan listed for the node, the node itself included. The tree's lock is held.
std::uint64_t listedEntries(FileNode* node)
{
    std::uint64_t total = 0;
    for (std::vector<FileNode*> pending{node}; !pending.empty();) {
        FileNode* next = pending.back();
        pending.pop_back();
        ++total;
        const std::vector<FileNode*>& children = next->children();
        pending.insert(pending.end(), children.begin(), children.end());
    }
    return total;
}

} // namespace

std::vector<FileNode*> Controller::collectChosen(FileTree& tree)
{
    std::vector<FileNode*> collection;
    {
        const auto lock = tree.lock();
        moveFileToTarshWithDic(tree.topLevel(), collection);
    }
    dropNodesUnderChosenFolders(collection);
    return collection;
}

Controller::Chosen Controller::chosenItems()
{
    Chosen chosen;
    if (!m_aRootArr)
        return chosen;
    const std::vector<FileNode*> collection = collectChosen(*m_aRootArr);
    chosen.count = int(collection.size());
    for (const FileNode* node : collection)
        chosen.bytes += node->size();
    return chosen;
}

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

std::uint64_t Controller::detachErased(FileTree& tree, const std::unordered_set<FileNode*>& erased)
{
    // Each erased subtree leaves its folders' sizes once, through its topmost node; every list
    // that lost entries is filtered in one pass.
    std::unordered_set<FileNode*> fathers;
    std::uint64_t bytes = 0;
    for (FileNode* node : erased) {
        if (erased.contains(node->m_parent))
            continue;
        const std::uint64_t size = node->size();
        bytes += size;
        for (FileNode* ancestor = node->m_parent; ancestor; ancestor = ancestor->m_parent) {
            ancestor->m_size.fetch_sub(std::min(size, ancestor->size()));
            ancestor->markSizeChanged();
        }
        fathers.insert(node->m_parent);
    }
    for (FileNode* father : fathers)
        tree.detachIf(father, [&erased](FileNode* child) { return erased.contains(child); });
    return bytes;
}

void Controller::runRemoval(Removal kind, std::shared_ptr<FileTree> tree)
{
    const std::vector<FileNode*> collection = collectChosen(*tree);
    const auto finish = [this] {
        m_removing.store(false, std::memory_order_release);
    };
    if (collection.empty())
        return finish();

    const FreedesktopTrash trash;
    const int count = int(collection.size());
    RemovalOutcome outcome;
    outcome.chosen = count;
    outcome.trashed = kind == Removal::MoveToTrash;
    QString lastPath;
    for (int index = 0; index < count; ++index) {
        FileNode* node = collection[std::size_t(index)];
        lastPath = node->path();
        if (m_isStopRemove.load(std::memory_order_acquire)) {
            outcome.stopped = true;
            break;
        }
        // Each item keeps its step of the bar; within it, an erase moves on as its entries go.
        const int percent = count == 1 ? 30 : index * 100 / count;
        const int nextPercent = count == 1 ? 100 : (index + 1) * 100 / count;
        if (m_aDelegate)
            m_aDelegate->changeRemoveProgressWithPoint(percent, lastPath);

        // Paths go to the system as the bytes the scan read, so any name can be removed.
        QString error;
        int kept = 0; // entries of the item that stay, so the item stays too
        std::unordered_set<FileNode*> erased;
        // The same refusals as removing by name: "/", its folders, the home folder and what
        // holds it are never removed, whatever folder was scanned.
        error = RemovalGuard::refusalSentence(node->nativePath(), kind == Removal::MoveToTrash);
        if (!error.isEmpty()) {
        } else if (kind == Removal::MoveToTrash) {
            // Moved whole, folders with whatever arrived in them: the trash gives it all back.
            error = trash.moveToTrash(node->nativePath()).error;
        } else {
            // Only what the scan listed goes; anything that arrived since stays, with its folder.
            std::uint64_t entries = 0;
            if (tree->listsContents()) {
                const auto lock = tree->lock();
                entries = listedEntries(node);
            } else {
                entries = EntryCounter::count(node->nativePath(), &m_isStopRemove);
            }
            std::uint64_t entriesGone = 0;
            int shown = percent;
            const auto entryGone = [&] {
                const std::uint64_t done = std::min(++entriesGone, entries);
                const int now = percent + int(std::uint64_t(nextPercent - percent) * done /
                                              std::max<std::uint64_t>(entries, 1));
                if (now > shown && now < nextPercent && m_aDelegate) {
                    shown = now;
                    m_aDelegate->changeRemoveProgressWithPoint(now, lastPath);
                }
            };
            const TreeEraser::Result result = TreeEraser::erase(
                node->nativePath(), &m_isStopRemove,
                tree->listsContents() ? std::make_unique<NodeListing>(*tree, node, &erased)
                                      : nullptr,
                entryGone);
            kept = result.unlisted;
            outcome.keptUnlisted += result.unlisted;
            outcome.stopped = result.stopped;
            if (result.failures > (result.stopped ? 1 : 0))
                error = result.firstError;
        }
        const bool gone = error.isEmpty() && !outcome.stopped && kept == 0;

        const auto lock = tree->lock();
        FileNode* father = node->father();
        if (gone) {
            ++outcome.removed;
            erased.insert(node);
        }
        // Gone from the disk: gone from the tree, and from its folders' sizes. What is left of
        // a folder erased in part stays, with its size brought up to date.
        outcome.bytesRemoved += detachErased(*tree, erased);
        if (!gone) {
            if (!error.isEmpty()) {
                qWarning("%s", qUtf8Printable(error));
                outcome.failures.push_back({lastPath, error});
            }
            changeChildrenFilNodeStateWithFileNode(node, false);
        }
        if (father)
            changeChildrenFilNodeStateWithFileNode(father, false);
        if (outcome.stopped)
            break;
    }

    // Whether finished or stopped: everything left is off, and the view hears 100 once.
    int selectAll = FileNode::Off;
    {
        const auto lock = tree->lock();
        setTopLevelStates(*tree, false);
        selectAll = selectAllState(*tree);
    }
    if (m_aDelegate) {
        m_aDelegate->changeSelectAllButtonState(selectAll);
        m_aDelegate->reloadTreeList();
        m_aDelegate->removeFinishedWithOutcome(outcome);
    }
    finish();
    if (m_aDelegate)
        m_aDelegate->changeRemoveProgressWithPoint(100, lastPath);
}
