#include "core/pc/dos/printer.h"

namespace halyard::dos {

void Printer::Write(const uint8_t* data, uint32_t size)
{
    if (m_file < 0 && !m_refused) {
        uint32_t end = 0;
        m_refused = m_files.Open(m_path, Access::Write, m_file) != kErrNone &&
                    m_files.Create(m_path, 0, false, m_file) != kErrNone;
        if (m_refused)
            m_file = -1;
        else
            (void)m_files.Seek(m_file, 0, SeekFrom::End, end);
    }
    uint32_t done = 0;
    if (!m_refused && size > 0)
        (void)m_files.Write(m_file, data, size, done);
}

void Printer::Close()
{
    if (m_file >= 0)
        (void)m_files.Close(m_file);
    m_file = -1;
    m_refused = false;
}

}  // namespace halyard::dos
