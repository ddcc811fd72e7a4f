#pragma once

#include "app/AboutViewController.h"
#include "app/AppDelegate.h"
#include "app/MainViewController.h"
#include "disks/FormatEndViewController.h"
#include "disks/FormatTypeVCDelegate.h"
#include "disks/FormatTypeViewController.h"
#include "disks/MakeSureFormatViewController.h"
#include "downloads/DownloadViewController.h"
#include "downloads/DownloadsTreeModel.h"
#include "downloads/ProgressViewController.h"
#include "kit/StatusAttachedWindow.h"
#include "platform/PowerService.h"
#include "platform/x11/WindowSystem.h"
#include "support/Files.h"
#include "support/TestRegistry.h" // shell_tests' classes add themselves; ShellTestMain runs them
#include "system/AboutThisMacViewController.h"
#include "trash/FullDiskAccessViewController.h"
#include "trash/TrashViewController.h"
#include "update/GXCheckUpdateViewController.h"

#include <QDir>

#include <map>

// Keeps the power actions asked for instead of carrying them out.
class RecordingPowerService : public PowerService {
public:
    void request(PowerAction action) override { requests.append(action); }
    QList<PowerAction> requests;
};

// The application object with a recording power service, and a system tray or none.
struct TestDelegate : AppDelegate {
    explicit TestDelegate(bool tray = true)
        : AppDelegate(std::make_unique<RecordingPowerService>()), tray(tray)
    {}
    bool isSystemTrayAvailable() const override { return tray; }
    bool panelShown() const
    {
        return isOpenMainWindow() && mainAttachedWindow() && mainAttachedWindow()->isVisible();
    }
    const bool tray;
};

// The windows reached from the panel, by name, each made as the panel makes it (the contrast,
// scaling and German tests show them all).
inline std::map<QString, std::function<QWidget*()>> panelWindows()
{
    static struct : FormatTypeVCDelegate {
        void mouseEixtView(bool) override {}
        void selectFormatbyType(int) override {}
    } menuOwner;
    const auto name = [](const char* text) {
        return QString::fromLatin1(text);
    };
    return {
        {name("panel"),
         [] {
             return new MainViewController(nullptr, &WindowSystem::instance());
         }},
        {name("downloads"),
         [] {
             return new DownloadViewController;
         }},
        {name("trash"),
         [] {
             return new TrashViewController;
         }},
        {name("about this computer"),
         [] {
             return new AboutThisMacViewController;
         }},
        {name("full disk access"),
         [] {
             return new FullDiskAccessViewController;
         }},
        {name("update"),
         [] {
             return new GXCheckUpdateViewController;
         }},
        {name("about"),
         [] {
             return new AboutViewController;
         }},
        {name("format question"),
         [] {
             return new MakeSureFormatViewController(nullptr);
         }},
        {name("format failure"),
         [] {
             return new FormatEndViewController(false, QStringLiteral("/dev/loop7"));
         }},
        {name("format success"),
         [] {
             return new FormatEndViewController(true, QString());
         }},
        {name("removal"),
         [] {
             return new ProgressViewController;
         }},
        {name("file system menu"),
         [] {
             return new FormatTypeViewController(&menuOwner);
         }},
    };
}

// Shows `view` in an attached window, placed as every window is, once exposed.
inline std::unique_ptr<StatusAttachedWindow> showAttached(QWidget* view)
{
    std::unique_ptr<StatusAttachedWindow> window(
        StatusAttachedWindow::create(view, QPointF(100, 100), nullptr, 1, 5.0f));
    window->center();
    window->show();
    return QTest::qWaitForWindowExposed(window.get()) ? std::move(window) : nullptr;
}

// Fills a window as it is at work: the Downloads window has scanned the three files of
// ~/Downloads, the update window offers a version and its news, a removal is under way.
inline void fillWindow(QWidget* view)
{
    const QString downloads = QDir::homePath() + QStringLiteral("/Downloads/");
    if (auto* download = qobject_cast<DownloadViewController*>(view)) {
        for (const char* file : {"setup.exe", "notes.md", "IMG_2031.jpg"})
            QVERIFY(writeFile(downloads + QLatin1StringView(file), QByteArray(4096, 0)));
        download->doScanWithPath(downloads);
        QTRY_VERIFY_WITH_TIMEOUT(!download->isScan() && download->model()->rowCount() == 3, 20000);
    }
    if (auto* update = qobject_cast<GXCheckUpdateViewController*>(view))
        update->whatIsNewVersionDiff({VersionCheckResult::Outcome::Newer,
                                      QStringLiteral("2.0"),
                                      {{1, QStringLiteral("Corvella 2.0")}},
                                      {}});
    if (auto* removal = qobject_cast<ProgressViewController*>(view))
        removal->changeProgressValue(40, downloads + QStringLiteral("setup.exe"));
}
