#include "platform/FileManagerReveal.h"

#include <QDBusConnectionInterface>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

// A stand-in file manager on the test environment's session bus that records what it was asked
// to show.
class FileManagerStandIn : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    QStringList shown;
    QString startupId;
public Q_SLOTS:
    Q_SCRIPTABLE void ShowItems(const QStringList& uris, const QString& startup)
    {
        shown = uris;
        startupId = startup;
        Q_EMIT asked();
    }
Q_SIGNALS:
    void asked();
};

TEST(FileManagerRevealTest, AsksTheFileManagerToShowTheItem)
{
    const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    if (address.isEmpty() || qEnvironmentVariableIsEmpty("CORVELLA_TEST_ENV"))
        GTEST_SKIP() << "needs the private session bus of the test environment";
    QDBusConnection standInBus =
        QDBusConnection::connectToBus(address, QStringLiteral("fm-standin"));
    FileManagerStandIn standIn;
    ASSERT_TRUE(standInBus.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &standIn,
                                          QDBusConnection::ExportScriptableSlots));
    ASSERT_EQ(standInBus.interface()
                  ->registerService(QStringLiteral("org.freedesktop.FileManager1"))
                  .value(),
              QDBusConnectionInterface::ServiceRegistered);
    QDBusConnection client = QDBusConnection::connectToBus(address, QStringLiteral("fm-client"));

    QSignalSpy asked(&standIn, &FileManagerStandIn::asked);
    EXPECT_EQ(FileManagerReveal::showItem(QStringLiteral("/home/u/Downloads/a b#1.iso"), client),
              QString());
    ASSERT_TRUE(asked.wait(5000));
    EXPECT_EQ(standIn.shown, QStringList{QStringLiteral("file:///home/u/Downloads/a%20b%231.iso")});

    standInBus.interface()->unregisterService(QStringLiteral("org.freedesktop.FileManager1"));
    QDBusConnection::disconnectFromBus(QStringLiteral("fm-standin"));
    QDBusConnection::disconnectFromBus(QStringLiteral("fm-client"));
    EXPECT_FALSE(FileManagerReveal::showItem(QString()).isEmpty());
}

} // namespace

#include "FileManagerRevealTest.moc"
