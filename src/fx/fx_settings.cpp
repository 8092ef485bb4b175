#include "fx/fx_settings.h"
#include <windows.h>

namespace {
// An open registry key, closed exactly once.
class RegKey {
public:
    RegKey(const std::string& path, bool write)
    {
        LONG r = write ? RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &m_key,
                                         nullptr)
                       : RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &m_key);
        if (r != ERROR_SUCCESS) m_key = nullptr;
    }
    ~RegKey()
    {
        if (m_key) RegCloseKey(m_key);
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    HKEY get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

std::string SectionPath(const std::string& root, const char* section) { return root + "\\" + section; }
}  // namespace

void FxSettings::SetRoot(const std::string& company, const std::string& application)
{
    m_root = "Software\\" + company + "\\" + application;
}

int FxSettings::GetInt(const char* section, const char* entry, int defaultValue) const
{
    RegKey key(SectionPath(m_root, section), false);
    DWORD value = 0, type = 0, size = sizeof value;
    if (!key.get() || RegQueryValueExA(key.get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
                          ERROR_SUCCESS || type != REG_DWORD)
        return defaultValue;
    return static_cast<int>(value);
}

bool FxSettings::WriteInt(const char* section, const char* entry, int value) const
{
    RegKey key(SectionPath(m_root, section), true);
    DWORD v = static_cast<DWORD>(value);
    return key.get() &&
           RegSetValueExA(key.get(), entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v) == ERROR_SUCCESS;
}

std::string FxSettings::GetString(const char* section, const char* entry, const char* defaultValue) const
{
    RegKey key(SectionPath(m_root, section), false);
    DWORD type = 0, size = 0;
    if (!key.get() || RegQueryValueExA(key.get(), entry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return defaultValue;
    std::string text(size + 1, '\0');
    if (RegQueryValueExA(key.get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(&text[0]), &size) != ERROR_SUCCESS)
        return defaultValue;
    text.resize(strnlen(text.c_str(), size));
    return text;
}

bool FxSettings::WriteString(const char* section, const char* entry, const char* value) const
{
    RegKey key(SectionPath(m_root, section), true);
    return key.get() && RegSetValueExA(key.get(), entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                       static_cast<DWORD>(strlen(value) + 1)) == ERROR_SUCCESS;
}

bool FxSettings::DeleteValue(const char* section, const char* entry) const
{
    RegKey key(SectionPath(m_root, section), true);
    if (!key.get()) return false;
    LONG r = RegDeleteValueA(key.get(), entry);
    return r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND;
}
