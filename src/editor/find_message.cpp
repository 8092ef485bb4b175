#include "editor/find_message.h"

#include "fx/fx_app.h"
#include "resource.h"

void ReportTextNotFound(const std::string& what)
{
    FxMessageBox(FxFormatString(IDS_CANNOT_FIND, what.c_str()).c_str(), MB_OK | MB_ICONINFORMATION);
}
