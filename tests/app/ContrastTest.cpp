// Every window and dialog is readable in the light and in the dark colour scheme: each text of a
// label, a button or a list cell stands out at least 4.5:1 (WCAG) from what is drawn behind it.
// The scheme changes as it does for the program: a settings portal stand-in on the private session
// bus says prefer-dark or prefer-light, which ColorScheme follows, while the window is shown.
// Colours are read from the window's pixels, so a translucent background or a hard-coded colour
// cannot hide behind the palette.
#include "app/AboutViewController.h"
#include "app/MainViewController.h"
#include "disks/FormatEndViewController.h"
#include "disks/FormatTypeVCDelegate.h"
#include "disks/FormatTypeViewController.h"
#include "disks/MakeSureFormatViewController.h"
#include "downloads/DownloadViewController.h"
#include "downloads/DownloadsTreeModel.h"
#include "downloads/ProgressViewController.h"
#include "kit/ColorScheme.h"
#include "kit/ConfirmationDialog.h"
#include "kit/StatusAttachedWindow.h"
#include "platform/dbus/DesktopAppearance.h"
#include "platform/standins/SettingsPortalStandIn.h"
#include "platform/x11/WindowSystem.h"
#include "support/WidgetTestMain.h"
#include "system/AboutThisMacViewController.h"
#include "trash/FullDiskAccessViewController.h"
#include "trash/TrashViewController.h"
#include "update/GXCheckUpdateViewController.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QDBusConnectionInterface>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>

#include <map>

using namespace Qt::StringLiterals;

namespace {

struct MenuOwner : FormatTypeVCDelegate {
    void mouseEixtView(bool) override {}
    void selectFormatbyType(int) override {}
};

// The least contrast of any text in `window` (a label's, a button's, a list cell's), read from
// its pixels over a white and over a black desktop; the weakest text is named in `weakest`.
qreal leastContrast(QWidget* window, QString* weakest)
{
    const QImage drawn = window->grab().toImage();
    const qreal ratio = drawn.devicePixelRatio();
    qreal least = 21;
    const auto check = [&](const QRect& area, const QString& what) {
        const QRect pixels(QRectF(QRectF(area).topLeft() * ratio, QRectF(area).size() * ratio)
                               .toRect()
                               .intersected(drawn.rect()));
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
            for (const auto& entry : counts)
                best = std::max(
                    best, ColorScheme::contrastRatio(QColor(entry.first), QColor(background)));
            if (best < least) {
                least = best;
                *weakest = QStringLiteral("%1 (%2 on %3)")
                               .arg(what, QColor(background).name())
                               .arg(best, 0, 'f', 2);
            }
        }
    };
    const auto shown = [window](QWidget* widget) {
        return widget->isVisibleTo(window) && widget->isEnabled();
    };
    const auto frame = [window](QWidget* widget, QRect rect) {
        return QRect(widget->mapTo(window, rect.topLeft()), rect.size());
    };
    for (QLabel* label : window->findChildren<QLabel*>())
        if (shown(label) && !label->text().trimmed().isEmpty())
            check(frame(label, label->contentsRect()), label->text());
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (shown(button) && !button->text().trimmed().isEmpty())
            check(frame(button, button->rect()), button->text());
    for (QAbstractItemView* view : window->findChildren<QAbstractItemView*>()) {
        if (!shown(view) || !view->model())
            continue;
        for (int row = 0; row < std::min(view->model()->rowCount(), 12); ++row)
            for (int column = 0; column < view->model()->columnCount(); ++column) {
                const QModelIndex index = view->model()->index(row, column);
                if (!index.data().toString().isEmpty())
                    check(frame(view->viewport(),
                                view->visualRect(index).intersected(view->viewport()->rect())),
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
            QSKIP("needs the test environment's private session bus");
        m_portalBus = QDBusConnection::connectToBus(address, QStringLiteral("portal-standin"));
        QVERIFY(m_portalBus.registerVirtualObject(SettingsPortalStandIn::path(), &m_portal));
        QCOMPARE(
            m_portalBus.interface()->registerService(SettingsPortalStandIn::serviceName()).value(),
            QDBusConnectionInterface::ServiceRegistered);
        m_appearance = new DesktopAppearance(QDBusConnection::sessionBus(), this);
        ColorScheme::follow(m_appearance);
    }

    void textIsReadable_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<int>("kind");
        const QStringList kinds =
            u"panel,downloads,trash,about this computer,full disk access,update,about,"
            u"format question,format result,removal,question over the panel,file system menu"_s
                .split(u',');
        // Light and dark in turn, so that every row switches the scheme, both ways.
        for (int kind = 0; kind < kinds.size(); ++kind)
            for (const bool dark : {false, true})
                QTest::addRow("%s %s", dark ? "dark" : "light", qPrintable(kinds[kind]))
                    << dark << kind;
    }

    void textIsReadable()
    {
        QFETCH(bool, dark);
        QFETCH(int, kind);
        QTemporaryDir downloads;
        for (const char* name : {"setup.exe", "notes.md", "report.pdf"}) {
            QFile file(downloads.filePath(QLatin1StringView(name)));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(4096));
        }
        auto* panel = kind == 0 || kind == 10
                          ? new MainViewController(nullptr, &WindowSystem::instance())
                          : nullptr;
        auto* download = kind == 1 ? new DownloadViewController : nullptr;
        auto* update = kind == 5 ? new GXCheckUpdateViewController : nullptr;
        auto* removal = kind == 9 ? new ProgressViewController : nullptr;
        QWidget* const views[] = {
            panel,
            download,
            kind == 2 ? new TrashViewController : nullptr,
            kind == 3 ? new AboutThisMacViewController : nullptr,
            kind == 4 ? new FullDiskAccessViewController : nullptr,
            update,
            kind == 6 ? new AboutViewController : nullptr,
            kind == 7 ? new MakeSureFormatViewController(nullptr) : nullptr,
            kind == 8 ? new FormatEndViewController(false, u"Failed."_s) : nullptr,
            removal,
            panel,
            kind == 11 ? new FormatTypeViewController(&m_menuOwner) : nullptr};
        const std::unique_ptr<StatusAttachedWindow> window(
            StatusAttachedWindow::create(views[kind], QPointF(-3.0, 0.0)));
        window->center();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        // The window was made in the other scheme (the row before's): it follows the change.
        m_portal.setColorScheme(dark ? 1 : 2);
        SettingsPortalStandIn::emitSettingChanged(
            m_portalBus, QStringLiteral("org.freedesktop.appearance"),
            QStringLiteral("color-scheme"), QVariant::fromValue(dark ? 1u : 2u));
        QTRY_COMPARE(ColorScheme::isDark(QApplication::palette()), dark);
        QCoreApplication::processEvents(); // style sheets are set again once widgets took it
        if (download) {
            download->doScanWithPath(downloads.path());
            QTRY_VERIFY(!download->isScan() && download->model()->rowCount() == 3);
        }
        if (update) // the offer, with its list of what is new
            update->whatIsNewVersionDiff({VersionCheckResult::Outcome::Newer,
                                          u"2.0"_s,
                                          {{1, u"Faster scans"_s}, {2, u"Dark"_s}},
                                          {}});
        if (removal)
            removal->changeProgressValue(40, u"/home/user/Downloads/setup.exe"_s);
        QString weakest;
        if (kind == 10) { // the question over the panel, as Empty Trash asks it
            qreal least = 0;
            bool opaque = false;
            QTimer::singleShot(200, this, [&] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    const QImage image =
                        box->grab().toImage().convertToFormat(QImage::Format_ARGB32);
                    opaque = true; // nothing of the translucent panel shows through the dialog
                    for (int y = 0; y < image.height(); ++y)
                        for (int x = 0; x < image.width(); ++x)
                            opaque = opaque && qAlpha(image.pixel(x, y)) == 255;
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

private:
    SettingsPortalStandIn m_portal;
    QDBusConnection m_portalBus{QString()};
    DesktopAppearance* m_appearance = nullptr;
    MenuOwner m_menuOwner;
};

CORVELLA_WIDGET_TEST_MAIN(ContrastTest)

#include "ContrastTest.moc"
