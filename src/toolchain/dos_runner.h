// Where the system cannot start a 16-bit DOS program itself (64-bit Windows, a 32-bit program on
// it, Wine), the tools and the students' programs run through the installation's Dosrun.
#pragma once
#include <string>

// True only on 32-bit Windows itself, which starts DOS programs in its own virtual machine.
[[nodiscard]] bool SystemRunsDosPrograms();

// "<install>\bin\Dosrun.exe" in its short form where the system needs it and the file is there;
// empty where the system runs DOS programs itself (the lines are then the classic ones) or the
// installation has no Dosrun.
[[nodiscard]] std::string DosRunnerFor(const std::string& installDir);

// Names the runner to the helpers (Pausexec, Tracegate) this process starts from now on, through
// HALYARD_DOSRUN; an empty runner removes the name.
void PassDosRunnerToHelpers(const std::string& runner);
