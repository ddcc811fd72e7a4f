#include "app/MyNSApplication.h"

#include "ShellTests.h"

#include <QClipboard>
#include <QKeyEvent>
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

} // namespace

class MyNSApplicationTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The line edit starts as "hello world" with "world" selected, the clipboard "pasted".
    void editShortcutsAreTakenAndStopThere()
    {
        const struct {
            QString keys, text, clipboard;
        } rows[] = {{u"Ctrl+X"_s, u"hello "_s, u"world"_s},
                    {u"Ctrl+C"_s, u"hello world"_s, u"world"_s},
                    {u"Ctrl+V"_s, u"hello pasted"_s, u"pasted"_s},
                    {u"Ctrl+A, Ctrl+X"_s, u""_s, u"hello world"_s},
                    {u"Ctrl+X, Ctrl+Z"_s, u"hello world"_s, u"world"_s},
                    {u"Ctrl+X, Ctrl+Z, Ctrl+Shift+Z"_s, u"hello "_s, u"world"_s}};
        for (const auto& [keys, text, clipboard] : rows) {
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
            // The letter never reaches the line edit itself.
            QCOMPARE(
                std::tuple(keys, edit.text(), QApplication::clipboard()->text(), counter.presses),
                std::tuple(keys, text, clipboard, 0));
        }
    }
};

static const bool registered = registerTest<MyNSApplicationTest>();

#include "MyNSApplicationTest.moc"
