#include "fx/fx_settings.h"
#include "fx/fx_handles.h"

namespace {
// The section's key of the current user, created when writing; empty when it cannot be opened.
FxRegKey OpenSection(const std::string& path, bool write)
{
    HKEY key = nullptr;
    LONG r = write ? RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr)
                   : RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
    return FxRegKey(r == ERROR_SUCCESS ? key : nullptr);
}

std::string SectionPath(const std::string& root, const char* section) { return root + "\\" + section; }
}  // namespace

void FxSettings::SetRoot(const std::string& company, const std::string& application)
{
    m_root = "Software\\" + company + "\\" + application;
}

int FxSettings::GetInt(const char* section, const char* entry, int defaultValue) const
{
    const FxRegKey key = OpenSection(SectionPath(m_root, section), false);
    DWORD value = 0, type = 0, size = sizeof value;
    if (!key || RegQueryValueExA(key.Get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
                    ERROR_SUCCESS || type != REG_DWORD)
        return defaultValue;
    return static_cast<int>(value);
}

bool FxSettings::WriteInt(const char* section, const char* entry, int value) const
{
    const FxRegKey key = OpenSection(SectionPath(m_root, section), true);
    DWORD v = static_cast<DWORD>(value);
    return key &&
           RegSetValueExA(key.Get(), entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v) == ERROR_SUCCESS;
}

std::string FxSettings::GetString(const char* section, const char* entry, const char* defaultValue) const
{
    const FxRegKey key = OpenSection(SectionPath(m_root, section), false);
    DWORD type = 0, size = 0;
    if (!key || RegQueryValueExA(key.Get(), entry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return defaultValue;
    std::string text(size + 1, '\0');
    if (RegQueryValueExA(key.Get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(&text[0]), &size) != ERROR_SUCCESS)
        return defaultValue;
    text.resize(strnlen(text.c_str(), size));
    return text;
}

bool FxSettings::WriteString(const char* section, const char* entry, const char* value) const
{
    const FxRegKey key = OpenSection(SectionPath(m_root, section), true);
    return key && RegSetValueExA(key.Get(), entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                 static_cast<DWORD>(strlen(value) + 1)) == ERROR_SUCCESS;
}

bool FxSettings::DeleteValue(const char* section, const char* entry) const
{
    const FxRegKey key = OpenSection(SectionPath(m_root, section), true);
    if (!key) return false;
    LONG r = RegDeleteValueA(key.Get(), entry);
    return r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND;
}
