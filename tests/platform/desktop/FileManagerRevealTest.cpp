#include "platform/desktop/FileManagerReveal.h"

#include <QDBusConnection>
#include <QTest>

#include <gtest/gtest.h>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

// A file manager on the test environment's session bus that records what it was asked to show.
class FileManagerStandIn : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    QStringList shown;
public Q_SLOTS:
    Q_SCRIPTABLE void ShowItems(const QStringList& uris, const QString&) { shown = uris; }
};

TEST(FileManagerRevealTest, AsksTheFileManagerToShowTheItem)
{
    const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    if (address.isEmpty() || qEnvironmentVariableIsEmpty("CORVELLA_TEST_ENV"))
        GTEST_SKIP() << "needs the private session bus of the test environment";
    QDBusConnection standInBus = QDBusConnection::connectToBus(address, u"fm-standin"_s);
    QDBusConnection client = QDBusConnection::connectToBus(address, u"fm-client"_s);
    FileManagerStandIn standIn;
    ASSERT_TRUE(standInBus.registerObject(u"/org/freedesktop/FileManager1"_s, &standIn,
                                          QDBusConnection::ExportScriptableSlots) &&
                standInBus.registerService(u"org.freedesktop.FileManager1"_s));

    // showItem() waits for the answer, which the stand-in gives on this thread: it runs on another.
    QString error = u"(no answer)"_s;
    std::thread asking(
        [&] { error = FileManagerReveal::showItem(u"/home/u/Downloads/a b#1.iso"_s, client); });
    const bool shown = QTest::qWaitFor([&] { return !standIn.shown.isEmpty(); }, 5000);
    asking.join();
    ASSERT_TRUE(shown);
    EXPECT_EQ(error, QString());
    EXPECT_EQ(standIn.shown, QStringList{u"file:///home/u/Downloads/a%20b%231.iso"_s});

    standInBus.unregisterService(u"org.freedesktop.FileManager1"_s);
    QDBusConnection::disconnectFromBus(u"fm-standin"_s);
    QDBusConnection::disconnectFromBus(u"fm-client"_s);
    EXPECT_FALSE(FileManagerReveal::showItem(QString()).isEmpty());
}

} // namespace

#include "FileManagerRevealTest.moc"
