#include "startup/StartupItemsViewController.h"

#include "kit/ImageButton.h"
#include "kit/TextImageButton.h"
#include "support/ConfirmationAnswer.h"
#include "support/Files.h"
#include "support/WidgetTestMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QThreadPool>

using namespace Qt::StringLiterals;

namespace {

// Below the private home.
QString at(const char* relative)
{
    return QDir::homePath() + u'/' + QLatin1StringView(relative);
}

bool writeEntry(const char* name, const QByteArray& exec, const QByteArray& more = {},
                const char* folder = nullptr)
{
    return writeFile(at(folder ? folder : "config/autostart/") + QLatin1StringView(name),
                     "[Desktop Entry]\nType=Application\nName=" + QByteArray(name) +
                         "\nExec=" + exec + '\n' + more);
}
} // namespace

class StartupItemsViewControllerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(at("system")));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(at("share")));
    }
    void init()
    {
        for (const char* folder : {"config/autostart", "system/autostart", "bin"})
            QDir(at(folder)).removeRecursively();
        m_page = std::make_unique<StartupItemsViewController>();
        m_page->resize(420, 500);
        m_page->show();
    }
    void cleanup() { m_page.reset(); }

    void aChangeDuringARebuildRunsOneMoreRebuild()
    {
        // The entry's program appears after the first rebuild has read the folders; no watched
        // folder changes, so only the kept request can show it.
        QVERIFY(writeEntry("late.desktop", QFile::encodeName(at("bin/late-program"))));
        m_page = std::make_unique<StartupItemsViewController>(); // sees the folder as it is now
        int reads = 0;
        m_page->setAfterReadHook([&reads, page = m_page.get()] {
            if (++reads > 1)
                return;
            writeFile(at("bin/late-program"), "#!/bin/sh\n");
            QFile::setPermissions(at("bin/late-program"), QFile::ReadOwner | QFile::ExeOwner);
            QMetaObject::invokeMethod(page, &StartupItemsViewController::updateLoginItemsList,
                                      Qt::BlockingQueuedConnection);
        });
        QSignalSpy rebuilt(m_page.get(), &StartupItemsViewController::listRebuilt);
        m_page->updateLoginItemsList();
        QTRY_COMPARE_WITH_TIMEOUT(rebuilt.size(), 2, 10000);
        QCOMPARE(rows(), QStringList{u"late.desktop"_s});
        QVERIFY(!m_page->isScan());
    }

    void eachRowActsOnItsOwnItem()
    {
        QVERIFY(writeFile(at("files/one"), "1") && writeFile(at("files/two"), "2"));
        QVERIFY(writeEntry("a-unresolved.desktop", "no-such-program-anywhere"));
        QVERIFY(writeEntry("b.desktop", "xdg-open " + QFile::encodeName(at("files/one"))));
        QVERIFY(writeEntry("c.desktop", "xdg-open " + QFile::encodeName(at("files/two")),
                           "X-GNOME-Autostart-enabled=false\n"));
        m_page->updateLoginItemsList();
        QTRY_VERIFY_WITH_TIMEOUT(!m_page->isScan() && rows().size() == 2, 10000);
        QCOMPARE(rows(), (QStringList{u"one"_s, u"two"_s}));
        QTableWidget* table = m_page->listTableView();
        auto* toggle = qobject_cast<QCheckBox*>(table->cellWidget(1, 1));
        QVERIFY(toggle && !toggle->isChecked());

        QSignalSpy changes(m_page.get(), &StartupItemsViewController::changeFinished);
        toggle->click();
        QTRY_VERIFY_WITH_TIMEOUT(changes.size() == 1 && !m_page->isScan() &&
                                     m_page->allItems().size() == 2 &&
                                     m_page->allItems().at(1).enabled,
                                 10000);
        auto* remove = qobject_cast<ImageButton*>(table->cellWidget(1, 2));
        QVERIFY(remove);
        const ConfirmationAnswer answer(true);
        QTest::mouseClick(remove, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(changes.size() == 2 && !m_page->isScan() && rows().size() == 1,
                                 10000);
        QCOMPARE(rows(), QStringList{u"one"_s});
        QCOMPARE(entriesOf(at("config/autostart")),
                 (QStringList{u"a-unresolved.desktop"_s, u"b.desktop"_s}));
    }

    // The bin asks first, Cancel the default: Cancel keeps a user's entry; Remove hides a system
    // entry by a file in the user's folder, which the Add menu then takes away again. (Removing a
    // user's entry: eachRowActsOnItsOwnItem.)
    void binAsksFirst_data()
    {
        QTest::addColumn<bool>("system");
        QTest::newRow("user, Cancel") << false;
        QTest::newRow("system, Remove") << true;
    }
    void binAsksFirst()
    {
        QFETCH(bool, system);
        QVERIFY(writeEntry("agent.desktop", "sh", {}, system ? "system/autostart/" : nullptr));
        QVERIFY(QDir().mkpath(at("config/autostart")));
        m_page->updateLoginItemsList();
        QTRY_VERIFY_WITH_TIMEOUT(!m_page->isScan() && rows().size() == 1, 10000);
        QSignalSpy changes(m_page.get(), &StartupItemsViewController::changeFinished);
        {
            const ConfirmationAnswer answer(system);
            QTest::mouseClick(m_page->listTableView()->cellWidget(0, 2), Qt::LeftButton);
            QVERIFY(answer.asked() == 1 && answer.cancelIsDefault());
        }
        // A change would run on the pool: once it is idle, a Cancel that went ahead would show.
        QVERIFY(QThreadPool::globalInstance()->waitForDone(10000));
        QTRY_VERIFY_WITH_TIMEOUT(changes.size() == int(system) && !m_page->isScan(), 10000);
        QCOMPARE(std::pair(rows().size(), entriesOf(at("config/autostart"))),
                 std::pair(qsizetype(system ? 0 : 1), QStringList{u"agent.desktop"_s}));
        if (!system)
            return;
        m_page->addButton()->click();
        auto* menu = m_page->findChild<QMenu*>(u"addMenu"_s);
        QVERIFY(menu && menu->actions().constLast()->text() == u"Restore agent.desktop"_s);
        menu->actions().constLast()->trigger();
        menu->close();
        QTRY_VERIFY_WITH_TIMEOUT(changes.size() == 2 && !m_page->isScan() && rows().size() == 1,
                                 10000);
        QCOMPARE(entriesOf(at("config/autostart")), QStringList());
    }

private:
    QStringList rows() const
    {
        QStringList names;
        for (const ASLoginStartItem& item : m_page->allItems())
            names.append(item.name);
        return names;
    }

    std::unique_ptr<StartupItemsViewController> m_page;
};

CORVELLA_WIDGET_TEST_MAIN(StartupItemsViewControllerTest)

#include "StartupItemsViewControllerTest.moc"
