#pragma once
// String ids of the undo and redo captions. The core knows only the numbers; the Win32 side loads
// the strings from the program's resources (and checks that these numbers match its header).
#include <string>

constexpr int STRING_UNDO_ACTION = 8615; // "&Undo %s\tCtrl+Z"
constexpr int STRING_REDO_ACTION = 8616; // "&Redo %s\tCtrl+Y"
constexpr int STRING_UNDO_PLAIN = 8617;  // "&Undo\tCtrl+Z"
constexpr int STRING_REDO_PLAIN = 8618;  // "&Redo\tCtrl+Z"

// The string id describing an action code (8619..8629), or 0 for a code outside the table. The
// delete key's string lies between those of cut and typing.
constexpr int ActionStringId(int nAction)
{
    constexpr int kIds[] = {8619, 8620, 8621, 8622, 8624, 8625, 8626, 8627, 8628, 8623, 8629};
    return nAction >= 0 && nAction < static_cast<int>(sizeof kIds / sizeof kIds[0]) ? kIds[nAction] : 0;
}

// Loads a string by id, for example from the program's resources.
class CCaptionLoader {
public:
    [[nodiscard]] virtual bool LoadCaption(int nStringId, std::string& text) const = 0;

protected:
    ~CCaptionLoader() = default;
};
