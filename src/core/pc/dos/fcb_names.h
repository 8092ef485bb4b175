#pragma once
// File names in file control blocks (FCBs): the parsing of 29h, which also fills the two FCBs of
// a new PSP from its command tail, and the 11-character directory form.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace halyard::dos {

enum FcbParse : uint8_t {
    kParseSkipSeparator = 0x01,  // skip one leading separator (":.;,=+") after the blanks
    kParseKeepDrive = 0x02,      // no drive in the text leaves the FCB's drive as it is
    kParseKeepName = 0x04,       // no name leaves the FCB's name as it is
    kParseKeepExtension = 0x08,  // no extension leaves the FCB's extension as it is
};

struct FcbParseResult {
    uint8_t al = 0;        // 00h a plain name, 01h with wildcards, FFh an invalid drive
    size_t consumed = 0;   // the characters taken, DS:SI moves past them
};

// Parses `text` as 29h does into `fcb` (its drive byte and 11 bytes of name and extension):
// blanks and tabs are skipped, a drive letter taken when a colon follows it (`validDrives` has
// bit n set when drive n, A: = 0, exists), up to 8 + 3 characters upper-cased ('*' fills its part
// with '?', longer parts are skipped to their end) up to a terminator (a control character,
// blank or one of ".\"/\\[]:|<>+=;,").
FcbParseResult ParseFcbName(std::string_view text, uint8_t flags, uint8_t fcb[12], uint32_t validDrives);
// The 11-character directory form of an 8.3 name ("A.B" gives "A       B  ").
std::string DirectoryForm(std::string_view name);
// The name of an FCB's 11 characters ("A       B  " gives "A.B").
std::string NameOfFcb(const uint8_t name[11]);

}  // namespace halyard::dos
