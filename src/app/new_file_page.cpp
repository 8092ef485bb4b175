#include "app/new_file_page.h"
#include "app/browse_folder.h"
#include "app/config_file.h"
#include "core/app/config_location.h"
#include "core/asm/cp936.h"
#include "resource.h"
#include <commctrl.h>

const NewFileTemplate kNewFileTemplates[kNewFileTemplateCount] = {
    {"空文件", "\\Template\\empty.asm", 0},
    {"基本模板", "\\Template\\std8086.asm", 0},
    {"Hello World", "\\Template\\stdhello.asm", 0},
    {"Advance Hello World", "\\Template\\advhello.asm", 1},
};

CNewFilePage::CNewFilePage(const std::string& installDir)
    : FxDialog(IDD_NEW_FILE_PAGE), m_strConfigPath(installDir + "\\config.ini")
{
    OnNotify(IDC_NEW_TEMPLATES, static_cast<UINT>(LVN_ITEMCHANGED), [this](NMHDR&) -> LRESULT {
        OnItemChanged();
        return 0;
    });
    OnControl(IDC_NEW_BROWSE, BN_CLICKED, [this] { OnBrowse(); });
}

bool CNewFilePage::OnInitDialog()
{
    FxDialog::OnInitDialog();
    HWND list = GetItem(IDC_NEW_TEMPLATES);
    m_images.Reset(ImageList_Create(16, 16, ILC_COLOR8 | ILC_MASK, 8, 1));
    if (HICON icon = static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_NEW_TEMPLATE), IMAGE_ICON, 16, 16, 0))) {
        ImageList_AddIcon(m_images.Get(), icon);
        DestroyIcon(icon);
    }
    SendMessageA(list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(m_images.Get()));
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_TRACKSELECT, LVS_EX_TRACKSELECT);
    // Columns wide enough for "基本模板" on one line; the default spacing wraps it.
    const auto spacing = static_cast<DWORD>(SendMessageA(list, LVM_GETITEMSPACING, FALSE, 0));
    SendMessageA(list, LVM_SETICONSPACING, 0, MAKELPARAM(96, HIWORD(spacing)));
    for (int row = 0; row < kNewFileTemplateCount; ++row) {
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = row;
        item.pszText = const_cast<char*>(kNewFileTemplates[row].text);
        item.iImage = 0;
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    SetFocus(list);
    return true;
}

bool CNewFilePage::Exchange(bool bSave)
{
    if (bSave) {
        m_strFileName = GetItemText(IDC_NEW_FILE_NAME);
        m_strLocation = GetItemText(IDC_NEW_LOCATION);
    } else {
        SetItemText(IDC_NEW_FILE_NAME, m_strFileName);
        SetItemText(IDC_NEW_LOCATION, m_strLocation);
    }
    return true;
}

void CNewFilePage::OnItemChanged()
{
    // Clearing the selection (a click beside the rows) keeps the row chosen last.
    int row = static_cast<int>(
        SendMessageA(GetItem(IDC_NEW_TEMPLATES), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row >= 0 && row < kNewFileTemplateCount) m_nTemplate = row;
}

void CNewFilePage::OnBrowse()
{
    // What was typed into the two fields stays; a cancelled choice leaves the Location as it was.
    UpdateData(true);
    // The chooser has no owner: keep the dialog from being used (or ended) while it is open.
    HWND dialog = GetAncestor(m_hWnd, GA_ROOT);
    EnableWindow(dialog, FALSE);
    BrowseForDirectory(m_strLocation, "目录选择");
    EnableWindow(dialog, TRUE);
    SetForegroundWindow(dialog);
    UpdateData(false);
}

void CNewFilePage::LoadLocation()
{
    m_strLocation = ::LoadLocation(m_strConfigPath);
    SetItemText(IDC_NEW_LOCATION, m_strLocation);
}

std::string CNewFilePage::SaveLocation(bool& saved)
{
    m_strLocation = GetItemText(IDC_NEW_LOCATION);
    // config.ini keeps 60 characters: a longer folder would come back cut, naming another folder.
    saved = m_strLocation.size() <= kLocationChars && ::SaveLocation(m_strConfigPath, m_strLocation);
    return m_strLocation;
}

std::string CNewFilePage::GetTargetPath()
{
    UpdateData(true);
    std::string path = m_strLocation;
    // A location that ends in a separator ("C:\\") gets none added; the last byte of a GBK
    // character may look like a backslash without being one.
    const auto* bytes = reinterpret_cast<const unsigned char*>(path.c_str());
    const auto last = static_cast<std::int32_t>(path.size()) - 1;
    bool endsInSeparator = last >= 0 && (bytes[last] == '\\' || bytes[last] == '/') && !IsCp936TrailAt(bytes, last);
    if (!endsInSeparator) path += '\\';
    return path + m_strFileName;
}
