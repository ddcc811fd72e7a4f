#pragma once

#include <QString>

class QWidget;

// The question asked before an action that cannot be undone. Cancel is the default button and
// Escape's answer, so a stray Return or Space never confirms; the action's own button names
// what it does ("Erase", "Empty Trash", "Shut Down").
class ConfirmationDialog {
public:
    ConfirmationDialog() = delete;

    // The dialog's object name, by which tests and screenshots find it.
    static constexpr const char* objectName = "confirmation";

    // Asks in a modal dialog over parent's window (or alone without one) and answers whether
    // the user chose the action. Runs a local event loop; GUI thread only.
    static bool ask(QWidget* parent, const QString& question, const QString& detail,
                    const QString& actionTitle);
};
