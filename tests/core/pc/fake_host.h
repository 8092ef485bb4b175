#pragma once
// An in-memory host for the machine: files in a map, a console of strings, a fixed clock.
#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/pc/bios/scan_codes.h"
#include "core/pc/host.h"
#include "core/pc/machine.h"

namespace halyard::dos::test {

inline std::string Key(std::string path)
{
    std::transform(path.begin(), path.end(), path.begin(), [](char c) { return char(std::toupper(uint8_t(c))); });
    if (path.rfind("C:\\", 0) == 0)
        path = path.substr(3);
    return path;
}

class MemoryFiles final : public HostFiles {
public:
    std::map<std::string, std::string> files;  // upper-case name (no drive) -> contents
    std::map<std::string, uint8_t> attributes;

    uint16_t Open(const std::string& path, Access access, int& file) override
    {
        if (!files.count(Key(path)))
            return kErrFileNotFound;
        return Add(Key(path), access, file);
    }
    uint16_t Create(const std::string& path, uint8_t attrs, bool mustBeNew, int& file) override
    {
        if (mustBeNew && files.count(Key(path)))
            return kErrFileExists;
        files[Key(path)].clear();
        attributes[Key(path)] = attrs;
        return Add(Key(path), Access::ReadWrite, file);
    }
    uint16_t Read(int file, uint8_t* data, uint32_t size, uint32_t& done) override
    {
        Handle& h = m_open.at(size_t(file));
        const std::string& text = files[h.name];
        done = h.pos < text.size() ? uint32_t(std::min<size_t>(size, text.size() - h.pos)) : 0;
        std::copy_n(text.begin() + long(std::min<size_t>(h.pos, text.size())), done, data);
        h.pos += done;
        return kErrNone;
    }
    uint16_t Write(int file, const uint8_t* data, uint32_t size, uint32_t& done) override
    {
        Handle& h = m_open.at(size_t(file));
        std::string& text = files[h.name];
        if (text.size() < h.pos + size)
            text.resize(h.pos + size);
        std::copy_n(data, size, text.begin() + long(h.pos));
        h.pos += size;
        done = size;
        return kErrNone;
    }
    uint16_t Truncate(int file) override
    {
        Handle& h = m_open.at(size_t(file));
        files[h.name].resize(h.pos);
        return kErrNone;
    }
    uint16_t Seek(int file, int32_t offset, SeekFrom from, uint32_t& position) override
    {
        Handle& h = m_open.at(size_t(file));
        const int64_t base = from == SeekFrom::Start ? 0 : from == SeekFrom::Current ? int64_t(h.pos)
                                                                                     : int64_t(files[h.name].size());
        if (base + offset < 0)
            return kErrInvalidData;
        h.pos = size_t(base + offset);
        position = uint32_t(h.pos);
        return kErrNone;
    }
    uint16_t Close(int file) override
    {
        m_open.at(size_t(file)).name.clear();
        ++closed;
        return kErrNone;
    }
    uint16_t GetTime(int, uint16_t& time, uint16_t& date) override
    {
        time = 0x6000;
        date = 0x5821;
        return kErrNone;
    }
    uint16_t SetTime(int, uint16_t, uint16_t) override { return kErrNone; }
    uint16_t Delete(const std::string& path) override { return files.erase(Key(path)) ? kErrNone : kErrFileNotFound; }
    uint16_t Rename(const std::string& from, const std::string& to) override
    {
        if (!files.count(Key(from)))
            return kErrFileNotFound;
        files[Key(to)] = files[Key(from)];
        files.erase(Key(from));
        return kErrNone;
    }
    uint16_t GetAttributes(const std::string& path, uint8_t& attrs) override
    {
        if (!files.count(Key(path)))
            return kErrFileNotFound;
        attrs = attributes[Key(path)];
        return kErrNone;
    }
    uint16_t SetAttributes(const std::string& path, uint8_t attrs) override
    {
        attributes[Key(path)] = attrs;
        return kErrNone;
    }
    uint16_t MakeDirectory(const std::string&) override { return kErrAccessDenied; }
    uint16_t RemoveDirectory(const std::string&) override { return kErrAccessDenied; }
    uint16_t ChangeDirectory(const std::string&) override { return kErrPathNotFound; }
    std::string CurrentDirectory() override { return "C:\\WORK"; }
    uint16_t List(const std::string& folder, std::vector<DirEntry>& entries) override
    {
        if (!folder.empty())
            return kErrPathNotFound;
        for (const auto& [name, text] : files)
            entries.push_back({name, attributes[name], 0x6000, 0x5821, uint32_t(text.size())});
        return kErrNone;
    }

    int closed = 0;

private:
    struct Handle {
        std::string name;
        size_t pos = 0;
    };
    uint16_t Add(const std::string& name, Access, int& file)
    {
        m_open.push_back({name, 0});
        file = int(m_open.size() - 1);
        return kErrNone;
    }
    std::vector<Handle> m_open;
};

class StringConsole final : public HostConsole {
public:
    bool redirected[3] = {true, true, true};
    std::string input;
    std::string output, error, text;
    // Keys as BIOS key codes (scan code high, character low), typed one after the other as the
    // presses and releases of their keys (0000h, as the BIOS stores it, is Ctrl+Break); once all
    // are typed, no key can come unless `keyboard` says one still may.
    std::deque<uint16_t> keys;
    bool keyboard = false;
    int screens = 0;
    std::string lastScreen;  // the characters of the last screen shown

    bool IsRedirected(Stream s) override { return redirected[int(s)]; }
    uint32_t ReadInput(uint8_t* data, uint32_t size) override
    {
        const uint32_t n = uint32_t(std::min<size_t>(size, input.size()));
        std::copy_n(input.begin(), n, data);
        input.erase(0, n);
        return n;
    }
    void WriteStream(Stream s, const uint8_t* data, uint32_t size) override
    {
        (s == Stream::Error ? error : output).append(reinterpret_cast<const char*>(data), size);
    }
    void WriteText(const uint8_t* data, uint32_t size) override { text.append(reinterpret_cast<const char*>(data), size); }
    void ShowScreen(const uint8_t* cells, unsigned, unsigned) override
    {
        ++screens;
        lastScreen.clear();
        for (unsigned i = 0; i < 80 * 25; ++i)
            lastScreen.push_back(char(cells[i * 2]));
    }
    bool NextKeyEvent(KeyEvent& event) override
    {
        if (m_events.empty() && !keys.empty())
            Type(keys.front()), keys.pop_front();
        if (m_events.empty())
            return false;
        event = m_events.front();
        m_events.pop_front();
        return true;
    }
    bool KeysMayCome() override { return keyboard || !keys.empty() || !m_events.empty(); }
    // What StopRequest answers: set it to end the run as the person at a console would.
    std::string stopRequest;
    std::string StopRequest() override { return stopRequest; }
    void Flush() override {}
    // Where the machine idles: a test may pass the time it asks for on its own clock.
    std::function<void(uint32_t)> onWait;
    void Wait(uint32_t milliseconds) override
    {
        if (onWait)
            onWait(milliseconds);
    }

private:
    void Type(uint16_t key)
    {
        if (key == 0) {
            m_events.insert(m_events.end(), {{scan::kCtrl, false, true}, {0x46, true, true}, {0x46, true, false},
                                             {scan::kCtrl, false, false}});
            return;
        }
        const uint8_t c = uint8_t(key), given = uint8_t(key >> 8);
        const bool extended = c == 0xE0 && given != 0;
        const Keystroke k = c != 0 && !extended ? KeystrokeFor(c) : Keystroke{given, false, false};
        if (k.scan == 0 && given == 0) {
            m_events.push_back({0, false, true, c});
            return;
        }
        const uint8_t scan = given != 0 ? given : k.scan;
        if (k.ctrl)
            m_events.push_back({scan::kCtrl, false, true});
        if (k.shifted)
            m_events.push_back({scan::kLeftShift, false, true});
        m_events.push_back({scan, extended, true});
        m_events.push_back({scan, extended, false});
        if (k.shifted)
            m_events.push_back({scan::kLeftShift, false, false});
        if (k.ctrl)
            m_events.push_back({scan::kCtrl, false, false});
    }
    std::deque<KeyEvent> m_events;
};

class FixedClock final : public HostClock {
public:
    LocalTime Now() override { return {2024, 3, 9, 6, 13, 45, 30, 50}; }
};

// A clock that moves only when told (a test moves it as the machine waits).
class ManualClock final : public HostClock {
public:
    uint64_t now = 1000000;
    LocalTime Now() override { return {2024, 3, 9, 6, 13, 45, 30, 50}; }
    uint64_t Microseconds() override { return now; }
};

// A machine over the fakes, with a program loaded from its bytes.
struct TestMachine {
    MemoryFiles files;
    StringConsole console;
    FixedClock clock;
    Machine machine{files, console, clock};

    std::string Load(const std::vector<uint8_t>& code, bool mz = false, const std::string& tail = "",
                     std::vector<std::string> environment = {"PATH=C:\\BIN"})
    {
        LoadRequest request;
        request.image = code;
        request.mz = mz;
        request.path = "C:\\WORK\\TEST.COM";
        request.tail = tail;
        request.environment = std::move(environment);
        return machine.Load(request);
    }
    Registers& R() { return machine.Processor().regs; }
    Memory& Mem() { return machine.Mem(); }

    // Runs the software interrupt at 0100h once with AX, BX, CX, DX and ES given (the other
    // registers as they are): the INT, the service's stub and its IRET. True when the service
    // returned with the carry set.
    bool CallAt100(uint16_t ax, uint16_t bx, uint16_t cx, uint16_t dx, uint16_t es)
    {
        Registers& r = R();
        r.r[kAX] = ax;
        r.r[kBX] = bx;
        r.r[kCX] = cx;
        r.r[kDX] = dx;
        r.seg[kES] = es;
        r.ip = 0x100;
        machine.Processor().Run(3);
        return r.flags.CF();
    }
};

}  // namespace halyard::dos::test
