#include "core/buffer/line_reader.h"

#include <climits>
#include <exception>
#include <vector>

#include "core/buffer/line_end.h"
#include "core/buffer/line_splitter.h"

namespace {

// Appending a line fails for want of memory unless a limit of the store was reached.
FileResult Stopped(const CLineSplitter& splitter, const CLineStore& lines)
{
    const bool bTooLarge = splitter.LineTooLong() || lines.Count() == INT_MAX;
    return FileFailure(bTooLarge ? FileStep::TooLarge : FileStep::NoMemory);
}

FileResult SplitStream(CReadFile& file, std::vector<char>& block, size_t nFirst, int nStyle, CLineStore& lines)
{
    CLineSplitter splitter(LineEndSeparator(nStyle));
    const auto onLine = [&lines](std::string_view line) { return lines.AppendLoaded(line); };
    size_t nRead = nFirst;
    while (nRead > 0) {
        if (!splitter.Feed(block.data(), nRead, onLine))
            return Stopped(splitter, lines);
        const IoStatus status = file.Read(block.data(), block.size(), nRead);
        if (!status.Ok())
            return FileFailure(FileStep::Read, status);
    }
    if (!splitter.Finish(onLine))
        return Stopped(splitter, lines);
    return {};
}

// Sizes the store for the whole file from the density of lines in its first block, so that a
// large file is not copied from one line array to the next while it loads. A wrong guess costs
// only growth or unused room.
void PrepareStore(uint64_t nFileSize, const std::vector<char>& block, size_t nRead, std::string_view separator,
                  CLineStore& lines)
{
    const uint64_t nCapped = nFileSize < (1u << 30) ? nFileSize : (1u << 30);
    lines.SetLoadSizeHint(static_cast<size_t>(nCapped));
    if (nRead < block.size())
        return;
    const std::string_view text(block.data(), nRead);
    uint64_t nLines = 1;
    for (size_t i = text.find(separator); i != std::string_view::npos; i = text.find(separator, i + separator.size()))
        ++nLines;
    const uint64_t nEstimate = nFileSize / nRead * nLines * 9 / 8; // a little room for denser parts
    if (nEstimate < 0x7FFFFFFF)
        (void)lines.Reserve(static_cast<int>(nEstimate));
}

FileResult ReadOpened(CReadFile& file, int nStyle, CLineStore& lines, LoadedFile& loaded)
{
    std::vector<char> block(FILE_BLOCK_SIZE);
    size_t nRead = 0;
    const IoStatus status = file.Read(block.data(), block.size(), nRead);
    if (!status.Ok())
        return FileFailure(FileStep::Read, status);
    loaded.nStyle = IsLineEndStyle(nStyle) ? nStyle : DetectLineEnd(block.data(), nRead);
    uint64_t nSize = 0;
    if (file.GetSize(nSize).Ok())
        PrepareStore(nSize, block, nRead, LineEndSeparator(loaded.nStyle), lines);
    return SplitStream(file, block, nRead, loaded.nStyle, lines);
}

} // namespace

FileResult ReadLines(CFileSystem& fs, const char* pszPath, int nStyle, CLineStore& lines, LoadedFile& loaded)
{
    FileAttributes attrs;
    IoStatus status = fs.GetAttributes(pszPath, attrs);
    if (!status.Ok())
        return FileFailure(FileStep::Attributes, status);
    loaded.bReadOnly = attrs.bReadOnly;
    std::unique_ptr<CReadFile> file;
    status = fs.OpenRead(pszPath, file);
    if (!status.Ok())
        return FileFailure(FileStep::Open, status);
    try {
        return ReadOpened(*file, nStyle, lines, loaded);
    } catch (const std::exception&) {
        return FileFailure(FileStep::NoMemory);
    }
}
