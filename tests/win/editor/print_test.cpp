// Printing, page setup and print preview of an editor view, sent through the main frame as the
// menu sends them, on a printer that prints PostScript into a file (see test_printer.h).
#include <windows.h>
#include <dlgs.h>

#include <cstdio>

#include "asm/halyard_view.h"
#include "fx/fx_print_preview.h"
#include "win/app/app_fixture.h"
#include "win/editor/test_printer.h"
#include "win/editor_find/find_test_support.h"

namespace {

const char kSection[] = "Editor\\PageSetup";

// 200 numbered lines with tabs and a Chinese comment; line 100 is long enough to wrap.
std::string Listing()
{
    std::string text;
    char line[128];
    for (int i = 1; i <= 200; ++i) {
        std::snprintf(line, sizeof line, "line%03d\tmov\tax, %d\t; 中文注释", i, i);
        text += line;
        for (int word = 0; i == 100 && word < 150; ++word) text += " wrap";
        text += "\r\n";
    }
    return text;
}

size_t Count(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

BOOL CALLBACK FindPreview(HWND hwnd, LPARAM found)
{
    char cls[32] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (std::string(cls) != "FxPrintPreview") return TRUE;
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

// A preview window of this thread (other test runs may show theirs on the same desktop).
bool AnyPreviewWindow()
{
    bool found = false;
    EnumThreadWindows(GetCurrentThreadId(), FindPreview, reinterpret_cast<LPARAM>(&found));
    return found;
}

class PrintTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        // Settings of this process only: other test runs may share the user's registry.
        app.SetRegistryKey(m_company.c_str());
        ASSERT_NE(nullptr, Open(dir.Write("listing.asm", Listing())));
        ASSERT_NE(nullptr, View());
    }
    void TearDown() override
    {
        AppFixture::TearDown();
        RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + m_company).c_str());
    }
    CHalyardView* View() { return dynamic_cast<CHalyardView*>(frame->GetActiveView()); }
    int Margin(const char* name) { return app.Settings().GetInt(kSection, name, -1); }
    void ClearMargins()
    {
        for (const char* name : {"LeftMargin", "RightMargin", "TopMargin", "BottomMargin"})
            app.Settings().DeleteValue(kSection, name);
    }
    // Picks `printer` in File > Print Setup, as a user would; false where no such printer exists.
    bool UsePrinter(printtest::CTestPrinter& printer)
    {
        m_pPrinter = &printer;
        if (!printer.IsReady()) return false;
        return findtest::WithDialog([&] { frame->SendCommand(ID_FILE_PRINT_SETUP); }, [&](HWND dialog) {
            const HWND printers = GetDlgItem(dialog, cmb4);
            SendMessageA(printers, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(printer.Name().c_str()));
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb4, CBN_SELCHANGE), reinterpret_cast<LPARAM>(printers));
            findtest::Click(dialog, IDOK);
        });
    }
    void CheckPrinting();
    void CheckRangeAndCancel(size_t pageCount);
    // The printing window of this thread, or null.
    static BOOL CALLBACK TakePrintingWindow(HWND h, LPARAM lp)
    {
        if (!IsWindowVisible(h) || !GetDlgItem(h, IDC_PRINTING_PAGE)) return TRUE;
        *reinterpret_cast<HWND*>(lp) = h;
        return FALSE;
    }
    static HWND PrintingWindow()
    {
        HWND found = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), TakePrintingWindow, reinterpret_cast<LPARAM>(&found));
        return found;
    }
    static inline bool s_cancelSeen = false;
    static void CALLBACK CancelPrinting(HWND, UINT, UINT_PTR, DWORD)
    {
        if (HWND window = PrintingWindow(); window && !s_cancelSeen) {
            s_cancelSeen = true;
            findtest::Click(window, IDCANCEL);
        }
    }
    void CheckPageSetup();
    void CheckPreview();

    // The printed pages of a job that `print` starts; the print dialog, if one opens, is confirmed.
    std::vector<std::string> Print(const std::function<void()>& print)
    {
        findtest::WithDialog(print, [](HWND dialog) { findtest::Click(dialog, IDOK); });
        return printtest::PrintedPages(m_pPrinter->TakeJob());
    }
    std::vector<std::string> Print(UINT id)
    {
        return Print([&] { frame->SendCommand(id); });
    }

    printtest::CTestPrinter* m_pPrinter = nullptr;
    const std::string m_company = "Halyard Print Test " + std::to_string(GetCurrentProcessId());
};

TEST_F(PrintTest, WithoutAPrinterEveryCommandSaysSoAndDoesNothingElse)
{
    printtest::RemoveLeftoverPrinters();
    if (!printtest::PrinterNames().empty()) GTEST_SKIP() << "this prefix has a printer";
    for (UINT id : {ID_FILE_PRINT, ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_PREVIEW, ID_FILE_PAGE_SETUP, ID_FILE_PRINT_SETUP}) {
        g_boxes.clear();
        EXPECT_TRUE(frame->SendCommand(id));
        wintest::Pump();
        EXPECT_EQ(std::vector<std::string>{FxLoadString(IDS_NO_PRINTER)}, g_boxes) << id;
        EXPECT_EQ(nullptr, View()->GetPrintPreview());
        EXPECT_FALSE(AnyPreviewWindow());
        EXPECT_TRUE(IsWindowEnabled(frame->m_hWnd));
        EXPECT_EQ(-1, Margin("LeftMargin"));
    }
}

// Every line once and in order, Chinese as Chinese, every page with its footer; wider margins,
// taken at the next job, make more pages.
void PrintTest::CheckPrinting()
{
    size_t firstCount = 0;
    for (UINT id : {ID_FILE_PRINT, ID_FILE_PRINT_DIRECT}) {
        const std::vector<std::string> pages = Print(id);
        ASSERT_GE(pages.size(), 3u);
        std::string all;
        for (size_t i = 0; i < pages.size(); ++i) {
            const std::string footer = "Page " + std::to_string(i + 1) + "/" + std::to_string(pages.size());
            ASSERT_EQ(0u, pages[i].find(footer)) << pages[i];  // drawn before the lines
            all += pages[i].substr(footer.size());
        }
        size_t at = 0;
        for (int i = 1; i <= 200; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "line%03d", i);
            at = all.find(name, at);
            ASSERT_NE(std::string::npos, at) << name;
            EXPECT_EQ(1u, Count(all, name)) << name;
        }
        EXPECT_EQ(200u, Count(all, u8"中文注释"));
        EXPECT_EQ(150u, Count(all, "wrap"));
        EXPECT_TRUE(g_boxes.empty());
        if (firstCount) EXPECT_GT(pages.size(), firstCount);
        firstCount = pages.size();
        ASSERT_TRUE(app.Settings().WriteInt(kSection, "TopMargin", 8000));
        ASSERT_TRUE(app.Settings().WriteInt(kSection, "BottomMargin", 8000));
    }
    CheckRangeAndCancel(firstCount);
}

// The print dialog's page range prints just those pages; Cancel in the printing window stops the
// job quietly and gives the main window back.
void PrintTest::CheckRangeAndCancel(size_t pageCount)
{
    const std::vector<std::string> range = Print([&] {
        findtest::WithDialog([&] { frame->SendCommand(ID_FILE_PRINT); }, [](HWND dialog) {
            findtest::Click(dialog, rad3);
            findtest::SetText(dialog, edt1, "2");
            findtest::SetText(dialog, edt2, "3");
            findtest::Click(dialog, IDOK);
        });
    });
    ASSERT_EQ(2u, range.size());
    EXPECT_EQ(0u, range[0].find("Page 2/")) << range[0];
    EXPECT_EQ(0u, range[1].find("Page 3/")) << range[1];

    s_cancelSeen = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 1, CancelPrinting);
    const std::vector<std::string> cancelled = Print(ID_FILE_PRINT_DIRECT);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(s_cancelSeen) << "no printing window with a Cancel button";
    EXPECT_LT(cancelled.size(), pageCount);
    EXPECT_TRUE(g_boxes.empty());
    EXPECT_TRUE(IsWindowEnabled(frame->m_hWnd));
    EXPECT_EQ(nullptr, PrintingWindow());
}

// The dialog shows the stored margins and keeps what the user confirms.
void PrintTest::CheckPageSetup()
{
    ClearMargins();
    ASSERT_TRUE(app.Settings().WriteInt(kSection, "LeftMargin", 1500));
    std::string shown[4];
    const int edits[] = {edt4, edt6, edt5, edt7};  // left, right, top, bottom
    const auto run = [&](int button) {
        return findtest::WithDialog([&] { frame->SendCommand(ID_FILE_PAGE_SETUP); }, [&](HWND dialog) {
            for (int i = 0; i < 4; ++i) shown[i] = findtest::GetText(dialog, edits[i]);
            findtest::SetText(dialog, edt4, "25");
            findtest::SetText(dialog, edt7, "12");
            findtest::Click(dialog, button);
        });
    };
    ASSERT_TRUE(run(IDCANCEL));
    EXPECT_EQ(15, std::atoi(shown[0].c_str())) << shown[0];  // millimetres
    EXPECT_EQ(10, std::atoi(shown[1].c_str())) << shown[1];
    EXPECT_EQ(1500, Margin("LeftMargin"));
    EXPECT_EQ(-1, Margin("BottomMargin"));
    ASSERT_TRUE(run(IDOK));
    EXPECT_EQ(2500, Margin("LeftMargin"));
    EXPECT_EQ(1000, Margin("RightMargin"));
    EXPECT_EQ(1000, Margin("TopMargin"));
    EXPECT_EQ(1200, Margin("BottomMargin"));
}

// The preview shows the printed pages and closes back to the editor.
void PrintTest::CheckPreview()
{
    ClearMargins();
    const size_t printedPages = Print(ID_FILE_PRINT_DIRECT).size();
    ASSERT_TRUE(frame->SendCommand(ID_FILE_PRINT_PREVIEW));
    FxPrintPreview* preview = View()->GetPrintPreview();
    ASSERT_NE(nullptr, preview);
    EXPECT_FALSE(IsWindowEnabled(frame->m_hWnd));
    EXPECT_EQ(static_cast<int>(printedPages), preview->GetPageCount());
    const HWND bar = preview->GetBar();
    const auto click = [&](int id) {
        findtest::Click(bar, id);
        wintest::Pump();
    };
    EXPECT_FALSE(findtest::Enabled(bar, ID_PREVIEW_PREV));
    click(ID_PREVIEW_NEXT);
    EXPECT_EQ(2, preview->GetCurrentPage());
    click(ID_PREVIEW_PREV);
    EXPECT_EQ(1, preview->GetCurrentPage());
    click(ID_PREVIEW_NUMPAGE);
    EXPECT_TRUE(preview->IsTwoPage());
    while (findtest::Enabled(bar, ID_PREVIEW_NEXT)) click(ID_PREVIEW_NEXT);
    const int last = preview->GetPageCount();
    EXPECT_EQ(last - 1, preview->GetCurrentPage());
    EXPECT_EQ("Pages " + std::to_string(last - 1) + ", " + std::to_string(last) + "/" + std::to_string(last),
              findtest::GetText(bar, IDC_PREVIEW_PAGE));
    click(ID_PREVIEW_ZOOMIN);
    click(ID_PREVIEW_ZOOMIN);
    EXPECT_EQ(kPreviewMaxZoom, preview->GetZoom());
    EXPECT_FALSE(findtest::Enabled(bar, ID_PREVIEW_ZOOMIN));

    // Deleting most of the text keeps the preview's pages until it is opened again.
    CTextBuffer& buffer = *View()->GetBuffer();
    ASSERT_TRUE(buffer.DeleteText(nullptr, 10, 0, buffer.GetLineCount() - 1, 0, 0));
    UpdateWindow(preview->m_hWnd);
    EXPECT_EQ(last, preview->GetPageCount());

    SendMessageA(preview->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    wintest::Pump();
    EXPECT_EQ(nullptr, View()->GetPrintPreview());
    EXPECT_TRUE(IsWindowEnabled(frame->m_hWnd));
    EXPECT_EQ(0, View()->GetPrintPageCount());
    ASSERT_TRUE(frame->SendCommand(ID_FILE_PRINT_PREVIEW));
    ASSERT_NE(nullptr, View()->GetPrintPreview());
    EXPECT_EQ(1, View()->GetPrintPreview()->GetPageCount());
    // Print... closes the preview and prints through the print dialog.
    const HWND newBar = View()->GetPrintPreview()->GetBar();
    const auto pages = Print([&] {
        findtest::Click(newBar, ID_PREVIEW_PRINT);
        wintest::Pump();
    });
    ASSERT_EQ(1u, pages.size());
    EXPECT_EQ(0u, pages[0].find("Page 1/1line001"));
    EXPECT_EQ(10u, Count(pages[0], "line0"));
    EXPECT_EQ(nullptr, View()->GetPrintPreview());
    EXPECT_TRUE(IsWindowEnabled(frame->m_hWnd));
    EXPECT_TRUE(g_boxes.empty());

    // Closing the document takes its open preview with it.
    ASSERT_TRUE(frame->SendCommand(ID_FILE_PRINT_PREVIEW));
    ASSERT_TRUE(AnyPreviewWindow());
    app.GetDocManager()->CloseAllDocuments();
    wintest::Pump();
    EXPECT_FALSE(AnyPreviewWindow());
    EXPECT_TRUE(IsWindowEnabled(frame->m_hWnd));
}

// One test for everything a printer is needed for: under Wine 8 a process that makes a second
// printer after the first one printed, or prints again after an application object went, meets
// crashes in the spooler and in COM later on.
TEST_F(PrintTest, PrintsPreviewsAndSetsUpPagesOnAFilePrinter)
{
    printtest::CTestPrinter printer;
    if (!UsePrinter(printer)) GTEST_SKIP() << "no printer that prints into a file can be made here";
    CheckPrinting();
    if (HasFatalFailure()) return;
    CheckPageSetup();
    if (HasFatalFailure()) return;
    CheckPreview();
}

}  // namespace
