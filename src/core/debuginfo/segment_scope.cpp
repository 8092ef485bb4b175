#include "core/debuginfo/segment_scope.h"

#include <algorithm>
#include <cctype>

namespace halyard::debuginfo {
namespace {

std::string Upper(std::string text)
{
    for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The segment a simplified directive opens when it names none; empty for a word that is not one.
std::string SimplifiedDefault(const std::string& word, const std::string& codeName)
{
    if (word == ".CODE" || word == "CODESEG") return codeName;
    if (word == ".DATA" || word == "DATASEG") return "_DATA";
    if (word == ".DATA?" || word == "UDATASEG") return "_BSS";
    if (word == ".CONST" || word == "CONST") return "CONST";
    if (word == ".STACK") return "STACK";
    if (word == ".FARDATA" || word == "FARDATA") return "FAR_DATA";
    if (word == ".FARDATA?" || word == "UFARDATA") return "FAR_BSS";
    return {};
}

}  // namespace

SegmentScope::SegmentScope(const std::vector<ListingSegment>& segments)
{
    // Medium, large and huge models name the code segment after the module.
    for (const ListingSegment& segment : segments) {
        const std::string name = Upper(segment.name);
        if (name.size() > 5 && name.compare(name.size() - 5, 5, "_TEXT") == 0) {
            m_codeName = name;
            break;
        }
    }
}

std::string SegmentScope::Current() const
{
    if (m_open.empty() || m_open.back().structure) return {};
    return m_open.back().name;
}

std::string SegmentScope::SimplifiedName(const std::vector<std::string>& words) const
{
    const std::string name = SimplifiedDefault(words[0], m_codeName);
    // .CODE and .FARDATA may name their segment; .STACK's word is its size.
    const bool named = words.size() > 1 && words[0] != ".STACK" && words[0] != ".CONST" && !name.empty() &&
                       !std::isdigit(static_cast<unsigned char>(words[1][0]));
    return named ? words[1] : name;
}

void SegmentScope::Close(const std::string& name)
{
    for (std::size_t i = m_open.size(); i-- > 0;) {
        if (!name.empty() && m_open[i].name != name) continue;
        m_open.erase(m_open.begin() + std::ptrdiff_t(i), m_open.end());
        return;
    }
}

bool SegmentScope::IsStructure(const std::string& name) const
{
    return std::find(m_structures.begin(), m_structures.end(), name) != m_structures.end();
}

std::string SegmentScope::Step(const std::vector<std::string>& words)
{
    if (words.empty()) return Current();
    const std::string second = words.size() > 1 ? words[1] : std::string();
    if (second == "SEGMENT") {
        m_open.push_back({words[0], false, false});
        return Current();
    }
    if (second == "STRUC" || second == "STRUCT") {
        m_structures.push_back(words[0]);
        m_open.push_back({words[0], true, false});
        return {};
    }
    const std::string simplified = SimplifiedName(words);
    if (!simplified.empty()) {
        while (!m_open.empty() && m_open.back().simplified) m_open.pop_back();
        m_open.push_back({simplified, false, true});
        return Current();
    }
    const bool ends = second == "ENDS" || words[0] == "ENDS";
    const std::string segment = Current();
    if (ends) Close(second == "ENDS" ? words[0] : std::string());
    return segment;
}

}  // namespace halyard::debuginfo
