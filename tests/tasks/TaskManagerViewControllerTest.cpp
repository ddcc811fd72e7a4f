#include "tasks/TaskManagerViewController.h"

#include "CloseRequestRecorder.h"
#include "common/SettingsStore.h"
#include "kit/TextImageButton.h"
#include "platform/proc/ProcessHandle.h"
#include "support/ConfirmationAnswer.h"
#include "support/Files.h"
#include "support/WidgetTestMain.h"
#include "tasks/TaskListModel.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

bool lists(const TaskManagerViewController& tab, qint64 pid)
{
    const auto& records = tab.allApplications();
    return std::any_of(records.cbegin(), records.cend(),
                       [pid](const TaskManagerInfo& record) { return record.pID == pid; });
}

TaskManagerInfo application(int pid, const char* name, bool ticked = true)
{
    TaskManagerInfo record;
    record.pID = pid;
    record.name = QString::fromUtf8(name);
    record.appId = record.name.toLower();
    record.bIsSelected = ticked;
    return record;
}

TaskListBuilder::Options roots(const QString& proc, const QString& cgroup = {}, bool windows = true)
{
    TaskListBuilder::Options options;
    options.procRoot = proc;
    options.cgroupRoot = cgroup.isEmpty() ? options.cgroupRoot : cgroup;
    options.readWindows = windows;
    return options;
}

// A tab whose own list holds only what the test gives it (no procfs, no units, no windows),
// once its first reload has come.
struct QuietTab {
    bool loaded()
    {
        QSignalSpy reloaded(&tab, &TaskManagerViewController::applicationsReloaded);
        return reloaded.wait(20000);
    }
    const QTemporaryDir empty;
    TaskManagerViewController tab{roots(empty.path(), empty.path(), false), nullptr};
};

} // namespace

class TaskManagerViewControllerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void untickingAllDisablesCloseAndCloseEndsNothing()
    {
        const QString xmessage = QStandardPaths::findExecutable("xmessage");
        if (QGuiApplication::platformName() != QLatin1String("xcb") || xmessage.isEmpty())
            QSKIP("Needs an X display with a window manager, and xmessage");
        ChildProcess window(xmessage, {"-name", "corvellatab", "an application"});
        TaskManagerViewController tab;
        tab.resize(500, 600);
        tab.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tab));
        QTRY_VERIFY_WITH_TIMEOUT(lists(tab, window.pid()), 20000);
        QTableView* table = tab.listTableView();
        for (int row = 0; row < table->model()->rowCount(); ++row) {
            if (!tab.allApplications().at(row).bIsSelected)
                continue;
            const QModelIndex box = table->model()->index(row, TaskListModel::CheckBoxColumn);
            table->scrollTo(box);
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                              table->visualRect(box).center());
            QVERIFY(!tab.allApplications().at(row).bIsSelected);
        }
        QVERIFY(!tab.closeBut()->isEnabled());
        const qsizetype count = tab.allApplications().size();
        tab.closeButtonAction();
        QCOMPARE(tab.allApplications().size(), count);
        QVERIFY(!tab.closeBut()->isEnabled());
        QVERIFY(!window.process.waitForFinished(500)); // not signalled
    }

    void survivorOfCloseIsOfferedForceQuit()
    {
        QProcess stubborn;
        stubborn.start("/bin/sh", {"-c", "trap '' TERM; echo ready; read line"});
        QVERIFY(stubborn.waitForReadyRead(10000));
        QuietTab quiet;
        TaskManagerViewController& tab = quiet.tab;
        tab.setGraceMilliseconds(300);
        QVERIFY(quiet.loaded());
        const ConfirmationAnswer answer(true);
        TaskManagerInfo record = application(int(stubborn.processId()), "Stubborn");
        record.process = ProcessHandle::open(record.pID, std::nullopt, &record.handleError);
        tab.setApplications({record});
        QSignalSpy checked(&tab, &TaskManagerViewController::survivorsChecked);
        tab.closeButtonAction();
        QVERIFY(tab.allApplications().isEmpty());
        QVERIFY(checked.wait(20000));
        QVERIFY(!tab.forceQuitBut()->isHidden());
        QVERIFY(tab.messageLabel()->text().contains("Stubborn"));
        QCOMPARE(stubborn.state(), QProcess::Running);
        tab.forceQuit();
        QVERIFY(stubborn.waitForFinished(10000));
        QCOMPARE(stubborn.exitStatus(), QProcess::CrashExit);
        tab.setApplications({record}); // ending it again is reported, not silently dropped
        tab.closeButtonAction();
        QVERIFY(tab.messageLabel()->text().contains("already quit"));
    }

    // Refreshes are merged, never rebuilt wholesale: the user's unticks stay, and the selection
    // stays on its application or goes, never to a neighbour.
    void refreshKeepsUnticksAndSelection()
    {
        QuietTab quiet;
        TaskManagerViewController& tab = quiet.tab;
        QVERIFY(quiet.loaded());
        QAbstractItemModelTester tester(tab.model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        const auto ticks = [&tab] {
            QString text;
            for (const TaskManagerInfo& record : tab.allApplications())
                text += (record.bIsSelected ? u'+' : u'-') + record.name + u' ';
            return text;
        };
        const auto selected = [&tab] {
            const QModelIndex current = tab.listTableView()->currentIndex();
            return current.isValid() ? tab.allApplications().at(current.row()).name : QString();
        };
        tab.setApplications(
            {application(11, "Alpha"), application(12, "Beta"), application(13, "Gamma")});
        tab.listTableView()->setCurrentIndex(tab.model()->index(1, 0));
        tab.listTableView()->setCurrentIndex(tab.model()->index(0, 0));
        tab.changeCloseButtonState(); // unticks Alpha
        tab.listTableView()->setCurrentIndex(tab.model()->index(1, 0));
        QCOMPARE(ticks(), QString("-Alpha +Beta +Gamma "));
        // Another order, a newcomer, and the builder's fresh ticks.
        tab.setApplications({application(14, "Delta"), application(13, "Gamma"),
                             application(11, "Alpha"), application(12, "Beta")});
        QCOMPARE(ticks(), QString("+Delta +Gamma -Alpha +Beta "));
        QCOMPARE(selected(), QString("Beta"));
        // A renamed application keeps its row; one that left takes the selection with it.
        tab.setApplications({application(14, "Delta"), application(11, "Alpha")});
        QCOMPARE(selected(), QString());
        QCOMPARE(ticks(), QString("+Delta -Alpha "));
        // The same PID, another application; the list drops every ".app", the record keeps it.
        tab.setApplications({application(14, "Delta"), application(11, "Photo.apple.Tool")});
        QCOMPARE(ticks(), QString("+Delta +Photo.apple.Tool "));
        QCOMPARE(tab.model()->index(1, 0).data().toString(), QString("Photole.Tool"));
    }

#ifdef CLOSE_REQUEST_CLIENT
    // Close names what it will quit and asks; Cancel ends nothing. Confirmed, the application
    // gets its close request, answers it, and never sees a signal.
    void closeAsksThenSendsTheCloseRequestFirst()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("Needs an X display with a window manager");
        Recorder client("answer");
        QVERIFY(client.waitUntilReady(true));
        QVERIFY(
            SettingsStore::standard().setValue(QStringLiteral("ConfirmIrreversibleActions"), true));
        QuietTab quiet;
        TaskManagerViewController& tab = quiet.tab;
        tab.setGraceMilliseconds(3000);
        QVERIFY(quiet.loaded());
        TaskManagerInfo editor = application(client.pid(), "Editor");
        editor.process = ProcessHandle::open(editor.pID, std::nullopt, &editor.handleError);
        tab.setApplications({editor, application(1, "Bystander", false)});
        for (const bool confirm : {false, true}) {
            const ConfirmationAnswer answer(confirm);
            QSignalSpy ended(&tab, &TaskManagerViewController::survivorsChecked);
            tab.closeButtonAction();
            QCOMPARE(answer.asked(), 1);
            QVERIFY(answer.cancelIsDefault());
            QVERIFY2(
                answer.question().startsWith("Quit 1 application? Unsaved changes may be lost.") &&
                    answer.question().contains("“Editor”") &&
                    !answer.question().contains("Bystander"),
                qPrintable(answer.question()));
            if (!confirm) {
                QCOMPARE(tab.allApplications().size(), 2);
                QVERIFY(!client.process.waitForReadyRead(500)); // asked nothing, signalled nothing
                continue;
            }
            QVERIFY(ended.wait(20000));
            QVERIFY(client.process.state() == QProcess::NotRunning ||
                    client.process.waitForFinished(5000));
            QCOMPARE(client.output(), QByteArray("ready\nclose-request\nquit\n"));
            QCOMPARE(tab.allApplications().size(), 1);
            QCOMPARE(tab.allApplications().first().name, QString("Bystander"));
        }
    }
#endif

    // The set of application units is compared at every refresh: a new one is listed.
    void newApplicationUnitIsListedAtNextRefresh()
    {
        QTemporaryDir proc, cgroup;
        const QString user = QString::number(::getuid());
        const QString units = cgroup.path() + "/user.slice/user-" + user + ".slice/user@" + user +
                              ".service/app.slice/";
        for (const char* process : {"4001 (old) S", "4002 (new) S"})
            QVERIFY(files::writeFile(proc.filePath(QString::fromLatin1(process).left(4) + "/stat"),
                                     process + QByteArray(" 1").repeated(20) + '\n'));
        QVERIFY(files::writeFile(units + "app-old-1.scope/cgroup.procs", "4001\n"));
        TaskManagerViewController tab(roots(proc.path(), cgroup.path()), nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(lists(tab, 4001), 20000);
        QVERIFY(!lists(tab, 4002));
        QVERIFY(files::writeFile(units + "app-new-2.scope/cgroup.procs", "4002\n"));
        QTRY_VERIFY_WITH_TIMEOUT(lists(tab, 4002), 20000);
    }
};

CORVELLA_WIDGET_TEST_MAIN(TaskManagerViewControllerTest)

#include "TaskManagerViewControllerTest.moc"
