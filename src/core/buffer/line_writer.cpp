#include "core/buffer/line_writer.h"

#include <exception>
#include <vector>

namespace {

// Removes the temporary file unless it became the target.
class CTempFile {
public:
    CTempFile(CFileSystem& fs, std::string strName) : m_fs(fs), m_strName(std::move(strName)) {}
    ~CTempFile()
    {
        // A temporary that cannot be removed stays behind; the target is intact either way.
        if (!m_bKept)
            (void)m_fs.Delete(m_strName.c_str());
    }
    CTempFile(const CTempFile&) = delete;
    CTempFile& operator=(const CTempFile&) = delete;

    const char* Name() const { return m_strName.c_str(); }
    void Keep() { m_bKept = true; }

private:
    CFileSystem& m_fs;
    std::string m_strName;
    bool m_bKept = false;
};

// Gathers small writes into blocks of a fixed size; no image of the whole file is built.
class CBlockWriter {
public:
    explicit CBlockWriter(CWriteFile& file) : m_file(file) { m_buffer.reserve(BLOCK); }

    IoStatus Put(std::string_view bytes)
    {
        if (m_buffer.size() + bytes.size() > BLOCK) {
            IoStatus status = Drain();
            if (!status.Ok() || bytes.size() >= BLOCK)
                return status.Ok() ? m_file.Write(bytes.data(), bytes.size()) : status;
        }
        m_buffer.insert(m_buffer.end(), bytes.begin(), bytes.end());
        return {};
    }

    IoStatus Drain()
    {
        if (m_buffer.empty())
            return {};
        IoStatus status = m_file.Write(m_buffer.data(), m_buffer.size());
        m_buffer.clear();
        return status;
    }

private:
    static constexpr size_t BLOCK = 65536;
    CWriteFile& m_file;
    std::vector<char> m_buffer;
};

IoStatus WriteAll(CWriteFile& file, const CLineStore& lines, std::string_view separator)
{
    CBlockWriter writer(file);
    const int nCount = lines.Count();
    for (int i = 0; i < nCount; ++i) {
        IoStatus status = writer.Put(lines.Text(i));
        if (status.Ok() && i + 1 < nCount)
            status = writer.Put(separator);
        if (!status.Ok())
            return status;
    }
    return writer.Drain();
}

FileResult WriteAndClose(CFileSystem& fs, const char* pszTemp, const CLineStore& lines, std::string_view separator)
{
    std::unique_ptr<CWriteFile> file;
    IoStatus status = fs.OpenWrite(pszTemp, file);
    if (!status.Ok())
        return FileFailure(FileStep::Create, status);
    status = WriteAll(*file, lines, separator);
    if (!status.Ok())
        return FileFailure(FileStep::Write, status);
    status = file->Flush();
    if (!status.Ok())
        return FileFailure(FileStep::Flush, status);
    status = file->Close();
    if (!status.Ok())
        return FileFailure(FileStep::Close, status);
    return {};
}

FileResult WriteViaTemp(CFileSystem& fs, const char* pszTarget, const CLineStore& lines, std::string_view separator)
{
    std::string strTemp;
    const IoStatus created = fs.CreateTempFile(FolderOfPath(pszTarget).c_str(), TEMP_FILE_PREFIX, strTemp);
    if (!created.Ok())
        return FileFailure(FileStep::TempName, created);
    CTempFile temp(fs, std::move(strTemp));
    FileResult result = WriteAndClose(fs, temp.Name(), lines, separator);
    if (!result)
        return result;
    const IoStatus replaced = fs.Replace(temp.Name(), pszTarget);
    if (!replaced.Ok())
        return FileFailure(FileStep::Replace, replaced);
    temp.Keep();
    return {};
}

} // namespace

FileResult WriteLines(CFileSystem& fs, const char* pszTarget, const CLineStore& lines, std::string_view separator)
{
    try {
        return WriteViaTemp(fs, pszTarget, lines, separator);
    } catch (const std::exception&) {
        return FileFailure(FileStep::NoMemory);
    }
}
