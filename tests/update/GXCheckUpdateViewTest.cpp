#include "LoopbackRecordServer.h"
#include "support/PrivateHome.h"
#include "update/GXCheckUpdateViewController.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class GXCheckUpdateViewTest : public QObject {
    Q_OBJECT
public:
    explicit GXCheckUpdateViewTest(const PrivateHome& home) : m_home(home) {}

private Q_SLOTS:
    // The record's fields in the list: text, then the frame measured from the bottom of the
    // document view ("x,y,w,h"), then the document's height.
    void showsTheOutcome_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<int>("documentHeight");
        const QByteArray newer = "<key>VersionCheck</key><integer>101</integer>"
                                 "<key>Version</key><string>2.0</string>";
        QTest::newRow("equal") << LoopbackRecordServer::record(
                                      "<key>VersionCheck</key><integer>100</integer>")
                               << u"noUpdate"_s << QStringList() << 0;
        QTest::newRow("two short lines")
            << LoopbackRecordServer::record(newer + "<key>1</key><string>Faster</string>"
                                                    "<key>2</key><string>Smaller</string>")
            << u"haveUpdate"_s
            << QStringList{u"1:Faster 0,115,391,25"_s, u"2:Smaller 0,90,391,25"_s} << 140;
        QTest::newRow("no lines") << LoopbackRecordServer::record(newer) << u"haveUpdate"_s
                                  << QStringList() << 140;
        QTest::newRow("not a record")
            << QByteArray("garbage") << u"noNetwork"_s << QStringList() << 0;
    }
    void showsTheOutcome()
    {
        QFETCH(QByteArray, record);
        QFETCH(QString, shown);
        QFETCH(QStringList, fields);
        QFETCH(int, documentHeight);
        LoopbackRecordServer server;
        server.serve("/version.plist", record);
        const QString settings = m_home.path("settings.plist");
        QFile file(settings);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(LoopbackRecordServer::record(
            "<key>IniURL</key><string>" + server.url("/version.plist").toEncoded() +
            "</string><key>VersionCheck</key><integer>100</integer>"
            "<key>Version</key><string>1.4</string>"));
        file.close();
        qputenv("CORVELLA_SHIPPED_SETTINGS", QFile::encodeName(settings));

        GXCheckUpdateViewController view;
        QSignalSpy finished(&view, &GXCheckUpdateViewController::checkFinished);
        QVERIFY(finished.wait(15000));
        const QHash<QString, QWidget*> views{{u"noUpdate"_s, view.noUpdateView()},
                                             {u"haveUpdate"_s, view.haveUpdateView()},
                                             {u"noNetwork"_s, view.noNetworkView()},
                                             {u"checking"_s, view.checkProgressView()}};
        for (auto it = views.cbegin(); it != views.cend(); ++it)
            QCOMPARE(!it.value()->isHidden(), it.key() == shown);
        if (shown == u"noNetwork")
            QVERIFY(view.noNetworkReason()->text().contains(u"could not be read"_s));
        if (shown != u"haveUpdate")
            return;
        QCOMPARE(
            view.versionLabel()->text(),
            u"Corvella 2.0 is now available-you have 1.4. Would you like to download it now?"_s);
        QWidget* document = view.showVersionScrollView();
        QCOMPARE(document->height(), documentHeight);
        QStringList shownFields;
        for (const QLabel* field : document->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
            const QRect frame = field->geometry();
            shownFields << u"%1 %2,%3,%4,%5"_s.arg(field->text())
                               .arg(frame.x())
                               .arg(document->height() - frame.y() - frame.height())
                               .arg(frame.width())
                               .arg(frame.height());
        }
        QCOMPARE(shownFields, fields);
    }

private:
    const PrivateHome& m_home;
};

int main(int argc, char** argv)
{
    const PrivateHome home;
    if (!home.isValid())
        return 1;
    QApplication application(argc, argv);
    GXCheckUpdateViewTest test(home);
    return QTest::qExec(&test, argc, argv);
}

#include "GXCheckUpdateViewTest.moc"
