// The New dialog's remembered folder in config.ini: the whole file is the folder path as
// text-mode 8-bit text, with no key and no terminator. Only the first 60 characters count.
#pragma once
#include <string>

constexpr size_t kLocationChars = 60;
constexpr const char* kDefaultLocation = "C:\\";

// The location held by the raw bytes of config.ini, as a text-mode read of at most 60
// characters sees it: CR LF arrives as LF, a Ctrl+Z ends the text, a NUL ends the value.
std::string DecodeLocation(const std::string& raw);
// The bytes a text-mode write of `location` puts in the file (LF becomes CR LF).
std::string EncodeLocation(const std::string& location);
