// The page margins of printing in the settings store: section "Editor\PageSetup", four integers in
// hundredths of a millimetre.
#pragma once
#include "core/editor/print_pages.h"

class FxSettings;

// The stored margins; a missing value (or no store) is 10 mm.
PageMargins LoadPageMargins(const FxSettings* pSettings);
[[nodiscard]] bool SavePageMargins(const FxSettings& settings, const PageMargins& margins);
