#include "reference/search_dlg.h"
#include "resource.h"

CSearchDlg::CSearchDlg() : FxDialog(IDD_SEARCH) {}
