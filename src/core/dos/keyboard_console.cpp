#include "core/dos/keyboard_console.h"

namespace halyard::dos {

bool KeyboardConsole::PollKey(uint16_t& key)
{
    if (m_source != nullptr && m_source->MachineKeys())
        return m_source->NextKey(key, false, false);
    return m_host.PollKey(key);
}

bool KeyboardConsole::WaitKey(uint16_t& key)
{
    if (m_source != nullptr && m_source->MachineKeys())
        return m_source->NextKey(key, true, true);
    return m_host.WaitKey(key);
}

}  // namespace halyard::dos
