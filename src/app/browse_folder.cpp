#include "app/browse_folder.h"
#include <windows.h>
#include <shlobj.h>

bool BrowseForDirectory(std::string& result, const char* title)
{
    char display[MAX_PATH] = {};
    BROWSEINFOA bi{};
    bi.pszDisplayName = display;
    bi.lpszTitle = title;
    LPITEMIDLIST item = SHBrowseForFolderA(&bi);
    if (!item) return false;
    char path[MAX_PATH] = {};
    BOOL ok = SHGetPathFromIDListA(item, path);
    CoTaskMemFree(item);
    if (!ok) return false;
    result = path;
    return true;
}
