// Loading and saving the buffer's lines.
#include "core/buffer/line_reader.h"
#include "core/buffer/line_writer.h"
#include "core/buffer/text_buffer.h"

FileResult CTextBuffer::LoadFromFile(CFileSystem& fs, const char* pszPath, int nStyle)
{
    ReleaseAll();
    LoadedFile loaded;
    const FileResult result = ReadLines(fs, pszPath, nStyle, m_lines, loaded);
    if (!result) {
        m_lines.Clear();
        return result;
    }
    m_bInitialised = true;
    m_bReadOnly = loaded.bReadOnly;
    m_nLineEndStyle = loaded.nStyle;
    m_bModified = false;
    m_undo.Reset();
    NotifyViews(nullptr, nullptr, CHANGE_ALL, -1);
    return result;
}

FileResult CTextBuffer::SaveToFile(CFileSystem& fs, const char* pszPath, int nStyle, bool bClearModified)
{
    const int nUsed = IsLineEndStyle(nStyle) ? nStyle : m_nLineEndStyle;
    const FileResult result = WriteLines(fs, pszPath, m_lines, LineEndSeparator(nUsed));
    if (result && bClearModified) {
        SetModified(false);
        m_undo.MarkSaved();
    }
    return result;
}
