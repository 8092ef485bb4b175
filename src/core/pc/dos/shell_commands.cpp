// The shell's internal commands, each made of the INT 21h services a program would call.
#include <cctype>
#include <cstdio>

#include "core/pc/dos/dos_kernel.h"
#include "core/pc/dos/shell.h"

namespace halyard::dos {
namespace {

constexpr uint16_t kPath = 0x0300, kPath2 = 0x0380, kDta = 0x0500, kSiBuffer = 0x0580, kIo = 0x1000, kIoSize = 0x7000;

// The first word of `text` and what follows it.
std::pair<std::string, std::string> FirstWord(const std::string& text)
{
    const size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos)
        return {};
    const size_t end = std::min(text.find_first_of(" \t", start), text.size());
    const size_t next = text.find_first_not_of(" \t", end);
    return {text.substr(start, end - start), next == std::string::npos ? std::string() : text.substr(next)};
}

// A number with thousands separators, as DIR shows sizes.
std::string Grouped(uint32_t n)
{
    std::string digits = std::to_string(n), out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out.push_back(',');
        out.push_back(digits[i]);
    }
    return out;
}

}  // namespace

std::string Shell::CurrentFolder()
{
    const uint8_t drive = uint8_t(Dos(0x1900).ax);
    Dos(0x4700, 0, 0, uint16_t(drive + 1));  // DS:SI: the folder, without drive and first backslash
    bool complete = false;
    const std::string folder = m_guest.mem.ReadString(m_segment, kSiBuffer, 64, 0, complete);
    return std::string(1, char('A' + drive)) + ":\\" + folder;
}

void Shell::Echo(const std::string& rest)
{
    const std::string word = Capitals(FirstWord(rest).first);
    if (FirstWord(rest).second.empty() && (word == "ON" || word == "OFF")) {
        m_echo = word == "ON";
        return;
    }
    if (rest.find_first_not_of(" \t") == std::string::npos) {
        PrintLine(m_echo ? "ECHO is on" : "ECHO is off");
        return;
    }
    PrintLine(rest);
}

void Shell::Set(const std::string& rest)
{
    const size_t equals = rest.find('=');
    if (equals == std::string::npos) {
        for (const std::string& entry : Environment())
            PrintLine(entry);
        return;
    }
    const std::string name = Capitals(rest.substr(0, equals)), value = rest.substr(equals + 1);
    for (auto it = m_variables.begin(); it != m_variables.end(); ++it) {
        if (it->first == name) {
            m_variables.erase(it);
            break;
        }
    }
    if (!value.empty())
        m_variables.emplace_back(name, value);
}

void Shell::Version()
{
    PrintLine("");
    PrintLine("MS-DOS Version 5.00");
    PrintLine("");
}

void Shell::ClearScreen()
{
    if (Dos(0x4400, 1).dx & 0x80) {  // the console: the screen blanked, the cursor at the top
        m_screen.Scroll(true, 0, 0, 0, kScreenRows - 1, kScreenColumns - 1, 0x07);
        m_screen.SetCursor(0, 0);
        m_screen.TakeOverConsole();
    } else {
        Print("\x1B[2J");
    }
}

// Waits for a key (08h, so that it waits with the interrupts running); the phase ends with it.
void Shell::Pause()
{
    const Call key = Dos(0x0800);
    if (key.waiting || m_guest.ended)
        return;
    m_phase = Phase::Prompt;
    if (!key.broke)
        PrintLine("");
    if (!key.broke && !m_page.lines.empty()) {
        PrintLine("(continuing " + m_page.folder + ")");
        ShowPage();
        return;
    }
    m_page = {};
    Restore();
    if (key.broke && !m_batches.empty())
        StartAsking();
}

void Shell::ChangeFolder(const std::string& rest)
{
    if (rest.empty()) {
        PrintLine(CurrentFolder());
        return;
    }
    Put(kPath, FirstWord(rest).first);
    if (Dos(0x3B00, 0, 0, kPath).carry)
        PrintLine("Invalid directory");
}

void Shell::Folder(uint8_t function, const std::string& rest)
{
    const std::string name = FirstWord(rest).first;
    if (name.empty()) {
        PrintLine("Required parameter missing");
        return;
    }
    Put(kPath, name);
    if (Dos(uint16_t(function << 8), 0, 0, kPath).carry)
        PrintLine(function == 0x39 ? "Unable to create directory"
                                   : "Invalid path, not directory,\r\nor directory not empty");
}

void Shell::Delete(const std::string& rest)
{
    const std::string name = FirstWord(rest).first;
    if (name.empty()) {
        PrintLine("Required parameter missing");
        return;
    }
    const std::vector<std::string> matches = Matches(name);
    if (matches.empty()) {
        PrintLine("File not found");
        return;
    }
    for (const std::string& match : matches) {
        Put(kPath, match);
        if (Dos(0x4100, 0, 0, kPath).carry)
            PrintLine("Access denied");
    }
}

std::vector<std::string> Shell::Matches(const std::string& pattern)
{
    const size_t slash = pattern.find_last_of("\\:");
    const std::string folder = slash == std::string::npos ? std::string() : pattern.substr(0, slash + 1);
    Dos(0x1A00, 0, 0, kDta);
    Put(kPath, pattern);
    std::vector<std::string> matches;
    for (Call found = Dos(0x4E00, 0, 0, kPath); !found.carry; found = Dos(0x4F00)) {
        bool complete = false;
        matches.push_back(folder + m_guest.mem.ReadString(m_segment, kDta + 0x1E, 13, 0, complete));
    }
    return matches;
}

// COPY from [to]: one file or every file a wildcard matches, into a file or a folder.
void Shell::Copy(const std::string& rest)
{
    const auto [from, after] = FirstWord(rest);
    std::string to = FirstWord(after).first;
    if (from.empty()) {
        PrintLine("Required parameter missing");
        return;
    }
    const std::vector<std::string> sources = Matches(from);
    if (sources.empty()) {
        PrintLine("File not found - " + Capitals(from));
        return;
    }
    bool intoFolder = to.empty() || to.back() == '\\' || to.back() == ':';
    if (!intoFolder) {
        Put(kPath, to);
        const Call attributes = Dos(0x4300, 0, 0, kPath);
        intoFolder = !attributes.carry && (attributes.cx & kAttrDirectory);
        if (intoFolder)
            to += "\\";
    }
    unsigned copied = 0;
    for (const std::string& source : sources) {
        const size_t slash = source.find_last_of("\\:");
        const std::string target = intoFolder ? to + source.substr(slash == std::string::npos ? 0 : slash + 1) : to;
        if (Capitals(target) == Capitals(source)) {
            PrintLine("File cannot be copied onto itself");
            continue;
        }
        Put(kPath, source);
        const Call in = Dos(0x3D00, 0, 0, kPath);
        Put(kPath, target);
        const Call out = in.carry ? in : Dos(0x3C00, 0, 0, kPath);
        if (in.carry || out.carry) {
            PrintLine(in.carry ? "File not found - " + source : "File creation error");
            if (!in.carry)
                Dos(0x3E00, in.ax);
            continue;
        }
        for (Call read = Dos(0x3F00, in.ax, kIoSize, kIo); !read.carry && read.ax > 0;
             read = Dos(0x3F00, in.ax, kIoSize, kIo))
            Dos(0x4000, out.ax, read.ax, kIo);
        Dos(0x3E00, in.ax);
        Dos(0x3E00, out.ax);
        if (sources.size() > 1)
            PrintLine(Capitals(source));
        ++copied;
    }
    char text[40];
    std::snprintf(text, sizeof text, "%9u file(s) copied", copied);
    PrintLine(text);
}

void Shell::Volume(const std::string& rest)
{
    const std::string drive = rest.size() >= 2 && rest[1] == ':' ? Capitals(rest.substr(0, 1)) : CurrentFolder().substr(0, 1);
    PrintLine("");
    PrintLine(" Volume in drive " + drive + " has no label");
}

// Shown, or set from the argument (mm-dd-yy or mm-dd-yyyy): the PC's own clock, never the host's.
void Shell::Date(const std::string& rest)
{
    static const char* const kDays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    if (rest.empty()) {
        const Call now = Dos(0x2A00);
        char text[40];
        std::snprintf(text, sizeof text, "Current date is %s %02u-%02u-%04u", kDays[now.ax & 7], now.dx >> 8,
                      now.dx & 0xFF, now.cx);
        PrintLine(text);
        return;
    }
    unsigned month = 0, day = 0, year = 0;
    if (std::sscanf(rest.c_str(), "%u%*[-/.]%u%*[-/.]%u", &month, &day, &year) != 3) {
        PrintLine("Invalid date");
        return;
    }
    if (year < 80)
        year += 2000;
    else if (year < 100)
        year += 1900;
    if (uint8_t(Dos(0x2B00, 0, uint16_t(year), uint16_t(month << 8 | day)).ax) != 0)
        PrintLine("Invalid date");
}

void Shell::Time(const std::string& rest)
{
    if (rest.empty()) {
        const Call now = Dos(0x2C00);
        const unsigned hour = now.cx >> 8;
        char text[48];
        std::snprintf(text, sizeof text, "Current time is %2u:%02u:%02u.%02u%c", hour % 12 == 0 ? 12 : hour % 12,
                      now.cx & 0xFF, now.dx >> 8, now.dx & 0xFF, hour < 12 ? 'a' : 'p');
        PrintLine(text);
        return;
    }
    unsigned hour = 0, minute = 0, second = 0;
    const int read = std::sscanf(rest.c_str(), "%u:%u:%u", &hour, &minute, &second);
    if (read < 2 || uint8_t(Dos(0x2D00, 0, uint16_t(hour << 8 | minute), uint16_t(second << 8)).ax) != 0)
        PrintLine("Invalid time");
}

void Shell::Rename(const std::string& rest)
{
    const auto [from, after] = FirstWord(rest);
    const std::string to = FirstWord(after).first;
    if (from.empty() || to.empty()) {
        PrintLine("Required parameter missing");
        return;
    }
    const size_t slash = from.find_last_of("\\:");
    Put(kPath, from);
    Put(kPath2, (slash == std::string::npos ? std::string() : from.substr(0, slash + 1)) + to);
    const Call call = Dos(0x5600, 0, 0, kPath);  // ES:DI the new name
    if (call.carry)
        PrintLine(call.ax == kErrFileNotFound ? "File not found" : "Duplicate file name or file not found");
}

void Shell::Type(const std::string& rest)
{
    const std::string name = FirstWord(rest).first;
    if (name.empty()) {
        PrintLine("Required parameter missing");
        return;
    }
    Put(kPath, name);
    const Call open = Dos(0x3D00, 0, 0, kPath);
    if (open.carry) {
        PrintLine("File not found - " + Capitals(name));
        return;
    }
    for (;;) {
        const Call read = Dos(0x3F00, open.ax, kIoSize, kIo);
        if (read.carry || read.ax == 0)
            break;
        bool end = false;
        std::string part = m_guest.mem.ReadString(m_segment, kIo, read.ax, 0x1A, end);
        if (!part.empty()) {
            m_guest.mem.WriteString(m_segment, kIo, part);
            Dos(0x4000, 1, uint16_t(part.size()), kIo);
        }
        if (end)
            break;
    }
    Dos(0x3E00, open.ax);
}

void Shell::Directory(const std::string& rest)
{
    bool wide = false, paged = false;
    std::string pattern;
    for (std::string words = rest; !words.empty();) {
        auto [word, after] = FirstWord(words);
        if (Capitals(word) == "/W")
            wide = true;
        else if (Capitals(word) == "/P")
            paged = true;
        else if (!word.empty() && word[0] != '/')
            pattern = word;
        words = after;
    }
    if (pattern.empty())
        pattern = "*.*";
    else if (pattern.back() == '\\' || pattern.back() == ':')
        pattern += "*.*";
    else if (pattern.find_first_of("*?") == std::string::npos) {
        Put(kPath, pattern);
        const Call attributes = Dos(0x4300, 0, 0, kPath);
        if (!attributes.carry && (attributes.cx & kAttrDirectory))
            pattern += "\\*.*";
        else if (pattern.find('.') == std::string::npos)
            pattern += ".*";
    }
    const uint8_t drive = pattern.size() > 1 && pattern[1] == ':' ? uint8_t(std::toupper(pattern[0]) - 'A')
                                                                   : uint8_t(Dos(0x1900).ax);
    const std::string folder = CurrentFolder();
    std::vector<std::string> lines = {"", std::string(" Volume in drive ") + char('A' + drive) + " has no label",
                                      " Directory of " + folder, ""};
    std::string row;
    Dos(0x1A00, 0, 0, kDta);
    Put(kPath, pattern);
    uint32_t files = 0, bytes = 0, column = 0;
    for (Call found = Dos(0x4E00, kAttrDirectory, kAttrDirectory | kAttrHidden | kAttrSystem, kPath); !found.carry;
         found = Dos(0x4F00)) {
        Memory& mem = m_guest.mem;
        bool complete = false;
        const std::string name = mem.ReadString(m_segment, kDta + 0x1E, 13, 0, complete);
        const uint8_t attributes = mem.Read8(m_segment, kDta + 0x15);
        const uint16_t time = mem.Read16(m_segment, kDta + 0x16), date = mem.Read16(m_segment, kDta + 0x18);
        const uint32_t size = uint32_t(mem.Read16(m_segment, kDta + 0x1A)) | uint32_t(mem.Read16(m_segment, kDta + 0x1C)) << 16;
        const bool folderEntry = attributes & kAttrDirectory;
        const size_t dot = name == "." || name == ".." ? std::string::npos : name.find('.');
        const std::string base = name.substr(0, dot), extension = dot == std::string::npos ? "" : name.substr(dot + 1);
        char text[80];
        if (wide) {
            const std::string shown = folderEntry ? "[" + name + "]" : name;
            std::snprintf(text, sizeof text, "%-16s", shown.c_str());
            row += text;
            if (++column % 5 == 0)
                lines.push_back(std::move(row)), row.clear();
        } else {
            const unsigned hour = time >> 11, minute = (time >> 5) & 63;
            std::snprintf(text, sizeof text, "%-8s %-3s %9s %02u-%02u-%02u  %2u:%02u%c", base.c_str(), extension.c_str(),
                          folderEntry ? "<DIR>    " : Grouped(size).c_str(), (date >> 5) & 15u, date & 31u,
                          ((date >> 9) + 80) % 100, hour % 12 == 0 ? 12 : hour % 12, minute, hour < 12 ? 'a' : 'p');
            lines.emplace_back(text);
        }
        if (!folderEntry) {
            ++files;
            bytes += size;
        }
    }
    if (!row.empty())
        lines.push_back(row);
    char text[80];
    std::snprintf(text, sizeof text, "%9u file(s) %14s bytes", files, Grouped(bytes).c_str());
    lines.emplace_back(text);
    const Call space = Dos(0x3600, 0, 0, uint16_t(drive + 1));
    const uint32_t free = space.ax == 0xFFFF ? 0 : uint32_t(space.ax) * space.bx * space.cx;
    std::snprintf(text, sizeof text, "%24s bytes free", Grouped(free).c_str());
    lines.emplace_back(text);
    if (!paged) {
        for (const std::string& line : lines)
            PrintLine(line);
        return;
    }
    m_page = {std::move(lines), 0, folder};
    ShowPage();
}

// DIR /P: a screenful less the line that asks for a key, then the wait for it.
void Shell::ShowPage()
{
    const uint8_t lastRow = m_guest.mem.Read8(0x40, 0x84);
    const size_t rows = lastRow >= 24 ? size_t(lastRow) + 1 : 25;
    const size_t end = std::min(m_page.lines.size(), m_page.next + rows - 2);
    for (; m_page.next < end; ++m_page.next)
        PrintLine(m_page.lines[m_page.next]);
    if (end < m_page.lines.size())
        StartPause();
    else
        m_page = {};
}

}  // namespace halyard::dos
