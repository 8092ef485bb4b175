#pragma once
// Whether a name typed for a new snippet can be a file directly in the snippet folder. Names are
// code page 936 bytes: a trail byte that looks like "\" or "|" belongs to its Chinese character
// and is allowed.
#include <string>
#include <string_view>

enum class SnippetNameCheck {
    Ok,
    Empty,
    BadCharacters, // a character no file name may hold (listed in `bad`)
    BadEnd,        // ends in a dot or a blank, which the file system would drop
    Reserved,      // a device name such as CON or LPT1, with or without an extension
};

// `bad` receives each refused character once, in order of appearance; control characters are
// shown as "^X" so that a message can print them.
SnippetNameCheck CheckSnippetName(std::string_view name, std::string& bad);
