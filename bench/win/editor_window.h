// The editor window of the Windows benchmarks, made as the IDE makes it: a main frame of
// 1024 x 768 with an MDI child whose splitter holds an assembly view of the file, maximized and
// focused. Closing destroys the frame and the document. Also the temporary source file it shows.
#pragma once
#include <windows.h>

#include "asm/halyard_view.h"
#include "toolchain/halyard_doc.h"
#include "frame/child_frame.h"
#include "fx/fx_mdiframe.h"
#include "resource.h"

#include <string>

// Writes `text` into a new temporary file whose name starts with `prefix`; its path goes to `path`.
inline bool WriteTempFile(const char* prefix, const std::string& text, char (&path)[MAX_PATH])
{
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    if (!GetTempFileNameA(folder, prefix, 0, path)) return false;
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                    written == text.size();
    CloseHandle(file);
    return ok;
}

struct BenchEditorWindow {
    FxMDIFrame* pFrame = nullptr;
    CHalyardDoc* pDoc = nullptr;
    CHalyardView* pView = nullptr;

    // False when any step fails.
    bool Open(const char* path)
    {
        pFrame = new FxMDIFrame;
        if (!pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW)) {
            pFrame = nullptr;
            return false;
        }
        MoveWindow(pFrame->m_hWnd, 0, 0, 1024, 768, TRUE);
        ShowWindow(pFrame->m_hWnd, SW_SHOW);
        pDoc = new CHalyardDoc;
        pDoc->m_bAutoDelete = false;
        if (!pDoc->OnOpenDocument(path)) return false;
        auto* child = new CChildFrame;
        FxCreateContext context{[]() -> FxView* { return new CHalyardView; }, pDoc};
        if (!child->LoadFrame(IDR_HALYARDTYPE, WS_OVERLAPPEDWINDOW, pFrame, &context)) return false;
        child->InitialUpdateFrame(pDoc, true);
        ShowWindow(child->m_hWnd, SW_MAXIMIZE);
        pView = dynamic_cast<CHalyardView*>(child->GetActiveView());
        if (!pView) return false;
        SetFocus(pView->m_hWnd);
        UpdateWindow(pFrame->m_hWnd);
        return true;
    }

    void Close()
    {
        if (pFrame) pFrame->DestroyWindow();
        delete pDoc;
        pFrame = nullptr;
        pDoc = nullptr;
        pView = nullptr;
    }
};
