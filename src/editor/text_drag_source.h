// The source side of dragging text out of a view: an OLE data object offering one CF_TEXT block
// and a drop source that follows the mouse buttons and Escape.
#pragma once
#include <windows.h>
#include <ole2.h>

// A data object offering `block` (owned from here on) as CF_TEXT, with one reference.
IDataObject* CreateTextDataObject(HGLOBAL block);
// Runs the modal drag loop with `block` (owned from here on, freed with the data object) and
// returns the effect the drop ended with; DROPEFFECT_NONE when the drag was cancelled or could
// not start.
DWORD RunTextDrag(HGLOBAL block, DWORD allowedEffects);
