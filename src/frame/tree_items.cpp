#include "frame/tree_items.h"
#include <vector>

namespace {
HTREEITEM Append(HWND tree, HTREEITEM parent, const char* text, int image, int selectedImage, LPARAM param = 0)
{
    TVINSERTSTRUCTA ins{};
    ins.hParent = parent;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    ins.item.pszText = const_cast<char*>(text);
    ins.item.iImage = image;
    ins.item.iSelectedImage = selectedImage;
    ins.item.lParam = param;
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
}
}  // namespace

FxImageList LoadTreeIcons(std::initializer_list<UINT> iconIds)
{
    HINSTANCE inst = GetModuleHandleA(nullptr);
    FxImageList images(ImageList_Create(16, 16, ILC_COLOR8 | ILC_MASK, 4, 0));
    for (UINT id : iconIds) {
        auto icon = static_cast<HICON>(LoadImageA(inst, MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0));
        ImageList_AddIcon(images.Get(), icon);  // the list keeps a copy
        if (icon) DestroyIcon(icon);
    }
    return images;
}

HTREEITEM AppendTreeRoot(HWND tree, const char* text) { return Append(tree, TVI_ROOT, text, 0, 0); }

HTREEITEM AppendTreeChild(HWND tree, HTREEITEM root, const char* text)
{
    HTREEITEM item = Append(tree, root, text, 1, 2);
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
    UpdateWindow(tree);
    return item;
}

HTREEITEM AppendTreeItem(HWND tree, HTREEITEM parent, const char* text, LPARAM param)
{
    return Append(tree, parent, text, 1, 2, param);
}

LPARAM TreeItemParam(HWND tree, HTREEITEM item)
{
    TVITEMA tvi{};
    tvi.mask = TVIF_PARAM;
    tvi.hItem = item;
    return item && SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tvi)) ? tvi.lParam : 0;
}

std::string TreeItemText(HWND tree, HTREEITEM item)
{
    if (!item) return std::string();
    std::vector<char> text(MAX_PATH * 2, '\0');
    TVITEMA tvi{};
    tvi.mask = TVIF_TEXT;
    tvi.hItem = item;
    tvi.pszText = text.data();
    tvi.cchTextMax = static_cast<int>(text.size());
    if (!SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tvi))) return std::string();
    return text.data();
}
