// The open and save prompt. On systems that have it, the dialog runs on the full open-file-name
// record (which shows the places bar); the classic part is what the rest of the program sees.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <string>

class CFileDialogEx {
public:
    CFileDialogEx(bool open, const char* defaultExt, const char* fileName, DWORD flags, const char* filter,
                  HWND parent);
    // Runs the system dialog; IDOK or IDCANCEL.
    int DoModal();
    std::string GetPathName() const { return m_ofn.lpstrFile ? m_ofn.lpstrFile : ""; }

    OPENFILENAMEA m_ofn{};       // the classic record: its size field always says the classic size
    OPENFILENAMEA m_ofnFull{};   // the record the system dialog runs on
    bool m_bOpenFileDialog;

private:
    char m_szFile[MAX_PATH] = {};
};

// Size of the classic record, as older systems expect it.
inline const DWORD kClassicOfnSize = OPENFILENAME_SIZE_VERSION_400A;
// True on systems whose dialogs understand the full record (NT 5.0 and later).
bool SystemHasPlacesBar();
