#pragma once

#include <QString>

// How the main panel talks back to its owner. Every operation is optional: the defaults do
// nothing, so an owner implements only what it needs.
class MainViewControllerDelegate {
public:
    virtual ~MainViewControllerDelegate() = default;
    // The panel's close button: close the panel.
    virtual void closeMainWindow() {}
    // The user picked a tab; remember it for the next opening.
    virtual void changeSelectTypeWithIdStr(const QString& identifier) { Q_UNUSED(identifier); }
};
