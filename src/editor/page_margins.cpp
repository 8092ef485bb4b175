#include "editor/page_margins.h"

#include "fx/fx_settings.h"

namespace {
const char kSection[] = "Editor\\PageSetup";

struct MarginValue {
    const char* entry;
    int PageMargins::*member;
};
const MarginValue kValues[] = {
    {"LeftMargin", &PageMargins::left},
    {"RightMargin", &PageMargins::right},
    {"TopMargin", &PageMargins::top},
    {"BottomMargin", &PageMargins::bottom},
};
}  // namespace

PageMargins LoadPageMargins(const FxSettings* pSettings)
{
    PageMargins margins;
    if (!pSettings) return margins;
    for (const MarginValue& v : kValues) margins.*v.member = pSettings->GetInt(kSection, v.entry, kDefaultPageMargin);
    return margins;
}

bool SavePageMargins(const FxSettings& settings, const PageMargins& margins)
{
    bool bSaved = true;
    for (const MarginValue& v : kValues) bSaved = settings.WriteInt(kSection, v.entry, margins.*v.member) && bSaved;
    return bSaved;
}
