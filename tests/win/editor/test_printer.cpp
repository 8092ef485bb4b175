#include "win/editor/test_printer.h"

#include <windows.h>
#include <winspool.h>

#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace printtest {
namespace {

// One printer name per test process: two test runs in one prefix do not meet.
const char kPrefix[] = "Halyard Test Printer ";

std::string PrinterName() { return kPrefix + std::to_string(GetCurrentProcessId()); }


const char kPpd[] =
    "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n*LanguageVersion: English\n"
    "*LanguageEncoding: ISOLatin1\n*PCFileName: \"HALYARD.PPD\"\n*Manufacturer: \"Halyard\"\n"
    "*Product: \"(Halyard Test Printer)\"\n*ModelName: \"Halyard Test Printer\"\n"
    "*ShortNickName: \"Halyard Test Printer\"\n*NickName: \"Halyard Test Printer\"\n"
    "*PSVersion: \"(3010.000) 0\"\n*LanguageLevel: \"3\"\n*ColorDevice: False\n*DefaultColorSpace: Gray\n"
    "*FileSystem: False\n*Throughput: \"1\"\n*LandscapeOrientation: Plus90\n*TTRasterizer: Type42\n"
    "*DefaultResolution: 300dpi\n"
    "*OpenUI *PageSize: PickOne\n*OrderDependency: 10 AnySetup *PageSize\n*DefaultPageSize: A4\n"
    "*PageSize A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n*CloseUI: *PageSize\n"
    "*OpenUI *PageRegion: PickOne\n*OrderDependency: 10 AnySetup *PageRegion\n*DefaultPageRegion: A4\n"
    "*PageRegion A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n*CloseUI: *PageRegion\n"
    "*DefaultImageableArea: A4\n*ImageableArea A4/A4: \"18 18 577 824\"\n"
    "*DefaultPaperDimension: A4\n*PaperDimension A4/A4: \"595 842\"\n"
    "*DefaultFont: Courier\n*Font Courier: Standard \"(002.004S)\" Standard ROM\n";

void DeletePrinterNamed(std::string name)
{
    HANDLE printer = nullptr;
    PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (OpenPrinterA(&name[0], &printer, &access)) {
        DeletePrinter(printer);
        ClosePrinter(printer);
    }
    DeletePrinterDriverA(nullptr, nullptr, &name[0]);
}

void DeleteTestPrinter() { DeletePrinterNamed(PrinterName()); }

bool IsRunning(DWORD pid)
{
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!process) return false;
    const bool bRunning = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return bRunning;
}

std::string Utf8Of(unsigned code)
{
    wchar_t wide[2] = {static_cast<wchar_t>(code), 0};
    char text[8] = {};
    WideCharToMultiByte(CP_UTF8, 0, wide, 1, text, sizeof text, nullptr, nullptr);
    return text;
}

std::string CharOfGlyph(const std::string& name)
{
    static const std::map<std::string, std::string> kNames = {
        {"space", " "}, {"slash", "/"}, {"semicolon", ";"}, {"comma", ","}, {"period", "."},
        {"zero", "0"},  {"one", "1"},   {"two", "2"},       {"three", "3"}, {"four", "4"},
        {"five", "5"},  {"six", "6"},   {"seven", "7"},     {"eight", "8"}, {"nine", "9"},
    };
    if (name.size() == 1) return name;
    if (const auto found = kNames.find(name); found != kNames.end()) return found->second;
    if (name.size() == 7 && name.compare(0, 3, "uni") == 0) return Utf8Of(std::strtoul(name.c_str() + 3, nullptr, 16));
    return "?";
}

}  // namespace

std::vector<std::string> PrinterNames()
{
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0, count = 0;
    EnumPrintersA(flags, nullptr, 4, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed + 1);
    std::vector<std::string> names;
    if (!EnumPrintersA(flags, nullptr, 4, buffer.data(), needed, &needed, &count)) return names;
    const auto* info = reinterpret_cast<const PRINTER_INFO_4A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) names.emplace_back(info[i].pPrinterName ? info[i].pPrinterName : "");
    return names;
}

void RemoveLeftoverPrinters()
{
    for (const std::string& name : PrinterNames()) {
        if (name.compare(0, sizeof kPrefix - 1, kPrefix) != 0) continue;
        const DWORD pid = std::strtoul(name.c_str() + sizeof kPrefix - 1, nullptr, 10);
        if (pid != GetCurrentProcessId() && !IsRunning(pid)) DeletePrinterNamed(name);
    }
}

CTestPrinter::CTestPrinter() : m_name(PrinterName()), m_output(m_dir.File("out.ps"))
{
    char previous[256] = {};
    DWORD size = sizeof previous;
    if (GetDefaultPrinterA(previous, &size)) m_previousDefault = previous;
    RemoveLeftoverPrinters();
    std::string name = m_name;
    std::string ppd = m_dir.Write("halyard.ppd", kPpd);
    char driverFile[] = "wineps.drv";
    char dataType[] = "RAW";
    DRIVER_INFO_3A driver{};
    driver.cVersion = 3;
    driver.pName = &name[0];
    driver.pDriverPath = driverFile;
    driver.pConfigFile = driverFile;
    driver.pDataFile = &ppd[0];
    driver.pDefaultDataType = dataType;
    if (!AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY))
        return;
    char processor[] = "WinPrint";
    PRINTER_INFO_2A info{};
    info.pPrinterName = &name[0];
    info.pPortName = &m_output[0];
    info.pDriverName = &name[0];
    info.pPrintProcessor = processor;
    info.pDatatype = dataType;
    HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!printer) return;
    ClosePrinter(printer);
    m_bReady = SetDefaultPrinterA(name.c_str()) != FALSE;
}

CTestPrinter::~CTestPrinter()
{
    DeleteTestPrinter();
    if (!m_previousDefault.empty()) SetDefaultPrinterA(m_previousDefault.c_str());
}

std::string CTestPrinter::TakeJob() const
{
    std::string job = wintest::ReadFileBytes(m_output);
    DeleteFileA(m_output.c_str());
    return job;
}

std::vector<std::string> PrintedPages(const std::string& postScript)
{
    std::vector<std::string> pages;
    std::istringstream lines(postScript);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.compare(0, 8, "%%Page: ") == 0) pages.emplace_back();
        const size_t show = line.find(" glyphshow");
        if (!pages.empty() && line[0] == '/' && show != std::string::npos)
            pages.back() += CharOfGlyph(line.substr(1, show - 1));
    }
    return pages;
}

}  // namespace printtest
