#include "common/SettingsStore.h"

#include "common/PropertyList.h"
#include "support/Files.h"

#include <QDateTime>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

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

TEST_F(SettingsStoreTest, WritesOnlyItsOwnKeysAtomicallyAndCachesNothing)
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
    EXPECT_EQ(readFile(m_shipped), kShipped);
    EXPECT_NE(inodeOf(m_writable), before);
    EXPECT_EQ(entriesOf(QFileInfo(m_writable).path()), QStringList{u"StringMessage.plist"_s});

    // An upgrade's shipped values reach the user: the user's file holds none of them.
    EXPECT_FALSE(readFile(m_writable).contains("VersionCheck"));
    ASSERT_TRUE(writeFile(m_shipped, QByteArray(kShipped).replace("1.2.3", "2.0.0")));
    EXPECT_EQ(m_store.stringValue(u"VersionCheck"_s), u"2.0.0"_s);
    EXPECT_EQ(m_store.stringValue(u"FontLight"_s), u"Noto Sans Light"_s);
}

// A full copy written by an earlier version: what equals the shipped value goes, what differs
// stays, and the installed build's own numbers always go (only the copying put them there).
struct MigrationCase {
    const char* key;
    QVariant copied;
    bool kept;
};

class SettingsMigrationTest : public SettingsStoreTest,
                              public ::testing::WithParamInterface<MigrationCase> {};

TEST_P(SettingsMigrationTest, FirstReadDropsCopiedKeys)
{
    const QString key = QString::fromLatin1(GetParam().key);
    const QVariant expected =
        GetParam().kept ? GetParam().copied : PropertyList::readFile(m_shipped)->toMap().value(key);
    ASSERT_TRUE(writeFile(m_writable, PropertyList::toXml(QVariantMap{
                                          {key, GetParam().copied}, {u"BeginTime"_s, u"then"_s}})));
    EXPECT_EQ(m_store.value(key), expected);
    const QVariantMap stored = PropertyList::readFile(m_writable)->toMap(); // rewritten at once
    EXPECT_EQ(stored.contains(key), GetParam().kept);
    EXPECT_EQ(stored.value(u"BeginTime"_s), u"then"_s);
    ASSERT_TRUE(m_store.setValue(u"X"_s, u"1"_s)); // and not migrated again
    EXPECT_EQ(m_store.value(key), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Copies, SettingsMigrationTest,
    ::testing::Values(MigrationCase{"IniURL", u"https://example.org/ini"_s, false},
                      MigrationCase{"IniURL", u"https://mirror.example.net/ini"_s, true},
                      MigrationCase{"VersionCheck", u"1.0.0"_s, false},
                      MigrationCase{"Version", u"0.9"_s, false},
                      MigrationCase{"FontLight", u"Noto Sans"_s, true}));

// A plain file where the settings folder should be: no one, root included, can write there.
TEST_F(SettingsStoreTest, AnUnwritableFileFailsCleanly)
{
    ASSERT_TRUE(writeFile(m_folder.filePath(u"blocker"_s)));
    SettingsStore blocked(m_shipped, m_folder.filePath(u"blocker/StringMessage.plist"_s));
    EXPECT_FALSE(blocked.setValue(u"BeginTime"_s, u"now"_s));
    EXPECT_TRUE(blocked.value(u"BeginTime"_s).isNull());
    EXPECT_EQ(blocked.stringValue(u"VersionCheck"_s), u"1.2.3"_s);
}

TEST(PropertyListTest, ValueTreesRoundTripThroughXml)
{
    const QVariantMap tree{{u"text"_s, u"héllo <&>"_s},
                           {u"number"_s, 42LL},
                           {u"real"_s, 2.5},
                           {u"flag"_s, true},
                           {u"list"_s, QVariantList{u"a"_s, 1LL}},
                           {u"data"_s, QByteArray("\0\1\xff", 3)},
                           {u"date"_s, utc(u"2023-11-14T22:13:20Z"_s)}};
    EXPECT_EQ(PropertyList::parse(PropertyList::toXml(tree)), QVariant(tree));
    EXPECT_FALSE(PropertyList::parse("00:02.0 VGA compatible controller: Example\n"));
    EXPECT_FALSE(PropertyList::parse(QByteArray()));
}

// Another editor of the user's settings file (here Python's plistlib) may have left dates in it,
// in binary form: they read to the millisecond, and the next write keeps them to the whole second
// (the XML form holds no fractions), cut toward the past, before 1970 and 2001 as after.
TEST_F(SettingsStoreTest, DatesWrittenByAnotherToolSurviveARewrite)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(m_writable).path()));
    QProcess python;
    python.start(u"python3"_s, {u"-c"_s, uR"(import plistlib, sys, datetime as d
plistlib.dump({'Moon': d.datetime(1969, 7, 20, 20, 17, 40, 750000),
               'Later': d.datetime(1990, 1, 1, 0, 0, 0, 500000), 'Epoch': d.datetime(2001, 1, 1),
               'Now': d.datetime(2023, 11, 14, 22, 13, 20, 875000)},
              open(sys.argv[1], 'wb'), fmt=plistlib.FMT_BINARY))"_s,
                                m_writable});
    ASSERT_TRUE(python.waitForFinished() && python.exitCode() == 0)
        << python.readAllStandardError().toStdString();
    QVariantMap exact, whole{{u"X"_s, u"1"_s},
                             {u"IniURL"_s, u"https://example.org/ini"_s},
                             {u"VersionCheck"_s, u"1.2.3"_s}};
    for (const auto& [key, read, written] :
         {std::tuple{"Moon", "1969-07-20T20:17:40.750Z", "1969-07-20T20:17:40Z"},
          {"Later", "1990-01-01T00:00:00.500Z", "1990-01-01T00:00:00Z"},
          {"Epoch", "2001-01-01T00:00:00Z", "2001-01-01T00:00:00Z"},
          {"Now", "2023-11-14T22:13:20.875Z", "2023-11-14T22:13:20Z"}}) {
        exact.insert(QLatin1String(key), utc(QLatin1String(read)));
        whole.insert(QLatin1String(key), utc(QLatin1String(written)));
    }
    EXPECT_EQ(PropertyList::readFile(m_writable), QVariant(exact));
    ASSERT_TRUE(m_store.setValue(u"X"_s, u"1"_s));
    EXPECT_EQ(m_store.dictionary(), whole);
}

// A binary property list of arrays: object n holds the objects numbered in arrays[n]; the top
// one is object 0.
QByteArray binaryArrays(const QList<QList<quint32>>& arrays)
{
    const auto bigEndian = [](quint64 value, int size) {
        const quint64 big = qToBigEndian(value);
        return QByteArray(reinterpret_cast<const char*>(&big) + 8 - size, size);
    };
    QByteArray bytes = "bplist00";
    QByteArray table;
    for (const QList<quint32>& children : arrays) {
        table += bigEndian(quint64(bytes.size()), 4);
        bytes += char(0xa0 | std::min<qsizetype>(children.size(), 0x0f));
        if (children.size() >= 0x0f)
            bytes += '\x12' + bigEndian(quint64(children.size()), 4);
        for (quint32 child : children)
            bytes += bigEndian(child, 4);
    }
    const quint64 tableOffset = quint64(bytes.size());
    return bytes + table + QByteArray(6, '\0') + "\x04\x04" + bigEndian(quint64(arrays.size()), 8) +
           bigEndian(0, 8) + bigEndian(tableOffset, 8);
}

// Arrays nested `depth` deep, each n holding object n + 1 `width` times.
QByteArray binaryNested(int depth, int width = 1)
{
    QList<QList<quint32>> arrays;
    for (int level = 1; level <= depth; ++level)
        arrays.append(level == depth ? QList<quint32>() : QList<quint32>(width, quint32(level)));
    return binaryArrays(arrays);
}

QByteArray xmlNested(int depth, const QByteArray& open = "<array>",
                     const QByteArray& close = "</array>")
{
    return "<plist>" + open.repeated(depth) + close.repeated(depth) + "</plist>";
}

struct HostileCase {
    const char* label;
    QByteArray bytes;
    QString problem; // a part of it; empty: read and written back alike
};

class PropertyListHostileTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(PropertyListHostileTest, RefusesWithAReasonAndNeverCrashes)
{
    QString problem;
    const std::optional<QVariant> root = PropertyList::parse(GetParam().bytes, &problem);
    EXPECT_EQ(root.has_value(), GetParam().problem.isEmpty()) << problem.toStdString();
    EXPECT_TRUE(problem.contains(GetParam().problem)) << problem.toStdString();
    if (root) { // what was read is written alike, and one level more is refused
        EXPECT_EQ(PropertyList::parse(PropertyList::toXml(*root)), root);
        EXPECT_TRUE(PropertyList::toXml(QVariantList{*root}).isEmpty());
    }
}

const QString kTooDeep = u"nested deeper than 64 levels"_s;
INSTANTIATE_TEST_SUITE_P(
    Shapes, PropertyListHostileTest,
    ::testing::Values(HostileCase{"deepestXml", xmlNested(64), {}},
                      HostileCase{"deeperXml", xmlNested(65), kTooDeep},
                      HostileCase{"deepXmlArrays", xmlNested(50000), kTooDeep},
                      HostileCase{"deepXmlDictionaries",
                                  xmlNested(50000, "<dict><key>k</key>", "</dict>"), kTooDeep},
                      HostileCase{"deepestBinary", binaryNested(64), {}},
                      HostileCase{"deeperBinary", binaryNested(65), kTooDeep},
                      HostileCase{"deepBinary", binaryNested(50000), kTooDeep},
                      HostileCase{"binaryCycle", binaryArrays({{0}}), u"contains itself"_s},
                      HostileCase{"binaryExpansion", binaryNested(40, 2),
                                  u"more than 1048576 values"_s},
                      HostileCase{"octalLooking", "<plist><integer>010</integer></plist>",
                                  u"“010” is not a whole number"_s}),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace
