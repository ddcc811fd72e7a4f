#include "tasks/TaskManagerViewController.h"

#include "kit/TextImageButton.h"
#include "platform/ProcessHandle.h"
#include "support/Files.h"
#include "support/PrivateHome.h"

#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableWidget>
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

} // namespace

class TaskManagerViewControllerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        const QString xmessage = QStandardPaths::findExecutable("xmessage");
        if (QGuiApplication::platformName() != QLatin1String("xcb") || xmessage.isEmpty())
            return;
        m_window.start(xmessage, {"-name", "corvellatab", "an application"});
        m_window.waitForStarted(10000);
    }
    void cleanup()
    {
        m_window.kill();
        m_window.waitForFinished(10000);
    }

    void onlyOwnRowIsUntickedAfterRebuild()
    {
        if (m_window.state() != QProcess::Running)
            QSKIP("Needs an X display with a window manager, and xmessage");
        TaskManagerViewController tab;
        // The window manager's client list tells the tab that the window came.
        QTRY_VERIFY_WITH_TIMEOUT(lists(tab, m_window.processId()), 20000);
        int own = 0;
        for (const TaskManagerInfo& record : tab.allApplications()) {
            QCOMPARE(record.bIsSelected, record.name != QLatin1String("Corvella"));
            own += record.pID == QCoreApplication::applicationPid() ? 1 : 0;
        }
        QCOMPARE(own, 1);
    }

    void untickingAllDisablesCloseAndCloseEndsNothing()
    {
        if (m_window.state() != QProcess::Running)
            QSKIP("Needs an X display with a window manager, and xmessage");
        TaskManagerViewController tab;
        tab.resize(500, 600);
        tab.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tab));
        QTRY_VERIFY_WITH_TIMEOUT(lists(tab, m_window.processId()), 20000);
        QTableWidget* table = tab.listTableView();
        for (int row = 0; row < table->rowCount(); ++row) {
            if (!tab.allApplications().at(row).bIsSelected)
                continue;
            table->scrollToItem(table->item(row, 2));
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                              table->visualItemRect(table->item(row, 2)).center());
            QVERIFY(!tab.allApplications().at(row).bIsSelected);
        }
        QVERIFY(!tab.closeBut()->isEnabled());
        const qsizetype count = tab.allApplications().size();
        tab.closeButtonAction();
        QCOMPARE(tab.allApplications().size(), count);
        QVERIFY(!tab.closeBut()->isEnabled());
        QVERIFY(!m_window.waitForFinished(500)); // not signalled
    }

    void appIsRemovedFromShownNamesOnly()
    {
        TaskManagerViewController tab;
        QSignalSpy reloaded(&tab, &TaskManagerViewController::applicationsReloaded);
        QVERIFY(reloaded.wait(20000));
        TaskManagerInfo record;
        record.name = "Photo.apple.Tool";
        tab.setApplications({record});
        QCOMPARE(tab.listTableView()->item(0, 0)->text(), QString("Photole.Tool"));
        QCOMPARE(tab.allApplications().at(0).name, QString("Photo.apple.Tool"));
    }

    void survivorOfCloseIsOfferedForceQuit()
    {
        QProcess stubborn;
        stubborn.start("/bin/sh", {"-c", "trap '' TERM; echo ready; read line"});
        QVERIFY(stubborn.waitForReadyRead(10000));
        TaskManagerViewController tab;
        QSignalSpy reloaded(&tab, &TaskManagerViewController::applicationsReloaded);
        QVERIFY(reloaded.wait(20000));
        TaskManagerInfo record;
        record.name = "Stubborn";
        record.pID = qint32(stubborn.processId());
        record.bIsSelected = true;
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

    void loadLabelsShowPercentInColour()
    {
        QTemporaryDir proc;
        const auto stat = [&proc](const QByteArray& cpu) {
            return files::writeFile(proc.filePath("stat"), "cpu 0 0 0 0\ncpu0 " + cpu + '\n');
        };
        QVERIFY(stat("0 0 0 0"));
        QVERIFY(files::writeFile(proc.filePath("meminfo"),
                                 "MemTotal: 16777216 kB\nMemFree: 2097152 kB\n"
                                 "MemAvailable: 6291456 kB\n"));
        TaskListBuilder::Options options;
        options.procRoot = proc.path();
        TaskManagerViewController tab(options, nullptr);
        const QColor red(225, 16, 61), blue(46, 127, 231);
        const auto shows = [](QLabel* label, const char* number, const QColor& color) {
            return label->text().contains(QLatin1String(number)) &&
                   label->property("loadColor").value<QColor>().rgb() == color.rgb();
        };
        QTRY_VERIFY_WITH_TIMEOUT(shows(tab.memoryLabel(), ">62.5<", red), 20000);
        QVERIFY(stat("60 0 40 100"));
        QTRY_VERIFY2_WITH_TIMEOUT(shows(tab.cpuLabel(), ">50.0<", blue),
                                  qPrintable(tab.cpuLabel()->text()), 20000);
        QVERIFY(stat("100 0 60 140"));
        QTRY_VERIFY_WITH_TIMEOUT(shows(tab.cpuLabel(), ">60.0<", red), 20000);
    }

    // The set of application units is compared at every refresh: a new one is listed.
    void newApplicationUnitIsListedAtNextRefresh()
    {
        QTemporaryDir proc, cgroup;
        const QString user = QString::number(::getuid());
        const QString units = cgroup.path() + "/user.slice/user-" + user + ".slice/user@" + user +
                              ".service/app.slice/";
        QVERIFY(files::writeFile(units + "app-old-1.scope/cgroup.procs", "4001\n"));
        QVERIFY(files::writeFile(proc.filePath("4001/stat"),
                                 "4001 (old) S" + QByteArray(" 1").repeated(20) + '\n'));
        QVERIFY(files::writeFile(proc.filePath("4002/stat"),
                                 "4002 (new) S" + QByteArray(" 2").repeated(20) + '\n'));
        TaskListBuilder::Options options;
        options.procRoot = proc.path();
        options.cgroupRoot = cgroup.path();
        TaskManagerViewController tab(options, nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(lists(tab, 4001), 20000);
        QVERIFY(!lists(tab, 4002));
        QVERIFY(files::writeFile(units + "app-new-2.scope/cgroup.procs", "4002\n"));
        QTRY_VERIFY_WITH_TIMEOUT(lists(tab, 4002), 20000);
    }

private:
    QProcess m_window;
};

int main(int argc, char** argv)
{
    const PrivateHome home;
    QApplication application(argc, argv);
    TaskManagerViewControllerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "TaskManagerViewControllerTest.moc"
