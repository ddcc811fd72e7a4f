#include "trash/TrashViewController.h"

#include "common/SettingsStore.h"
#include "common/SizeModeSetting.h"
#include "support/ConfirmationAnswer.h"
#include "support/Files.h"
#include "support/SizeFixture.h"
#include "support/WidgetTestMain.h"
#include "trash/FreedesktopTrash.h"
#include "trash/TrashListModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTest>

using namespace Qt::StringLiterals;

class TrashViewControllerTest : public QObject {
    Q_OBJECT
private:
    QString path(const char* relative) const { return m_top + u'/' + QString::fromUtf8(relative); }
    void tick(TrashViewController& view, const QString& original)
    {
        TrashListModel* model = view.model();
        for (int row = 0; row < model->rowCount(); ++row) {
            if (model->item(row).originalLocation() == original)
                model->setData(model->index(row, 0), Qt::Checked, Qt::CheckStateRole);
        }
    }

    QString m_top = QDir::homePath();

private Q_SLOTS:
    // Items of two trashes listed and restored, the occupied place offered a new name and its
    // occupant kept, then deleted after one question. (Empty Trash: the next case.)
    void itemsOfTwoTrashesAreRestoredAndDeleted()
    {
        QVERIFY(SettingsStore::standard().setValue(u"ConfirmIrreversibleActions"_s, true));
        const QString volumeTrash = path("volume/.Trash-") + QString::number(::geteuid());
        QVERIFY(writeFile(path("report.txt"), "first") &&
                writeFile(path("photos/big.jpg"), QByteArray(100000, 'p')) &&
                writeFile(volumeTrash + u"/files/a.txt"_s, "on the volume") &&
                writeFile(volumeTrash + u"/info/a.txt.trashinfo"_s,
                          "[Trash Info]\nPath=docs/a.txt\nDeletionDate=2024-05-01T10:00:00\n"));
        QVERIFY(writeFile(path("mountinfo"), "40 1 8:1 / " + QFile::encodeName(path("volume")) +
                                                 " rw - ext4 /dev/sdz rw\n"));
        for (const QString& item : {path("report.txt"), path("photos")})
            QVERIFY(FreedesktopTrash().moveToTrash(item).succeeded());
        QVERIFY(writeFile(path("report.txt"), "occupant"));

        TrashViewController view(
            TrashCleaner(FreedesktopTrash::standardHomeTrash(), path("mountinfo"), ::geteuid()));
        QAbstractItemModelTester tester(view.model());
        QAbstractItemModelTester sortedTester(view.sortedModel());
        view.show();
        QTRY_COMPARE(view.model()->rowCount(), 3);
        QTRY_VERIFY(!view.model()->isBusy()); // the folder measured
        QVERIFY(view.summaryText().startsWith(u"3 items"_s));

        tick(view, path("report.txt"));
        tick(view, path("volume/docs/a.txt"));
        QVERIFY(view.actionButtonsEnabled());
        {
            const ConfirmationAnswer answer(true);
            view.restoreButtonAction();
            QTRY_COMPARE(readFile(path("report (restored).txt")), "first");
            QVERIFY(answer.question().contains(u"is already there"_s));
        }
        QTRY_COMPARE(view.model()->rowCount(), 1);
        QCOMPARE(readFile(path("volume/docs/a.txt")), "on the volume");
        QCOMPARE(readFile(path("report.txt")), "occupant");

        view.setAllSelectOrNoSelect();
        {
            const ConfirmationAnswer answer(true);
            view.deleteButtonAction();
            QCOMPARE(answer.asked(), 1);
        }
        QTRY_COMPARE(view.model()->rowCount(), 0);
        QVERIFY(view.freedText().startsWith(u"Freed 10"_s)); // the 100 KB picture and its folder
        QVERIFY(entriesOf(FreedesktopTrash::standardHomeTrash() + u"/files"_s).isEmpty());
    }

    // The rows, both Empty Trash questions and the freed figure give du's size of the same
    // items, in each mode: a folder of tiny files and hard links, and a sparse image.
    void theWindowTheQuestionsAndTheFreedFigureAgree_data()
    {
        QTest::addColumn<SizeMode>("mode");
        QTest::newRow("apparent") << SizeMode::Apparent;
        QTest::newRow("on disk") << SizeMode::DiskUsage;
    }
    void theWindowTheQuestionsAndTheFreedFigureAgree()
    {
        QFETCH(SizeMode, mode);
        QVERIFY(SettingsStore::standard().setValue(u"ConfirmIrreversibleActions"_s, true));
        QVERIFY(sizefixture::make(path("fixture"), 2000));
        QVERIFY(sizefixture::put(QFile::encodeName(path("disc.iso")), "iso", 50'000'000));
        const qint64 total =
            sizefixture::du(path("fixture"), mode) + sizefixture::du(path("disc.iso"), mode);
        for (const QString& item : {path("fixture"), path("disc.iso")})
            QVERIFY(FreedesktopTrash().moveToTrash(item).succeeded());
        QVERIFY(writeFile(path("no-volumes"), {}));
        TrashCleaner cleaner(FreedesktopTrash::standardHomeTrash(), path("no-volumes"),
                             ::geteuid());
        cleaner.setSizeMode(mode);

        TrashViewController view(cleaner);
        view.show();
        QTRY_COMPARE(view.model()->rowCount(), 2);
        QTRY_VERIFY(!view.model()->isBusy());
        QCOMPARE(view.model()->totalBytes(), total);
        QCOMPARE(cleaner.measure().bytes, total); // the Cleanup tab's question
        const QString figure = SizeModeSetting::figure(total, mode);
        QVERIFY2(view.summaryText().contains(figure), qPrintable(view.summaryText()));
        QSignalSpy emptied(view.model(), &TrashListModel::deleteFinished);
        {
            const ConfirmationAnswer answer(true);
            view.emptyTrashButtonAction();
            QTRY_COMPARE(view.model()->rowCount(), 0);
            QVERIFY2(answer.question().contains(figure), qPrintable(answer.question()));
        }
        QTRY_COMPARE(emptied.count(), 1);
        QCOMPARE(emptied.at(0).at(0).value<TrashCleaner::Result>().bytesFreed, total);
        QTRY_COMPARE(view.freedText(), u"Freed "_s + figure);
        QCOMPARE(view.failureText(), QString());
    }
};

CORVELLA_WIDGET_TEST_MAIN(TrashViewControllerTest)

#include "TrashViewControllerTest.moc"
