#include "core/pc/keyboard_console.h"

namespace halyard::dos {

bool KeyboardConsole::PollKey(uint16_t& key)
{
    if (m_source == nullptr)
        return m_host.PollKey(key);
    const bool waiting = m_source->MachineKeys() ? m_source->NextKey(key, false, false) : m_host.PollKey(key);
    if (!waiting)
        m_source->NoteEmptyPoll();
    return waiting;
}

bool KeyboardConsole::WaitKey(uint16_t& key)
{
    if (m_source != nullptr && m_source->MachineKeys())
        return m_source->NextKey(key, true, true);
    return m_host.WaitKey(key);
}

}  // namespace halyard::dos
