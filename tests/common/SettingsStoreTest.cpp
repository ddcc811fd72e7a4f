#include "common/SettingsStore.h"

#include "common/PropertyList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const char kShipped[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0"><dict>
<key>IniURL</key><string>https://example.org/ini</string>
<key>UpdateURL</key><string>https://example.org/update</string>
<key>VersionCheck</key><string>1.2.3</string>
</dict></plist>)";

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        shipped = folder.filePath(QStringLiteral("shipped/StringMessage.plist"));
        writable = folder.filePath(QStringLiteral("config/corvella/StringMessage.plist"));
        QDir().mkpath(folder.filePath(QStringLiteral("shipped")));
        writeFile(shipped, kShipped);
    }

    QTemporaryDir folder;
    QString shipped;
    QString writable;
};

TEST_F(SettingsStoreTest, ReadsShippedValuesUntilTheFirstWrite)
{
    SettingsStore store(shipped, writable);
    EXPECT_EQ(store.stringValue(QStringLiteral("UpdateURL")),
              QStringLiteral("https://example.org/update"));
    EXPECT_FALSE(QFile::exists(writable));
    EXPECT_TRUE(store.value(QStringLiteral("Missing")).isNull());
}

TEST_F(SettingsStoreTest, WriteCreatesTheUserCopyWithShippedValuesAndRoundTrips)
{
    SettingsStore store(shipped, writable);
    ASSERT_TRUE(store.setValue(QStringLiteral("FontLight"), QStringLiteral("Noto Sans Light")));
    ASSERT_TRUE(store.setValue(QStringLiteral("X"), QStringLiteral("12.3")));

    // A second store on the same files sees everything: nothing is cached.
    SettingsStore again(shipped, writable);
    EXPECT_EQ(again.stringValue(QStringLiteral("FontLight")), QStringLiteral("Noto Sans Light"));
    EXPECT_EQ(again.stringValue(QStringLiteral("X")), QStringLiteral("12.3"));
    EXPECT_EQ(again.stringValue(QStringLiteral("VersionCheck")), QStringLiteral("1.2.3"));
    // The shipped file is never touched.
    EXPECT_EQ(readFile(shipped), QByteArray(kShipped));
    // The writable file is a real XML property list.
    EXPECT_TRUE(readFile(writable).contains("<key>FontLight</key>"));
}

TEST_F(SettingsStoreTest, LastWriterOfAKeyWins)
{
    SettingsStore first(shipped, writable);
    SettingsStore second(shipped, writable);
    first.setValue(QStringLiteral("BeginTime"), QStringLiteral("2026-01-01 00:00:00"));
    second.setValue(QStringLiteral("BeginTime"), QStringLiteral("2026-02-02 00:00:00"));
    second.setValue(QStringLiteral("Y"), QStringLiteral("5.0"));
    EXPECT_EQ(first.stringValue(QStringLiteral("BeginTime")),
              QStringLiteral("2026-02-02 00:00:00"));
    EXPECT_EQ(first.stringValue(QStringLiteral("Y")), QStringLiteral("5.0"));
}

TEST_F(SettingsStoreTest, WriteReplacesTheFileAtomically)
{
    SettingsStore store(shipped, writable);
    ASSERT_TRUE(store.setValue(QStringLiteral("A"), QStringLiteral("1")));
    struct stat before {};
    ASSERT_EQ(::stat(QFile::encodeName(writable).constData(), &before), 0);
    ASSERT_TRUE(store.setValue(QStringLiteral("B"), QStringLiteral("2")));
    struct stat after {};
    ASSERT_EQ(::stat(QFile::encodeName(writable).constData(), &after), 0);
    // A new inode: the file was written beside and renamed over, never truncated in place.
    EXPECT_NE(before.st_ino, after.st_ino);
    // No temporary file is left behind.
    EXPECT_EQ(QDir(QFileInfo(writable).absolutePath()).entryList(QDir::Files),
              QStringList{QStringLiteral("StringMessage.plist")});
}

TEST_F(SettingsStoreTest, CorruptUserFileFallsBackAndIsKeptAside)
{
    QDir().mkpath(QFileInfo(writable).absolutePath());
    writeFile(writable, "<plist><dict><key>X</key><string>unterminated");
    SettingsStore store(shipped, writable);
    // Reads fall back to the shipped values instead of answering nothing.
    EXPECT_EQ(store.stringValue(QStringLiteral("IniURL")),
              QStringLiteral("https://example.org/ini"));

    ASSERT_TRUE(store.setValue(QStringLiteral("FontBold"), QStringLiteral("Bold")));
    // The rewrite starts from the shipped values, not from a dictionary holding one key.
    EXPECT_EQ(store.stringValue(QStringLiteral("IniURL")),
              QStringLiteral("https://example.org/ini"));
    EXPECT_EQ(store.stringValue(QStringLiteral("FontBold")), QStringLiteral("Bold"));
    EXPECT_EQ(readFile(writable + QStringLiteral(".corrupt")),
              QByteArray("<plist><dict><key>X</key><string>unterminated"));
}

TEST_F(SettingsStoreTest, MissingFilesAnswerNothingAndNothingCrashes)
{
    SettingsStore store(folder.filePath(QStringLiteral("none.plist")), writable);
    EXPECT_TRUE(store.dictionary().isEmpty());
    EXPECT_TRUE(store.stringValue(QStringLiteral("IniURL")).isEmpty());
    // Writing still works and holds the key written.
    ASSERT_TRUE(store.setValue(QStringLiteral("X"), QStringLiteral("0.0")));
    EXPECT_EQ(store.stringValue(QStringLiteral("X")), QStringLiteral("0.0"));
}

TEST_F(SettingsStoreTest, UnwritableFolderFailsAndReadersKeepShippedValues)
{
    // A regular file where the settings folder should be: no one, root included, can write there.
    const QString blocker = folder.filePath(QStringLiteral("blocker"));
    writeFile(blocker, "not a folder");
    SettingsStore store(shipped, blocker + QStringLiteral("/corvella/StringMessage.plist"));
    EXPECT_FALSE(store.setValue(QStringLiteral("BeginTime"), QStringLiteral("now")));
    EXPECT_TRUE(store.stringValue(QStringLiteral("BeginTime")).isEmpty());
    EXPECT_EQ(store.stringValue(QStringLiteral("VersionCheck")), QStringLiteral("1.2.3"));
}

TEST(PropertyListTest, ValueTreesRoundTripThroughXml)
{
    QVariantMap map;
    map.insert(QStringLiteral("text"), QStringLiteral("héllo <&>"));
    map.insert(QStringLiteral("number"), 42);
    map.insert(QStringLiteral("real"), 2.5);
    map.insert(QStringLiteral("flag"), true);
    map.insert(QStringLiteral("list"), QVariantList{QStringLiteral("a"), 1});
    map.insert(QStringLiteral("data"), QByteArray("\x00\x01\xff", 3));
    const std::optional<QVariant> back = PropertyList::parse(PropertyList::toXml(map));
    ASSERT_TRUE(back.has_value());
    const QVariantMap result = back->toMap();
    EXPECT_EQ(result.value(QStringLiteral("text")).toString(), QStringLiteral("héllo <&>"));
    EXPECT_EQ(result.value(QStringLiteral("number")).toLongLong(), 42);
    EXPECT_DOUBLE_EQ(result.value(QStringLiteral("real")).toDouble(), 2.5);
    EXPECT_TRUE(result.value(QStringLiteral("flag")).toBool());
    EXPECT_EQ(result.value(QStringLiteral("list")).toList().size(), 2);
    EXPECT_EQ(result.value(QStringLiteral("data")).toByteArray(), QByteArray("\x00\x01\xff", 3));
}

TEST(PropertyListTest, PlainTextIsNotAPropertyList)
{
    EXPECT_FALSE(PropertyList::parse("00:02.0 VGA compatible controller: Example\n").has_value());
    EXPECT_FALSE(PropertyList::parse(QByteArray()).has_value());
}

} // namespace
