#pragma once
// String ids of the undo and redo captions. The core knows only the numbers; the Win32 side loads
// the strings from the program's resources (and checks that these numbers match its header).
#include <string>

constexpr int STRING_UNDO_ACTION = 8615; // "&Undo %s\tCtrl+Z"
constexpr int STRING_REDO_ACTION = 8616; // "&Redo %s\tCtrl+Y"
constexpr int STRING_UNDO_PLAIN = 8617;  // "&Undo\tCtrl+Z"
constexpr int STRING_REDO_PLAIN = 8618;  // "&Redo\tCtrl+Z"

// The string id describing an action code (8619..8629), or 0 for a code outside the table.
int ActionStringId(int nAction);

// Loads a string by id, for example from the program's resources.
class CCaptionLoader {
public:
    [[nodiscard]] virtual bool LoadCaption(int nStringId, std::string& text) const = 0;

protected:
    ~CCaptionLoader() = default;
};
