#pragma once
// What the machine asks of its host beyond files, console and clock: the speaker and a window for
// the graphics modes. Both are optional: a host without sound or without a window passes the
// silent and the absent ones below.
#include <cstdint>

#include "core/pc/host.h"

namespace halyard::dos {

class HostSpeaker {
public:
    // A square wave of `hertz` from now on; 0 is silence.
    virtual void Tone(uint32_t hertz) = 0;

protected:
    ~HostSpeaker() = default;
};

struct MouseState {
    int x = 0, y = 0;     // in the screen's pixels
    uint8_t buttons = 0;  // bit 0 left, bit 1 right, bit 2 middle
    bool inside = false;  // the pointer is over the screen
};

class HostDisplay {
public:
    // Shows `width` x `height` pixels (0x00RRGGBB, rows top down) in the window, which opens on the
    // first call with `title`.
    virtual void Show(const uint32_t* pixels, unsigned width, unsigned height, const char* title) = 0;
    // Back to the console: the window closes.
    virtual void Close() = 0;
    // Lets the window handle its messages; its key presses and releases come out here.
    virtual bool NextKeyEvent(KeyEvent& event) = 0;
    virtual MouseState Mouse() = 0;
    // The user closed the window: the run ends.
    virtual bool Closed() = 0;
    // While the program's own pointer is drawn in the picture, the host's is hidden over it.
    virtual void HideHostPointer(bool hidden) { (void)hidden; }
    // False for a host without a window: no picture is drawn for it.
    virtual bool Drawn() const { return true; }

protected:
    ~HostDisplay() = default;
};

class SilentSpeaker final : public HostSpeaker {
public:
    void Tone(uint32_t) override {}
};

class NoDisplay final : public HostDisplay {
public:
    void Show(const uint32_t*, unsigned, unsigned, const char*) override {}
    void Close() override {}
    bool NextKeyEvent(KeyEvent&) override { return false; }
    MouseState Mouse() override { return {}; }
    bool Closed() override { return false; }
    bool Drawn() const override { return false; }
};

}  // namespace halyard::dos
