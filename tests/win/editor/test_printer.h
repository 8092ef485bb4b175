// A printer that prints into a file, made for one test and removed after it.
//
// How: Wine's PostScript driver (wineps.drv) is registered as a printer driver under a name of
// our own with AddPrinterDriverEx, its data file a minimal PPD (an A4 PostScript printer at 300
// dots per inch) written by the test; AddPrinter makes a printer of that driver whose port is a
// path like "C:\...\out.ps" (Wine's spooler copies a finished job to a port that is a drive path,
// no CUPS needed), and SetDefaultPrinter makes it the default. The destructor deletes printer and
// driver and gives the default back to whichever printer had it, so that later tests see the
// prefix as before: a fresh prefix has no printer at all. The name carries the process id, as test
// runs of other builds may share the prefix; the default printer is the user's, so such a run can
// change it under a test, which therefore picks its printer by name.
#pragma once
#include <string>
#include <vector>

#include "win/win_test_util.h"

namespace printtest {

class CTestPrinter {
public:
    CTestPrinter();
    ~CTestPrinter();
    CTestPrinter(const CTestPrinter&) = delete;
    CTestPrinter& operator=(const CTestPrinter&) = delete;

    // False where the driver is missing (Windows itself): the test has nothing to print on.
    bool IsReady() const { return m_bReady; }
    const std::string& Name() const { return m_name; }
    // The PostScript of the last job since the last call (each job replaces the file); empty when
    // nothing was printed.
    std::string TakeJob() const;

private:
    wintest::TempDir m_dir;
    std::string m_name;
    std::string m_output;
    std::string m_previousDefault;
    bool m_bReady = false;
};

// The printers the system knows of.
std::vector<std::string> PrinterNames();
// Removes the test printers of test runs that ended without removing theirs (they crashed).
void RemoveLeftoverPrinters();

// The pages of a PostScript job as text: each glyph shown, by its PostScript glyph name, turned
// back into its character ("one" is "1", "uni4E2D" the UTF-8 of U+4E2D); unknown names are "?".
std::vector<std::string> PrintedPages(const std::string& postScript);

}  // namespace printtest
