#pragma once
// The graphics modes' window: the machine's frame scaled to 640 pixels wide (and rows doubled in
// the 200-line modes), its title naming the program. Its key presses and releases go to the
// machine's keyboard, its pointer to the mouse driver. Closing it ends the run.
#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "core/pc/host_devices.h"

namespace halyard::dosrun {

class WinDisplay final : public dos::HostDisplay {
public:
    WinDisplay() = default;
    WinDisplay(const WinDisplay&) = delete;
    WinDisplay& operator=(const WinDisplay&) = delete;
    ~WinDisplay() { Close(); }

    void Show(const uint32_t* pixels, unsigned width, unsigned height, const char* title) override;
    void Close() override;
    bool NextKeyEvent(dos::KeyEvent& event) override;
    dos::MouseState Mouse() override;
    bool Closed() override { return m_closedByUser; }
    void HideHostPointer(bool hidden) override { m_hidePointer = hidden; }

    HWND Window() const { return m_hwnd; }
    // After the program has ended in a graphics mode: the picture stays, its title saying so,
    // until a key is pressed in it or it is closed.
    void Linger();

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool Create(unsigned width, unsigned height, const char* title);
    void Pump();
    void OnPaint();
    void OnKey(LPARAM lParam, bool down);
    void OnMouse(LPARAM lParam, uint8_t buttons);

    HWND m_hwnd = nullptr;
    unsigned m_width = 0, m_height = 0, m_scaleX = 1, m_scaleY = 1;
    std::vector<uint32_t> m_pixels;
    std::deque<dos::KeyEvent> m_keys;
    dos::MouseState m_mouse;
    bool m_closedByUser = false;
    bool m_hidePointer = false;  // the program's pointer is drawn in the picture
};

}  // namespace halyard::dosrun
