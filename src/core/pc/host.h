#pragma once
// What the machine asks of its host: the files, the console and the clock. The Windows program
// passes its own; the native tests pass in-memory ones. Every operation that can fail returns a
// DOS error code (0 = success), so the services hand it to the program as they got it.
#include <cstdint>
#include <string>
#include <vector>

namespace halyard::dos {

enum DosError : uint16_t {
    kErrNone = 0,
    kErrInvalidFunction = 0x01,
    kErrFileNotFound = 0x02,
    kErrPathNotFound = 0x03,
    kErrTooManyOpenFiles = 0x04,
    kErrAccessDenied = 0x05,
    kErrInvalidHandle = 0x06,
    kErrArenaTrashed = 0x07,
    kErrNotEnoughMemory = 0x08,
    kErrInvalidBlock = 0x09,
    kErrInvalidEnvironment = 0x0A,
    kErrInvalidFormat = 0x0B,
    kErrInvalidAccess = 0x0C,
    kErrInvalidData = 0x0D,
    kErrInvalidDrive = 0x0F,
    kErrCurrentDirectory = 0x10,
    kErrNotSameDevice = 0x11,
    kErrNoMoreFiles = 0x12,
    kErrFileExists = 0x50,
};

enum FileAttribute : uint8_t {
    kAttrReadOnly = 0x01, kAttrHidden = 0x02, kAttrSystem = 0x04, kAttrVolume = 0x08,
    kAttrDirectory = 0x10, kAttrArchive = 0x20,
};

struct DirEntry {
    std::string name;  // the host's name (the machine shows DOS programs an 8.3 alias for a long one)
    uint8_t attributes = 0;
    uint16_t time = 0, date = 0;  // DOS packed format
    uint32_t size = 0;
};

enum class Access : uint8_t { Read, Write, ReadWrite };
enum class SeekFrom : uint8_t { Start, Current, End };

// Paths are the bytes the program gave, in the host's code page; the host opens them as its own
// names, relative to its current folder.
class HostFiles {
public:
    virtual uint16_t Open(const std::string& path, Access access, int& file) = 0;
    // Creates or truncates; with `mustBeNew` an existing file fails with kErrFileExists.
    virtual uint16_t Create(const std::string& path, uint8_t attributes, bool mustBeNew, int& file) = 0;
    virtual uint16_t Read(int file, uint8_t* data, uint32_t size, uint32_t& done) = 0;
    virtual uint16_t Write(int file, const uint8_t* data, uint32_t size, uint32_t& done) = 0;
    // Cuts the file at its current position.
    virtual uint16_t Truncate(int file) = 0;
    virtual uint16_t Seek(int file, int32_t offset, SeekFrom from, uint32_t& position) = 0;
    virtual uint16_t Close(int file) = 0;
    virtual uint16_t GetTime(int file, uint16_t& time, uint16_t& date) = 0;
    virtual uint16_t SetTime(int file, uint16_t time, uint16_t date) = 0;
    virtual uint16_t Delete(const std::string& path) = 0;
    virtual uint16_t Rename(const std::string& from, const std::string& to) = 0;
    virtual uint16_t GetAttributes(const std::string& path, uint8_t& attributes) = 0;
    virtual uint16_t SetAttributes(const std::string& path, uint8_t attributes) = 0;
    virtual uint16_t MakeDirectory(const std::string& path) = 0;
    virtual uint16_t RemoveDirectory(const std::string& path) = 0;
    virtual uint16_t ChangeDirectory(const std::string& path) = 0;
    // The current folder with its drive, as "C:\WORK" or "C:\".
    virtual std::string CurrentDirectory() = 0;
    // Every entry of `folder` ("" is the current folder), "." and ".." excluded.
    virtual uint16_t List(const std::string& folder, std::vector<DirEntry>& entries) = 0;

protected:
    ~HostFiles() = default;
};

enum class Stream : uint8_t { Input, Output, Error };

// A key going down or up: its set-1 scan code (make code), and whether it is one of the extended
// keys that send E0h first (the grey arrows, Right Ctrl and Alt, keypad Enter and /, Break).
struct KeyEvent {
    uint8_t scan = 0;
    bool extended = false;
    bool down = true;
    // With scan 0: a character that no key of the keyboard types (an input method's), which goes
    // into the BIOS's buffer as it is.
    uint8_t character = 0;
};

class HostConsole {
public:
    // A redirected stream is a byte stream (a pipe or a file); one that is not is the console.
    virtual bool IsRedirected(Stream stream) = 0;
    // Redirected standard input: up to `size` bytes, 0 at its end.
    virtual uint32_t ReadInput(uint8_t* data, uint32_t size) = 0;
    // Redirected standard output or error.
    virtual void WriteStream(Stream stream, const uint8_t* data, uint32_t size) = 0;

    // The console window, when there is one. Text goes to it as a terminal stream until the
    // program draws on the screen; from then on the whole 80 x 25 screen is shown.
    virtual void WriteText(const uint8_t* data, uint32_t size) = 0;
    // `cells` holds 25 rows of 80 (character, attribute) pairs.
    virtual void ShowScreen(const uint8_t* cells, unsigned cursorRow, unsigned cursorColumn) = 0;
    // Passes on whatever output the host holds back (called every few milliseconds of a run).
    virtual void Flush() = 0;
    // The next press or release at the console, false when none is waiting. Every key of the
    // console reaches the machine this way, through its keyboard controller and INT 9.
    virtual bool NextKeyEvent(KeyEvent&) { return false; }
    // False once no key can come any more (there is no keyboard): a wait for one ends.
    virtual bool KeysMayCome() { return true; }
    // Why the person at the console wants the run ended (Ctrl+Break twice, the window closed);
    // empty while they do not.
    virtual std::string StopRequest() { return {}; }
    // Waits up to `milliseconds` or until a key event arrives: where the machine idles.
    virtual void Wait(uint32_t) {}

protected:
    ~HostConsole() = default;
};

struct LocalTime {
    uint16_t year = 1980;
    uint8_t month = 1, day = 1, weekday = 0;  // weekday: 0 = Sunday
    uint8_t hour = 0, minute = 0, second = 0, hundredths = 0;
};

class HostClock {
public:
    virtual LocalTime Now() = 0;
    // A steady count of microseconds that the machine's devices keep time by; it never goes back.
    virtual uint64_t Microseconds()
    {
        const LocalTime t = Now();
        return (((t.hour * 60ull + t.minute) * 60ull + t.second) * 100ull + t.hundredths) * 10000ull;
    }

protected:
    ~HostClock() = default;
};

}  // namespace halyard::dos
