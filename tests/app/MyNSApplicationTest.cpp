#include "app/MyNSApplication.h"

#include "ShellTests.h"

#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Counts the presses of letter keys that reach a widget through normal dispatch (QTest also
// presses the modifier keys themselves).
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
    void editShortcutsAreTakenOthersPass_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<int>("presses"); // letter presses that reached the line edit
        // The line edit starts as "hello world" with "world" selected, the clipboard "pasted".
        QTest::newRow("cut") << u"Ctrl+X"_s << u"hello "_s << u"world"_s << 0;
        QTest::newRow("copy") << u"Ctrl+C"_s << u"hello world"_s << u"world"_s << 0;
        QTest::newRow("paste") << u"Ctrl+V"_s << u"hello pasted"_s << u"pasted"_s << 0;
        QTest::newRow("select all, cut") << u"Ctrl+A, Ctrl+X"_s << u""_s << u"hello world"_s << 0;
        QTest::newRow("undo") << u"Ctrl+X, Ctrl+Z"_s << u"hello world"_s << u"world"_s << 0;
        QTest::newRow("redo") << u"Ctrl+X, Ctrl+Z, Ctrl+Shift+Z"_s << u"hello "_s << u"world"_s
                              << 0;
        QTest::newRow("Ctrl+Alt+C") << u"Ctrl+Alt+C"_s << u"hello c"_s << u"pasted"_s << 1;
        QTest::newRow("plain c") << u"C"_s << u"hello c"_s << u"pasted"_s << 1;
    }

    void editShortcutsAreTakenOthersPass()
    {
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(QString, clipboard);
        QFETCH(int, presses);
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
        QCOMPARE(counter.presses, presses);
    }

    void actionTravelsToTheNearestParentThatHasIt()
    {
        CopyResponder responder;
        auto* child = new QLabel(u"child"_s, &responder);
        QLabel alone(u"alone"_s); // nothing above it takes copy: the key goes on as usual
        KeyCounter counter;
        alone.installEventFilter(&counter);
        for (QLabel* label : {child, &alone}) {
            label->setFocusPolicy(Qt::StrongFocus);
            label->window()->show();
            label->setFocus();
            QTest::keyClick(label, Qt::Key_C, Qt::ControlModifier);
        }
        QCOMPARE(responder.copies, 1);
        QCOMPARE(counter.presses, 1);
    }
};

int runMyNSApplicationTest(int argc, char** argv)
{
    MyNSApplicationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MyNSApplicationTest.moc"
