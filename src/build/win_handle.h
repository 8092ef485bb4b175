#pragma once
// Sole owner of one kernel handle: closed exactly once, by Close or by the destructor.
#include <windows.h>

#include <utility>

class CHandle {
public:
    CHandle() = default;
    explicit CHandle(HANDLE h) noexcept : m_h(IsValid(h) ? h : nullptr) {}
    CHandle(CHandle&& other) noexcept : m_h(std::exchange(other.m_h, nullptr)) {}
    CHandle& operator=(CHandle&& other) noexcept
    {
        if (this != &other) Reset(std::exchange(other.m_h, nullptr));
        return *this;
    }
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;
    ~CHandle() { Close(); }

    // Both null and INVALID_HANDLE_VALUE (CreateFile's failure) count as "no handle".
    static bool IsValid(HANDLE h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }

    HANDLE Get() const noexcept { return m_h; }
    explicit operator bool() const noexcept { return m_h != nullptr; }

    void Reset(HANDLE h = nullptr) noexcept
    {
        Close();
        m_h = IsValid(h) ? h : nullptr;
    }

    void Close() noexcept
    {
        if (m_h != nullptr) CloseHandle(std::exchange(m_h, nullptr));
    }

    // For out-parameters of the API: the old handle is closed first.
    HANDLE* Receive() noexcept
    {
        Close();
        return &m_h;
    }

private:
    HANDLE m_h = nullptr;
};
