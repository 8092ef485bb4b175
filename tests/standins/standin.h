#pragma once
// Shared body of the stand-in tool programs: each records how it was started and prints one line.
//
// The record is appended to the file named by HALYARD_STANDIN_LOG (nothing is recorded when it is
// unset), one "key=value" line each, closed by "end":
//   tool=<name>  line=<raw command line>  folder=<current folder>  arg1=<first argument> ...
// The printed line is "<name> stand-in: <first argument>\r\n", written as exact bytes.
// ParseRecords reads the records back for the tests.
#include <windows.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace standin {

inline void Record(const char* tool, int argc, char** argv)
{
    char log[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableA("HALYARD_STANDIN_LOG", log, sizeof log);
    if (n == 0 || n >= sizeof log) return;
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof folder, folder);
    std::string text = std::string("tool=") + tool + "\nline=" + GetCommandLineA() + "\nfolder=" + folder + "\n";
    for (int i = 1; i < argc; ++i) text += "arg" + std::to_string(i) + "=" + argv[i] + "\n";
    text += "end\n";
    if (FILE* f = std::fopen(log, "ab")) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
}

inline int Run(const char* tool, int argc, char** argv)
{
    Record(tool, argc, argv);
    const std::string line = std::string(tool) + " stand-in: " + (argc > 1 ? argv[1] : "") + "\r\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    return 0;
}

struct Recorded {
    std::string tool;
    std::string line;
    std::string folder;
    std::vector<std::string> args;
};

// The complete records of a log's text; a record cut short (no "end") is left out.
inline std::vector<Recorded> ParseRecords(const std::string& text)
{
    std::vector<Recorded> records;
    std::istringstream in(text);
    Recorded current;
    for (std::string row; std::getline(in, row);) {
        const std::size_t eq = row.find('=');
        const std::string key = row.substr(0, eq);
        const std::string value = eq == std::string::npos ? std::string() : row.substr(eq + 1);
        if (key == "tool") current.tool = value;
        else if (key == "line") current.line = value;
        else if (key == "folder") current.folder = value;
        else if (key.rfind("arg", 0) == 0) current.args.push_back(value);
        else if (key == "end") records.push_back(std::exchange(current, {}));
    }
    return records;
}

}  // namespace standin
