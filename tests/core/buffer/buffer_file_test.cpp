// Loading and saving: byte-for-byte round trips, detection, and every failure step.
#include <gtest/gtest.h>

#include "buffer_support.h"
#include "core/buffer/line_reader.h"

namespace {

const char* const kPath = "C:\\src\\a.asm";

struct CorpusFile {
    const char* pszName;
    std::string bytes;
    int nStyle;
    int nLines;
};

std::vector<CorpusFile> Corpus()
{
    const std::string block(FILE_BLOCK_SIZE, 'x');
    std::string multiple;
    while (multiple.size() < 2 * FILE_BLOCK_SIZE)
        multiple += "mov ax, bx\r\n";
    multiple.resize(2 * FILE_BLOCK_SIZE);
    std::string straddle(FILE_BLOCK_SIZE - 1, 'a');
    straddle += "\r\nb";
    return {
        {"Empty", "", EOL_CRLF, 1},
        {"CrLf", "a\r\nb\r\n", EOL_CRLF, 3},
        {"CrLfWithLoneLf", "a\r\nb\nc\r\nd", EOL_CRLF, 3},
        {"LfOnly", "a\nb\n\nc", EOL_LF, 4},
        {"LfCr", "a\n\rb\n\r", EOL_LFCR, 3},
        {"CrOnly", "a\rb\rc\r", EOL_CRLF, 1},
        {"CrCrLf", "a\r\r\nb\r\r\n", EOL_CRLF, 1},
        {"FirstLfBeyondFirstBlock", block + "\nc\r\nd", EOL_CRLF, 2},
        {"ExactMultipleOfBlock", multiple, EOL_CRLF, 0},
        {"SeparatorAcrossBlocks", straddle, EOL_CRLF, 2},
        {"NulAndCtrlZ", std::string("a\0b\r\n\x1A\0\r\n\0", 10), EOL_CRLF, 3},
        {"HighBytes", "\xB5\xC8\xB4\xFD\r\n\xFF", EOL_CRLF, 2},
        {"TenMegabyteLine", std::string(10 << 20, 'q'), EOL_CRLF, 1},
    };
}

class RoundTripTest : public ::testing::TestWithParam<CorpusFile> {};

TEST_P(RoundTripTest, SavesBackByteForByte)
{
    const CorpusFile& file = GetParam();
    CMemoryFileSystem fs;
    fs.nReadChunk = FILE_BLOCK_SIZE;
    CTextBuffer buffer;
    CRecordingView view;
    ASSERT_TRUE(buffer.AddView(&view));
    fs.files[kPath].bytes = file.bytes;
    ASSERT_TRUE(buffer.LoadFromFile(fs, kPath));
    EXPECT_TRUE(buffer.IsInitialised());
    EXPECT_EQ(file.nStyle, buffer.GetLineEndStyle());
    if (file.nLines)
        EXPECT_EQ(file.nLines, buffer.GetLineCount());
    ASSERT_EQ(1u, view.changes.size());
    EXPECT_EQ(CHANGE_ALL, view.changes[0].nFlags);
    EXPECT_EQ(-1, view.changes[0].nLine);
    ASSERT_TRUE(buffer.SaveToFile(fs, "D:\\out\\b.asm"));
    EXPECT_TRUE(fs.files["D:\\out\\b.asm"].bytes == file.bytes);
    EXPECT_EQ(2u, fs.files.size()) << "no temporary file is left";
}

INSTANTIATE_TEST_SUITE_P(Corpus, RoundTripTest, ::testing::ValuesIn(Corpus()),
                         [](const auto& info) { return std::string(info.param.pszName); });

TEST(BufferFile, SavesWithAnotherStyleWhenAsked)
{
    CMemoryFileSystem fs;
    CTextBuffer buffer;
    LoadBytes(buffer, fs, "a\r\nb\r\n");
    ASSERT_TRUE(buffer.SaveToFile(fs, "o", EOL_LFCR));
    EXPECT_EQ("a\n\rb\n\r", fs.files["o"].bytes);
    EXPECT_EQ(EOL_CRLF, buffer.GetLineEndStyle());
    ASSERT_TRUE(buffer.SaveToFile(fs, "o", 9)); // not a style: the recorded one
    EXPECT_EQ("a\r\nb\r\n", fs.files["o"].bytes);
}

TEST(BufferFile, ReadOnlyAttributeMakesTheBufferReadOnly)
{
    CMemoryFileSystem fs;
    fs.files[kPath] = {"text", true};
    CTextBuffer buffer;
    ASSERT_TRUE(buffer.LoadFromFile(fs, kPath));
    EXPECT_TRUE(buffer.GetReadOnly());
    fs.files[kPath].bReadOnly = false;
    ASSERT_TRUE(buffer.LoadFromFile(fs, kPath));
    EXPECT_FALSE(buffer.GetReadOnly());
}

TEST(BufferFile, EveryLoadFailureLeavesAnEmptyBuffer)
{
    std::string bytes;
    while (bytes.size() < 3 * FILE_BLOCK_SIZE)
        bytes += "line\r\n";
    for (int nFailAt = 0;; ++nFailAt) {
        CMemoryFileSystem fs;
        fs.nReadChunk = FILE_BLOCK_SIZE;
        fs.files[kPath].bytes = bytes;
        fs.nFailAt = nFailAt;
        CTextBuffer buffer;
        CRecordingView view;
        ASSERT_TRUE(buffer.AddView(&view));
        const FileResult result = buffer.LoadFromFile(fs, kPath);
        if (fs.nSteps <= nFailAt) {
            EXPECT_TRUE(result);
            EXPECT_GE(nFailAt, 5) << "attributes, open and four reads";
            break;
        }
        EXPECT_FALSE(result) << fs.log.back();
        EXPECT_EQ(CMemoryFileSystem::ERROR_CODE_INJECTED, result.nError);
        EXPECT_EQ(0, buffer.GetLineCount());
        EXPECT_FALSE(buffer.IsInitialised());
        EXPECT_TRUE(view.changes.empty());
    }
}

TEST(BufferFile, MissingFileFailsAtItsAttributes)
{
    CMemoryFileSystem fs;
    CTextBuffer buffer;
    const FileResult result = buffer.LoadFromFile(fs, "C:\\gone.asm");
    EXPECT_EQ(FileStep::Attributes, result.step);
    EXPECT_EQ(CMemoryFileSystem::ERROR_CODE_MISSING, result.nError);
}

// A buffer with an unsaved edit, larger than one write block so that saving takes several writes.
class SaveFailureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 20000; ++i)
            original += "    mov ax, " + std::to_string(i) + "\r\n";
        fs.files[kPath].bytes = original;
        ASSERT_TRUE(buffer.LoadFromFile(fs, kPath));
        int nEndLine, nEndChar;
        ASSERT_TRUE(buffer.InsertText(nullptr, 0, 0, ";", nEndLine, nEndChar, ACTION_TYPING));
        ASSERT_TRUE(buffer.IsModified());
    }

    void ExpectNothingChanged(const FileResult& result)
    {
        EXPECT_FALSE(result);
        EXPECT_NE(0ul, result.nError);
        EXPECT_TRUE(fs.files[kPath].bytes == original);
        EXPECT_EQ(1u, fs.files.size()) << "the temporary file is removed";
        EXPECT_TRUE(buffer.IsModified());
        EXPECT_FALSE(buffer.GetHistory().IsAtSaved());
    }

    std::string original;
    CMemoryFileSystem fs;
    CTextBuffer buffer;
};

TEST_F(SaveFailureTest, EveryStepFailingKeepsTheTargetAndTheModifiedState)
{
    std::vector<FileStep> failedSteps;
    for (int nFailAt = 0;; ++nFailAt) {
        fs.nSteps = 0;
        fs.nFailAt = nFailAt;
        const FileResult result = buffer.SaveToFile(fs, kPath);
        if (fs.nSteps <= nFailAt) {
            ASSERT_TRUE(result);
            break;
        }
        ExpectNothingChanged(result);
        failedSteps.push_back(result.step);
    }
    EXPECT_FALSE(buffer.IsModified());
    EXPECT_TRUE(buffer.GetHistory().IsAtSaved());
    EXPECT_EQ(";" + original, fs.files[kPath].bytes);
    const std::vector<FileStep> expected = {FileStep::TempName, FileStep::Create, FileStep::Write, FileStep::Write,
                                            FileStep::Write,    FileStep::Write,  FileStep::Write, FileStep::Write,
                                            FileStep::Flush,    FileStep::Close,  FileStep::Replace};
    EXPECT_EQ(expected, failedSteps);
}

TEST_F(SaveFailureTest, FullDiskAndReadOnlyTarget)
{
    fs.nDiskSpace = original.size() + 1000;
    FileResult result = buffer.SaveToFile(fs, kPath);
    EXPECT_EQ(FileStep::Write, result.step);
    EXPECT_EQ(CMemoryFileSystem::ERROR_CODE_DISK_FULL, result.nError);
    ExpectNothingChanged(result);

    fs.nDiskSpace = static_cast<size_t>(-1);
    fs.files[kPath].bReadOnly = true;
    result = buffer.SaveToFile(fs, kPath);
    EXPECT_EQ(FileStep::Replace, result.step);
    ExpectNothingChanged(result);
}

TEST_F(SaveFailureTest, TemporaryFileGoesToTheTargetsFolder)
{
    ASSERT_TRUE(buffer.SaveToFile(fs, "E:\\work\\x.asm", EOL_DETECT, false));
    EXPECT_TRUE(buffer.IsModified()) << "kept when not asked to clear it";
    EXPECT_FALSE(buffer.GetHistory().IsAtSaved());
    ASSERT_TRUE(buffer.SaveToFile(fs, "E:\\work\\x.asm"));
    EXPECT_EQ(0u, fs.strLastTemp.rfind("E:\\work\\CRE", 0)) << fs.strLastTemp;
    const std::vector<std::string> folders = {FolderOfPath("E:\\work\\x.asm"), FolderOfPath("x.asm"),
                                              FolderOfPath("C:x.asm"), FolderOfPath("/tmp/x")};
    EXPECT_EQ((std::vector<std::string>{"E:\\work\\", ".", "C:", "/tmp/"}), folders);
}

} // namespace
