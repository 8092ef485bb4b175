#include "snippets/snippet_files.h"
#include "buffer/win32_file_system.h"
#include "fx/fx_handles.h"
#include <algorithm>

std::vector<std::string> ListSnippetFolder(const std::string& folder)
{
    std::vector<std::string> names;
    const std::string pattern = folder + (!folder.empty() && folder.back() == '\\' ? "*" : "\\*");
    WIN32_FIND_DATAA found;
    FxFindHandle search(FindFirstFileA(pattern.c_str(), &found));
    if (!search) return names;
    do {
        const std::string name = found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !name.empty() && name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search.Get(), &found));
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
    return names;
}

bool ReadSnippet(const std::string& path, std::string& bytes, DWORD& error)
{
    bytes.clear();
    CWin32FileSystem files;
    std::unique_ptr<CReadFile> file;
    IoStatus status = files.OpenRead(path.c_str(), file);
    char chunk[16384];
    while (status.Ok()) {
        size_t read = 0;
        status = file->Read(chunk, sizeof chunk, read);
        if (status.Ok() && read == 0) return true;
        if (!status.Ok()) break;
        // The snippet's text ends at its first NUL byte: what follows is no text to insert.
        const size_t length = std::find(chunk, chunk + read, '\0') - chunk;
        bytes.append(chunk, length);
        if (length < read) return true;
    }
    bytes.clear();
    error = status.nError;
    return false;
}

bool CreateEmptySnippet(const std::string& path, DWORD& error)
{
    FxHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    error = file ? 0 : GetLastError();
    return static_cast<bool>(file);
}
