// The build configuration of a document: four indexes into fixed word lists, shown by the mode
// bar's lists and its summary label; and the five parts of a document's path.
#pragma once
#include <array>
#include <string>

namespace halyard::toolchain {

enum class ModeList { Cpu, Assembler, Bitness, Config };

struct BuildConfig {
    int cpu = 0;        // "8086"
    int assembler = 1;  // "Tasm": the default assembler is TASM, not MASM
    int bitness = 0;    // "16bit"
    int config = 0;     // "Debug"
};

// Position 1..4 of a list's word in the summary label.
int LabelPosition(ModeList list);
// The words of a list, in list order; a list has 2 to 4 words.
const std::array<const char*, 4>& ModeWords(ModeList list);
int ModeWordCount(ModeList list);
// The word of `index`, or null when the index is outside the list.
const char* ModeWord(ModeList list, int index);
// Index of the word equal to `text` (case-sensitive), or -1.
int FindModeWord(ModeList list, const std::string& text);

// Words that are listed but refused, with the refusal message; null for an accepted word.
const char* RefusalMessage(ModeList list, const std::string& word);

// The summary label after replacing the word at `position` (1..4): the label's text is split
// at white space into four words (missing ones empty) and joined with four blanks.
std::string ReplaceLabelWord(const std::string& label, int position, const std::string& word);
// The label of a whole configuration: "8086    Tasm    16bit    Debug" for the defaults.
std::string SummaryLabel(const BuildConfig& config);

struct PathParts {
    std::string fullPath;     // as opened
    std::string pathNoExt;    // the full path less its last 4 characters (whole when shorter)
    std::string folder;       // up to and including the last backslash; empty when none
    std::string fileName;     // after the last backslash; the whole path when none
    std::string baseName;     // the file name less its last 4 characters (whole when shorter)
};

PathParts SplitPath(const std::string& path);

}  // namespace halyard::toolchain
