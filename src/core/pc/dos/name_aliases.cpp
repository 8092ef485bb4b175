#include "core/pc/dos/name_aliases.h"

#include <algorithm>
#include <set>

#include "core/toolchain/dos_names.h"

namespace halyard::dos {
namespace {

std::string Upper(std::string text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (uint8_t(text[i]) >= 0x81) {  // a double-byte character stays as it is
            ++i;
            continue;
        }
        if (text[i] >= 'a' && text[i] <= 'z')
            text[i] = char(text[i] - 'a' + 'A');
    }
    return text;
}

// The ASCII letters and digits of `text`, upper case, at most `limit` of them.
std::string AsciiPart(const std::string& text, size_t limit)
{
    std::string out;
    for (size_t i = 0; i < text.size() && out.size() < limit; ++i) {
        const uint8_t c = uint8_t(text[i]);
        if (c >= 0x81) {
            ++i;
        } else if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_') {
            out.push_back(char(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c));
        }
    }
    return out;
}

std::string AliasExtension(const std::string& extension)
{
    return AsciiPart(extension, 3);
}

}  // namespace

void SplitName(const std::string& name, std::string& base, std::string& extension)
{
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) {
        base = name;
        extension.clear();
    } else {
        base = name.substr(0, dot);
        extension = name.substr(dot + 1);
    }
}

FolderAliases::FolderAliases(const std::vector<std::string>& hostNames) : m_names(hostNames)
{
    std::sort(m_names.begin(), m_names.end());
    std::set<std::string> takenBases;
    for (const std::string& name : m_names) {
        if (toolchain::IsDosName(name)) {
            std::string base, extension;
            SplitName(Upper(name), base, extension);
            takenBases.insert(base);
        }
    }
    for (const std::string& name : m_names) {
        if (toolchain::IsDosName(name))
            continue;
        std::string base, extension;
        SplitName(name, base, extension);
        if (m_aliasOfBase.count(Upper(base)))
            continue;
        const std::string stem = AsciiPart(base, 6);
        for (unsigned n = 1;; ++n) {
            const std::string number = "~" + std::to_string(n);
            const std::string alias = stem.substr(0, 8 - number.size()) + number;
            if (takenBases.insert(alias).second) {
                m_aliasOfBase[Upper(base)] = alias;
                m_baseOfAlias[alias] = base;
                break;
            }
        }
    }
}

std::string FolderAliases::DosName(const std::string& hostName) const
{
    if (toolchain::IsDosName(hostName))
        return hostName;
    std::string base, extension;
    SplitName(hostName, base, extension);
    const auto alias = m_aliasOfBase.find(Upper(base));
    if (alias == m_aliasOfBase.end())
        return hostName;
    const std::string shortExtension = AliasExtension(extension);
    return shortExtension.empty() ? alias->second : alias->second + "." + shortExtension;
}

std::string FolderAliases::HostName(const std::string& dosName) const
{
    const std::string wanted = Upper(dosName);
    for (const std::string& name : m_names) {
        if (Upper(name) == wanted || Upper(DosName(name)) == wanted)
            return name;
    }
    std::string base, extension;
    SplitName(wanted, base, extension);
    const auto longBase = m_baseOfAlias.find(base);
    if (longBase == m_baseOfAlias.end())
        return {};
    return extension.empty() ? longBase->second : longBase->second + "." + extension;
}

}  // namespace halyard::dos
