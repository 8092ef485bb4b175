#pragma once
// Dosrun's options for the floppy drives, before the program word: "/A:file" or "/B:file" names
// the image file behind drive A: or B: (any case).
#include <string>

namespace halyard::dosrun {

// True when `word` is such an option; its file goes to images[0] or images[1].
bool FloppyOption(const std::string& word, std::string images[2]);

}  // namespace halyard::dosrun
