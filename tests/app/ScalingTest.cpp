// Every window fits the screen's available area at scale 1, 1.5 and 2, with every button in view
// or reachable by scrolling. The scale must be set before the application exists, so the binary
// runs itself once per factor.
#include "ShellTests.h"
#include "app/AboutViewController.h"
#include "app/MainViewController.h"
#include "disks/FormatEndViewController.h"
#include "disks/MakeSureFormatVCDelegate.h"
#include "disks/MakeSureFormatViewController.h"
#include "downloads/DownloadViewController.h"
#include "kit/ConfirmationDialog.h"
#include "kit/StatusAttachedWindow.h"
#include "platform/x11/WindowSystem.h"
#include "support/PrivateHome.h"
#include "system/AboutThisMacViewController.h"
#include "trash/TrashViewController.h"
#include "update/GXCheckUpdateViewController.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QScrollArea>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
struct NoFormat : MakeSureFormatVCDelegate {
    void makeSureToFormatSelectVolumeWithName(const QString&, const QString&) override {}
};
} // namespace

// One run at the scale factor of its environment.
class ScaledWindowsTest : public QObject {
    Q_OBJECT
    RecordingPowerService m_power;
    NoFormat m_noFormat;

private Q_SLOTS:
    void initTestCase() // the screen is 800 device pixels high whatever the factor
    {
        const QScreen* screen = QGuiApplication::primaryScreen();
        QCOMPARE(qRound(screen->geometry().height() * screen->devicePixelRatio()), 800);
    }

    void windowFitsWithButtonsReachable_data()
    {
        QTest::addColumn<int>("kind");
        int kind = 0;
        for (const char* name : {"panel", "downloads", "trash", "about this computer", "update",
                                 "about", "format question", "format result"})
            QTest::newRow(name) << kind++;
    }

    void windowFitsWithButtonsReachable()
    {
        QFETCH(int, kind);
        QWidget* const views[] = {
            kind == 0 ? new MainViewController(&m_power, &WindowSystem::instance()) : nullptr,
            kind == 1 ? new DownloadViewController : nullptr,
            kind == 2 ? new TrashViewController : nullptr,
            kind == 3 ? new AboutThisMacViewController : nullptr,
            kind == 4 ? new GXCheckUpdateViewController : nullptr,
            kind == 5 ? new AboutViewController : nullptr,
            kind == 6 ? new MakeSureFormatViewController(&m_noFormat) : nullptr,
            kind == 7 ? new FormatEndViewController(false, u"Formatting failed."_s) : nullptr};
        QWidget* view = views[kind];
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        const std::unique_ptr<StatusAttachedWindow> window(
            StatusAttachedWindow::create(view, QPointF(area.bottomRight()), nullptr, 1, 5.0f));
        QVERIFY(area.contains(window->geometry())); // hung below a point at the screen's foot
        window->center();                           // as every window is placed
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QTRY_VERIFY2(area.contains(window->frameGeometry()),
                     qPrintable(u"%1,%2 %3x%4"_s.arg(window->x())
                                    .arg(window->y())
                                    .arg(window->width())
                                    .arg(window->height())));
        QScrollArea* scroll = window->scrollArea();
        const QWidget* shown = scroll ? scroll->viewport() : view;
        const QRect visible(shown->mapTo(window.get(), QPoint()), shown->size());
        int checked = 0;
        for (QAbstractButton* button : view->findChildren<QAbstractButton*>()) {
            if (!button->isVisibleTo(view))
                continue;
            if (scroll)
                scroll->ensureWidgetVisible(button, 0, 0);
            const QRect at(button->mapTo(window.get(), QPoint()), button->size());
            QVERIFY2(visible.contains(at), qPrintable(button->text() + button->objectName()));
            ++checked;
        }
        QVERIFY(checked > 0);
    }

    void confirmationQuestionFits()
    {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QRect shown;
        QDeadlineTimer settled(5000); // for the window manager's frame
        QTimer poll;
        poll.callOnTimeout([&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box && box->windowHandle() && box->windowHandle()->isExposed()) {
                shown = box->frameGeometry();
                if (area.contains(shown) || settled.hasExpired())
                    box->reject();
            }
        });
        poll.start(20);
        ConfirmationDialog::ask(nullptr, u"Erase these 3 items?"_s,
                                u"/home/user/Downloads/"_s + u"a-very-long-name "_s.repeated(40),
                                u"Erase"_s);
        QVERIFY(area.contains(shown));
    }
};

// The runs, one per factor.
class ScalingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyScale_data()
    {
        QTest::addColumn<QString>("factor");
        for (const char* factor : {"1", "1.5", "2"})
            QTest::newRow(factor) << QString::fromLatin1(factor);
    }

    void everyScale()
    {
        QFETCH(QString, factor);
        QProcess run;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"QT_SCALE_FACTOR"_s, factor);
        environment.insert(u"CORVELLA_SCALED_RUN"_s, u"1"_s);
        run.setProcessEnvironment(environment);
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start(QCoreApplication::applicationFilePath(), {});
        const bool finished = run.waitForFinished(150000);
        if (!finished)
            run.kill(), run.waitForFinished();
        const QByteArray output = run.readAll();
        const bool passed = finished && run.exitStatus() == QProcess::NormalExit && !run.exitCode();
        if (!passed)
            std::fwrite(output.constData(), 1, size_t(output.size()), stdout);
        QVERIFY2(passed, "the run at this factor failed; its output is above");
    }
};

int main(int argc, char** argv)
{
    const PrivateHome home;
    qputenv("XDG_DATA_DIRS", QFile::encodeName(home.path("system-data")));
    qputenv("CORVELLA_SYSFS_ROOT", QFile::encodeName(home.path("sysroot")));
    QApplication application(argc, argv);
    if (!home.isValid())
        return 1;
    if (qEnvironmentVariableIsSet("CORVELLA_SCALED_RUN")) {
        ScaledWindowsTest test;
        return QTest::qExec(&test, argc, argv);
    }
    ScalingTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ScalingTest.moc"
