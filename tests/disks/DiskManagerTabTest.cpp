// The Disk Manager tab, its boxes and the format dialog's choice popup, over fixture volumes.
#include "UDisksLoop.h"
#include "disks/DiskBoxViewController.h"
#include "disks/DiskDescription.h"
#include "disks/DiskManagerViewController.h"
#include "disks/DiskTextFiledView.h"
#include "disks/FormatEndViewController.h"
#include "disks/MakeSureFormatVCDelegate.h"
#include "disks/MakeSureFormatViewController.h"
#include "kit/IconATextButton.h"
#include "kit/StatusAttachedWindow.h"
#include "kit/TextImageButton.h"
#include "support/Cli.h"

#include <QApplication>
#include <QEnterEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <tuple>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

DVVolumeInfo volume(const char* name, const char* mountPoint, const char* type, std::int32_t kind,
                    bool ejectable)
{
    DVVolumeInfo info;
    info.volumeName = QString::fromUtf8(name);
    info.volRootDir = QString::fromUtf8(mountPoint);
    info.bIsDefaultVol = info.volRootDir == u"/";
    info.fileSystemType = QString::fromUtf8(type);
    info.device = kind == DVVolumeInfo::KindNetwork ? u"server:/export"_s : u"/dev/sdz1"_s;
    info.volType = kind;
    info.bCanEject = ejectable;
    info.nTotalSize = 4'000'000'000;
    info.nFreeSize = 1'000'000'000;
    info.totalSpace = u"4.00 GB"_s;
    return info;
}

QVariantMap describe(const DVVolumeInfo& volume)
{
    return {{u"FilesystemName"_s, DiskDescription::filesystemName(volume.fileSystemType)}};
}

class NoFormat : public MakeSureFormatVCDelegate {
public:
    void makeSureToFormatSelectVolumeWithName(const QString&, const QString&) override {}
};

// The notifications the test environment's dunst has shown, closed and read from its history.
QStringList shownNotifications()
{
    runCommand(u"dunstctl"_s, {u"close-all"_s});
    const QJsonObject history =
        QJsonDocument::fromJson(runCommand(u"dunstctl"_s, {u"history"_s}).output.toUtf8()).object();
    QStringList texts;
    for (const QJsonValue& entry : history.value(u"data").toArray().at(0).toArray()) {
        const QJsonObject fields = entry.toObject();
        texts.append(fields.value(u"summary").toObject().value(u"data").toString() + u": " +
                     fields.value(u"body").toObject().value(u"data").toString());
    }
    return texts;
}

// The tab's box of the volume mounted on `mountPoint` (or of `device`), null while none.
DiskBoxViewController* boxOf(const DiskManagerViewController& tab, const QString& mountPoint,
                             const QString& device = {})
{
    for (DiskBoxViewController* box : tab.boxes()) {
        if (device.isEmpty() ? box->volumeInfo().volRootDir == mountPoint
                             : box->volumeInfo().device == device)
            return box;
    }
    return nullptr;
}

// A ready loop volume named `loop`, or a skip.
#define LOOP_OR_SKIP(loop, label)                                                                  \
    UDisksLoop loop(u"ext4"_s, label);                                                             \
    if (!loop.problem().isEmpty())                                                                 \
    QSKIP(qPrintable(loop.problem()))

} // namespace

class DiskManagerTabTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void buttonsFollowTheVolume()
    {
        const struct {
            DVVolumeInfo info;
            const char* fileSystem;
            bool rename, format, eject;
            const char* icon;
        } rows[] = {
            {volume("WIN", "/mnt/win", "ntfs", 0, false), "NTFS", false, true, false, "ic_disk"},
            {volume("share", "/mnt/share", "nfs4", 3, true), "nfs4", false, false, true, "ic_usb"},
            {volume("Debian", "/", "ext4", 0, false), "ext4", true, false, false, "ic_diskos"},
            {volume("STICK", "/media/u/STICK", "vfat", 1, true), "MS-DOS FAT32", true, true, true,
             "ic_usb"},
            {volume("IMAGE", "/media/u/IMAGE", "exfat", 4, true), "ExFAT", true, true, true,
             "ic_usb"},
        };
        for (const auto& row : rows) {
            DiskManagerViewController tab([info = row.info] { return QList{info}; }, describe);
            QSignalSpy rebuilt(&tab, &DiskManagerViewController::listRebuilt);
            QVERIFY(rebuilt.wait(5000));
            DiskBoxViewController* box = tab.boxes().value(0);
            QVERIFY(box != nullptr);
            QTRY_COMPARE(box->fileSystemText(), QString::fromUtf8(row.fileSystem));
            QCOMPARE(std::tuple(row.info.volumeName, box->renameButton()->isEnabled(),
                                box->formatButton()->isEnabled(),
                                box->ejectButton()->isVisibleTo(box), box->iconName(),
                                box->usageText()),
                     std::tuple(row.info.volumeName, row.rename, row.format, row.eject,
                                QString::fromUtf8(row.icon), u"3.00 GB/4.00 GB"_s));
        }
    }

    void choicePopupClosesUntouchedOrWhenLeft()
    {
        NoFormat delegate;
        auto* dialog = new MakeSureFormatViewController(&delegate);
        StatusAttachedWindow* window = StatusAttachedWindow::create(dialog, {400, 300}, 1, 5.0f);
        dialog->setSuperDelegate(window);
        dialog->setName(u"DATA"_s, u"ext4"_s);
        window->show();

        dialog->openMenuAction();
        QVERIFY(dialog->sortAttachedWindow() != nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(dialog->sortAttachedWindow() == nullptr, 5000);

        dialog->openMenuAction();
        QWidget* popup = dialog->sortAttachedWindow()->view();
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(popup, &enter);
        // Entered, it outlives its two seconds.
        QVERIFY(!QTest::qWaitFor([dialog] { return dialog->sortAttachedWindow() == nullptr; },
                                 MakeSureFormatViewController::popupCloseDelayMs + 500));
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(popup, &leave);
        QVERIFY(dialog->sortAttachedWindow() == nullptr);
        delete window;
    }

    void refusedRenameKeepsTheFieldOpen()
    {
        for (const auto& [name, message] : {std::pair{u""_s, u""_s},
                                            {u" "_s, u""_s},
                                            {u"waytoolongname"_s, u"at most 11 bytes"_s},
                                            {u"a*b"_s, u"“*”"_s}}) {
            DiskBoxViewController box(nullptr, describe);
            box.setVolumeInfo(volume("STICK", "/media/u/STICK", "vfat", 1, true));
            box.changeValue();
            box.renameButtonAction();
            box.renameTextField()->setText(name);
            box.renameOkButtonAction();
            QCOMPARE(std::tuple(box.isRenaming(), box.isBusy(), box.renameTextField()->text(),
                                box.nameText()),
                     std::tuple(true, false, name, u"STICK"_s));
            QVERIFY2(box.messageText().contains(message), qPrintable(box.messageText()));
        }
    }

    void mountAndUnmountRebuildOnceEach()
    {
        LOOP_OR_SKIP(loop, u"TABVOL"_s);
        DiskManagerViewController tab;
        QSignalSpy rebuilt(&tab, &DiskManagerViewController::listRebuilt);
        QVERIFY(rebuilt.wait(10000));
        QVERIFY(boxOf(tab, {}, loop.device()) == nullptr);
        // Other programs may mount too; this volume's own change is one rebuild.
        const int before = tab.rebuildCount();
        QVERIFY(!loop.mount().isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(boxOf(tab, {}, loop.device()) != nullptr, 10000);
        QCOMPARE(tab.rebuildCount(), before + 1);
        QVERIFY(UDisksClient().unmount(loop.block().objectPath).succeeded);
        QTRY_VERIFY_WITH_TIMEOUT(boxOf(tab, {}, loop.device()) == nullptr, 10000);
        QCOMPARE(tab.rebuildCount(), before + 2);
    }

    void ejectNotifiesTheHolderThenTheSafeRemoval()
    {
        if (runCommand(u"dunstctl"_s, {u"count"_s}).exitCode != 0)
            QSKIP("needs the dunst of the test environment");
        LOOP_OR_SKIP(loop, u"HELD"_s);
        const QString mountPoint = loop.mount();
        QVERIFY(!mountPoint.isEmpty());
        QProcess holder;
        holder.setWorkingDirectory(mountPoint);
        holder.start(u"sleep"_s, {u"60"_s});
        QVERIFY(holder.waitForStarted());
        shownNotifications();

        DiskManagerViewController tab;
        QTRY_VERIFY_WITH_TIMEOUT(boxOf(tab, {}, loop.device()) != nullptr, 10000);
        int rebuilds = tab.rebuildCount();
        boxOf(tab, {}, loop.device())->ejectButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(tab.rebuildCount() > rebuilds, 30000);
        QVERIFY(boxOf(tab, {}, loop.device()) != nullptr);
        const QString held =
            u"Disk Not Ejected Properly: Eject 'HELD' before disconnecting or "
            u"turning it off. “HELD” is in use by sleep (%1)"_s.arg(holder.processId());
        QTRY_VERIFY_WITH_TIMEOUT(shownNotifications().contains(held), 10000);

        holder.kill();
        holder.waitForFinished();
        boxOf(tab, {}, loop.device())->ejectButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(boxOf(tab, {}, loop.device()) == nullptr, 30000);
        QTRY_VERIFY_WITH_TIMEOUT(
            shownNotifications().contains("Corvella: The disk/device can be removed safely."),
            10000);
        QVERIFY(!loop.isAttached());
    }

    // The title shown, and the file system blkid reads afterwards.
    void formatEndDialogTellsTheOutcome()
    {
        for (const auto& [choice, title, type] :
             {std::tuple{u"ExFAT"_s, u"Format Complete"_s, u"exfat"_s},
              {u"Journaled HFS+"_s, u"Format Failed"_s, u"ext4"_s}}) {
            LOOP_OR_SKIP(loop, u"BEFORE"_s);
            DVVolumeInfo record = volume("BEFORE", "/media/u/BEFORE", "ext4", 1, true);
            record.device = loop.device();
            record.volumeType = u"ext4"_s;
            DiskBoxViewController box(nullptr, describe);
            box.setVolumeInfo(record);
            QStringList shown; // the end dialog's title and message
            QTimer poll;       // it runs modally: read it and close it from the event loop
            connect(&poll, &QTimer::timeout, this, [&] {
                for (QWidget* window : QApplication::topLevelWidgets()) {
                    auto* end = window->findChild<FormatEndViewController*>();
                    if (end != nullptr && window->isVisible()) {
                        shown = {end->titleText(), end->messageText()};
                        end->closeButton()->click();
                    }
                }
            });
            poll.start(20);
            box.makeSureToFormatSelectVolumeWithName(u"Fresh"_s, choice);
            QTRY_VERIFY_WITH_TIMEOUT(!shown.isEmpty(), 60000);
            QCOMPARE(std::pair(choice, shown.first()), std::pair(choice, title));
            QVERIFY(!shown.last().isEmpty());
            QTRY_VERIFY_WITH_TIMEOUT(!box.isBusy(), 5000);
            QCOMPARE(std::pair(choice, loop.blkid("TYPE")), std::pair(choice, type));
        }
    }

    // On a loop volume and on the start-up volume.
    void tabAndCommandLineAgree()
    {
        LOOP_OR_SKIP(loop, u"AGREE"_s);
        for (const QString& mountPoint : {loop.mount(), u"/"_s}) {
            QVERIFY(!mountPoint.isEmpty());
            QJsonObject entry;
            const QByteArray listed = cli({u"disks"_s, u"--json"_s}).out;
            for (const QJsonValue& value : QJsonDocument::fromJson(listed).array()) {
                if (value[u"volRootDir"].toString() == mountPoint)
                    entry = value.toObject();
            }
            QVERIFY2(entry.value(u"canFormat").toBool() == (mountPoint != u"/"), listed.data());

            DiskManagerViewController tab;
            QTRY_VERIFY_WITH_TIMEOUT(boxOf(tab, mountPoint) != nullptr &&
                                         boxOf(tab, mountPoint)->fileSystemText() != u"Unknow",
                                     10000);
            DiskBoxViewController* box = boxOf(tab, mountPoint);
            // Never --yes: a format that were not refused would stop at the question.
            const QList<std::pair<IconATextButton*, QStringList>> actions{
                {box->renameButton(), {u"rename"_s, mountPoint, u"NEW"_s}},
                {box->formatButton(), {u"format"_s, mountPoint, u"--type"_s, u"ext4"_s}},
                {box->ejectButton(), {u"eject"_s, mountPoint}}};
            for (const auto& [button, command] : actions) {
                const QString reason =
                    entry.value(QString(command.first() + u"Refusal")).toString();
                QCOMPARE(std::tuple(button->isEnabled(), button->toolTip(),
                                    button->accessibleDescription()),
                         std::tuple(reason.isEmpty(), reason, reason));
                if (reason.isEmpty())
                    continue;
                const CliRun refused = cli(QStringList{u"disks"_s} + command);
                QCOMPARE(std::tuple(refused.exitCode, refused.out, refused.err.trimmed()),
                         std::tuple(1, QByteArray(), QString(u"corvella-cli: " + reason).toUtf8()));
            }
        }
    }
};

QTEST_MAIN(DiskManagerTabTest)
#include "DiskManagerTabTest.moc"
