#include "common/SettingsStore.h"

#include "common/PropertyList.h"
#include "support/Files.h"

#include <QDateTime>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

const QByteArray kShipped = R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict><key>IniURL</key><string>https://example.org/ini</string>
<key>VersionCheck</key><string>1.2.3</string></dict></plist>)";

QDateTime utc(const QString& iso)
{
    return QDateTime::fromString(iso, Qt::ISODateWithMs).toUTC();
}

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid() && writeFile(m_shipped, kShipped)); }

    QTemporaryDir m_folder;
    QString m_shipped = m_folder.filePath(u"shipped/StringMessage.plist"_s),
            m_writable = m_folder.filePath(u"config/corvella/StringMessage.plist"_s);
    SettingsStore m_store{m_shipped, m_writable};
};

TEST_F(SettingsStoreTest, WritesAUserCopySeededFromTheShippedFileAtomicallyAndCachesNothing)
{
    EXPECT_EQ(m_store.stringValue(u"VersionCheck"_s), u"1.2.3"_s);
    EXPECT_TRUE(m_store.value(u"Missing"_s).isNull());
    EXPECT_FALSE(exists(m_writable));

    ASSERT_TRUE(m_store.setValue(u"FontLight"_s, u"Noto Sans"_s));
    SettingsStore second(m_shipped, m_writable);
    ASSERT_TRUE(second.setValue(u"FontLight"_s, u"Noto Sans Light"_s));
    const ino_t before = inodeOf(m_writable); // a write goes beside, then renames over
    ASSERT_TRUE(second.setValue(u"X"_s, u"12.3"_s));
    EXPECT_EQ(m_store.stringValue(u"FontLight"_s), u"Noto Sans Light"_s); // the last writer's
    EXPECT_EQ(m_store.stringValue(u"X"_s), u"12.3"_s);
    EXPECT_EQ(m_store.stringValue(u"VersionCheck"_s), u"1.2.3"_s);
    EXPECT_EQ(readFile(m_shipped), kShipped);
    EXPECT_TRUE(readFile(m_writable).contains("<key>FontLight</key>"));
    EXPECT_NE(inodeOf(m_writable), before);
    EXPECT_EQ(entriesOf(QFileInfo(m_writable).path()), QStringList{u"StringMessage.plist"_s});
}

TEST_F(SettingsStoreTest, CorruptUserFileFallsBackAndIsKeptAside)
{
    const QByteArray corrupt = "<plist><dict><key>X</key><string>unterminated";
    ASSERT_TRUE(writeFile(m_writable, corrupt));
    EXPECT_EQ(m_store.stringValue(u"IniURL"_s), u"https://example.org/ini"_s);
    ASSERT_TRUE(m_store.setValue(u"FontBold"_s, u"Bold"_s));
    // The rewrite starts from the shipped values, not from a dictionary holding one key.
    EXPECT_EQ(m_store.stringValue(u"IniURL"_s), u"https://example.org/ini"_s);
    EXPECT_EQ(m_store.stringValue(u"FontBold"_s), u"Bold"_s);
    EXPECT_EQ(readFile(m_writable + u".corrupt"_s), corrupt);
}

TEST_F(SettingsStoreTest, MissingOrUnwritableFilesFailCleanly)
{
    SettingsStore nothingShipped(m_folder.filePath(u"none.plist"_s), m_writable);
    EXPECT_TRUE(nothingShipped.dictionary().isEmpty());
    ASSERT_TRUE(nothingShipped.setValue(u"X"_s, u"0.0"_s));
    EXPECT_EQ(nothingShipped.dictionary(), (QVariantMap{{u"X"_s, u"0.0"_s}}));

    // A plain file where the settings folder should be: no one, root included, can write there.
    ASSERT_TRUE(writeFile(m_folder.filePath(u"blocker"_s)));
    SettingsStore blocked(m_shipped, m_folder.filePath(u"blocker/StringMessage.plist"_s));
    EXPECT_FALSE(blocked.setValue(u"BeginTime"_s, u"now"_s));
    EXPECT_TRUE(blocked.value(u"BeginTime"_s).isNull());
    EXPECT_EQ(blocked.stringValue(u"VersionCheck"_s), u"1.2.3"_s);
}

// Dates come back to the whole second (the XML form holds no fractions), cut toward the past.
TEST(PropertyListTest, ValueTreesRoundTripThroughXml)
{
    QVariantMap written{{u"text"_s, u"héllo <&>"_s},
                        {u"number"_s, 42LL},
                        {u"real"_s, 2.5},
                        {u"flag"_s, true},
                        {u"list"_s, QVariantList{u"a"_s, 1LL}},
                        {u"data"_s, QByteArray("\0\1\xff", 3)}};
    QVariantMap read = written;
    for (const auto& [date, second] :
         {std::pair{"2023-11-14T22:13:20.999Z", "2023-11-14T22:13:20Z"},
          {"2001-01-01T00:00:00Z", "2001-01-01T00:00:00Z"},
          {"1990-01-01T00:00:00.500Z", "1990-01-01T00:00:00Z"},
          {"1969-07-20T20:17:40.750Z", "1969-07-20T20:17:40Z"}}) {
        written.insert(QLatin1String(date), utc(QLatin1String(date)));
        read.insert(QLatin1String(date), utc(QLatin1String(second)));
    }
    const QDateTime moon = utc(u"1969-07-20T20:17:40Z"_s);
    EXPECT_EQ(PropertyList::parse(PropertyList::toXml(moon)), QVariant(moon));
    EXPECT_EQ(PropertyList::parse(PropertyList::toXml(written)), QVariant(read));
    EXPECT_FALSE(PropertyList::parse("00:02.0 VGA compatible controller: Example\n"));
    EXPECT_FALSE(PropertyList::parse(QByteArray()));
}

// Another editor of the user's settings file (here Python's plistlib) may have left dates in it,
// in XML or binary form: they read back to the millisecond and survive the next write.
TEST_F(SettingsStoreTest, DatesWrittenByAnotherToolSurviveARewrite)
{
    const QString binary = m_folder.filePath(u"binary.plist"_s);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(m_writable).path()));
    QProcess python;
    python.start(u"python3"_s, {u"-c"_s, uR"(import plistlib, sys, datetime
dates = {'Moon': datetime.datetime(1969, 7, 20, 20, 17, 40, 750000),
         'Later': datetime.datetime(1990, 1, 1, 0, 0, 0, 500000),
         'Now': datetime.datetime(2023, 11, 14, 22, 13, 20)}
plistlib.dump(dates, open(sys.argv[1], 'wb'))  # whole seconds: XML holds no fractions
plistlib.dump(dates, open(sys.argv[2], 'wb'), fmt=plistlib.FMT_BINARY))"_s,
                                m_writable, binary});
    ASSERT_TRUE(python.waitForFinished() && python.exitCode() == 0)
        << python.readAllStandardError().toStdString();

    const QVariantMap fromBinary = PropertyList::readFile(binary).value_or(QVariant()).toMap();
    EXPECT_EQ(fromBinary.value(u"Moon"_s), QVariant(utc(u"1969-07-20T20:17:40.750Z"_s)));
    EXPECT_EQ(fromBinary.value(u"Later"_s), QVariant(utc(u"1990-01-01T00:00:00.500Z"_s)));
    ASSERT_TRUE(m_store.setValue(u"X"_s, u"1"_s));
    EXPECT_EQ(m_store.dictionary(), (QVariantMap{{u"Moon"_s, utc(u"1969-07-20T20:17:40Z"_s)},
                                                 {u"Later"_s, utc(u"1990-01-01T00:00:00Z"_s)},
                                                 {u"Now"_s, utc(u"2023-11-14T22:13:20Z"_s)},
                                                 {u"X"_s, u"1"_s}}));
}

} // namespace
