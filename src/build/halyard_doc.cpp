#include "build/halyard_doc.h"
#include "app/halyard_app.h"
#include "frame/main_frame.h"
#include "resource.h"
#include <cstdio>

using halyard::build::ModeList;

CHalyardDoc::CHalyardDoc() { m_pMainFrame = GetHalyardApp() ? GetHalyardApp()->GetMainFrame() : nullptr; }

bool CHalyardDoc::OnNewDocument() { return false; }

void CHalyardDoc::SetPathParts(const std::string& path)
{
    halyard::build::PathParts p = halyard::build::SplitPath(path);
    m_strFullPath = p.fullPath;
    m_strPathNoExt = p.pathNoExt;
    m_strFolder = p.folder;
    m_strFileName = p.fileName;
    m_strBaseName = p.baseName;
}

void CHalyardDoc::SelectInList(int listId, int index)
{
    if (m_pMainFrame) SendMessageA(m_pMainFrame->m_selectorBar.GetItem(listId), CB_SETCURSEL, index, 0);
}

void CHalyardDoc::SetModeWord(ModeList list, const char* word)
{
    if (!m_pMainFrame) return;
    HWND label = m_pMainFrame->m_selectorBar.GetItem(IDC_SELECT_SUMMARY);
    char text[128] = {};
    GetWindowTextA(label, text, sizeof text);
    std::string next = halyard::build::ReplaceLabelWord(text, halyard::build::LabelPosition(list), word);
    SetWindowTextA(label, next.c_str());
}

void CHalyardDoc::RefreshModeBar()
{
    const struct {
        ModeList list;
        int id;
        int value;
    } lists[] = {{ModeList::Cpu, IDC_SELECT_CPU, m_nCpu},
                 {ModeList::Assembler, IDC_SELECT_ASSEMBLER, m_nAssembler},
                 {ModeList::Bitness, IDC_SELECT_BITNESS, m_nBitness},
                 {ModeList::Config, IDC_SELECT_CONFIG, m_nConfig}};
    for (const auto& l : lists) {
        SelectInList(l.id, l.value);
        if (const char* word = halyard::build::ModeWord(l.list, l.value)) SetModeWord(l.list, word);
    }
}

void CHalyardDoc::SetAssembler(int index)
{
    m_nAssembler = index;
    SelectInList(IDC_SELECT_ASSEMBLER, index);
}

bool CHalyardDoc::OnOpenDocument(const char* path)
{
    if (!FxDocument::OnOpenDocument(path)) return false;
    if (m_pMainFrame) m_pMainFrame->ShowPanes(true);
    SetPathParts(path);
    if (m_pMainFrame) m_pMainFrame->AddDocumentItem(m_strFileName.c_str());
    RefreshModeBar();
    FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    char chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) m_text.append(chunk, n);
    std::fclose(f);
    return true;
}

bool CHalyardDoc::OnSaveDocument(const char* path)
{
    FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    bool ok = std::fwrite(m_text.data(), 1, m_text.size(), f) == m_text.size();
    return std::fclose(f) == 0 && ok;
}

void CHalyardDoc::DeleteContents() { m_text.clear(); }
