// Per-user settings in the registry: HKEY_CURRENT_USER\Software\<company>\<application>\<section>.
#pragma once
#include <string>

class FxSettings {
public:
    void SetRoot(const std::string& company, const std::string& application);
    const std::string& Root() const { return m_root; }  // "Software\company\application"

    int GetInt(const char* section, const char* entry, int defaultValue) const;
    [[nodiscard]] bool WriteInt(const char* section, const char* entry, int value) const;
    std::string GetString(const char* section, const char* entry, const char* defaultValue = "") const;
    [[nodiscard]] bool WriteString(const char* section, const char* entry, const char* value) const;
    // Removes one value; true also when it did not exist.
    bool DeleteValue(const char* section, const char* entry) const;

private:
    std::string m_root;
};
