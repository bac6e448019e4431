// The video source preference in "VideoSource.Dll" and where each lecture plays from.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>

#include "TestSupport.h"
#include "VideoSource.h"

namespace {

using namespace revora;
using revora::testing::RowName;

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void WriteBytes(const QString& path, const QByteArray& content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

struct ReadRow {
    const char* name;
    const char* content;
    std::optional<std::int16_t> expected;
};

class ReadingTheFile : public ::testing::TestWithParam<ReadRow> {};

TEST_P(ReadingTheFile, GivesTheNumberOrNothing)
{
    QTemporaryDir folder;
    const QString path = folder.path() + "/VideoSource.Dll";
    WriteBytes(path, GetParam().content);
    EXPECT_EQ(ReadVideoSource(path), GetParam().expected);
}

const std::int16_t Streaming = StreamFromInternet;
const std::int16_t HardDisk = PlayFromHardDisk;

INSTANTIATE_TEST_SUITE_P(
    VideoSource, ReadingTheFile,
    ::testing::Values(ReadRow{"streaming", "0", Streaming}, ReadRow{"hard disk", "1", HardDisk},
                      ReadRow{"a Windows line end after the number", "1\r\n", HardDisk},
                      ReadRow{"blanks around the number", "  0  \n", Streaming},
                      ReadRow{"a number that is no source is read as it stands", "7", std::int16_t{7}},
                      ReadRow{"the largest negative preference", "-32768", std::int16_t{-32768}},
                      ReadRow{"an empty file", "", std::nullopt}, ReadRow{"words", "internet", std::nullopt},
                      ReadRow{"digits followed by words", "1abc", std::nullopt},
                      ReadRow{"a decimal number", "1.0", std::nullopt},
                      ReadRow{"too large for 16 bits", "32768", std::nullopt},
                      ReadRow{"two numbers", "0 1", std::nullopt},
                      ReadRow{"a large file that starts with a source",
                              "1                                                                  \n",
                              std::nullopt}),
    RowName());

TEST(VideoSource, AMissingFileOrAFolderGivesNothing)
{
    QTemporaryDir folder;
    EXPECT_EQ(ReadVideoSource(folder.path() + "/VideoSource.Dll"), std::nullopt);
    EXPECT_EQ(ReadVideoSource(folder.path()), std::nullopt);
}

TEST(VideoSource, WritingReplacesTheWholeFileAndReadsBack)
{
    QTemporaryDir folder;
    const QString path = folder.path() + "/VideoSource.Dll";
    WriteBytes(path, "a much longer text than one digit\n");
    for (const std::int16_t source : {HardDisk, Streaming}) {
        EXPECT_TRUE(WriteVideoSource(path, source));
        EXPECT_EQ(ReadBytes(path), QByteArray::number(source) + '\n');
        EXPECT_EQ(ReadVideoSource(path), source);
    }
}

TEST(VideoSource, AFailedWriteSaysWhyAndLeavesWhatWasThere)
{
    QTemporaryDir folder;
    QString why;
    EXPECT_FALSE(WriteVideoSource(folder.path() + "/no such folder/VideoSource.Dll", HardDisk, &why));
    EXPECT_FALSE(why.isEmpty());
    EXPECT_FALSE(QFile::exists(folder.path() + "/no such folder"));

    // A folder standing where the file belongs cannot be replaced, and nothing is left beside it.
    const QString path = folder.path() + "/VideoSource.Dll";
    ASSERT_TRUE(QDir().mkdir(path));
    why.clear();
    EXPECT_FALSE(WriteVideoSource(path, Streaming, &why));
    EXPECT_FALSE(why.isEmpty());
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"VideoSource.Dll"});
}

struct AddressRow {
    const char* name;
    std::optional<std::int16_t> source;
    int lecture;
    const char* base;
    const char* expected; // "<install>" stands for the installation folder
};

class LectureAddresses : public ::testing::TestWithParam<AddressRow> {};

TEST_P(LectureAddresses, FollowTheSource)
{
    const AddressRow& row = GetParam();
    const AppPaths paths = MakeAppPaths("/data/revora", "/opt/revora/share");
    const QUrl address = LectureAddress(paths, row.source, Lectures[row.lecture], row.base);
    const QString expected = QString(row.expected).replace("<install>", "/opt/revora/share");
    if (expected.isEmpty())
        EXPECT_TRUE(address.isEmpty()) << address.toString().toStdString();
    else if (row.source == HardDisk)
        EXPECT_EQ(address, QUrl::fromLocalFile(expected)) << address.toString().toStdString();
    else
        EXPECT_EQ(address, QUrl(expected)) << address.toString().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    VideoSource, LectureAddresses,
    ::testing::Values(
        AddressRow{"company car from the hard disk", HardDisk, 0, "https://v.example/l", "<install>/2016RVCoCar.wmv"},
        AddressRow{"travel claims from the hard disk", HardDisk, 1, "https://v.example/l", "<install>/2016RVTA.wmv"},
        AddressRow{"fringe benefits from the hard disk", HardDisk, 2, "https://v.example/l", "<install>/CarFB.wmv"},
        AddressRow{"company car streamed", Streaming, 0, "https://v.example/l", "https://v.example/l/2016RVCoCar.wmv"},
        AddressRow{"travel claims streamed", Streaming, 1, "https://v.example/l", "https://v.example/l/2016RVTA.wmv"},
        AddressRow{"fringe benefits streamed", Streaming, 2, "https://v.example/l", "https://v.example/l/CarFB.wmv"},
        AddressRow{"a base address ending in a slash", Streaming, 2, "https://v.example/l/",
                   "https://v.example/l/CarFB.wmv"},
        AddressRow{"no source", std::nullopt, 0, "https://v.example/l", ""},
        AddressRow{"a number that is no source", std::int16_t{2}, 1, "https://v.example/l", ""}),
    RowName());

TEST(VideoSource, TheProgramsOwnStreamingAddressIsAWebAddress)
{
    const QUrl streamed = LectureAddress(MakeAppPaths("/a", "/i"), Streaming, Lectures[0]);
    EXPECT_TRUE(streamed.scheme() == "https" || streamed.scheme() == "http") << streamed.toString().toStdString();
    EXPECT_TRUE(streamed.path().endsWith("/2016RVCoCar.wmv"));
}

} // namespace
