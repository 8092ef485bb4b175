#pragma once
// What a view of a buffer is told. The buffer keeps plain pointers to its observers, in the order
// they attached, and never owns them.
#include <string>

class PositionAdjuster;

// Flags of a change notification, combined by OR.
constexpr unsigned CHANGE_WIDTHS = 0x0001;     // line widths may have changed
constexpr unsigned CHANGE_LINECOUNT = 0x0002;  // the number of lines changed
constexpr unsigned CHANGE_ONELINE = 0x0100;    // only the one line given changed
constexpr unsigned CHANGE_FLAGS = 0x0200;      // only the flags of that line changed, not its text
constexpr unsigned CHANGE_ALL = 0x1000;        // the whole content was replaced (loading)

class CBufferObserver {
public:
    // Runs synchronously after every change, on each attached observer in attach order, before the
    // editing call returns. pSource is the observer whose command made the change, or null (undo,
    // redo, loading, flags moved off another line). pContext is null for loading and flag changes.
    // nLine is the first line concerned, or -1.
    virtual void OnBufferChange(CBufferObserver* pSource, const PositionAdjuster* pContext, unsigned nFlags,
                                int nLine) = 0;

    // Runs on the observer that closed an undo group, with the action and text of the last record.
    // The group is still open: an edit made here (automatic indentation) joins the history as a
    // group of its own.
    virtual void OnEditDone(int nAction, const std::string& text)
    {
        (void)nAction;
        (void)text;
    }

protected:
    ~CBufferObserver() = default;
};
