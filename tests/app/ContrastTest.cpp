// Every window of the catalogue in ShellTests.h, shown as the panel shows it:
// - textIsReadable: in the light and the dark scheme, switched while the window is shown through a
//   settings portal stand-in on the private session bus, each text of a label, a button or a list
//   cell stands out at least 4.5:1 (WCAG) from its pixels' background, over a white and a black
//   desktop: a translucent background or a hard-coded colour cannot hide behind the palette.
// - windowFits: the window fits the screen's available area at the run's scale factor (ctest runs
//   it at 1, 1.5 and 2 on the 800-pixel-high test screen), each button in view or by scrolling.
#include "ShellTests.h"
#include "kit/ColorScheme.h"
#include "kit/ConfirmationDialog.h"
#include "platform/dbus/DesktopAppearance.h"
#include "platform/standins/SettingsPortalStandIn.h"
#include "support/WidgetTestMain.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QDBusConnectionInterface>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>

#include <map>

using namespace Qt::StringLiterals;

namespace {

// The least contrast of any text in `window` (a label's, a button's, a list cell's), read from
// its pixels over a white and over a black desktop; the weakest text is named in `weakest`.
qreal leastContrast(QWidget* window, QString* weakest)
{
    const QImage drawn = window->grab().toImage();
    const qreal ratio = drawn.devicePixelRatio();
    qreal least = 21;
    const auto check = [&](QWidget* widget, const QRect& area, const QString& what) {
        const QRectF frame(QPointF(widget->mapTo(window, area.topLeft())) * ratio,
                           QSizeF(area.size()) * ratio);
        const QRect pixels = frame.toRect().intersected(drawn.rect());
        if (pixels.width() < 2 || pixels.height() < 2)
            return;
        for (const QColor desktop : {QColor(Qt::white), QColor(Qt::black)}) {
            QImage seen(pixels.size(), QImage::Format_RGB32);
            seen.fill(desktop);
            QPainter(&seen).drawImage(QPoint(), drawn, pixels);
            std::map<QRgb, int> counts; // the most frequent colour is the background
            for (int y = 0; y < seen.height(); ++y)
                for (int x = 0; x < seen.width(); ++x)
                    ++counts[seen.pixel(x, y)];
            QRgb background = counts.begin()->first;
            for (const auto& [color, count] : counts)
                background = count > counts[background] ? color : background;
            qreal best = 1; // the text's own colour stands out most
            for (const auto& [color, count] : counts)
                best =
                    std::max(best, ColorScheme::contrastRatio(QColor(color), QColor(background)));
            if (best < least) {
                least = best;
                *weakest =
                    u"%1 (%2 on %3)"_s.arg(what, QColor(background).name()).arg(best, 0, 'f', 2);
            }
        }
    };
    const auto shown = [window](QWidget* widget) {
        return widget->isVisibleTo(window) && widget->isEnabled();
    };
    for (QLabel* label : window->findChildren<QLabel*>())
        if (shown(label) && !label->text().trimmed().isEmpty())
            check(label, label->contentsRect(), label->text());
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (shown(button) && !button->text().trimmed().isEmpty())
            check(button, button->rect(), button->text());
    for (QAbstractItemView* view : window->findChildren<QAbstractItemView*>()) {
        if (!shown(view) || !view->model())
            continue;
        for (int row = 0; row < std::min(view->model()->rowCount(), 12); ++row)
            for (int column = 0; column < view->model()->columnCount(); ++column) {
                const QModelIndex index = view->model()->index(row, column);
                if (!index.data().toString().isEmpty())
                    check(view->viewport(),
                          view->visualRect(index).intersected(view->viewport()->rect()),
                          index.data().toString());
            }
    }
    return least;
}

} // namespace

class ContrastTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
        if (address.isEmpty())
            return; // textIsReadable skips
        m_portalBus = QDBusConnection::connectToBus(address, u"portal-standin"_s);
        QVERIFY(m_portalBus.registerVirtualObject(SettingsPortalStandIn::path(), &m_portal));
        QCOMPARE(
            m_portalBus.interface()->registerService(SettingsPortalStandIn::serviceName()).value(),
            QDBusConnectionInterface::ServiceRegistered);
        ColorScheme::follow(new DesktopAppearance(QDBusConnection::sessionBus(), this));
    }

    void textIsReadable_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("name");
        // Light and dark in turn, so that every row switches the scheme, both ways.
        for (const auto& [name, make] : panelWindows())
            for (const bool dark : {false, true})
                QTest::addRow("%s %s", dark ? "dark" : "light", qPrintable(name)) << dark << name;
        QTest::newRow("light question over the panel") << false << u"question"_s;
        QTest::newRow("dark question over the panel") << true << u"question"_s;
    }

    void textIsReadable()
    {
        QFETCH(bool, dark);
        QFETCH(QString, name);
        if (!m_portalBus.isConnected())
            QSKIP("needs the test environment's private session bus");
        const bool question = name == u"question";
        QWidget* view = panelWindows().at(question ? u"panel"_s : name)();
        const std::unique_ptr<StatusAttachedWindow> window = showAttached(view);
        QVERIFY(window);
        // The window was made in the other scheme (the row before's): it follows the change.
        m_portal.setColorScheme(dark ? 1 : 2);
        SettingsPortalStandIn::emitSettingChanged(m_portalBus, u"org.freedesktop.appearance"_s,
                                                  u"color-scheme"_s,
                                                  QVariant::fromValue(dark ? 1u : 2u));
        QTRY_COMPARE(ColorScheme::isDark(QApplication::palette()), dark);
        QCoreApplication::processEvents(); // style sheets are set again once widgets took it
        fillWindow(view);
        QString weakest;
        auto* panel = qobject_cast<MainViewController*>(view);
        if (question) { // over the panel, as Empty Trash asks it
            qreal least = 0;
            bool opaque = false;
            QTimer::singleShot(200, this, [&] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    const QImage image =
                        box->grab().toImage().convertToFormat(QImage::Format_ARGB32);
                    // Nothing of the translucent panel shows through the dialog.
                    const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
                    opaque = std::all_of(pixels, pixels + image.width() * image.height(),
                                         [](QRgb pixel) { return qAlpha(pixel) == 255; });
                    least = leastContrast(box, &weakest);
                    box->reject();
                }
            });
            QVERIFY(!ConfirmationDialog::ask(panel, u"Empty the Trash?"_s,
                                             u"Its 3 items are erased for good."_s,
                                             u"Empty Trash"_s));
            QVERIFY(opaque);
            QVERIFY2(least >= 4.5, qPrintable(weakest));
            return;
        }
        // The panel on each tab; the other windows as they are.
        for (const QString& tab :
             panel ? MainViewController::tabIdentifiers() : QStringList{QString()}) {
            if (panel)
                panel->changeTabWithidStr(tab);
            QVERIFY2(leastContrast(window.get(), &weakest) >= 4.5,
                     qPrintable(tab + u": "_s + weakest));
        }
    }

    void windowFits_data()
    {
        QTest::addColumn<QString>("name");
        for (const auto& [name, make] : panelWindows())
            QTest::newRow(qPrintable(name)) << name;
    }

    void windowFits()
    {
        QFETCH(QString, name);
        const QScreen* screen = QGuiApplication::primaryScreen();
        QCOMPARE(qRound(screen->geometry().height() * screen->devicePixelRatio()), 800);
        const QRect area = screen->availableGeometry();
        QWidget* view = panelWindows().at(name)();
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

private:
    SettingsPortalStandIn m_portal;
    QDBusConnection m_portalBus{QString()};
};

CORVELLA_WIDGET_TEST_MAIN(ContrastTest)

#include "ContrastTest.moc"
