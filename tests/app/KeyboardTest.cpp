// The panel driven by key presses alone: tabs, a launch, a dialog and the panel closed.
#include "ShellTests.h"
#include "app/AppDelegate.h"
#include "apps/ApplicationsViewController.h"
#include "kit/IconATextButton.h"
#include "kit/ImageButton.h"
#include "kit/TextImageButton.h"
#include "support/Files.h"
#include "system/AboutThisMacViewController.h"
#include "system/QuickVisitViewController.h"
#include "tasks/TaskManagerViewController.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

struct Delegate : AppDelegate {
    Delegate() : AppDelegate(std::make_unique<RecordingPowerService>()) {}
    bool isSystemTrayAvailable() const override { return true; }
};

void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keyboardAloneWalksThePanel()
    {
        // An application whose launch leaves a mark; written before the panel scans.
        const QString mark = QDir::homePath() + u"/launched by keyboard"_s;
        QVERIFY(writeFile(qEnvironmentVariable("XDG_DATA_HOME") + u"/applications/kf.desktop"_s,
                          "[Desktop Entry]\nType=Application\nName=Keyfinder\nExec=touch \"" +
                              QFile::encodeName(mark) + "\"\n"));
        Delegate delegate;
        delegate.showMainWindow();
        QVERIFY(QTest::qWaitForWindowActive(delegate.mainAttachedWindow()));
        MainViewController* panel = delegate.mainWC();
        auto* apps =
            qobject_cast<ApplicationsViewController*>(panel->tabController(u"Applications"_s));
        QTRY_VERIFY_WITH_TIMEOUT(apps->textField()->isEnabled(), 10000);

        // Every Ctrl+digit shows its tab and puts the focus in it.
        const QStringList& tabs = MainViewController::tabIdentifiers();
        for (int index = tabs.size() - 1; index >= 0; --index) {
            press(Qt::Key_1 + index, Qt::ControlModifier);
            QCOMPARE(panel->currentTabIdentifier(), tabs[index]);
            QCOMPARE(delegate.typeIdStr(), tabs[index]);
            QVERIFY(panel->tabController(tabs[index])->isAncestorOf(QApplication::focusWidget()));
        }

        // Applications: the search and Enter open the first match.
        QCOMPARE(QApplication::focusWidget(), apps->textField());
        QSignalSpy launched(apps, &ApplicationsViewController::launchFinished);
        QTest::keyClicks(apps->textField(), u"keyf"_s);
        press(Qt::Key_Return);
        QVERIFY(launched.wait(10000));
        QCOMPARE(launched.at(0).at(1).toString(), QString());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(mark), 10000);

        // Task Manager: Tab from the list reaches Close, and Tab from there the tab column,
        // where the arrow keys move between tabs.
        press(Qt::Key_2, Qt::ControlModifier);
        auto* tasks =
            qobject_cast<TaskManagerViewController*>(panel->tabController(u"TaskManager"_s));
        QCOMPARE(QApplication::focusWidget(), tasks->listTableView());
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), tasks->closeBut());
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), panel->tabButton(u"Applications"_s));
        press(Qt::Key_Right);
        press(Qt::Key_Right);
        press(Qt::Key_Left);
        QCOMPARE(panel->currentTabIdentifier(), u"TaskManager"_s);
        QCOMPARE(QApplication::focusWidget(), panel->tabButton(u"TaskManager"_s));

        // Quick Visit: Tab down to About This Computer, Space opens it, Escape closes it.
        press(Qt::Key_6, Qt::ControlModifier);
        auto* visit =
            qobject_cast<QuickVisitViewController*>(panel->tabController(u"QuickVisit"_s));
        for (int step = 0; step < 12 && QApplication::focusWidget() != visit->aboutBut(); ++step)
            press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), visit->aboutBut());
        bool closed = false;
        QTimer::singleShot(0, this, [&closed] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog || !dialog->findChild<AboutThisMacViewController*>())
                return;
            QTest::keyClick(dialog, Qt::Key_Escape);
            closed = !dialog->isVisible();
            dialog->close(); // the run ends either way
        });
        press(Qt::Key_Space); // returns when the dialog's run ends
        QVERIFY(closed);

        // Escape closes the panel itself.
        QVERIFY(QTest::qWaitForWindowActive(delegate.mainAttachedWindow()));
        press(Qt::Key_Escape);
        QVERIFY(!delegate.isOpenMainWindow() && !delegate.mainAttachedWindow());
    }
};

static const bool registered = addShellTest<KeyboardTest>();

#include "KeyboardTest.moc"
