#include "core/pc/dos/aliased_files.h"

#include <cstring>

#include "core/toolchain/dos_names.h"
#include "core/pc/dos/name_aliases.h"

namespace halyard::dos {
namespace {

bool Separator(char c)
{
    return c == '\\' || c == '/';
}

// The root of a path ("C:\", "C:", "\" or ""), the rest split at its separators.
std::string SplitPath(const std::string& path, std::vector<std::string>& names)
{
    size_t at = 0;
    if (path.size() >= 2 && path[1] == ':')
        at = 2;
    while (at < path.size() && Separator(path[at]))
        ++at;
    const std::string root = path.substr(0, at);
    names.clear();
    std::string name;
    for (; at <= path.size(); ++at) {
        if (at == path.size() || Separator(path[at])) {
            if (!name.empty())
                names.push_back(name);
            name.clear();
        } else {
            name.push_back(path[at]);
        }
    }
    return root;
}

std::string Joined(std::string root, const std::vector<std::string>& names, bool trailing)
{
    for (size_t i = 0; i < names.size(); ++i) {
        root += names[i];
        if (i + 1 < names.size() || trailing)
            root += '\\';
    }
    return root;
}

}  // namespace

std::vector<std::string> AliasedFiles::NamesIn(const std::string& hostFolder)
{
    std::vector<DirEntry> entries;
    std::vector<std::string> names;
    if (m_host.List(hostFolder, entries) == kErrNone) {
        for (DirEntry& entry : entries)
            names.push_back(std::move(entry.name));
    }
    return names;
}

std::string AliasedFiles::HostPath(const std::string& dosPath)
{
    if (dosPath.find('~') == std::string::npos)
        return dosPath;
    std::vector<std::string> names;
    const std::string root = SplitPath(dosPath, names);
    const bool trailing = !dosPath.empty() && Separator(dosPath.back()) && !names.empty();
    std::string folder = root;
    for (std::string& name : names) {
        if (name.find('~') != std::string::npos) {
            const std::string host = FolderAliases(NamesIn(folder)).HostName(name);
            if (!host.empty())
                name = host;
        }
        folder += name + '\\';
    }
    return Joined(root, names, trailing);
}

std::string AliasedFiles::DosPath(const std::string& hostPath)
{
    return AliasedDosPath(hostPath, [this](const std::string& folder) { return NamesIn(folder); });
}

uint16_t AliasedFiles::Open(const std::string& path, Access access, int& file)
{
    return m_host.Open(HostPath(path), access, file);
}

uint16_t AliasedFiles::Create(const std::string& path, uint8_t attributes, bool mustBeNew, int& file)
{
    return m_host.Create(HostPath(path), attributes, mustBeNew, file);
}

uint16_t AliasedFiles::Read(int file, uint8_t* data, uint32_t size, uint32_t& done)
{
    return m_host.Read(file, data, size, done);
}

uint16_t AliasedFiles::Write(int file, const uint8_t* data, uint32_t size, uint32_t& done)
{
    return m_host.Write(file, data, size, done);
}

uint16_t AliasedFiles::Truncate(int file) { return m_host.Truncate(file); }

uint16_t AliasedFiles::Seek(int file, int32_t offset, SeekFrom from, uint32_t& position)
{
    return m_host.Seek(file, offset, from, position);
}

uint16_t AliasedFiles::Close(int file) { return m_host.Close(file); }

uint16_t AliasedFiles::GetTime(int file, uint16_t& time, uint16_t& date) { return m_host.GetTime(file, time, date); }

uint16_t AliasedFiles::SetTime(int file, uint16_t time, uint16_t date) { return m_host.SetTime(file, time, date); }

uint16_t AliasedFiles::Delete(const std::string& path) { return m_host.Delete(HostPath(path)); }

uint16_t AliasedFiles::Rename(const std::string& from, const std::string& to)
{
    return m_host.Rename(HostPath(from), HostPath(to));
}

uint16_t AliasedFiles::GetAttributes(const std::string& path, uint8_t& attributes)
{
    return m_host.GetAttributes(HostPath(path), attributes);
}

uint16_t AliasedFiles::SetAttributes(const std::string& path, uint8_t attributes)
{
    return m_host.SetAttributes(HostPath(path), attributes);
}

uint16_t AliasedFiles::MakeDirectory(const std::string& path) { return m_host.MakeDirectory(HostPath(path)); }

uint16_t AliasedFiles::RemoveDirectory(const std::string& path) { return m_host.RemoveDirectory(HostPath(path)); }

uint16_t AliasedFiles::ChangeDirectory(const std::string& path) { return m_host.ChangeDirectory(HostPath(path)); }

std::string AliasedFiles::CurrentDirectory()
{
    const std::string host = m_host.CurrentDirectory();
    if (host != m_hostFolder) {
        m_hostFolder = host;
        m_dosFolder = DosPath(host);
    }
    return m_dosFolder;
}

uint16_t AliasedFiles::List(const std::string& folder, std::vector<DirEntry>& entries)
{
    const size_t first = entries.size();
    const uint16_t error = m_host.List(HostPath(folder), entries);
    std::vector<std::string> names;
    for (size_t i = first; i < entries.size(); ++i)
        names.push_back(entries[i].name);
    const FolderAliases aliases(names);
    for (size_t i = first; i < entries.size(); ++i)
        entries[i].name = aliases.DosName(entries[i].name);
    return error;
}

std::string AliasedDosPath(const std::string& hostPath, const FolderLister& namesIn)
{
    if (toolchain::IsDosPath(hostPath))
        return hostPath;
    std::vector<std::string> names;
    const std::string root = SplitPath(hostPath, names);
    std::string folder = root;
    std::vector<std::string> dosNames;
    for (const std::string& name : names) {
        std::string dosName = name;
        if (!toolchain::IsDosName(name) && name != "." && name != "..") {
            // A name not there yet still gets the alias of its base, when a file of that base has one.
            dosName = FolderAliases(namesIn(folder)).DosName(name);
        }
        folder += name + '\\';
        dosNames.push_back(dosName);
    }
    return Joined(root, dosNames, !hostPath.empty() && Separator(hostPath.back()) && !names.empty());
}

std::string AliasTail(const std::string& tail, AliasedFiles& files)
{
    std::string out;
    size_t at = 0;
    while (at < tail.size()) {
        const char c = tail[at];
        if (std::strchr(" \t,;+=", c) != nullptr) {
            out.push_back(c);
            ++at;
            continue;
        }
        const bool quoted = c == '"';
        size_t end = quoted ? tail.find('"', at + 1) : at;
        if (quoted) {
            end = end == std::string::npos ? tail.size() : end + 1;
        } else {
            while (end < tail.size() && std::strchr(" \t,;+=", tail[end]) == nullptr)
                ++end;
        }
        const std::string word = tail.substr(at, end - at);
        const std::string name = quoted ? word.substr(1, word.size() >= 2 && word.back() == '"' ? word.size() - 2 : word.size() - 1)
                                        : word;
        // A switch ("/c") stays; a name keeps a switch that follows it ("a.asm/z").
        const size_t slash = name.find('/');
        std::string dos = name.empty() || name[0] == '/' ? name : files.DosPath(name.substr(0, slash)) +
                                                               (slash == std::string::npos ? "" : name.substr(slash));
        out += quoted && dos.find(' ') != std::string::npos ? "\"" + dos + "\"" : (dos == name ? word : dos);
        at = end;
    }
    return out;
}

}  // namespace halyard::dos
