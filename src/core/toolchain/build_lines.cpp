#include "core/toolchain/build_lines.h"

#include <cstring>
#include <string>

#include "core/toolchain/cmd_quote.h"

namespace halyard::toolchain {
namespace {

constexpr int kAnyConfig = -1;

// Arguments are written with placeholders: {f} is the file name, {b<suffix>} the base name
// followed by the suffix; each placeholder becomes one word, quoted as a whole when needed.
struct StepRow {
    BuildStep step;
    int assembler;
    int config;
    std::string_view tool;
    std::string_view arguments;
};

// The first matching row wins, so the Debug row of a tool precedes its catch-all row.
constexpr StepRow kSteps[] = {
    {BuildStep::Compile, kAssemblerMasm, kAnyConfig, "\\masm16\\masm.exe", "/a {f},{b.obj},{b.lst},{b.crf};"},
    {BuildStep::Compile, kAssemblerTasm, kAnyConfig, "\\tasm16\\tasm.exe", "/zi /la {f}"},
    {BuildStep::Link, kAssemblerMasm, kAnyConfig, "\\masm16\\link.exe", "{b.obj},{b.exe};"},
    {BuildStep::Link, kAssemblerTasm, kConfigDebug, "\\tasm16\\tlink.exe", "/v {b.obj}"},
    {BuildStep::Link, kAssemblerTasm, kAnyConfig, "\\tasm16\\tlink.exe", "{b.obj}"},
};

const StepRow* FindRow(const StepRequest& request)
{
    for (const StepRow& row : kSteps) {
        if (row.step != request.step || row.assembler != request.assembler) continue;
        if (row.config == kAnyConfig || row.config == request.config) return &row;
    }
    return nullptr;
}

// Expands the placeholders of `pattern` into `out`; false when a name is refused.
bool ExpandArguments(std::string_view pattern, const StepRequest& request, std::string& out)
{
    while (!pattern.empty()) {
        const std::size_t open = pattern.find('{');
        out.append(pattern.substr(0, open));
        if (open == std::string_view::npos) break;
        const std::size_t close = pattern.find('}', open);
        const std::string_view field = pattern.substr(open + 1, close - open - 1);
        std::string word(field.front() == 'f' ? request.fileName : request.baseName);
        word.append(field.substr(1));
        if (!AppendCmdWord(out, word)) return false;
        pattern.remove_prefix(close + 1);
    }
    return true;
}

bool CopyIfFits(const std::string& text, char* buffer, std::size_t size)
{
    if (text.size() >= size) return false;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return true;
}

LineStatus Compose(const StepRequest& request, std::string_view toolFolder, char* command, char* line,
                   std::size_t size)
{
    const StepRow* row = FindRow(request);
    if (row == nullptr) return LineStatus::NoCommand;

    std::string arguments;
    if (!ExpandArguments(row->arguments, request, arguments)) return LineStatus::UnsafeName;

    std::string toolPath(toolFolder);
    toolPath.append(row->tool);
    std::string lineText;
    if (!AppendRunner(lineText, request.runner) || !AppendCmdWord(lineText, toolPath)) return LineStatus::UnsafeName;
    lineText.append(" ").append(arguments).append("\r\n");

    std::string commandText(row->tool);
    commandText.append(" ").append(arguments);

    if (!CopyIfFits(lineText, line, size) || !CopyIfFits(commandText, command, size)) return LineStatus::TooLong;
    return LineStatus::Ok;
}

}  // namespace

LineStatus ComposeStepLine(const StepRequest& request, std::string_view toolFolder, char* command, char* line,
                           std::size_t size)
{
    if (size > 0) {
        command[0] = '\0';
        line[0] = '\0';
    }
    const LineStatus status = Compose(request, toolFolder, command, line, size);
    if (status != LineStatus::Ok && size > 0) {
        command[0] = '\0';
        line[0] = '\0';
    }
    return status;
}

std::string_view RefusalText(LineStatus status) noexcept
{
    switch (status) {
    case LineStatus::UnsafeName:
        return "The file name or the installation folder holds %, \" or a control character: the line was not sent\r\n";
    case LineStatus::TooLong:
        return "The command line does not fit in 255 bytes: the line was not sent\r\n";
    case LineStatus::Ok:
    case LineStatus::NoCommand:
        break;
    }
    return {};
}

std::string_view StepTool(const StepRequest& request) noexcept
{
    const StepRow* row = FindRow(request);
    return row == nullptr ? std::string_view() : row->tool;
}

std::string MissingToolText(std::string_view toolPath)
{
    const std::string_view name = toolPath.substr(toolPath.rfind('\\') + 1);
    return std::string("找不到 ").append(name).append(": 这个文件不在 ").append(toolPath).append(
        "\r\n请用菜单 Option > 工具链文件夹... 选择课程发的工具所在的文件夹, Halyard 会把工具复制到这里\r\n");
}

std::string_view StepBanner(BuildStep step) noexcept
{
    return step == BuildStep::Compile ? "Compiling...\r\n" : "Building...\r\n";
}

}  // namespace halyard::toolchain
