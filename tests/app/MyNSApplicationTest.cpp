#include "MyNSApplicationTest.h"

#include "app/MyNSApplication.h"

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
            if (key >= Qt::Key_A && key <= Qt::Key_Z)
                ++presses;
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

void MyNSApplicationTest::mapsEditShortcuts_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<QString>("expectedClipboard");
    // The line edit starts as "hello world" with "world" selected and the clipboard "pasted".
    QTest::newRow("cut") << int(Qt::Key_X) << int(Qt::ControlModifier) << "hello "
                         << "world";
    QTest::newRow("copy") << int(Qt::Key_C) << int(Qt::ControlModifier) << "hello world"
                          << "world";
    QTest::newRow("paste") << int(Qt::Key_V) << int(Qt::ControlModifier) << "hello pasted"
                           << "pasted";
    QTest::newRow("select all then cut") << int(Qt::Key_A) << int(Qt::ControlModifier) << ""
                                         << "hello world";
}

void MyNSApplicationTest::mapsEditShortcuts()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, expectedText);
    QFETCH(QString, expectedClipboard);

    QLineEdit edit;
    edit.setText(QStringLiteral("hello world"));
    edit.setSelection(6, 5);
    edit.show();
    edit.activateWindow();
    edit.setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&edit) || QApplication::focusWidget() == &edit);
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    KeyCounter counter;
    edit.installEventFilter(&counter);

    QTest::keyClick(&edit, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    if (key == Qt::Key_A)
        QTest::keyClick(&edit, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(edit.text(), expectedText);
    QCOMPARE(QApplication::clipboard()->text(), expectedClipboard);
    // The application took the shortcut itself: the line edit never saw the key press.
    QCOMPARE(counter.presses, 0);
}

void MyNSApplicationTest::unmappedShortcutsReachNormalDispatch_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Ctrl+Alt+C") << int(Qt::Key_C) << int(Qt::ControlModifier | Qt::AltModifier);
    QTest::newRow("Alt+C") << int(Qt::Key_C) << int(Qt::AltModifier);
    QTest::newRow("Ctrl+B") << int(Qt::Key_B) << int(Qt::ControlModifier);
    QTest::newRow("plain x") << int(Qt::Key_X) << int(Qt::NoModifier);
}

void MyNSApplicationTest::unmappedShortcutsReachNormalDispatch()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QCOMPARE(MyNSApplication::actionForKey(key, Qt::KeyboardModifiers(modifiers)), nullptr);
    QLineEdit edit;
    edit.show();
    edit.setFocus();
    KeyCounter counter;
    edit.installEventFilter(&counter);
    QTest::keyClick(&edit, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(counter.presses, 1);
}

void MyNSApplicationTest::actionNobodyTakesReachesNormalDispatch()
{
    QCOMPARE(QByteArray(
                 MyNSApplication::actionForKey(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier)),
             QByteArray("redo"));
    QCOMPARE(QByteArray(MyNSApplication::actionForKey(Qt::Key_Z, Qt::ControlModifier)),
             QByteArray("undo"));
    // A label has no copy action and nothing above it does: the key press goes on as usual.
    QWidget window;
    auto* label = new QLabel(QStringLiteral("text"), &window);
    label->setFocusPolicy(Qt::StrongFocus);
    window.show();
    label->setFocus();
    KeyCounter counter;
    label->installEventFilter(&counter);
    QTest::keyClick(label, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(counter.presses, 1);
}

void MyNSApplicationTest::actionTravelsToTheNearestParentThatHasIt()
{
    CopyResponder responder;
    auto* layout = new QVBoxLayout(&responder);
    auto* label = new QLabel(QStringLiteral("child"), &responder);
    label->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(label);
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

#include "MyNSApplicationTest.moc"
