#pragma once

#include <QString>

struct RemovalOutcome;

// What the Downloads cleaner tells its view. Every operation is optional (the defaults do
// nothing). Scan and removal reports arrive on worker threads; a view marshals them to its own.
class ControllerDelegate {
public:
    virtual ~ControllerDelegate() = default;
    // Show the select-all button as off (0), on (1) or mixed (2).
    virtual void changeSelectAllButtonState(int state) { Q_UNUSED(state); }
    // Reload the tree from the lists.
    virtual void reloadTreeList() {}
    // Progress of a removal run: the percentage and the item about to be removed, or being erased
    // (the percentage then moves on within the item's step as its entries go); 100 ends the run.
    virtual void changeRemoveProgressWithPoint(int percent, const QString& path)
    {
        Q_UNUSED(percent);
        Q_UNUSED(path);
    }
    // Sent at the end of every run that had something to remove, before the final 100: each
    // item that stays with its reason, whether the run was stopped, what was kept.
    virtual void removeFinishedWithOutcome(const RemovalOutcome& outcome) { Q_UNUSED(outcome); }
    // The scan listed its whole folder.
    virtual void endProScan() {}
};
