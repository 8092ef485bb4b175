// The document of one .asm source file: its text, path parts and build configuration.
#pragma once
#include "core/build/build_config.h"
#include "fx/fx_doc.h"
#include <string>

class CMainFrame;

class CHalyardDoc : public FxDocument {
public:
    CHalyardDoc();

    bool OnNewDocument() override;
    bool OnOpenDocument(const char* path) override;
    bool OnSaveDocument(const char* path) override;
    void DeleteContents() override;

    // Puts the word of `list` at its position in the mode bar's summary label.
    void SetModeWord(halyard::build::ModeList list, const char* word);
    void SetAssembler(int index);
    const std::string& GetText() const { return m_text; }

    CMainFrame* m_pMainFrame = nullptr;
    std::string m_strFullPath, m_strPathNoExt, m_strFolder, m_strFileName, m_strBaseName;
    int m_nCpu = 0;
    int m_nAssembler = 1;
    int m_nBitness = 0;
    int m_nConfig = 0;

private:
    void SetPathParts(const std::string& path);
    void RefreshModeBar();
    void SelectInList(int listId, int index);
    std::string m_text;
};
