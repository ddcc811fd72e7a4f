#include "downloads/Controller.h"

#include "downloads/ControllerDelegate.h"
#include "downloads/FileTree.h"
#include "downloads/Progress.h"
#include "downloads/SystemFolder.h"
#include "platform/desktop/FileManagerReveal.h"

Controller* Controller::getController()
{
    static Controller shared;
    return &shared;
}

Controller::Controller() = default;

Controller::~Controller()
{
    stopRemove();
    waitForRemoval();
    m_eumeRoot.reset(); // stops and joins the scan
}

void Controller::eumeAllRootFileNodeWithRootArr(std::shared_ptr<FileTree> tree, const QString& path)
{
    // The old scan is stopped and its worker joined before the new one starts; a paused worker
    // is woken by the stop.
    m_eumeRoot.reset();
    m_aRootArr = tree;
    m_eumeRoot = std::make_unique<EumeRoot>();
    m_eumeRoot->setEumeDelegate(this);
    m_eumeRoot->setOrdersTopLevelBeforeEnd(true); // the window reads the order at the end
    m_eumeRoot->eumeAllRootFileNodeWithRootArr(std::move(tree), path);
}

void Controller::pauseScan()
{
    if (m_eumeRoot)
        m_eumeRoot->pauseScan();
}

void Controller::stopScan()
{
    if (m_eumeRoot)
        m_eumeRoot->stopScan();
}

float Controller::getProgress() const
{
    return m_eumeRoot ? m_eumeRoot->getProgress() : 0.0f;
}

bool Controller::isScanning() const
{
    return m_eumeRoot && m_eumeRoot->isRunning();
}

void Controller::endScan()
{
    if (m_aDelegate)
        m_aDelegate->endProScan();
}

void Controller::changeChildrenFilNodeStateWithFileNode(FileNode* node, bool selected)
{
    // Iterative: the spread may run thousands of folders deep.
    const int state = selected ? FileNode::On : FileNode::Off;
    node->setState(state);
    std::vector<FileNode*> pending{node};
    while (!pending.empty()) {
        FileNode* folder = pending.back();
        pending.pop_back();
        if (!folder->isDirectory())
            continue;
        for (FileNode* child : folder->children()) {
            child->setState(state);
            if (child->isDirectory() && child->isExpand())
                pending.push_back(child);
        }
    }
}

void Controller::changeSelectWithNode(FileNode* node, bool selected)
{
    if (!m_aRootArr)
        return;
    {
        const auto lock = m_aRootArr->lock();
        changeChildrenFilNodeStateWithFileNode(node, selected);
    }
    notifySelectionChanged();
}

void Controller::spreadUp(FileNode* node)
{
    for (FileNode* father = node->father(); father; father = father->father()) {
        int chosen = 0;
        bool hasFolder = false;
        const std::vector<FileNode*>& children = father->children();
        for (FileNode* child : children) {
            if (child->state() != FileNode::Off)
                ++chosen;
            hasFolder = hasFolder || child->isDirectory();
        }
        // A father with a folder among its children never turns on by its children alone.
        if (!hasFolder && chosen == int(children.size()))
            father->setState(FileNode::On);
        else
            father->setState(chosen > 0 ? FileNode::Mixed : FileNode::Off);
    }
}

void Controller::changeFatherNodeSelectStateWithFileNode(FileNode* node, bool)
{
    if (!m_aRootArr)
        return;
    {
        const auto lock = m_aRootArr->lock();
        spreadUp(node);
    }
    notifySelectionChanged();
}

int Controller::selectAllState() const
{
    if (!m_aRootArr)
        return FileNode::Off;
    const auto lock = m_aRootArr->lock();
    return selectAllState(*m_aRootArr);
}

int Controller::selectAllState(FileTree& tree)
{
    const std::vector<FileNode*>& topLevel = tree.topLevel();
    if (topLevel.empty())
        return FileNode::Off;
    bool all = true;
    bool any = false;
    for (const FileNode* node : topLevel) {
        all = all && node->state() == FileNode::On;
        any = any || node->state() != FileNode::Off;
    }
    return all ? FileNode::On : any ? FileNode::Mixed : FileNode::Off;
}

void Controller::changeSelectAllButtonState()
{
    const int state = selectAllState();
    if (m_aDelegate)
        m_aDelegate->changeSelectAllButtonState(state);
}

void Controller::selectAllFileNode(bool selected)
{
    if (!m_aRootArr)
        return;
    {
        const auto lock = m_aRootArr->lock();
        setTopLevelStates(*m_aRootArr, selected);
    }
    notifySelectionChanged();
}

void Controller::setTopLevelStates(FileTree& tree, bool selected)
{
    for (FileNode* node : tree.topLevel()) {
        node->setState(selected ? FileNode::On : FileNode::Off);
        if (node->isExpand())
            changeChildrenFilNodeStateWithFileNode(node, selected);
    }
}

void Controller::reloadTree()
{
    if (m_aDelegate)
        m_aDelegate->reloadTreeList();
}

void Controller::notifySelectionChanged()
{
    changeSelectAllButtonState();
    reloadTree();
}

void Controller::clickCheckBoxOfNode(FileNode* node)
{
    if (!m_aRootArr || node->isSystemFile())
        return;
    const bool selected = node->state() != FileNode::On;
    {
        const auto lock = m_aRootArr->lock();
        node->setState(selected ? FileNode::On : FileNode::Off);
        if (node->isExpand())
            changeChildrenFilNodeStateWithFileNode(node, selected);
        spreadUp(node);
    }
    notifySelectionChanged();
}

void Controller::expandNode(FileNode* node, bool expanded)
{
    node->setIsExpand(expanded);
    // The newly shown children take their folder's state; a mixed folder's keep their own.
    if (expanded && node->state() != FileNode::Mixed)
        changeSelectWithNode(node, node->state() == FileNode::On);
}

void Controller::moveFileToTarshWithDic(const std::vector<FileNode*>& list,
                                        std::vector<FileNode*>& collection)
{
    // Empty as shipped; read once per collection.
    const QSet<QString> systemPaths = SystemFolder::systemPaths();
    // Depth first in list order, with an explicit stack of list positions. A list entered
    // because its folder was on but holds a system path is taken as on, whatever its states
    // (a collapsed folder's contents may keep older ones).
    struct Position {
        const std::vector<FileNode*>* list;
        std::size_t index;
        bool allOn;
    };
    std::vector<Position> stack{{&list, 0, false}};
    while (!stack.empty()) {
        Position& position = stack.back();
        if (position.index == position.list->size()) {
            stack.pop_back();
            continue;
        }
        FileNode* node = (*position.list)[position.index++];
        const bool allOn = position.allOn;
        if (allOn || node->state() == FileNode::On) {
            if (!systemPaths.isEmpty()) {
                const QString path = node->path();
                if (systemPaths.contains(path))
                    continue;
                if (node->isDirectory() && SystemFolder::holdsSystemFile(systemPaths, path)) {
                    stack.push_back({&node->children(), 0, true});
                    continue;
                }
            }
            collection.push_back(node);
        } else if (node->state() == FileNode::Mixed && node->childCount() > 0) {
            stack.push_back({&node->children(), 0, false});
        }
    }
}

void Controller::openFileWithFileNode(FileNode* node)
{
    if (!node)
        return;
    const QString error = FileManagerReveal::showItem(node->path());
    if (!error.isEmpty())
        qWarning("%s", qUtf8Printable(error));
}
