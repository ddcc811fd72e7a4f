#include "apps/ApplicationsViewController.h"

#include "kit/ImageButton.h"
#include "support/Files.h"
#include "support/WidgetTestMain.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;

class ApplicationsViewControllerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Three applications of the user and, among the system's, one whose program is listed (an
    // executable file) but no program the kernel can run.
    void initTestCase()
    {
        const QString home = QDir::homePath();
        qputenv("XDG_DATA_DIRS", QFile::encodeName(home + u"/system"_s));
        for (const char* name : {"Photos", "alpha", "Zeta"})
            QVERIFY(writeFile(
                home + u"/data/applications/"_s + QLatin1StringView(name) + u".desktop"_s,
                "[Desktop Entry]\nType=Application\nExec=true\nName=" + QByteArray(name)));
        const QString garbage = home + u"/system/bin/garbage"_s;
        QVERIFY(writeFile(garbage, QByteArray(64, '\x7f')) &&
                QFile::setPermissions(garbage, QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(writeFile(home + u"/system/applications/broken.desktop"_s,
                          "[Desktop Entry]\nType=Application\nExec=" + QFile::encodeName(garbage) +
                              "\nName=Broken"));
    }
    void init()
    {
        m_page = std::make_unique<ApplicationsViewController>();
        new QAbstractItemModelTester(m_page->listTableView()->model(), m_page.get());
        m_page->resize(420, 500);
        m_page->show();
        QVERIFY(QSignalSpy(m_page.get(), &ApplicationsViewController::scanFinished).wait(10000));
    }
    void cleanup() { m_page.reset(); }

    // A click opens its row after a short delay, though a search changes the rows meanwhile; the
    // clear button brings back every row; a failed launch is shown.
    void aClickOpensTheRowAndAFailedLaunchIsShown()
    {
        QCOMPARE(rows(), (QStringList{u"Broken"_s, u"Photos"_s, u"Zeta"_s, u"alpha"_s}));
        QSignalSpy launches(m_page.get(), &ApplicationsViewController::launchFinished);
        QTableView* table = m_page->listTableView();
        const auto click = [table](int row, int column) {
            const QRect cell = table->visualRect(table->model()->index(row, column));
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        };
        click(1, 0); // Photos
        QTest::keyClicks(m_page->textField(), u"zETa"_s);
        QCOMPARE(rows(), QStringList{u"Zeta"_s});
        QVERIFY(launches.wait(10000));
        QCOMPARE(launches.at(0).at(0).toString(),
                 qEnvironmentVariable("XDG_DATA_HOME") + u"/applications/Photos.desktop"_s);
        QCOMPARE(launches.at(0).at(1).toString(), QString());
        QVERIFY(!m_page->messageLabel()->isVisible());
        QTest::mouseClick(m_page->closeBut(), Qt::LeftButton);
        QCOMPARE(std::pair(m_page->textField()->text(), rows().size()),
                 std::pair(QString(), qsizetype(4)));
        click(0, 1); // the run button of Broken
        QVERIFY(launches.wait(10000));
        QVERIFY(launches.at(1).at(1).toString().contains(u"Exec format error"_s));
        QVERIFY(m_page->messageLabel()->isVisible());
        QCOMPARE(m_page->messageLabel()->text(), launches.at(1).at(1).toString());
    }

private:
    QStringList rows() const
    {
        QStringList names;
        const QAbstractItemModel* model = m_page->listTableView()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            names.append(model->index(row, 0).data().toString());
        return names;
    }

    std::unique_ptr<ApplicationsViewController> m_page;
};

CORVELLA_WIDGET_TEST_MAIN(ApplicationsViewControllerTest)

#include "ApplicationsViewControllerTest.moc"
