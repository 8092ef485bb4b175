// The document of one .asm source file: its text buffer, path parts, build configuration and
// build console.
#pragma once
#include "toolchain/halyard_text_buffer.h"
#include "buffer/resource_captions.h"
#include "core/toolchain/build_config.h"
#include "core/toolchain/launch_lines.h"
#include "fx/fx_doc.h"
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <windows.h>
#include <commctrl.h>

class CBuildConsole;
class CDocumentHost;
struct ToolNames;

class CHalyardDoc : public FxDocument {
public:
    // `host` (not owned) outlives the document; null makes a document that builds nothing.
    explicit CHalyardDoc(CDocumentHost* host = nullptr);
    ~CHalyardDoc() override;

    bool OnNewDocument() override;
    bool OnOpenDocument(const char* path) override;
    // Saves through a temporary file; a failure is shown (file and reason) and leaves the
    // document modified.
    bool OnSaveDocument(const char* path) override;
    void DeleteContents() override;
    // The mode bar shows the document whose window is active.
    void OnActivate() override;

    CTextBuffer& GetBuffer() { return m_textBuffer; }
    // This file's item in the WorkSpace tree; null when there is no tree.
    HTREEITEM GetTreeItem() const { return m_hTreeItem; }
    // Puts `word` at the position of `list` in the mode bar's summary label.
    void SetModeWord(halyard::toolchain::ModeList list, const char* word);
    void SetAssembler(int index);
    // Inserts `text` at the caret of the first view, every byte of it, and gives that view the focus.
    void InsertAtCaret(std::string_view text);

    HalyardTextBuffer m_textBuffer;
    LOGFONTA m_logFont{};
    CDocumentHost* m_pHost = nullptr;
    char m_szRunCommand[256] = {};
    CBuildConsole* m_pConsole = nullptr;
    std::string m_strFullPath, m_strPathNoExt, m_strFolder, m_strFileName, m_strBaseName;
    int m_nCpu = 0;
    int m_nAssembler = 1;
    int m_nBitness = 0;
    int m_nConfig = 0;

private:
    void SetPathParts(const std::string& path);
    void FollowNewPath(const std::string& path);
    void RefreshModeBar();
    void SelectInList(int listId, int index);
    HWND ModeBarItem(int id) const;
    void OnListChoice(halyard::toolchain::ModeList list, int listId, int& value);
    void SetAssemblerFromMenu(int index);
    void OnToggleReadOnly();
    void OnCompile();
    void OnLink();
    void OnRun();
    void OnDebug(int mode);
    void OnShowLocation();
    void ShowBuildError(const std::string& text);
    // The path parts the document keeps, as one value.
    halyard::toolchain::PathParts SourceParts() const;
    // The names the tools get for the source (its own names where they run through Dosrun).
    ToolNames ToolNamesForSource() const;
    void ShowToolNameWarning(const ToolNames& names);
    using LaunchComposer = std::function<bool(const halyard::toolchain::LaunchSource&, halyard::toolchain::LaunchLine&,
                                              std::string&)>;
    std::string StartLaunch(const LaunchComposer& compose, WORD showCommand);
    const char* InstallDir() const;
    void RegisterCommands();

    CResourceCaptions m_captions;
    HTREEITEM m_hTreeItem = nullptr;  // this file's item in the WorkSpace tree
};
