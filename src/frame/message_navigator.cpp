#include "frame/message_navigator.h"

#include "core/pc/dos/name_aliases.h"

#include "editor/text_view.h"
#include "frame/output_edit.h"
#include "fx/fx_app.h"
#include "fx/fx_doc.h"
#include "fx/fx_docmanager.h"
#include "fx/fx_doctemplate.h"
#include "fx/fx_mdiframe.h"
#include "fx/fx_path.h"
#include "fx/fx_view.h"
#include "resource.h"
#include <algorithm>
#include <vector>

using halyard::toolchain::ToolMessage;

namespace {

// The folder part of a path, final backslash included; empty when there is none.
std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool IsAbsolute(const std::string& name)
{
    return name.size() >= 2 && (name[1] == ':' || (name[0] == '\\' && name[1] == '\\'));
}

// The names in `folder` ("" for the current one).
std::vector<std::string> NamesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE find = FindFirstFileA((folder + "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do names.emplace_back(found.cFileName);
    while (FindNextFileA(find, &found));
    FindClose(find);
    return names;
}

// The file behind a name as Dosrun showed it to the DOS tools ("1~1.ASM" for "第1题.asm").
std::string HostNameOfAlias(const std::string& path)
{
    const std::string folder = FolderOf(path), name = path.substr(folder.size());
    if (name.find('~') == std::string::npos) return path;
    const std::string host = halyard::dos::FolderAliases(NamesIn(folder)).HostName(name);
    return host.empty() ? path : folder + host;
}

// `path` as a full long path when it names a file, else empty. A short name, or an alias of
// Dosrun's, finds the long name it stands for; the file system matches letters of any case.
std::string ExistingFile(const std::string& given)
{
    const std::string path = HostNameOfAlias(given);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
    return FxFullPath(path);
}

}  // namespace

FxDocument* CMessageNavigator::ActiveDocument() const { return m_frame.GetActiveDocument(); }

std::string CMessageNavigator::FindSource(const std::string& name) const
{
    if (IsAbsolute(name)) return ExistingFile(name);
    std::vector<std::string> folders;
    if (FxDocument* active = ActiveDocument()) folders.push_back(FolderOf(active->GetPathName()));
    if (FxApp* app = m_frame.GetApp(); app && app->GetDocManager())
        for (FxDocTemplate* t : app->GetDocManager()->GetTemplates())
            for (FxDocument* doc : t->GetDocuments()) folders.push_back(FolderOf(doc->GetPathName()));
    folders.emplace_back();
    for (const std::string& folder : folders)
        if (std::string path = ExistingFile(folder + name); !path.empty()) return path;
    return {};
}

void CMessageNavigator::Choose(int line) { Choose(m_output.ReadLines(), line); }

void CMessageNavigator::Choose(const COutputEdit::Lines& lines, int line)
{
    ToolMessage message;
    if (line < 0 || line >= static_cast<int>(lines.text.size()) ||
        !halyard::toolchain::ParseToolMessage(lines.text[line], message))
        return;
    m_output.SelectLine(lines, line);
    m_chosen.assign(lines.text.begin(), lines.text.begin() + line + 1);
    const char* explanation = halyard::toolchain::ExplainToolMessage(message);
    m_frame.SetMessageText(explanation ? explanation : FxLoadString(IDS_IDLE_MESSAGE).c_str());
    if (message.HasLocation()) ShowSource(message, lines, line);
}

// A document opened here starts its own build console, which replaces the pane's text: the
// messages are put back, so that F4 goes on through them.
void CMessageNavigator::ShowSource(const ToolMessage& message, const COutputEdit::Lines& lines, int line)
{
    const std::string path = FindSource(message.file);
    FxApp* app = m_frame.GetApp();
    if (path.empty() || !app || !app->GetDocManager()) return;
    FxDocManager& docs = *app->GetDocManager();
    const int openBefore = docs.GetOpenDocumentCount();
    const std::string messages = m_output.GetText();
    FxDocument* doc = docs.OpenDocumentFile(path.c_str());
    if (docs.GetOpenDocumentCount() != openBefore) {
        m_output.SetText(messages.c_str());
        m_output.SelectLine(lines, line);
    }
    if (!doc || doc->GetViews().empty()) return;
    FxView* view = m_frame.GetActiveView();
    if (!view || view->GetDocument() != doc) view = doc->GetViews().front();
    if (auto* textView = dynamic_cast<CTextView*>(view)) {
        textView->SelectLine(message.line - 1);
        SetFocus(textView->m_hWnd);
    }
}

// Output that arrived after the choice moved the selection to the end; the lines up to the chosen
// one are still those that were there.
bool CMessageNavigator::WasChosenLast(const COutputEdit::Lines& lines) const
{
    return !m_chosen.empty() && m_chosen.size() <= lines.text.size() &&
           std::equal(m_chosen.begin(), m_chosen.end(), lines.text.begin());
}

void CMessageNavigator::Step(int direction)
{
    const COutputEdit::Lines lines = m_output.ReadLines();
    const int count = static_cast<int>(lines.text.size());
    int line = m_output.GetSelectedLine(lines);
    const int caret = line < 0 ? m_output.GetCaretLine(lines) : line;
    if (line < 0 && caret < 0 && WasChosenLast(lines)) line = static_cast<int>(m_chosen.size()) - 1;
    if (line < 0) line = caret < 0 ? (direction > 0 ? -1 : count) : caret - direction;
    ToolMessage message;
    for (line += direction; line >= 0 && line < count; line += direction)
        if (halyard::toolchain::ParseToolMessage(lines.text[line], message) && message.HasLocation()) {
            Choose(lines, line);
            return;
        }
    MessageBeep(MB_OK);
    m_frame.SetMessageText(direction > 0 ? "输出窗口中后面没有带行号的消息了" : "输出窗口中前面没有带行号的消息了");
}
