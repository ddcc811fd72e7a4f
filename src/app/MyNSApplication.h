#pragma once

#include <QApplication>

// The application object. Before normal dispatch it maps the edit shortcuts Ctrl+X, C, V, Z, A
// (Ctrl is Linux's Command key) and Ctrl+Shift+Z to cut, copy, paste, undo, select all and
// redo on the focused widget or the nearest of its parents that offers the action. A shortcut
// that nobody takes goes on to normal dispatch.
class MyNSApplication : public QApplication {
    Q_OBJECT
public:
    MyNSApplication(int& argc, char** argv);

    // The action slot ("cut", "copy", ...) a key press maps to, or nothing.
    static const char* actionForKey(int key, Qt::KeyboardModifiers modifiers);
    // Invokes the action on the focus widget or its nearest parent that has it, the way a
    // responder chain would. Returns whether anyone took it.
    static bool sendAction(const char* action, QWidget* focusWidget);

    bool notify(QObject* receiver, QEvent* event) override;
};
