#include "asm/colour_scheme.h"

#include <algorithm>
#include <new>

namespace {

// Every registered window carries this property, valued with its scheme. Windows drop their
// properties when destroyed, and a handle reused for a new window comes without it, so a window
// is touched only while the mark is there.
const char kSchemeMark[] = "Halyard.ColourScheme";

}  // namespace

ColourScheme::ColourScheme() { FillSlots(ThemeNormal); }

ColourScheme::~ColourScheme()
{
    for (HWND hwnd : m_windows)
        if (IsStillOurs(hwnd))
            RemovePropA(hwnd, kSchemeMark);
    m_windows.clear();
}

COLORREF ColourScheme::ColourAt(int index) const
{
    if (index < 0 || index >= ColourSlotCount)
        return ThemeColourNow(ThemeNormal, index);
    return m_colours[index];
}

bool ColourScheme::RegisterWindow(HWND hwnd)
{
    if (hwnd == nullptr || !IsWindow(hwnd))
        return false;
    if (IsRegistered(hwnd) && IsStillOurs(hwnd))
        return true;
    UnregisterWindow(hwnd);  // an entry whose mark was lost
    try {
        m_windows.push_back(hwnd);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!SetPropA(hwnd, kSchemeMark, this)) {
        m_windows.pop_back();
        return false;
    }
    return true;
}

void ColourScheme::UnregisterWindow(HWND hwnd)
{
    if (IsStillOurs(hwnd))
        RemovePropA(hwnd, kSchemeMark);
    m_windows.erase(std::remove(m_windows.begin(), m_windows.end(), hwnd), m_windows.end());
}

bool ColourScheme::IsRegistered(HWND hwnd) const
{
    return std::find(m_windows.begin(), m_windows.end(), hwnd) != m_windows.end();
}

void ColourScheme::ApplyTheme(int theme)
{
    FillSlots(theme);
    const auto gone = [this](HWND hwnd) { return !IsStillOurs(hwnd); };
    m_windows.erase(std::remove_if(m_windows.begin(), m_windows.end(), gone), m_windows.end());
    for (HWND hwnd : m_windows)
        InvalidateRect(hwnd, nullptr, TRUE);
}

void ColourScheme::FillSlots(int theme)
{
    for (int index = 0; index < ColourSlotCount; ++index)
        m_colours[index] = ThemeColourNow(theme, index);
}

bool ColourScheme::IsStillOurs(HWND hwnd) const
{
    return hwnd != nullptr && IsWindow(hwnd) && GetPropA(hwnd, kSchemeMark) == static_cast<const void*>(this);
}
