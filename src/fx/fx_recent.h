// The recent-file list: most recent first, at most a fixed number of entries, kept in the settings.
#pragma once
#include <string>
#include <vector>
#include <windows.h>

class FxSettings;

class FxRecentFiles {
public:
    FxRecentFiles(size_t capacity, UINT firstCommand) : m_capacity(capacity), m_firstCommand(firstCommand) {}

    // A path already in the list moves to the front (compared without regard to case).
    void Add(const std::string& path);
    void Remove(size_t index);
    size_t Count() const { return m_paths.size(); }
    const std::string& At(size_t index) const { return m_paths[index]; }
    size_t Capacity() const { return m_capacity; }

    void Load(const FxSettings& settings);
    void Save(const FxSettings& settings) const;

    // Replaces the menu items from `index` of `menu` (the placeholder and earlier entries) with the
    // list; with an empty list the placeholder "Recent File" stays, disabled.
    void UpdateMenu(HMENU menu, UINT index) const;

private:
    size_t m_capacity;
    UINT m_firstCommand;
    std::vector<std::string> m_paths;
};
