#include "app/MyNSApplication.h"

#include "ShellTests.h"

#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Counts the letter keys (not the modifiers QTest also presses) that reach a widget.
class KeyCounter : public QObject {
public:
    int presses = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            presses += key >= Qt::Key_A && key <= Qt::Key_Z ? 1 : 0;
        }
        return false;
    }
};

// A plain widget that only answers copy(): the action should reach it from a focused child.
class CopyResponder : public QWidget {
    Q_OBJECT
public:
    int copies = 0;
public Q_SLOTS:
    void copy() { ++copies; }
};

} // namespace

class MyNSApplicationTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void editShortcutsAreTakenAndStopThere_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("clipboard");
        // The line edit starts as "hello world" with "world" selected, the clipboard "pasted".
        QTest::newRow("cut") << u"Ctrl+X"_s << u"hello "_s << u"world"_s;
        QTest::newRow("copy") << u"Ctrl+C"_s << u"hello world"_s << u"world"_s;
        QTest::newRow("paste") << u"Ctrl+V"_s << u"hello pasted"_s << u"pasted"_s;
        QTest::newRow("select all, cut") << u"Ctrl+A, Ctrl+X"_s << u""_s << u"hello world"_s;
        QTest::newRow("undo") << u"Ctrl+X, Ctrl+Z"_s << u"hello world"_s << u"world"_s;
        QTest::newRow("redo") << u"Ctrl+X, Ctrl+Z, Ctrl+Shift+Z"_s << u"hello "_s << u"world"_s;
    }

    void editShortcutsAreTakenAndStopThere()
    {
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(QString, clipboard);
        QLineEdit edit(u"hello world"_s);
        edit.setSelection(6, 5);
        edit.show();
        edit.activateWindow();
        edit.setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&edit) || QApplication::focusWidget() == &edit);
        QApplication::clipboard()->setText(u"pasted"_s);
        KeyCounter counter;
        edit.installEventFilter(&counter);
        QTest::keySequence(&edit, QKeySequence(keys));
        QCOMPARE(edit.text(), text);
        QCOMPARE(QApplication::clipboard()->text(), clipboard);
        QCOMPARE(counter.presses, 0); // the letter never reached the line edit itself
    }

    void actionTravelsToTheNearestParentThatHasIt()
    {
        CopyResponder responder;
        auto* child = new QLabel(u"child"_s, &responder);
        child->setFocusPolicy(Qt::StrongFocus);
        responder.show();
        child->setFocus();
        QTest::keyClick(child, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(responder.copies, 1);
    }
};

static const bool registered = addShellTest<MyNSApplicationTest>();

#include "MyNSApplicationTest.moc"
