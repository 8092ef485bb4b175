#include "core/toolchain/toolchain_files.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <deque>

namespace halyard::toolchain {
namespace {

std::string Upper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

// A file name and the tool it is; the preferred name of a tool comes first.
struct ToolFile {
    std::string_view name;
    DosTool tool;
};
constexpr std::array<ToolFile, 7> kToolFiles = {{
    {"MASM.EXE", DosTool::Masm},
    {"LINK.EXE", DosTool::Link},
    {"DEBUG.EXE", DosTool::Debug},
    {"DEBUG.COM", DosTool::Debug},
    {"TASM.EXE", DosTool::Tasm},
    {"TLINK.EXE", DosTool::Tlink},
    {"TD.EXE", DosTool::Td},
}};

// Extensions a tool's own helper files carry (TD.OVL, MASM.ERR, TASM.CFG).
constexpr std::array<std::string_view, 6> kHelperExtensions = {".OVL", ".OVR", ".HLP", ".ERR", ".MSG", ".CFG"};

// Files some tools need beside them; '*' stands for any run of characters.
struct Helper {
    DosTool tool;
    std::string_view pattern;
};
constexpr std::array<Helper, 9> kHelpers = {{
    {DosTool::Td, "TD*.OVL"},
    {DosTool::Td, "TDCONFIG.TD"},
    {DosTool::Td, "TD*.TDH"},
    {DosTool::Td, "RTM.EXE"},
    {DosTool::Td, "DPMI16BI.OVL"},
    {DosTool::Tasm, "RTM.EXE"},
    {DosTool::Tasm, "DPMI16BI.OVL"},
    {DosTool::Tasm, "32RTM.EXE"},
    {DosTool::Tasm, "DPMI32VM.OVL"},
}};

bool Matches(std::string_view pattern, const std::string& upperName)
{
    const std::size_t star = pattern.find('*');
    if (star == std::string_view::npos) return upperName == pattern;
    const std::string_view head = pattern.substr(0, star);
    const std::string_view tail = pattern.substr(star + 1);
    return upperName.size() >= head.size() + tail.size() && upperName.compare(0, head.size(), head) == 0 &&
           upperName.compare(upperName.size() - tail.size(), tail.size(), tail) == 0;
}

std::string_view Stem(std::string_view name)
{
    return name.substr(0, name.rfind('.'));
}

bool SharesStemAsHelper(DosTool tool, const std::string& upperName)
{
    const std::size_t dot = upperName.rfind('.');
    if (dot == std::string::npos) return false;
    const std::string_view extension = std::string_view(upperName).substr(dot);
    const std::string_view installName = InfoOf(tool).installName;
    const std::string_view toolStem = Stem(installName.substr(installName.rfind('\\') + 1));
    return Upper(toolStem) == upperName.substr(0, dot) &&
           std::find(kHelperExtensions.begin(), kHelperExtensions.end(), extension) != kHelperExtensions.end();
}

bool IsHelperOf(DosTool tool, const std::string& upperName)
{
    return std::any_of(kHelpers.begin(), kHelpers.end(),
                       [&](const Helper& h) { return h.tool == tool && Matches(h.pattern, upperName); });
}

bool NameLess(const FolderEntry& a, const FolderEntry& b)
{
    return Upper(a.name) < Upper(b.name);
}

// The file of `tool` in one folder's sorted entries: its preferred name before any other.
const FolderEntry* ToolIn(DosTool tool, const std::vector<FolderEntry>& entries)
{
    for (const ToolFile& file : kToolFiles) {
        if (file.tool != tool) continue;
        for (const FolderEntry& entry : entries)
            if (!entry.isFolder && Upper(entry.name) == file.name) return &entry;
    }
    return nullptr;
}

std::vector<std::string> FileNames(const std::vector<FolderEntry>& entries)
{
    std::vector<std::string> names;
    for (const FolderEntry& entry : entries)
        if (!entry.isFolder) names.push_back(entry.name);
    return names;
}

std::string Joined(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && folder.back() == '\\') return folder + name;
    return folder + "\\" + name;
}

// Drops control characters and the blanks at either end; keeps every byte of 0x80 and above
// (the halves of a double-byte character).
std::string Cleaned(std::string_view line)
{
    std::string text;
    for (char c : line)
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') text.push_back(c == '\t' ? ' ' : c);
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    constexpr std::size_t kMaxLine = 100;
    if (text.size() > kMaxLine) {
        std::size_t cut = 0;
        // Never half a double-byte character at the cut.
        for (std::size_t i = 0; i < kMaxLine;) {
            const std::size_t width = static_cast<unsigned char>(text[i]) >= 0x81 ? 2 : 1;
            if (i + width > kMaxLine) break;
            i += width;
            cut = i;
        }
        text.resize(cut);
    }
    return text;
}

bool HoldsVersionWord(const std::string& line)
{
    return Upper(line).find("VERSION") != std::string::npos || line.find("版本") != std::string::npos;
}

bool HoldsVersionNumber(const std::string& line)
{
    const auto digit = [&](std::size_t at) { return std::isdigit(static_cast<unsigned char>(line[at])) != 0; };
    for (std::size_t i = 0; i + 2 < line.size(); ++i)
        if (digit(i) && line[i + 1] == '.' && digit(i + 2)) return true;
    return false;
}

std::vector<std::string> Lines(std::string_view output)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= output.size()) {
        std::size_t end = output.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = output.size();
        lines.push_back(Cleaned(output.substr(start, end - start)));
        start = end + 1;
    }
    return lines;
}

std::string_view OutcomeText(CopyOutcome outcome)
{
    switch (outcome) {
    case CopyOutcome::Copied: return "已复制到 ";
    case CopyOutcome::Kept: return "保留了原有的文件 ";
    case CopyOutcome::Failed: return "复制失败，请检查: ";
    }
    return {};
}

}  // namespace

const std::vector<DosToolInfo>& DosTools()
{
    static const std::vector<DosToolInfo> tools = {
        // MASM and LINK ask for their file names after the banner: Ctrl+Z ends the answer and them.
        {DosTool::Masm, "MASM", "masm16\\masm.exe", "", "\x1a\r\n"},
        {DosTool::Link, "LINK", "masm16\\link.exe", "", "\x1a\r\n"},
        {DosTool::Debug, "DEBUG", "masm16\\debug.exe", "", "q\r\n"},
        {DosTool::Tasm, "TASM", "tasm16\\tasm.exe", "", ""},
        {DosTool::Tlink, "TLINK", "tasm16\\tlink.exe", "", ""},
        // TD with no program opens its full screen; its help text carries the banner and ends it.
        {DosTool::Td, "TD", "tasm16\\td.exe", "-?", ""},
    };
    return tools;
}

const DosToolInfo& InfoOf(DosTool tool)
{
    return DosTools()[static_cast<std::size_t>(tool)];
}

std::optional<DosTool> ClassifyToolFile(std::string_view fileName)
{
    const std::string upper = Upper(fileName);
    for (const ToolFile& file : kToolFiles)
        if (upper == file.name) return file.tool;
    return std::nullopt;
}

std::vector<std::string> CompanionFiles(DosTool tool, const std::vector<std::string>& neighbours)
{
    std::vector<std::string> companions;
    for (const std::string& name : neighbours) {
        if (ClassifyToolFile(name)) continue;
        const std::string upper = Upper(name);
        if (SharesStemAsHelper(tool, upper) || IsHelperOf(tool, upper)) companions.push_back(name);
    }
    return companions;
}

std::vector<FoundTool> FindDosTools(const std::string& root, const FolderLister& list, ScanLimits limits)
{
    std::vector<std::optional<FoundTool>> found(DosTools().size());
    std::deque<std::pair<std::string, int>> pending = {{root, 0}};
    std::size_t visited = 0;
    while (!pending.empty() && visited < limits.maxFolders) {
        const auto [folder, depth] = pending.front();
        pending.pop_front();
        ++visited;
        std::vector<FolderEntry> entries = list(folder);
        std::sort(entries.begin(), entries.end(), NameLess);
        for (const DosToolInfo& info : DosTools()) {
            auto& slot = found[static_cast<std::size_t>(info.tool)];
            const FolderEntry* file = slot ? nullptr : ToolIn(info.tool, entries);
            if (file) slot = FoundTool{info.tool, folder, file->name, CompanionFiles(info.tool, FileNames(entries))};
        }
        if (depth >= limits.depth) continue;
        for (const FolderEntry& entry : entries)
            if (entry.isFolder) pending.emplace_back(Joined(folder, entry.name), depth + 1);
    }
    std::vector<FoundTool> result;
    for (auto& slot : found)
        if (slot) result.push_back(std::move(*slot));
    return result;
}

std::vector<CopyItem> CopyPlan(const FoundTool& found)
{
    const std::string_view installName = InfoOf(found.tool).installName;
    const std::string subfolder(installName.substr(0, installName.find('\\') + 1));
    std::vector<CopyItem> plan = {{Joined(found.folder, found.fileName), std::string(installName)}};
    for (const std::string& name : found.companions) plan.push_back({Joined(found.folder, name), subfolder + name});
    return plan;
}

std::string VersionLine(std::string_view output)
{
    const std::vector<std::string> lines = Lines(output);
    for (const std::string& line : lines)
        if (HoldsVersionWord(line)) return line;
    for (const std::string& line : lines)
        if (HoldsVersionNumber(line)) return line;
    return {};
}

std::string ComposeReport(const std::string& courseFolder, const std::vector<ToolReport>& tools)
{
    std::string text = "在 " + courseFolder + " 及其子文件夹中查找 DOS 工具的结果:\n";
    for (const ToolReport& report : tools) {
        const DosToolInfo& info = InfoOf(report.tool);
        text.append("\n").append(info.name).append(":  ");
        if (!report.found) {
            text.append("没有找到\n");
            continue;
        }
        text.append(report.source).append("\n    版本: ");
        text.append(report.version.empty() ? std::string("(它没有显示版本)") : report.version).append("\n    ");
        text.append(OutcomeText(report.outcome)).append("bin\\").append(info.installName).append("\n");
    }
    return text;
}

}  // namespace halyard::toolchain
