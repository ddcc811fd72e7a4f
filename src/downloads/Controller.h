#pragma once

#include "downloads/EumeRoot.h"

#include <QString>

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <unordered_set>
#include <vector>

class ControllerDelegate;
class FileNode;
class FileTree;

// The Downloads cleaner's facade: starts scans, spreads check states through the tree, and runs
// removals (Move to Trash, Completely Erase) with progress and stop.
//
// Threads: call it from one thread (the GUI thread, or the command line's). It takes the tree's
// lock for every change; delegate reports come without the lock held, scan and removal reports
// from worker threads.
class Controller : public EumeRootDelegate {
public:
    enum class Removal { MoveToTrash, CompletelyErase };

    static Controller* getController();
    Controller();
    ~Controller() override;

    void setADelegate(ControllerDelegate* delegate) { m_aDelegate = delegate; }
    ControllerDelegate* aDelegate() const { return m_aDelegate; }
    const std::shared_ptr<FileTree>& aRootArr() const { return m_aRootArr; }
    // Works on `tree` without scanning (a list of items given by hand, or a test's tree).
    void setRootArr(std::shared_ptr<FileTree> tree) { m_aRootArr = std::move(tree); }

    // Scan side. A new scan gets `tree` (a fresh one) and stops the previous scan.
    void eumeAllRootFileNodeWithRootArr(std::shared_ptr<FileTree> tree, const QString& path);
    void pauseScan();
    void stopScan();
    float getProgress() const;
    bool isScanning() const;
    EumeRoot* eumeRoot() const { return m_eumeRoot.get(); }
    void endScan() override;

    // Selection. Each public operation updates the select-all button and reloads afterwards.
    void changeSelectWithNode(FileNode* node, bool selected);
    void changeFatherNodeSelectStateWithFileNode(FileNode* node, bool selected);
    void selectAllFileNode(bool selected);
    void changeSelectAllButtonState();
    // The select-all state over the top-level list: 0 none, 1 all, 2 some.
    int selectAllState() const;
    void reloadTree();
    // The view's rules: a click on a node's box, expanding a node.
    void clickCheckBoxOfNode(FileNode* node);
    void expandNode(FileNode* node, bool expanded);

    // The downward spread alone: the node and its children, and on into expanded folders.
    // The tree's lock must be held.
    static void changeChildrenFilNodeStateWithFileNode(FileNode* node, bool selected);
    // The chosen nodes of a list, in tree order: an on node whole, a mixed one through its
    // children. A path on the system list is never chosen; an on folder that holds one is taken
    // through its other contents. The tree's lock must be held.
    static void moveFileToTarshWithDic(const std::vector<FileNode*>& list,
                                       std::vector<FileNode*>& collection);

    // How many items a removal would take now, and their size (a folder whole, once).
    struct Chosen {
        int count = 0;
        std::uint64_t bytes = 0;
    };
    Chosen chosenItems();

    void openFileWithFileNode(FileNode* node);

    // Removal runs over the chosen nodes of the current tree, on a worker; they return at once.
    // Nothing happens when the top-level list is empty. Completely Erase takes what the scan
    // listed and keeps anything that appeared since; stopRemove() ends it within one entry.
    void moveFileToTarshWithDic();
    void deleteFilesWithDic();
    void stopRemove();
    bool isRemoving() const { return m_removing.load(std::memory_order_acquire); }
    void waitForRemoval();

private:
    void startRemoval(Removal kind);
    void runRemoval(Removal kind, std::shared_ptr<FileTree> tree);
    // The chosen nodes of the tree, without those inside a chosen folder.
    static std::vector<FileNode*> collectChosen(FileTree& tree);
    // Takes the erased nodes out of the tree and out of their folders' sizes, and returns the
    // bytes they took by the tree's sizes. Lock held.
    static std::uint64_t detachErased(FileTree& tree, const std::unordered_set<FileNode*>& erased);
    // Every top-level node, and the shown contents of expanded ones, on or off. Lock held.
    static void setTopLevelStates(FileTree& tree, bool selected);
    static int selectAllState(FileTree& tree);
    void spreadUp(FileNode* node);
    void notifySelectionChanged();

    std::shared_ptr<FileTree> m_aRootArr;
    std::atomic<bool> m_isStopRemove{false};
    std::atomic<bool> m_removing{false};
    std::unique_ptr<EumeRoot> m_eumeRoot;
    ControllerDelegate* m_aDelegate = nullptr;
    std::thread m_removalThread;
};
