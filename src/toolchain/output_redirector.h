#pragma once
// A console redirector whose output and errors go to the Output pane.
//
// The reader thread never touches the pane: it appends to a pending text and posts one note to a
// message-only window of this object, which shows the pending text on the thread that created the
// object (the pane's thread). The reader never waits for that thread, so an owner waiting in Close
// cannot dead-lock with it, and text of any size arrives whole and in order. A long stream is
// shown in bounded batches with input and painting let through between them, and no batch ends
// inside a double-byte character.
#include <windows.h>

#include <string>
#include <string_view>

#include "toolchain/console_redirector.h"

class COutputRedirector : public CConsoleRedirector {
public:
    // Call on the thread that owns the pane; that thread must dispatch messages for text to show.
    COutputRedirector();
    ~COutputRedirector() override;

    // Null drops the text. The pane is not owned.
    void SetPane(HWND hwndPane) noexcept { m_hwndPane = hwndPane; }

    // Releases the child's handles, then shows all the reader left behind.
    void Close() override;

    // Replaces the pane's whole text; text the reader handed over earlier and not yet shown goes
    // with the old text.
    void ReplacePaneText(std::string_view text);

    void WriteStdOut(std::string_view text) override;
    void WriteStdError(std::string_view text) override;

protected:
    void OnReaderEnd(int code) override;

private:
    static LRESULT CALLBACK NoteProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnTextNote();
    void ShowBatch();
    void ShowAll();
    void OnReaderEnded(LPARAM generation);

    HWND m_hwndPane = nullptr;
    HWND m_hwndNote = nullptr;      // message-only, destroyed with this object
    const DWORD m_dwOwnerThread;    // the thread of the pane and of m_hwndNote
    // Guards the two members below; held only to append or take text, never while a window is
    // called. A slim lock needs no destruction, which matters only if a reader was cut short.
    SRWLOCK m_lock = SRWLOCK_INIT;
    std::string m_strPending;
    bool m_bNoteDue = false;        // a posted note or the batch timer will show what is pending
    bool m_bTimerSet = false;       // owner thread only
    // Counts Closes, so that the end note of an earlier reader never closes a later one.
    LONG m_nGeneration = 0;
};
