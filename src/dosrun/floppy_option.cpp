#include "dosrun/floppy_option.h"

namespace halyard::dosrun {

bool FloppyOption(const std::string& word, std::string images[2])
{
    if (word.size() < 4 || word[0] != '/' || word[2] != ':')
        return false;
    const char drive = char(word[1] | 0x20);
    if (drive != 'a' && drive != 'b')
        return false;
    images[drive - 'a'] = word.substr(3);
    return true;
}

}  // namespace halyard::dosrun
