// Throughput of the build console: a stand-in tool prints 4 MB in 100,000 lines through the
// interpreter, the pipe, the reader and the Output pane; the reference drains the same tool's
// output with a plain 64 KB read loop. A third figure is the pane's own floor: the same text
// appended to an empty pane in one message; a fourth, the console's pipeline (interpreter, pipe,
// reader) without the pane. Prints one line per figure; exit code 1 when a byte was
// lost or out of order. Runs under Wine with HALYARD_STANDINS naming the stand-ins' folder.
#include <windows.h>

#include <algorithm>
#include <mutex>
#include <cstdio>
#include <string>
#include <vector>

#include "toolchain/build_console.h"
#include "toolchain/output_pane.h"
#include "core/toolchain/build_lines.h"
#include "standins/bulk_lines.h"
#include "win/toolchain/build_test_support.h"

namespace {

constexpr unsigned kLines = 100000;
constexpr int kRounds = 3;

std::string ToolOutput(const std::string& arguments)
{
    return standin::ToolOutput("tasm", arguments, standin::BulkText(kLines));
}

double Milliseconds(ULONGLONG start)
{
    return static_cast<double>(GetTickCount64() - start);
}

// The tool started directly, its output read 64 KB at a time until the pipe breaks.
bool RunReference(const buildtest::CTempInstall& install, double& ms)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    if (!CreatePipe(&read, &write, &inherit, 0)) return false;
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = write;
    si.hStdError = write;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::string command = "\"" + install.ToolFolder() + "\\tasm16\\tasm.exe\" /zi /la hello.asm";
    PROCESS_INFORMATION pi = {};
    const ULONGLONG start = GetTickCount64();
    const BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        install.SourceDir().c_str(), &si, &pi);
    CloseHandle(write);
    std::string received;
    std::vector<char> buffer(64 * 1024);
    DWORD got = 0;
    while (started && ReadFile(read, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got > 0)
        received.append(buffer.data(), got);
    ms = Milliseconds(start);
    CloseHandle(read);
    if (!started) return false;
    WaitForSingleObject(pi.hProcess, INFINITE);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return received == ToolOutput("/zi /la hello.asm");
}

// The same tool typed into a build console; timed from the step to the tool's last line in the pane.
bool RunConsole(const buildtest::CTempInstall& install, double& ms)
{
    buildtest::CPaneWindow pane;
    CBuildConsole console(pane.Get(), install.InstallDir());
    if (!console.Open(install.SourceDir())) return false;
    if (!buildtest::PumpUntil([&] { return pane.Text().find('>') != std::string::npos; }, 10000)) return false;
    const std::string expected = "Compiling...\r\n" + ToolOutput("/zi /la hello.asm");
    const ULONGLONG start = GetTickCount64();
    if (!console.Compile("hello.asm", "hello", halyard::toolchain::kAssemblerTasm)) return false;
    // The length is cheap to ask for; the text is read once it can hold everything.
    const bool arrived = buildtest::PumpUntil(
        [&] {
            if (static_cast<std::size_t>(GetWindowTextLengthA(pane.Get())) < expected.size()) return false;
            return pane.Text().find("tasm stand-in: done\r\n") != std::string::npos;
        },
        120000);
    ms = Milliseconds(start);
    const std::string text = pane.Text();
    return arrived && text.compare(0, expected.size(), expected) == 0;
}

// The same step through the interpreter, pipe and reader into a string: the console without the pane.
class CCollector : public CConsoleRedirector {
public:
    ~CCollector() override { Close(); }
    void WriteStdOut(std::string_view text) override
    {
        std::lock_guard<std::mutex> hold(m_mutex);
        m_text.append(text);
    }
    std::string Text()
    {
        std::lock_guard<std::mutex> hold(m_mutex);
        return m_text;
    }

private:
    std::mutex m_mutex;
    std::string m_text;
};

bool RunPipeline(const buildtest::CTempInstall& install, double& ms)
{
    CCollector collector;
    if (!collector.Open("cmd.exe /V:OFF", install.SourceDir().c_str())) return false;
    if (!buildtest::PumpUntil([&] { return collector.Text().find('>') != std::string::npos; }, 10000)) return false;
    char command[256];
    char line[256];
    const halyard::toolchain::StepRequest request{halyard::toolchain::BuildStep::Compile, halyard::toolchain::kAssemblerTasm, 0,
                                              "hello.asm", "hello"};
    if (halyard::toolchain::ComposeStepLine(request, install.ToolFolder(), command, line, sizeof line) !=
        halyard::toolchain::LineStatus::Ok)
        return false;
    const std::size_t before = collector.Text().size();
    const ULONGLONG start = GetTickCount64();
    if (!collector.Write(line)) return false;
    const bool arrived = buildtest::PumpUntil(
        [&] { return collector.Text().find("tasm stand-in: done\r\n", before) != std::string::npos; }, 120000);
    ms = Milliseconds(start);
    return arrived && collector.Text().find(ToolOutput("/zi /la hello.asm"), before) != std::string::npos;
}

// The pane's own cost: the same text appended to an empty pane in one message.
double EditFloor(const std::string& text)
{
    buildtest::CPaneWindow pane;
    const ULONGLONG start = GetTickCount64();
    AppendPaneText(pane.Get(), text);
    return Milliseconds(start);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main()
{
    buildtest::CTempInstall install;
    if (!install.Ready() || !install.AddSource("hello.asm")) {
        std::printf("setup failed: is HALYARD_STANDINS set?\n");
        return 1;
    }
    char lines[16];
    std::snprintf(lines, sizeof lines, "%u", kLines);
    buildtest::CScopedEnv bulk("HALYARD_STANDIN_LINES", lines);
    std::vector<double> reference;
    std::vector<double> console;
    std::vector<double> floor;
    std::vector<double> pipeline;
    bool intact = true;
    for (int round = 0; round < kRounds; ++round) {
        double ms = 0;
        intact = RunReference(install, ms) && intact;
        reference.push_back(ms);
        intact = RunConsole(install, ms) && intact;
        console.push_back(ms);
        intact = RunPipeline(install, ms) && intact;
        pipeline.push_back(ms);
        floor.push_back(EditFloor("Compiling...\r\n" + ToolOutput("/zi /la hello.asm")));
    }
    const double ref = Median(reference);
    const double con = Median(console);
    std::printf("reference_64k_read_loop_ms %.0f\n", ref);
    std::printf("build_console_to_pane_ms %.0f\n", con);
    std::printf("edit_control_one_append_ms %.0f\n", Median(floor));
    std::printf("ratio %.2f (target <= 3)\n", ref > 0 ? con / ref : 0.0);
    const double pipe = Median(pipeline);
    std::printf("console_without_pane_ms %.0f\n", pipe);
    std::printf("ratio_without_pane %.2f\n", ref > 0 ? pipe / ref : 0.0);
    std::printf("bytes_intact_and_in_order %s\n", intact ? "yes" : "NO");
    return intact ? 0 : 1;
}
