// The Build menu's DOS session commands, which work with or without a document: "DOS 提示符" opens
// a session window in the active document's folder with its toolchain (without a document: the
// installation folder, and TASM, the toolchain a new document starts with), and "在 DOS 会话中运行"
// types the active document's built program at the session's prompt, opening a session first when
// none is open, so that programs run one after another in one PC.
#pragma once
#include "fx/fx_cmd.h"
#include "toolchain/dos_session.h"
#include <functional>
#include <string>

class CDocumentHost;
class CHalyardDoc;

class CSessionCommands : public FxCmdTarget {
public:
    // `host` (not owned) outlives the commands; `activeDocument` answers null without a document.
    CSessionCommands(CDocumentHost& host, std::function<CHalyardDoc*()> activeDocument);

    CDosSession& Session() { return m_session; }
    // Types `program` (a built program's path) at the open session's prompt, asking first that
    // the session hand it to the debugger on `pipe` before its first instruction. False with
    // `error` set when no session is open or it cannot be typed at.
    [[nodiscard]] bool DebugInSession(const std::string& program, const std::string& pipe, std::string& error);

private:
    void OnDosPrompt();
    void OnRunInSession();
    // Opens a session for `doc` (null: none); false with `error` set when it cannot.
    bool OpenFor(const CHalyardDoc* doc, std::string& error);
    void ShowError(const std::string& error);

    CDocumentHost& m_host;
    std::function<CHalyardDoc*()> m_activeDocument;
    CDosSession m_session;
};

// The program Build made for `pathNoExt` (the source's path less ".asm"): the newer of its .exe
// and .com; empty when there is neither.
[[nodiscard]] std::string BuiltProgram(const std::string& pathNoExt);
// The last write time of a file (FILETIME units); false when there is no such file.
[[nodiscard]] bool FileWriteTime(const std::string& path, ULONGLONG& time);
