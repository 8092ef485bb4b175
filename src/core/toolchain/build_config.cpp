#include "core/toolchain/build_config.h"
#include <cstring>
#include <sstream>

namespace halyard::toolchain {

namespace {
const std::array<const char*, 4> kCpu{"8086", "80386", "C51", "ARM"};
const std::array<const char*, 4> kAssembler{"Masm", "Tasm", "Nasm", nullptr};
const std::array<const char*, 4> kBitness{"16bit", "32bit", "64bit", nullptr};
const std::array<const char*, 4> kConfig{"Debug", "Release", nullptr, nullptr};

std::string DropLast4(const std::string& s) { return s.size() < 4 ? s : s.substr(0, s.size() - 4); }
}  // namespace

int LabelPosition(ModeList list) { return static_cast<int>(list) + 1; }

const std::array<const char*, 4>& ModeWords(ModeList list)
{
    switch (list) {
    case ModeList::Cpu: return kCpu;
    case ModeList::Assembler: return kAssembler;
    case ModeList::Bitness: return kBitness;
    default: return kConfig;
    }
}

int ModeWordCount(ModeList list)
{
    int n = 0;
    for (const char* w : ModeWords(list)) n += w ? 1 : 0;
    return n;
}

const char* ModeWord(ModeList list, int index)
{
    return index >= 0 && index < ModeWordCount(list) ? ModeWords(list)[static_cast<size_t>(index)] : nullptr;
}

int FindModeWord(ModeList list, const std::string& text)
{
    for (int i = 0; i < ModeWordCount(list); ++i)
        if (text == ModeWords(list)[static_cast<size_t>(i)]) return i;
    return -1;
}

const char* RefusalMessage(ModeList list, const std::string& word)
{
    switch (list) {
    case ModeList::Assembler:
        if (word == "Nasm") return "开发中 |暂时不支持Nasm";
        break;
    case ModeList::Cpu:
        if (word == "C51") return "开发中 |暂时不支持C51编译环境";
        if (word == "ARM") return "开发中 |暂时不支持ARM编译环境";
        break;
    case ModeList::Bitness:
        if (word == "32bit") return "开发中 |暂时不支持32bit";
        if (word == "64bit") return "开发中 |暂时不支持64bit";
        break;
    case ModeList::Config: break;
    }
    return nullptr;
}

std::string ReplaceLabelWord(const std::string& label, int position, const std::string& word)
{
    std::array<std::string, 4> words;
    std::istringstream in(label);
    for (std::string& w : words)
        if (!(in >> w)) break;
    if (position >= 1 && position <= 4) words[static_cast<size_t>(position - 1)] = word;
    return words[0] + "    " + words[1] + "    " + words[2] + "    " + words[3];
}

std::string SummaryLabel(const BuildConfig& c)
{
    std::string label;
    const int values[] = {c.cpu, c.assembler, c.bitness, c.config};
    for (int i = 0; i < 4; ++i) {
        const char* w = ModeWord(static_cast<ModeList>(i), values[i]);
        label = ReplaceLabelWord(label, i + 1, w ? w : "");
    }
    return label;
}

PathParts SplitPath(const std::string& path)
{
    PathParts p;
    p.fullPath = path;
    p.pathNoExt = DropLast4(path);
    size_t slash = path.rfind('\\');
    p.folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    p.fileName = slash == std::string::npos ? path : path.substr(slash + 1);
    p.baseName = DropLast4(p.fileName);
    return p;
}

}  // namespace halyard::toolchain
