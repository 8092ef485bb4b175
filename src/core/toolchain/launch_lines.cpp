#include "core/toolchain/launch_lines.h"

#include <initializer_list>

#include "core/toolchain/cmd_quote.h"
#include "core/toolchain/system_command.h"

namespace halyard::toolchain {
namespace {

constexpr std::string_view kPausexec = "Pausexec";
constexpr std::string_view kTracegate = "Tracegate";

std::string HelperPath(std::string_view installDir, std::string_view helper)
{
    std::string path(installDir);
    path.append("\\bin\\").append(helper).append(".exe");
    return path;
}

// Appends the words separated by blanks; false as soon as one is refused.
bool AppendWords(std::string& out, std::initializer_list<std::string_view> words)
{
    for (std::string_view word : words) {
        if (!out.empty()) out += ' ';
        if (!AppendCmdWord(out, word)) return false;
    }
    return true;
}

bool Refuse(std::string_view reason, std::string_view helper, LaunchLine& out, std::string& error)
{
    out.text[0] = '\0';
    out.folder.clear();
    error.assign(reason).append(helper).append(" was not started\r\n");
    return false;
}

bool RefuseName(std::string_view helper, LaunchLine& out, std::string& error)
{
    return Refuse("The file name or the installation folder holds %, \" or a control character: ", helper, out, error);
}

bool Store(std::string_view text, std::string_view helper, const LaunchSource& source, LaunchLine& out,
           std::string& error)
{
    if (!CopyBounded(text, out.text, sizeof out.text))
        return Refuse("The command line does not fit in 255 bytes: ", helper, out, error);
    out.folder = StartFolder(source.folder);
    error.clear();
    return true;
}

}  // namespace

std::string StartFolder(std::string_view folder)
{
    if (folder.size() > 1 && folder.back() == '\\' && folder[folder.size() - 2] != ':') folder.remove_suffix(1);
    return std::string(folder);
}

bool ComposeRunLine(const LaunchSource& source, LaunchLine& out, std::string& error)
{
    const std::string program = std::string(source.pathNoExt).append(".exe");
    std::string text;
    if (!AppendWords(text, {HelperPath(source.installDir, kPausexec), program})) return RefuseName(kPausexec, out, error);
    return Store(text, kPausexec, source, out, error);
}

bool ComposeDebugLine(const LaunchSource& source, int mode, LaunchLine& out, std::string& error)
{
    out.text[0] = '\0';
    out.folder.clear();
    error.clear();
    if (mode != kDebugModeDebug && mode != kDebugModeTd) return true;

    const std::string_view letter = mode == kDebugModeDebug ? "m" : "t";
    const std::string program = std::string(source.baseName).append(".exe");
    std::string text;
    if (!AppendWords(text, {HelperPath(source.installDir, kTracegate), letter, program}))
        return RefuseName(kTracegate, out, error);
    text.append("\r\n");
    return Store(text, kTracegate, source, out, error);
}

std::string LocationText(std::string_view summary, std::string_view fullPath)
{
    std::string text(summary);
    text.append(" | ").append(fullPath);
    return text;
}

}  // namespace halyard::toolchain
