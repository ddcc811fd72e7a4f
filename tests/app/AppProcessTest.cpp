// The tray application as a real process under the test environment's X server and trays.
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QStyleHints>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray xdotool(const QStringList& arguments)
{
    QProcess process;
    process.start(u"xdotool"_s, arguments);
    process.waitForFinished(5000);
    return process.readAllStandardOutput();
}

int visiblePanels() // visible top-level windows titled "Corvella"
{
    return int(xdotool({"search", "--onlyvisible", "--name", "^Corvella$"}).count('\n'));
}

void stop(QProcess& process)
{
    process.terminate();
    if (!process.waitForFinished(5000))
        process.kill();
    process.waitForFinished(5000);
}

} // namespace

class AppProcessTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("CORVELLA_TEST_ENV") ||
            QStandardPaths::findExecutable(u"xdotool"_s).isEmpty())
            QSKIP("needs the X server, buses and xdotool of the test environment");
        QVERIFY(m_home.isValid());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_CONFIG_HOME"_s, m_home.filePath(u"config"_s));
        environment.insert(u"XDG_DATA_HOME"_s, m_home.filePath(u"data"_s));
        environment.insert(u"XDG_RUNTIME_DIR"_s, m_home.path());
        environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        m_app.setProcessEnvironment(environment);
        m_app.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        startApp();
    }

    void secondStartTogglesTheFirstAndExitsZero()
    {
        for (int expected : {0, 1}) {
            QProcess second;
            second.setProcessEnvironment(m_app.processEnvironment());
            second.start(QStringLiteral(CORVELLA_BINARY), {});
            QVERIFY(second.waitForFinished(10000) && second.exitStatus() == QProcess::NormalExit);
            QCOMPARE(second.exitCode(), 0);
            QTRY_COMPARE_WITH_TIMEOUT(visiblePanels(), expected, 10000);
        }
        QCOMPARE(m_app.state(), QProcess::Running);
    }

    void trayClickTogglesThePanel()
    {
        if (xdotool({"search", "--onlyvisible", "--class", "trayer"}).isEmpty())
            QSKIP("no XEmbed tray in this environment");
        const int before = visiblePanels();
        for (int expected : {1 - before, before}) {
            // Two clicks closer than the double-click interval would be one double click.
            QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 200);
            // Our icon is the only one in trayer's window (24 high): it fills it from the left.
            xdotool({"search", "--onlyvisible", "--class", "trayer", "mousemove", "--window", "%1",
                     "12", "12", "click", "1"});
            QTRY_COMPARE_WITH_TIMEOUT(visiblePanels(), expected, 10000);
        }
    }

    // Started while a StatusNotifierWatcher runs, the application puts its icon there instead.
    void statusNotifierActivationTogglesThePanel()
    {
        stop(m_app);
        QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
        const QString watcherName = u"org.kde.StatusNotifierWatcher"_s;
        if (bus->isServiceRegistered(watcherName))
            QSKIP("another StatusNotifierWatcher runs on this session bus");
        m_watcher.start(u"/usr/bin/python3"_s, {QStringLiteral(CORVELLA_SNIWATCHER)});
        QTRY_VERIFY_WITH_TIMEOUT(bus->isServiceRegistered(watcherName), 10000);
        startApp();
        // The watcher prints "ITEM <service>" for every item registered with it.
        QByteArray item;
        QTRY_VERIFY_WITH_TIMEOUT((item += m_watcher.readAllStandardOutput()).contains('\n'), 10000);
        QVERIFY2(item.startsWith("ITEM "), item.constData());
        const QString service = QString::fromUtf8(item.mid(5).trimmed());
        for (int expected : {0, 1}) {
            const QDBusMessage reply = QDBusConnection::sessionBus().call(
                QDBusMessage::createMethodCall(service, u"/StatusNotifierItem"_s,
                                               u"org.kde.StatusNotifierItem"_s, u"Activate"_s)
                << 0 << 0);
            QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(reply.errorMessage()));
            QTRY_COMPARE_WITH_TIMEOUT(visiblePanels(), expected, 10000);
        }
    }

    void cleanupTestCase()
    {
        stop(m_app);
        stop(m_watcher);
    }

private:
    void startApp()
    {
        m_app.start(QStringLiteral(CORVELLA_BINARY), {});
        QVERIFY(m_app.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(visiblePanels(), 1, 10000); // the panel opens at start
    }

    QTemporaryDir m_home;
    QProcess m_app;
    QProcess m_watcher;
};

QTEST_MAIN(AppProcessTest)
#include "AppProcessTest.moc"
