// The Disk Manager tab and its boxes over real loop volumes (as root in the test environment).
#include "UDisksLoop.h"
#include "disks/DiskBoxViewController.h"
#include "disks/DiskDescription.h"
#include "disks/DiskManagerViewController.h"
#include "disks/FormatEndViewController.h"
#include "kit/IconATextButton.h"
#include "kit/StatusAttachedWindow.h"
#include "kit/TextImageButton.h"
#include "support/Cli.h"

#include <QApplication>
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

QVariantMap describe(const DVVolumeInfo& volume)
{
    return {{u"FilesystemName"_s, DiskDescription::filesystemName(volume.fileSystemType)}};
}

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

// The tab's box of the volume mounted on `place` or of the device `place`, null while none.
DiskBoxViewController* boxOf(const DiskManagerViewController& tab, const QString& place)
{
    for (DiskBoxViewController* box : tab.boxes()) {
        if (box->volumeInfo().volRootDir == place || box->volumeInfo().device == place)
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
    // A mount is one rebuild; Eject names the process that holds the volume, and ejects it
    // (saying it may be removed) once it is free.
    void mountShowsTheBoxAndEjectTellsTheHolderThenTheSafeRemoval()
    {
        if (runCommand(u"dunstctl"_s, {u"count"_s}).exitCode != 0)
            QSKIP("needs the dunst of the test environment");
        LOOP_OR_SKIP(loop, u"HELD"_s);
        DiskManagerViewController tab;
        QSignalSpy rebuilt(&tab, &DiskManagerViewController::listRebuilt);
        QVERIFY(rebuilt.wait(10000));
        QVERIFY(boxOf(tab, loop.device()) == nullptr);
        const int before = tab.rebuildCount(); // other programs may mount too
        const QString mountPoint = loop.mount();
        QVERIFY(!mountPoint.isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(boxOf(tab, loop.device()) != nullptr, 10000);
        QCOMPARE(tab.rebuildCount(), before + 1);
        QProcess holder;
        holder.setWorkingDirectory(mountPoint);
        holder.start(u"sleep"_s, {u"60"_s});
        QVERIFY(holder.waitForStarted());
        shownNotifications();

        boxOf(tab, loop.device())->ejectButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(tab.rebuildCount() > before + 1, 30000);
        QVERIFY(boxOf(tab, loop.device()) != nullptr);
        const QString held =
            u"Disk Not Ejected Properly: Eject 'HELD' before disconnecting or "
            u"turning it off. “HELD” is in use by sleep (%1)"_s.arg(holder.processId());
        QTRY_VERIFY_WITH_TIMEOUT(shownNotifications().contains(held), 10000);

        holder.kill();
        holder.waitForFinished();
        boxOf(tab, loop.device())->ejectButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(boxOf(tab, loop.device()) == nullptr, 30000);
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
            DVVolumeInfo record;
            record.device = loop.device();
            record.volumeType = record.fileSystemType = u"ext4"_s;
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
