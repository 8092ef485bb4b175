// The real application object started in this process, its message boxes answered by the test.
#pragma once
#include <gtest/gtest.h>
#include "app/halyard_app.h"
#include "toolchain/halyard_doc.h"
#include "frame/main_frame.h"
#include "fx/fx_docmanager.h"
#include "resource.h"
#include "win/win_test_util.h"
#include <string>
#include <vector>

inline std::vector<std::string> g_boxes;

inline int RecordBox(const char* text, UINT)
{
    g_boxes.push_back(text);
    return IDOK;
}

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_boxes.clear();
        FxSetMessageBoxHook(RecordBox);
        ASSERT_TRUE(app.InitInstance());
        frame = app.GetMainFrame();
    }
    void TearDown() override
    {
        if (app.GetDocManager()) app.GetDocManager()->CloseAllDocuments();
        if (app.GetMainFrame()) app.GetMainFrame()->DestroyWindow();
        wintest::Pump();
        FxSetMessageBoxHook(nullptr);
    }
    CHalyardDoc* Open(const std::string& path)
    {
        auto* doc = dynamic_cast<CHalyardDoc*>(app.GetDocManager()->OpenDocumentFile(path.c_str()));
        wintest::Pump();
        return doc;
    }
    std::string LabelText()
    {
        char text[128] = {};
        GetWindowTextA(frame->m_selectorBar.GetItem(IDC_SELECT_SUMMARY), text, sizeof text);
        return text;
    }
    int Selected(int id) { return (int)SendMessageA(frame->m_selectorBar.GetItem(id), CB_GETCURSEL, 0, 0); }
    // Chooses entry `index` of a mode-bar list as the user would.
    void Choose(int id, int index, UINT code)
    {
        HWND combo = frame->m_selectorBar.GetItem(id);
        SendMessageA(combo, CB_SETCURSEL, index, 0);
        SendMessageA(frame->m_selectorBar.m_hWnd, WM_COMMAND, MAKEWPARAM(id, code), (LPARAM)combo);
    }

    CHalyardApp app;
    CMainFrame* frame = nullptr;
    wintest::TempDir dir;
};
