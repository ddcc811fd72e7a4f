#include "app/MyNSApplication.h"

#include "ShellTests.h"

#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

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
    void mapsEditShortcuts_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("expectedText");
        QTest::addColumn<QString>("expectedClipboard");
        // The line edit starts as "hello world" with "world" selected, the clipboard "pasted".
        QTest::newRow("cut") << int(Qt::Key_X) << "hello "
                             << "world";
        QTest::newRow("copy") << int(Qt::Key_C) << "hello world"
                              << "world";
        QTest::newRow("paste") << int(Qt::Key_V) << "hello pasted"
                               << "pasted";
        QTest::newRow("select all then cut") << int(Qt::Key_A) << ""
                                             << "hello world";
    }

    void mapsEditShortcuts()
    {
        QFETCH(int, key);
        QFETCH(QString, expectedText);
        QFETCH(QString, expectedClipboard);
        QLineEdit edit(QStringLiteral("hello world"));
        edit.setSelection(6, 5);
        edit.show();
        edit.activateWindow();
        edit.setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&edit) || QApplication::focusWidget() == &edit);
        QApplication::clipboard()->setText(QStringLiteral("pasted"));
        KeyCounter counter;
        edit.installEventFilter(&counter);
        QTest::keyClick(&edit, Qt::Key(key), Qt::ControlModifier);
        if (key == Qt::Key_A)
            QTest::keyClick(&edit, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(edit.text(), expectedText);
        QCOMPARE(QApplication::clipboard()->text(), expectedClipboard);
        // The application took the shortcut itself: the line edit never saw the key press.
        QCOMPARE(counter.presses, 0);
    }

    void otherKeysReachNormalDispatch_data()
    {
        QTest::addColumn<bool>("onLabel");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Ctrl+Alt+C") << false << int(Qt::ControlModifier | Qt::AltModifier);
        QTest::newRow("plain c") << false << int(Qt::NoModifier);
        // A label has no copy action and nothing above it does.
        QTest::newRow("Ctrl+C without a taker") << true << int(Qt::ControlModifier);
    }

    void otherKeysReachNormalDispatch()
    {
        QFETCH(bool, onLabel);
        QFETCH(int, modifiers);
        const std::unique_ptr<QWidget> widget(onLabel ? static_cast<QWidget*>(new QLabel)
                                                      : new QLineEdit);
        widget->setFocusPolicy(Qt::StrongFocus);
        widget->show();
        widget->setFocus();
        KeyCounter counter;
        widget->installEventFilter(&counter);
        QTest::keyClick(widget.get(), Qt::Key_C, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(counter.presses, 1);
    }

    void actionTravelsToTheNearestParentThatHasIt()
    {
        CopyResponder responder;
        auto* label = new QLabel(QStringLiteral("child"), &responder);
        label->setFocusPolicy(Qt::StrongFocus);
        (new QVBoxLayout(&responder))->addWidget(label);
        responder.show();
        label->setFocus();
        QTest::keyClick(label, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(responder.copies, 1);
        // Undo and redo reach a line edit's own slots.
        QLineEdit edit;
        edit.show();
        edit.setFocus();
        QTest::keyClicks(&edit, QStringLiteral("abc"));
        QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(edit.text(), QString());
        QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(edit.text(), QStringLiteral("abc"));
    }
};

int runMyNSApplicationTest(int argc, char** argv)
{
    MyNSApplicationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MyNSApplicationTest.moc"
