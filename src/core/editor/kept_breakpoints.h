#pragma once
// The breakpoints of files that were closed, kept while the IDE runs so that a file opened again
// has them back. Paths compare without regard to ASCII case, as the system's file names do.
#include <map>
#include <string>
#include <vector>

class KeptBreakpoints {
public:
    // Remembers `lines` for `path`; no lines forgets it.
    void Keep(const std::string& path, std::vector<int> lines);
    // The lines kept for `path` (none when there are none).
    std::vector<int> For(const std::string& path) const;

private:
    static std::string Key(const std::string& path);
    std::map<std::string, std::vector<int>> m_lines;
};
