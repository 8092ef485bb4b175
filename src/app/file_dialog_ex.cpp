#include "app/file_dialog_ex.h"
#include <cstring>

bool SystemHasPlacesBar()
{
    OSVERSIONINFOEXA ex{};
    ex.dwOSVersionInfoSize = sizeof ex;
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex))) {
        OSVERSIONINFOA plain{};
        plain.dwOSVersionInfoSize = sizeof plain;
        if (!GetVersionExA(&plain)) return false;
        return plain.dwPlatformId == VER_PLATFORM_WIN32_NT && plain.dwMajorVersion >= 5;
    }
    return ex.dwPlatformId == VER_PLATFORM_WIN32_NT && ex.dwMajorVersion >= 5;
}

CFileDialogEx::CFileDialogEx(bool open, const char* defaultExt, const char* fileName, DWORD flags,
                             const char* filter, HWND parent)
    : m_bOpenFileDialog(open)
{
    m_ofn.lStructSize = kClassicOfnSize;
    m_ofn.hwndOwner = parent;
    m_ofn.lpstrDefExt = defaultExt;
    m_ofn.lpstrFilter = filter;
    m_ofn.Flags = flags | OFN_ENABLESIZING | OFN_EXPLORER;
    m_ofn.lpstrFile = m_szFile;
    m_ofn.nMaxFile = sizeof m_szFile;
    if (fileName) lstrcpynA(m_szFile, fileName, sizeof m_szFile);
}

int CFileDialogEx::DoModal()
{
    std::memset(&m_ofnFull, 0, sizeof m_ofnFull);
    std::memcpy(&m_ofnFull, &m_ofn, kClassicOfnSize);
    m_ofnFull.lStructSize = SystemHasPlacesBar() ? sizeof(OPENFILENAMEA) : kClassicOfnSize;
    HWND owner = m_ofn.hwndOwner;
    HWND focus = GetFocus();
    if (owner) EnableWindow(owner, FALSE);
    BOOL ok = m_bOpenFileDialog ? GetOpenFileNameA(&m_ofnFull) : GetSaveFileNameA(&m_ofnFull);
    std::memcpy(&m_ofn, &m_ofnFull, kClassicOfnSize);
    m_ofn.lStructSize = kClassicOfnSize;
    if (owner) EnableWindow(owner, TRUE);
    if (focus) SetFocus(focus);
    return ok ? IDOK : IDCANCEL;
}
