#include "editor/search_profile.h"

#include "fx/fx_settings.h"

namespace {

const char kFindSection[] = "Editor\\Find";
const char kReplaceSection[] = "Editor\\Replace";

void LoadCommon(const FxSettings& settings, const char* section, FindOptions& options)
{
    options.bMatchCase = settings.GetInt(section, "MatchCase", 0) != 0;
    options.bWholeWord = settings.GetInt(section, "WholeWord", 0) != 0;
    options.strFind = settings.GetString(section, "FindWhat", "");
}

bool SaveCommon(const FxSettings& settings, const char* section, const FindOptions& options)
{
    const bool bCase = settings.WriteInt(section, "MatchCase", options.bMatchCase ? 1 : 0);
    const bool bWord = settings.WriteInt(section, "WholeWord", options.bWholeWord ? 1 : 0);
    const bool bText = settings.WriteString(section, "FindWhat", options.strFind.c_str());
    return bCase && bWord && bText;
}

} // namespace

FindOptions LoadFindOptions(const FxSettings& settings)
{
    FindOptions options;
    LoadCommon(settings, kFindSection, options);
    return options;
}

ReplaceOptions LoadReplaceOptions(const FxSettings& settings)
{
    ReplaceOptions options;
    LoadCommon(settings, kReplaceSection, options);
    options.strReplace = settings.GetString(kReplaceSection, "ReplaceWith", "");
    return options;
}

bool SaveFindOptions(const FxSettings& settings, const FindOptions& options)
{
    return SaveCommon(settings, kFindSection, options);
}

bool SaveReplaceOptions(const FxSettings& settings, const ReplaceOptions& options)
{
    const bool bCommon = SaveCommon(settings, kReplaceSection, options);
    return settings.WriteString(kReplaceSection, "ReplaceWith", options.strReplace.c_str()) && bCommon;
}
