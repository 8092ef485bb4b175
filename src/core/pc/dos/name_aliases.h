#pragma once
// The 8.3 ASCII aliases DOS programs see for host names that are not 8.3 ASCII (Chinese, long,
// with blanks): "第1题.asm" shows as "1~1.ASM". Every file of one long base shares one alias base,
// so a tool that makes "1~1.OBJ" from "1~1.ASM" makes "第1题.OBJ" on the host.
#include <map>
#include <string>
#include <vector>

namespace halyard::dos {

// The aliases of one folder, from the names it holds. Alias bases are the name's ASCII letters
// and digits (at most 6, upper case) with "~n", n the lowest that no other base of the folder has;
// long bases are numbered in the order of their names, so an alias stays the same while the
// folder's other names stay.
class FolderAliases {
public:
    explicit FolderAliases(const std::vector<std::string>& hostNames);

    // The name DOS programs see for `hostName`: itself when it is an 8.3 ASCII name.
    std::string DosName(const std::string& hostName) const;
    // The host name behind `dosName`: a name of the folder, an alias, or an alias base with an
    // extension no file of that base has yet (the long base with that extension). Empty when the
    // name is none of these: it is then used as it stands.
    std::string HostName(const std::string& dosName) const;

private:
    std::vector<std::string> m_names;
    std::map<std::string, std::string> m_aliasOfBase;  // upper-case long base -> alias base
    std::map<std::string, std::string> m_baseOfAlias;  // alias base -> long base as the host has it
};

// A name's base and extension, split at its last dot ("a.b.c" gives "a.b" and "c"; ".x" has no
// extension).
void SplitName(const std::string& name, std::string& base, std::string& extension);

}  // namespace halyard::dos
