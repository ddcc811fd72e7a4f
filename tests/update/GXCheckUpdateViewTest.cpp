#include "LoopbackRecordServer.h"
#include "support/Files.h"
#include "support/WidgetTestMain.h"
#include "update/GXCheckUpdateViewController.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMap>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class GXCheckUpdateViewTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // What each record shows, and its numbered lines in the list of what is new, top to bottom.
    void showsTheOutcome()
    {
        const QByteArray newer = "<key>VersionCheck</key><integer>101</integer>"
                                 "<key>Version</key><string>2.0</string>";
        using Server = LoopbackRecordServer;
        const struct {
            QByteArray record;
            QString shown;
            QStringList fields = {};
        } rows[] = {
            {Server::record("<key>VersionCheck</key><integer>100</integer>"), u"noUpdate"_s},
            {Server::record(newer + "<key>1</key><string>Faster</string>"
                                    "<key>2</key><string>Smaller</string>"),
             u"haveUpdate"_s,
             {u"1:Faster"_s, u"2:Smaller"_s}},
            {Server::record(newer), u"haveUpdate"_s},
            {"garbage", u"noNetwork"_s}};
        for (const auto& [record, shown, fields] : rows) {
            Server server;
            server.serve("/version.plist", Server::ok(record));
            const QString settings = QDir::home().filePath(u"settings.plist"_s);
            QVERIFY(writeFile(settings, Server::record("<key>IniURL</key><string>" +
                                                       server.url("/version.plist").toEncoded() +
                                                       "</string><key>VersionCheck</key><integer>"
                                                       "100</integer><key>Version</key><string>1.4"
                                                       "</string>")));
            qputenv("CORVELLA_SHIPPED_SETTINGS", QFile::encodeName(settings));
            GXCheckUpdateViewController view;
            QVERIFY(QSignalSpy(&view, &GXCheckUpdateViewController::checkFinished).wait(15000));
            const QHash<QString, QWidget*> views{{u"noUpdate"_s, view.noUpdateView()},
                                                 {u"haveUpdate"_s, view.haveUpdateView()},
                                                 {u"noNetwork"_s, view.noNetworkView()},
                                                 {u"checking"_s, view.checkProgressView()}};
            for (auto it = views.cbegin(); it != views.cend(); ++it)
                QCOMPARE(std::pair(it.key(), !it.value()->isHidden()),
                         std::pair(it.key(), it.key() == shown));
            if (shown == u"noNetwork")
                QVERIFY(view.noNetworkReason()->text().contains(u"could not be read"_s));
            if (shown != u"haveUpdate")
                continue;
            QCOMPARE(
                view.versionLabel()->text(),
                u"Corvella 2.0 is now available-you have 1.4. Would you like to download it now?"_s);
            QMap<int, QString> shownFields; // by their place from the top
            for (const QLabel* field :
                 view.showVersionScrollView()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
                shownFields.insert(field->y(), field->text());
            QCOMPARE(shownFields.values(), fields);
        }
    }
};

CORVELLA_WIDGET_TEST_MAIN(GXCheckUpdateViewTest)

#include "GXCheckUpdateViewTest.moc"
