#pragma once
// PRN (and LPT1-LPT3, handle 4, INT 21h 05h): the machine has no printer, so what a program prints
// is appended to a file, PRINTER.TXT in the program's folder (not PRN.TXT: Windows takes that name
// for its own printer device). A file the host refuses loses the output silently, as printing to
// a switched-off printer would.
#include <cstdint>
#include <string>

#include "core/pc/host.h"

namespace halyard::dos {

class Printer {
public:
    explicit Printer(HostFiles& files) : m_files(files) {}
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    void SetFile(std::string path)
    {
        Close();
        m_path = std::move(path);
    }
    void Write(const uint8_t* data, uint32_t size);
    void Close();

private:
    HostFiles& m_files;
    std::string m_path = "PRINTER.TXT";
    int m_file = -1;
    bool m_refused = false;
};

}  // namespace halyard::dos
