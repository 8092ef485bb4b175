// The find and replace options remembered across runs in the settings store: sections
// "Editor\Find" and "Editor\Replace". The direction is not remembered.
#pragma once
#include <string>

class FxSettings;

struct FindOptions {
    std::string strFind;
    bool bMatchCase = false;
    bool bWholeWord = false;
};

struct ReplaceOptions : FindOptions {
    std::string strReplace;
};

// Missing values read as empty texts and cleared options.
FindOptions LoadFindOptions(const FxSettings& settings);
ReplaceOptions LoadReplaceOptions(const FxSettings& settings);
// False when a value could not be written.
[[nodiscard]] bool SaveFindOptions(const FxSettings& settings, const FindOptions& options);
[[nodiscard]] bool SaveReplaceOptions(const FxSettings& settings, const ReplaceOptions& options);
