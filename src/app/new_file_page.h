// The "File" page of the New dialog (template 139): the list of the four templates, the file name,
// the location remembered in config.ini and its "..." folder chooser.
#pragma once
#include "fx/fx_dialog.h"
#include "fx/fx_handles.h"
#include <string>

// One row of the template list: its text, its file below the installation folder (beginning with
// a backslash) and the assembler a document made from it gets (0 = Masm, 1 = Tasm).
struct NewFileTemplate {
    const char* text;
    const char* file;
    int assembler;
};
constexpr int kNewFileTemplateCount = 4;
extern const NewFileTemplate kNewFileTemplates[kNewFileTemplateCount];

class CNewFilePage : public FxDialog {
public:
    // `installDir`: the installation folder without a trailing backslash; config.ini lies in it.
    explicit CNewFilePage(const std::string& installDir);

    // Shows the folder of config.ini in the Location field ("C:\" while there is none).
    void LoadLocation();
    // Writes the Location field into config.ini and answers its text; false in `saved` when the
    // file could not be written or the folder is too long for it to keep (then it is not written).
    std::string SaveLocation(bool& saved);
    // The Location joined to the file name with one backslash between them.
    std::string GetTargetPath();
    // The selected row: 0 from the start, the last row chosen when the selection was cleared.
    int GetTemplateIndex() const { return m_nTemplate; }
    const std::string& GetConfigPath() const { return m_strConfigPath; }

    std::string m_strFileName = "Untitled.asm";
    std::string m_strLocation = "C:\\";

protected:
    bool OnInitDialog() override;
    bool Exchange(bool bSave) override;

private:
    void OnItemChanged();
    void OnBrowse();

    // -1 until a row is selected; afterwards always a row of kNewFileTemplates.
    int m_nTemplate = -1;
    FxImageList m_images;  // the list shares it (LVS_SHAREIMAGELISTS): it outlives the list window
    std::string m_strConfigPath;
};
