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
#include <QScrollArea>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <tuple>
#include <utility>

namespace {

DVVolumeInfo volume(const char* name, const char* mountPoint, const char* type, std::int32_t kind,
                    bool ejectable)
{
    DVVolumeInfo info;
    info.volumeName = QString::fromUtf8(name);
    info.volRootDir = QString::fromUtf8(mountPoint);
    info.bIsDefaultVol = info.volRootDir == u"/";
    info.fileSystemType = QString::fromUtf8(type);
    info.device = kind == DVVolumeInfo::KindNetwork ? QStringLiteral("server:/export")
                                                    : QStringLiteral("/dev/sdz1");
    info.volType = kind;
    info.bCanEject = ejectable;
    info.nTotalSize = 4'000'000'000;
    info.nFreeSize = 1'000'000'000;
    info.totalSpace = QStringLiteral("4.00 GB");
    return info;
}

QVariantMap describe(const DVVolumeInfo& volume)
{
    return {
        {QStringLiteral("FilesystemName"), DiskDescription::filesystemName(volume.fileSystemType)}};
}

class NoFormat : public MakeSureFormatVCDelegate {
public:
    void makeSureToFormatSelectVolumeWithName(const QString&, const QString&) override {}
};

} // namespace

class DiskManagerTabTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void buttonsFollowTheVolume_data();
    void buttonsFollowTheVolume();
    void choicePopupClosesUntouchedOrWhenLeft();
    void refusedRenameKeepsTheFieldOpen_data();
    void refusedRenameKeepsTheFieldOpen();
    void mountAndUnmountRebuildOnceEach();
    void ejectNotifiesTheHolderThenTheSafeRemoval();
    void formatEndDialogTellsTheOutcome_data();
    void formatEndDialogTellsTheOutcome();
    void tabAndCommandLineAgree_data();
    void tabAndCommandLineAgree();
};

void DiskManagerTabTest::buttonsFollowTheVolume_data()
{
    QTest::addColumn<DVVolumeInfo>("volume");
    QTest::addColumn<QString>("fileSystem");
    QTest::addColumn<bool>("rename");
    QTest::addColumn<bool>("format");
    QTest::addColumn<bool>("eject");
    QTest::addColumn<QString>("icon");
    QTest::newRow("ntfs") << volume("WIN", "/mnt/win", "ntfs", 0, false) << "NTFS" << false << true
                          << false << "ic_disk";
    QTest::newRow("network") << volume("share", "/mnt/share", "nfs4", 3, true) << "nfs4" << false
                             << false << true << "ic_usb";
    QTest::newRow("startup") << volume("Debian", "/", "ext4", 0, false) << "ext4" << true << false
                             << false << "ic_diskos";
    QTest::newRow("usb") << volume("STICK", "/media/u/STICK", "vfat", 1, true) << "MS-DOS FAT32"
                         << true << true << true << "ic_usb";
    QTest::newRow("removable") << volume("IMAGE", "/media/u/IMAGE", "exfat", 4, true) << "ExFAT"
                               << true << true << true << "ic_usb";
}

void DiskManagerTabTest::buttonsFollowTheVolume()
{
    QFETCH(DVVolumeInfo, volume);
    QFETCH(QString, fileSystem);
    QFETCH(bool, rename);
    QFETCH(bool, format);
    QFETCH(bool, eject);
    QFETCH(QString, icon);
    DiskManagerViewController tab([volume] { return QList<DVVolumeInfo>{volume}; }, describe);
    QSignalSpy rebuilt(&tab, &DiskManagerViewController::listRebuilt);
    QVERIFY(rebuilt.wait(5000));
    DiskBoxViewController* box = tab.boxes().value(0);
    QVERIFY(box != nullptr);
    QTRY_COMPARE(box->fileSystemText(), fileSystem);
    QCOMPARE(box->renameButton()->isEnabled(), rename);
    QCOMPARE(box->formatButton()->isEnabled(), format);
    QCOMPARE(box->ejectButton()->isVisibleTo(box), eject);
    QCOMPARE(box->iconName(), icon);
    QCOMPARE(box->usageText(), QStringLiteral("3.00 GB/4.00 GB"));
}

void DiskManagerTabTest::choicePopupClosesUntouchedOrWhenLeft()
{
    NoFormat delegate;
    auto* dialog = new MakeSureFormatViewController(&delegate);
    StatusAttachedWindow* window = StatusAttachedWindow::create(dialog, {400, 300}, 1, 5.0f);
    dialog->setSuperDelegate(window);
    dialog->setName(QStringLiteral("DATA"), QStringLiteral("ext4"));
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

void DiskManagerTabTest::refusedRenameKeepsTheFieldOpen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("space") << " "
                           << "";
    QTest::newRow("too long for FAT") << "waytoolongname"
                                      << "at most 11 bytes";
    QTest::newRow("forbidden character") << "a*b"
                                         << "“*”";
}

void DiskManagerTabTest::refusedRenameKeepsTheFieldOpen()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    DiskBoxViewController box(nullptr, describe);
    box.setVolumeInfo(volume("STICK", "/media/u/STICK", "vfat", 1, true));
    box.changeValue();
    box.renameButtonAction();
    box.renameTextField()->setText(name);
    box.renameOkButtonAction();
    QVERIFY(box.isRenaming());
    QVERIFY(!box.isBusy());
    QCOMPARE(box.renameTextField()->text(), name);
    QVERIFY2(box.messageText().contains(message), qPrintable(box.messageText()));
    QCOMPARE(box.nameText(), QStringLiteral("STICK"));
}

void DiskManagerTabTest::mountAndUnmountRebuildOnceEach()
{
    if (qEnvironmentVariableIsEmpty("CORVELLA_TEST_UDISKS"))
        QSKIP("needs the udisks2 of the test environment (as root)");
    QTemporaryDir folder;
    UDisksLoop loop(folder.path(), QStringLiteral("ext4"), QStringLiteral("TABVOL"));
    if (!loop.problem().isEmpty())
        QSKIP(qPrintable(loop.problem()));
    DiskManagerViewController tab;
    QSignalSpy rebuilt(&tab, &DiskManagerViewController::listRebuilt);
    QVERIFY(rebuilt.wait(10000));
    const auto shown = [&tab, &loop] {
        const QList<DiskBoxViewController*> boxes = tab.boxes();
        return std::any_of(boxes.begin(), boxes.end(), [&loop](DiskBoxViewController* box) {
            return box->volumeInfo().device == loop.device();
        });
    };
    QVERIFY(!shown());
    // Other programs may mount too; this volume's own change is one rebuild.
    const int before = tab.rebuildCount();
    QVERIFY(!loop.mount().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(shown(), 10000);
    QCOMPARE(tab.rebuildCount(), before + 1);
    QVERIFY(UDisksClient().unmount(loop.block().objectPath).succeeded);
    QTRY_VERIFY_WITH_TIMEOUT(!shown(), 10000);
    QCOMPARE(tab.rebuildCount(), before + 2);
}

// The notifications the test environment's dunst has shown, closed and read from its history.
QStringList shownNotifications()
{
    runCommand(QStringLiteral("dunstctl"), {QStringLiteral("close-all")});
    const QJsonObject history =
        QJsonDocument::fromJson(
            runCommand(QStringLiteral("dunstctl"), {QStringLiteral("history")}).output.toUtf8())
            .object();
    QStringList texts;
    for (const QJsonValue& entry : history.value(u"data").toArray().at(0).toArray()) {
        const QJsonObject fields = entry.toObject();
        texts.append(fields.value(u"summary").toObject().value(u"data").toString() + u": " +
                     fields.value(u"body").toObject().value(u"data").toString());
    }
    return texts;
}

void DiskManagerTabTest::ejectNotifiesTheHolderThenTheSafeRemoval()
{
    if (qEnvironmentVariableIsEmpty("CORVELLA_TEST_UDISKS") ||
        runCommand(QStringLiteral("dunstctl"), {QStringLiteral("count")}).exitCode != 0)
        QSKIP("needs the udisks2 and dunst of the test environment (as root)");
    QTemporaryDir folder;
    UDisksLoop loop(folder.path(), QStringLiteral("ext4"), QStringLiteral("HELD"));
    if (!loop.problem().isEmpty())
        QSKIP(qPrintable(loop.problem()));
    const QString mountPoint = loop.mount();
    QVERIFY(!mountPoint.isEmpty());
    QProcess holder;
    holder.setWorkingDirectory(mountPoint);
    holder.start(QStringLiteral("sleep"), {QStringLiteral("60")});
    QVERIFY(holder.waitForStarted());
    shownNotifications();

    DiskManagerViewController tab;
    const auto box = [&tab, &loop]() -> DiskBoxViewController* {
        for (DiskBoxViewController* candidate : tab.boxes()) {
            if (candidate->volumeInfo().device == loop.device())
                return candidate;
        }
        return nullptr;
    };
    QTRY_VERIFY_WITH_TIMEOUT(box() != nullptr, 10000);
    int rebuilds = tab.rebuildCount();
    box()->ejectButton()->click();
    QTRY_VERIFY_WITH_TIMEOUT(tab.rebuildCount() > rebuilds, 30000);
    QVERIFY(box() != nullptr);
    const QString held = QStringLiteral("Disk Not Ejected Properly: Eject 'HELD' before "
                                        "disconnecting or turning it off. “HELD” is in use by "
                                        "sleep (%1)")
                             .arg(holder.processId());
    QTRY_VERIFY_WITH_TIMEOUT(shownNotifications().contains(held), 10000);

    holder.kill();
    holder.waitForFinished();
    box()->ejectButton()->click();
    QTRY_VERIFY_WITH_TIMEOUT(box() == nullptr, 30000);
    QTRY_VERIFY_WITH_TIMEOUT(
        shownNotifications().contains("Corvella: The disk/device can be removed safely."), 10000);
    QVERIFY(!loop.isAttached());
}

void DiskManagerTabTest::formatEndDialogTellsTheOutcome_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("type"); // what blkid reads afterwards
    QTest::newRow("exFAT") << "ExFAT"
                           << "Format Complete"
                           << "exfat";
    QTest::newRow("no such choice") << "Journaled HFS+"
                                    << "Format Failed"
                                    << "ext4";
}

void DiskManagerTabTest::formatEndDialogTellsTheOutcome()
{
    QFETCH(QString, choice);
    QFETCH(QString, title);
    QFETCH(QString, type);
    if (qEnvironmentVariableIsEmpty("CORVELLA_TEST_UDISKS"))
        QSKIP("needs the udisks2 of the test environment (as root)");
    QTemporaryDir folder;
    UDisksLoop loop(folder.path(), QStringLiteral("ext4"), QStringLiteral("BEFORE"));
    if (!loop.problem().isEmpty())
        QSKIP(qPrintable(loop.problem()));
    DVVolumeInfo record = volume("BEFORE", "/media/u/BEFORE", "ext4", 1, true);
    record.device = loop.device();
    record.volumeType = QStringLiteral("ext4");
    DiskBoxViewController box(nullptr, describe);
    box.setVolumeInfo(record);
    // The end dialog runs modally: read it and close it from the event loop.
    QString shownTitle;
    QString shownMessage;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* end = window->findChild<FormatEndViewController*>();
            if (end == nullptr || !window->isVisible())
                continue;
            shownTitle = end->titleText();
            shownMessage = end->messageText();
            end->closeButton()->click();
        }
    });
    poll.start(20);
    box.makeSureToFormatSelectVolumeWithName(QStringLiteral("Fresh"), choice);
    QTRY_VERIFY_WITH_TIMEOUT(!shownTitle.isEmpty(), 60000);
    QCOMPARE(shownTitle, title);
    QVERIFY(!shownMessage.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(!box.isBusy(), 5000);
    QCOMPARE(loop.blkid("TYPE"), type);
}

void DiskManagerTabTest::tabAndCommandLineAgree_data()
{
    QTest::addColumn<bool>("loopVolume"); // else the start-up volume
    QTest::newRow("loop volume") << true;
    QTest::newRow("start-up volume") << false;
}

void DiskManagerTabTest::tabAndCommandLineAgree()
{
    using namespace Qt::StringLiterals;
    QFETCH(bool, loopVolume);
    if (qEnvironmentVariableIsEmpty("CORVELLA_TEST_UDISKS"))
        QSKIP("needs the udisks2 of the test environment (as root)");
    QTemporaryDir folder;
    UDisksLoop loop(folder.path(), u"ext4"_s, u"AGREE"_s);
    if (!loop.problem().isEmpty())
        QSKIP(qPrintable(loop.problem()));
    const QString mountPoint = loopVolume ? loop.mount() : u"/"_s;
    QVERIFY(!mountPoint.isEmpty());
    QJsonObject entry;
    const QByteArray listed = cli({u"disks"_s, u"--json"_s}).out;
    for (const QJsonValue& value : QJsonDocument::fromJson(listed).array()) {
        if (value[u"volRootDir"].toString() == mountPoint)
            entry = value.toObject();
    }
    QVERIFY2(entry.value(u"canFormat").toBool() == loopVolume, listed.constData());

    DiskManagerViewController tab;
    DiskBoxViewController* box = nullptr;
    const auto described = [&] {
        for (DiskBoxViewController* candidate : tab.boxes()) {
            if (candidate->volumeInfo().volRootDir == mountPoint &&
                candidate->fileSystemText() != u"Unknow")
                return (box = candidate) != nullptr;
        }
        return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT(described(), 10000);
    // Never --yes: a format that were not refused would stop at the question.
    const QList<std::pair<IconATextButton*, QStringList>> actions{
        {box->renameButton(), {u"rename"_s, mountPoint, u"NEW"_s}},
        {box->formatButton(), {u"format"_s, mountPoint, u"--type"_s, u"ext4"_s}},
        {box->ejectButton(), {u"eject"_s, mountPoint}}};
    for (const auto& [button, command] : actions) {
        const QString reason = entry.value(QString(command.first() + u"Refusal")).toString();
        QCOMPARE(button->isEnabled(), reason.isEmpty());
        QCOMPARE(button->toolTip(), reason);
        QCOMPARE(button->accessibleDescription(), reason);
        if (reason.isEmpty())
            continue;
        const CliRun refused = cli(QStringList{u"disks"_s} + command);
        QCOMPARE(std::tuple(refused.exitCode, refused.out, refused.err.trimmed()),
                 std::tuple(1, QByteArray(), QString(u"corvella-cli: " + reason).toUtf8()));
    }
}

QTEST_MAIN(DiskManagerTabTest)
#include "DiskManagerTabTest.moc"
