// Every window fits the screen's available area at the run's scale factor (ctest runs this binary
// at 1, 1.5 and 2 on the 800-pixel-high test screen), each button in view or reached by scrolling.
#include "app/AboutViewController.h"
#include "app/MainViewController.h"
#include "disks/FormatEndViewController.h"
#include "disks/MakeSureFormatViewController.h"
#include "downloads/DownloadViewController.h"
#include "kit/StatusAttachedWindow.h"
#include "platform/x11/WindowSystem.h"
#include "support/WidgetTestMain.h"
#include "system/AboutThisMacViewController.h"
#include "trash/TrashViewController.h"
#include "update/GXCheckUpdateViewController.h"

#include <QAbstractButton>
#include <QScreen>
#include <QScrollArea>

class ScalingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowFits_data()
    {
        QTest::addColumn<int>("kind");
        int kind = 0;
        for (const char* name : {"panel", "downloads", "trash", "about this computer", "update",
                                 "about", "format question", "format result"})
            QTest::newRow(name) << kind++;
    }

    void windowFits()
    {
        QFETCH(int, kind);
        const QScreen* screen = QGuiApplication::primaryScreen();
        QCOMPARE(qRound(screen->geometry().height() * screen->devicePixelRatio()), 800);
        const QRect area = screen->availableGeometry();
        QWidget* const views[] = {
            kind == 0 ? new MainViewController(nullptr, &WindowSystem::instance()) : nullptr,
            kind == 1 ? new DownloadViewController : nullptr,
            kind == 2 ? new TrashViewController : nullptr,
            kind == 3 ? new AboutThisMacViewController : nullptr,
            kind == 4 ? new GXCheckUpdateViewController : nullptr,
            kind == 5 ? new AboutViewController : nullptr,
            kind == 6 ? new MakeSureFormatViewController(nullptr) : nullptr,
            kind == 7 ? new FormatEndViewController(false, QStringLiteral("Failed.")) : nullptr};
        QWidget* view = views[kind];
        const std::unique_ptr<StatusAttachedWindow> window(
            StatusAttachedWindow::create(view, QPointF(area.bottomRight()), nullptr, 1, 5.0f));
        QVERIFY(area.contains(window->geometry())); // hung below a point at the screen's foot
        window->center();                           // as every window is placed
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QTRY_VERIFY(area.contains(window->frameGeometry()));
        QScrollArea* scroll = window->scrollArea();
        const QWidget* shown = scroll ? scroll->viewport() : view;
        const QRect visible(shown->mapTo(window.get(), QPoint()), shown->size());
        int checked = 0;
        for (QAbstractButton* button : view->findChildren<QAbstractButton*>()) {
            if (scroll && button->isVisibleTo(view))
                scroll->ensureWidgetVisible(button, 0, 0);
            QVERIFY(!button->isVisibleTo(view) ||
                    visible.contains(QRect(button->mapTo(window.get(), QPoint()), button->size())));
            checked += button->isVisibleTo(view);
        }
        QVERIFY(checked > 0);
    }
};

CORVELLA_WIDGET_TEST_MAIN(ScalingTest)

#include "ScalingTest.moc"
