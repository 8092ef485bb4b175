// Images and items of the WorkSpace pane's trees (the opened files, the snippets): a root with
// image 0 and children with image 1, image 2 when selected.
#pragma once
#include "fx/fx_handles.h"
#include <commctrl.h>
#include <initializer_list>
#include <string>

// 16 x 16 icons of the module in the order given, 8-bit colour with mask.
FxImageList LoadTreeIcons(std::initializer_list<UINT> iconIds);
// Inserts `text` as the last top-level item, image 0; null on failure.
HTREEITEM AppendTreeRoot(HWND tree, const char* text);
// Inserts `text` as the last child of `root`, images 1 and 2, expands the root and repaints the
// tree at once; null on failure.
HTREEITEM AppendTreeChild(HWND tree, HTREEITEM root, const char* text);
// Inserts `text` as the last child of `parent`, images 1 and 2, carrying `param`; nothing is
// expanded or repainted. Null on failure.
HTREEITEM AppendTreeItem(HWND tree, HTREEITEM parent, const char* text, LPARAM param);
// The value an item carries; 0 for a null item and the items made without one.
LPARAM TreeItemParam(HWND tree, HTREEITEM item);
// The item's text; empty for a null item.
std::string TreeItemText(HWND tree, HTREEITEM item);
