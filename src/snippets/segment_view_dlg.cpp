#include "snippets/segment_view_dlg.h"
#include "resource.h"

CSegmentViewDlg::CSegmentViewDlg() : FxDialog(IDD_SEGMENTVIEW) {}
