#include "toolchain/program_map_build.h"

#include <windows.h>

#include <memory>

#include "buffer/win32_file_system.h"
#include "core/debuginfo/program_map_builder.h"
#include "core/toolchain/build_lines.h"
#include "toolchain/dos_runner.h"
#include "toolchain/plain_file.h"
#include "toolchain/tool_output.h"

namespace {

using halyard::debuginfo::ListingDialect;

constexpr DWORD kLinkTimeoutMs = 60 * 1000;

bool ReadText(const std::string& path, std::string& text)
{
    CWin32FileSystem files;
    std::unique_ptr<CReadFile> file;
    if (!files.OpenRead(path.c_str(), file).Ok()) return false;
    text.clear();
    char chunk[16384];
    for (;;) {
        std::size_t n = 0;
        if (!file->Read(chunk, sizeof chunk, n).Ok()) return false;
        if (n == 0) return true;
        text.append(chunk, n);
    }
}

bool EndsWithNoCase(const std::string& text, const char* tail)
{
    const std::size_t n = strlen(tail);
    return text.size() >= n && _stricmp(text.c_str() + text.size() - n, tail) == 0;
}

std::string Quoted(const std::string& word)
{
    return "\"" + word + "\"";
}

// A folder of its own below the system's temporary folder; it and what the linker wrote into it
// go when this ends.
class ScratchFolder {
public:
    ScratchFolder()
    {
        char base[MAX_PATH];
        const DWORD length = GetTempPathA(MAX_PATH, base);
        if (length == 0 || length >= MAX_PATH) return;
        for (unsigned attempt = 0; attempt < 100 && m_path.empty(); ++attempt) {
            const std::string path = std::string(base) + "hmap" + std::to_string(GetCurrentProcessId()) + "_" +
                                     std::to_string(GetTickCount() + attempt);
            if (CreateDirectoryA(path.c_str(), nullptr)) m_path = path;
        }
    }
    ~ScratchFolder()
    {
        if (m_path.empty()) return;
        WIN32_FIND_DATAA data;
        const HANDLE find = FindFirstFileA((m_path + "\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((m_path + "\\" + data.cFileName).c_str());
            } while (FindNextFileA(find, &data));
            FindClose(find);
        }
        // The linker's process may hold the folder as its current one for a moment after it ended.
        for (int attempt = 0; attempt < 40 && !RemoveDirectoryA(m_path.c_str()); ++attempt) Sleep(50);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// The linker's line for the map: the Debug build's own link, with the map asked for (TLINK's /v
// changes nothing in the image's layout, only what follows it).
std::string LinkCommand(const ProgramMapRequest& request, const std::string& runner)
{
    const bool masm = request.assembler == halyard::toolchain::kAssemblerMasm;
    const std::string tool = request.binFolder + (masm ? "\\masm16\\link.exe" : "\\tasm16\\tlink.exe");
    const std::string arguments = masm ? "PROG.OBJ,PROG.EXE,PROG.MAP;" : "/v /m PROG.OBJ";
    return (runner.empty() ? std::string() : Quoted(runner) + " ") + Quoted(tool) + " " + arguments;
}

bool LinkMapOf(const ProgramMapRequest& request, const std::string& object, std::string& map, std::string& error)
{
    std::string runner;
    if (!SystemRunsDosPrograms()) {
        runner = request.binFolder + "\\Dosrun.exe";
        if (!IsPlainFile(runner)) {
            error = "Dosrun.exe is not in " + request.binFolder;
            return false;
        }
    }
    const ScratchFolder scratch;
    if (scratch.Path().empty() || !CopyFileA(object.c_str(), (scratch.Path() + "\\PROG.OBJ").c_str(), FALSE)) {
        error = "Cannot copy " + object + " into a temporary folder";
        return false;
    }
    const std::string output = CaptureToolOutput(LinkCommand(request, runner), scratch.Path(), {}, kLinkTimeoutMs);
    if (!ReadText(scratch.Path() + "\\PROG.MAP", map)) {
        error = "The linker wrote no map: " + output.substr(0, output.find_last_not_of("\r\n ") + 1);
        return false;
    }
    return true;
}

}  // namespace

bool BuildProgramMap(const ProgramMapRequest& request, halyard::debuginfo::ProgramMap& map, std::string& error)
{
    map = halyard::debuginfo::ProgramMap{};
    const bool masm = request.assembler == halyard::toolchain::kAssemblerMasm;
    if (!masm && request.assembler != halyard::toolchain::kAssemblerTasm) {
        error = "Only MASM and TASM programs have a map";
        return false;
    }
    if (!IsPlainFile(request.programPath)) {
        error = "The program " + request.programPath + " is not there";
        return false;
    }
    // The build names its listing and object file after the source without its extension.
    const std::string base = request.sourcePath.substr(0, request.sourcePath.size() < 4 ? 0 : request.sourcePath.size() - 4);
    halyard::debuginfo::ProgramTexts texts;
    texts.dialect = masm ? ListingDialect::Masm : ListingDialect::Tasm;
    texts.comProgram = EndsWithNoCase(request.programPath, ".com");
    texts.sourcePath = request.sourcePath;
    texts.readSource = ReadText;
    if (!ReadText(base + ".lst", texts.listing)) {
        error = "Cannot read the listing " + base + ".lst";
        return false;
    }
    if (!texts.comProgram && !LinkMapOf(request, base + ".obj", texts.linkMap, error)) return false;
    if (halyard::debuginfo::BuildProgramMap(texts, map, error)) return true;
    map = halyard::debuginfo::ProgramMap{};
    return false;
}
