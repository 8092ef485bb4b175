#include "fx/fx_recent.h"
#include "fx/fx_settings.h"
#include <cstdio>

namespace {
const char kSection[] = "Recent File List";

bool SamePath(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

// Menu text of entry n: "&n path", with ampersands of the path doubled so that they show.
std::string MenuText(size_t n, const std::string& path)
{
    std::string text = "&" + std::to_string(n + 1) + " ";
    for (char c : path) {
        if (c == '&') text += '&';
        text += c;
    }
    return text;
}
}  // namespace

void FxRecentFiles::Add(const std::string& path)
{
    if (path.empty()) return;
    for (size_t i = 0; i < m_paths.size(); ++i)
        if (SamePath(m_paths[i], path)) {
            m_paths.erase(m_paths.begin() + static_cast<long>(i));
            break;
        }
    m_paths.insert(m_paths.begin(), path);
    if (m_paths.size() > m_capacity) m_paths.resize(m_capacity);
}

void FxRecentFiles::Remove(size_t index)
{
    if (index < m_paths.size()) m_paths.erase(m_paths.begin() + static_cast<long>(index));
}

void FxRecentFiles::Load(const FxSettings& settings)
{
    m_paths.clear();
    for (size_t i = 0; i < m_capacity; ++i) {
        char entry[16];
        snprintf(entry, sizeof entry, "File%u", static_cast<unsigned>(i + 1));
        std::string path = settings.GetString(kSection, entry);
        if (!path.empty()) m_paths.push_back(path);
    }
}

void FxRecentFiles::Save(const FxSettings& settings) const
{
    for (size_t i = 0; i < m_capacity; ++i) {
        char entry[16];
        snprintf(entry, sizeof entry, "File%u", static_cast<unsigned>(i + 1));
        if (i < m_paths.size())
            (void)settings.WriteString(kSection, entry, m_paths[i].c_str());
        else
            settings.DeleteValue(kSection, entry);
    }
}

void FxRecentFiles::UpdateMenu(HMENU menu, UINT index) const
{
    for (size_t i = 0; i < m_capacity; ++i) DeleteMenu(menu, m_firstCommand + static_cast<UINT>(i), MF_BYCOMMAND);
    if (m_paths.empty()) {
        InsertMenuA(menu, index, MF_BYPOSITION | MF_STRING | MF_GRAYED, m_firstCommand, "Recent File");
        return;
    }
    for (size_t i = 0; i < m_paths.size(); ++i)
        InsertMenuA(menu, index + static_cast<UINT>(i), MF_BYPOSITION | MF_STRING, m_firstCommand + static_cast<UINT>(i),
                    MenuText(i, m_paths[i]).c_str());
}
