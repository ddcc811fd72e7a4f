#include "app/MyNSApplication.h"

#include <QKeyEvent>
#include <QMetaMethod>
#include <QWidget>

MyNSApplication::MyNSApplication(int& argc, char** argv) : QApplication(argc, argv) {}

const char* MyNSApplication::actionForKey(int key, Qt::KeyboardModifiers modifiers)
{
    // Caps Lock is not a modifier here, so Ctrl with Caps Lock arrives as plain Ctrl.
    const Qt::KeyboardModifiers relevant = modifiers & ~Qt::KeypadModifier;
    if (relevant == Qt::ControlModifier) {
        switch (key) {
        case Qt::Key_X:
            return "cut";
        case Qt::Key_C:
            return "copy";
        case Qt::Key_V:
            return "paste";
        case Qt::Key_Z:
            return "undo";
        case Qt::Key_A:
            return "selectAll";
        default:
            return nullptr;
        }
    }
    if (relevant == (Qt::ControlModifier | Qt::ShiftModifier) && key == Qt::Key_Z)
        return "redo";
    return nullptr;
}

bool MyNSApplication::sendAction(const char* action, QWidget* focusWidget)
{
    const QByteArray signature = QByteArray(action) + "()";
    for (QWidget* responder = focusWidget; responder; responder = responder->parentWidget()) {
        const QMetaObject* meta = responder->metaObject();
        const int index = meta->indexOfMethod(signature.constData());
        if (index < 0 || !responder->isEnabled())
            continue;
        const QMetaMethod method = meta->method(index);
        if (method.methodType() != QMetaMethod::Slot)
            continue;
        return method.invoke(responder, Qt::DirectConnection);
    }
    return false;
}

bool MyNSApplication::notify(QObject* receiver, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        if (const char* action = actionForKey(keyEvent->key(), keyEvent->modifiers())) {
            // Key presses go to the focus widget (or, with no active window, straight to the
            // receiver); the responder chain starts there.
            auto* widget = qobject_cast<QWidget*>(receiver);
            if (widget && (widget == focusWidget() || !focusWidget()) && sendAction(action, widget))
                return true;
        }
    }
    return QApplication::notify(receiver, event);
}
