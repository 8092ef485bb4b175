// The application's colour scheme: 29 colour slots filled from one of the two themes, and the
// windows painted with them, which are all repainted when the theme changes.
#pragma once
#include <windows.h>

#include <vector>

#include "core/asm/colour_index.h"
#include "core/asm/theme_colours.h"
#include "editor/theme_colour.h"

class ColourScheme {
public:
    // The Normal column, with the system colours of this moment. Needs no window.
    ColourScheme();
    // Empties the list: the windows still registered are left unmarked.
    virtual ~ColourScheme();
    ColourScheme(const ColourScheme&) = delete;
    ColourScheme& operator=(const ColourScheme&) = delete;

    // The slot's colour; an index outside 0 to 28 answers RGB(255, 0, 0), the spare colour.
    COLORREF ColourAt(int index) const;

    // Adds a live window once (registering it again changes nothing). False for a null or dead
    // window, or when the window cannot be marked or the list cannot grow.
    [[nodiscard]] bool RegisterWindow(HWND hwnd);
    // Removes every entry for the window; a window that is not in the list is ignored.
    void UnregisterWindow(HWND hwnd);
    bool IsRegistered(HWND hwnd) const;

    // Theme 0 fills the slots with the Normal column, any other value with the Dark column,
    // reading the system colours now; then every registered window is invalidated with erasing.
    // A registered window that was destroyed without unregistering, or whose handle now names
    // another window, is dropped from the list and not touched.
    void ApplyTheme(int theme);

private:
    void FillSlots(int theme);
    bool IsStillOurs(HWND hwnd) const;

    COLORREF m_colours[ColourSlotCount] = {};
    std::vector<HWND> m_windows;  // each at most once; each carries this scheme's mark
};

