// The prompt's line editor: keys read one at a time through DOS (so that each may wait, with the
// interrupts running, and Ctrl+C is checked), the line echoed as it changes, and a history of the
// lines entered: Left, Right, Home, End, Backspace, Delete and Esc edit; Up and Down recall; F3
// types the rest of the last line.
#include "core/pc/dos/shell.h"

namespace halyard::dos {
namespace {

constexpr size_t kLineLimit = 127, kHistoryLimit = 32;
constexpr uint8_t kLeft = 0x4B, kRight = 0x4D, kHome = 0x47, kEnd = 0x4F, kUp = 0x48, kDown = 0x50, kDelete = 0x53,
                  kF3 = 0x3D;

}  // namespace

void Shell::ReplaceLine(const std::string& text)
{
    Edit& e = m_edit;
    std::string shown(e.cursor, '\b');
    shown += std::string(e.text.size(), ' ') + std::string(e.text.size(), '\b') + text;
    Print(shown);
    e.text = text;
    e.cursor = text.size();
}

bool Shell::EditLine(std::string& line)
{
    Edit& e = m_edit;
    for (;;) {
        const Call key = Dos(0x0800);
        if (key.waiting || m_guest.ended)
            return false;
        if (key.broke) {
            m_phase = Phase::Prompt;
            return false;
        }
        const uint8_t c = uint8_t(key.ax);
        if (e.extended) {
            e.extended = false;
            const std::string last = m_history.empty() ? std::string() : m_history.back();
            switch (c) {
            case kLeft:
                if (e.cursor > 0) {
                    --e.cursor;
                    Print("\b");
                }
                break;
            case kRight:
                if (e.cursor < e.text.size())
                    Print(std::string(1, e.text[e.cursor++]));
                break;
            case kHome: Print(std::string(e.cursor, '\b')), e.cursor = 0; break;
            case kEnd: Print(e.text.substr(e.cursor)), e.cursor = e.text.size(); break;
            case kDelete:
                if (e.cursor < e.text.size()) {
                    e.text.erase(e.cursor, 1);
                    Print(e.text.substr(e.cursor) + " " + std::string(e.text.size() - e.cursor + 1, '\b'));
                }
                break;
            case kUp:
            case kDown:
                if (m_history.empty())
                    break;
                if (c == kUp && e.recalled > 0)
                    --e.recalled;
                else if (c == kDown && e.recalled + 1 < m_history.size())
                    ++e.recalled;
                ReplaceLine(m_history[e.recalled]);
                break;
            case kF3:
                if (last.size() > e.text.size() && e.cursor == e.text.size())
                    ReplaceLine(e.text + last.substr(e.text.size()));
                break;
            default: break;
            }
            continue;
        }
        switch (c) {
        case 0: e.extended = true; continue;
        case '\r':
            Print("\r\n");
            line = e.text;
            if (!line.empty() && (m_history.empty() || m_history.back() != line))
                m_history.push_back(line);
            if (m_history.size() > kHistoryLimit)
                m_history.erase(m_history.begin());
            e = {};
            return true;
        case 0x1A:  // the end of redirected input: the session ends
            if (e.text.empty()) {
                Exit();
                return false;
            }
            continue;
        case '\b':
            if (e.cursor > 0) {
                e.text.erase(--e.cursor, 1);
                Print("\b" + e.text.substr(e.cursor) + " " + std::string(e.text.size() - e.cursor + 1, '\b'));
            }
            continue;
        case 0x1B: ReplaceLine(""); continue;
        case '\n': continue;
        default:
            if (c < 0x20 || e.text.size() >= kLineLimit) {
                Print("\a");
                continue;
            }
            e.text.insert(e.cursor, 1, char(c));
            Print(e.text.substr(e.cursor) + std::string(e.text.size() - e.cursor - 1, '\b'));
            ++e.cursor;
            continue;
        }
    }
}

}  // namespace halyard::dos
