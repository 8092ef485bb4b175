#include "toolchain/output_redirector.h"

#include "toolchain/output_pane.h"
#include "core/toolchain/text_batch.h"

namespace {

constexpr UINT WM_REDIR_TEXT = WM_APP + 1;   // text is pending
constexpr UINT WM_REDIR_ENDED = WM_APP + 2;  // lParam: the generation whose reader has ended
constexpr UINT_PTR kBatchTimer = 1;
// The edit control spends tens of microseconds on every line it takes in, so a batch of this size
// keeps the window answering; the next batch waits for a timer, which comes after input and paint.
constexpr std::size_t kBatchSize = 128 * 1024;

const char kNoteClass[] = "HalyardRedirectorNote";
const char kErrorPrefix[] = "\r\nError message: ";

ATOM RegisterNoteClass(WNDPROC proc)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kNoteClass;
    return RegisterClassExA(&wc);
}

bool IsAnsiLeadByte(unsigned char c)
{
    return IsDBCSLeadByte(c) != FALSE;
}

class CExclusive {
public:
    explicit CExclusive(SRWLOCK& lock) noexcept : m_lock(lock) { AcquireSRWLockExclusive(&m_lock); }
    ~CExclusive() { ReleaseSRWLockExclusive(&m_lock); }
    CExclusive(const CExclusive&) = delete;
    CExclusive& operator=(const CExclusive&) = delete;

private:
    SRWLOCK& m_lock;
};

}  // namespace

COutputRedirector::COutputRedirector() : m_dwOwnerThread(GetCurrentThreadId())
{
    static const ATOM s_noteClass = RegisterNoteClass(NoteProc);
    if (s_noteClass == 0) return;
    m_hwndNote = CreateWindowExA(0, kNoteClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                                 nullptr);
    if (m_hwndNote != nullptr) SetWindowLongPtrA(m_hwndNote, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

// The reader is stopped before the note window goes, so no note is posted to a dead window.
COutputRedirector::~COutputRedirector()
{
    Close();
    if (m_hwndNote != nullptr) {
        SetWindowLongPtrA(m_hwndNote, GWLP_USERDATA, 0);
        DestroyWindow(m_hwndNote);
    }
}

void COutputRedirector::Close()
{
    CConsoleRedirector::Close();
    if (GetCurrentThreadId() != m_dwOwnerThread) return;
    ShowAll();
    ++m_nGeneration;
}

void COutputRedirector::ReplacePaneText(std::string_view text)
{
    {
        CExclusive hold(m_lock);
        m_strPending.clear();
    }
    SetPaneText(m_hwndPane, text);
}

void COutputRedirector::WriteStdOut(std::string_view text)
{
    bool post = false;
    {
        CExclusive hold(m_lock);
        m_strPending.append(text);
        post = !m_bNoteDue;
        m_bNoteDue = true;
    }
    if (GetCurrentThreadId() == m_dwOwnerThread) {
        ShowAll();
        return;
    }
    // A note that cannot be posted leaves the text pending for the next note or for Close.
    if (post && !PostMessageA(m_hwndNote, WM_REDIR_TEXT, 0, 0)) {
        CExclusive hold(m_lock);
        m_bNoteDue = false;
    }
}

void COutputRedirector::WriteStdError(std::string_view text)
{
    WriteStdOut(kErrorPrefix);
    WriteStdOut(text);
}

void COutputRedirector::OnReaderEnd(int)
{
    PostMessageA(m_hwndNote, WM_REDIR_ENDED, 0, m_nGeneration);
}

void COutputRedirector::OnTextNote()
{
    if (!m_bTimerSet) ShowBatch();
}

// Shows one batch; while more than a dangling lead byte is left, the timer shows the next and
// the reader posts no notes.
void COutputRedirector::ShowBatch()
{
    std::string batch;
    bool more = false;
    {
        CExclusive hold(m_lock);
        const std::size_t size = halyard::toolchain::WholeCharPrefix(m_strPending, kBatchSize, IsAnsiLeadByte);
        batch.assign(m_strPending, 0, size);
        m_strPending.erase(0, size);
        more = halyard::toolchain::WholeCharPrefix(m_strPending, 2, IsAnsiLeadByte) > 0;
        m_bNoteDue = more;
    }
    m_bTimerSet = more && SetTimer(m_hwndNote, kBatchTimer, USER_TIMER_MINIMUM, nullptr) != 0;
    if (!m_bTimerSet) KillTimer(m_hwndNote, kBatchTimer);
    AppendPaneText(m_hwndPane, batch);
    if (more && !m_bTimerSet) ShowAll();
}

void COutputRedirector::ShowAll()
{
    std::string text;
    {
        CExclusive hold(m_lock);
        text.swap(m_strPending);
        m_bNoteDue = false;
    }
    KillTimer(m_hwndNote, kBatchTimer);
    m_bTimerSet = false;
    AppendPaneText(m_hwndPane, text);
}

void COutputRedirector::OnReaderEnded(LPARAM generation)
{
    if (generation == m_nGeneration)
        Close();
    else
        OnTextNote();
}

LRESULT CALLBACK COutputRedirector::NoteProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<COutputRedirector*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    const bool ours = message == WM_REDIR_TEXT || message == WM_REDIR_ENDED || message == WM_TIMER;
    if (self == nullptr || !ours) return DefWindowProcA(hwnd, message, wParam, lParam);
    try {
        if (message == WM_REDIR_TEXT)
            self->OnTextNote();
        else if (message == WM_TIMER)
            self->ShowBatch();
        else
            self->OnReaderEnded(lParam);
    } catch (...) {
        // Text that cannot be shown (out of memory) is dropped; nothing crosses the window procedure.
    }
    return 0;
}
