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

FileResult ReadOpened(CReadFile& file, int nStyle, CLineStore& lines, LoadedFile& loaded)
{
    uint64_t nSize = 0;
    if (file.GetSize(nSize).Ok())
        lines.SetLoadSizeHint(static_cast<size_t>(nSize < (1u << 30) ? nSize : (1u << 30)));
    std::vector<char> block(FILE_BLOCK_SIZE);
    size_t nRead = 0;
    const IoStatus status = file.Read(block.data(), block.size(), nRead);
    if (!status.Ok())
        return FileFailure(FileStep::Read, status);
    loaded.nStyle = IsLineEndStyle(nStyle) ? nStyle : DetectLineEnd(block.data(), nRead);
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
