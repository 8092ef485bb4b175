#pragma once
// The debugger's channel between the IDE and the DOS PC that runs the program (Dosrun): one line
// of text per message, ending in LF, in both directions. The IDE sends requests; the PC answers
// each request that asks for something with one reply line, and tells of every stop with a
// "stopped" line followed by a "regs" line.
//
// Requests (IDE -> PC); addresses are linear (segment * 16 + offset), all numbers in hex:
//   break <addr> on|off          a breakpoint before the instruction at <addr>
//   watch <addr> <count> on|off  a stop after an instruction that writes a byte of the range
//   int <nn> on|off              a stop at interrupt <nn>'s handler
//   continue | step | over | out | back | pause | kill
//   to <addr>                    continue until <addr> (or another stop)
//   set <reg> <value>            AX..DI, CS DS ES SS, IP, FL (the flags word)
//   read <addr> <count>          -> "memory <addr> <hex bytes>" (at most 1000h bytes)
//   write <addr> <hex bytes>     changes memory (no reply)
//   regs                         -> a "regs" line
// Replies and events (PC -> IDE):
//   started <psp> <load>         the program is loaded, stopped before its first instruction:
//                                its PSP's segment and the segment its image starts at
//   running                      the program goes on
//   stopped <reason> [<detail>]  reason: step, breakpoint, paused, back, watch (detail: the
//                                address written), interrupt (detail: nn), fault (detail: why),
//                                ended (detail: the return code, in decimal), failed (detail: why),
//                                start (detail: no earlier step to go back to)
//   regs AX=.... BX=.... CX=.... DX=.... SI=.... DI=.... BP=.... SP=.... CS=.... DS=.... ES=....
//        SS=.... IP=.... FL=....
//   memory <addr> <hex bytes>
//   error <text>                 a request the PC could not take
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace halyard::debugwire {

// The registers in the order of the "regs" line.
enum Reg : uint8_t { AX, BX, CX, DX, SI, DI, BP, SP, CS, DS, ES, SS, IP, FL, kRegCount };
const char* RegName(Reg reg);
std::optional<Reg> RegByName(std::string_view name);  // any case

using RegisterSet = std::array<uint16_t, kRegCount>;

enum class Verb : uint8_t {
    Break, Watch, Int, Continue, Step, Over, Out, Back, Pause, Kill, To, Set, Read, Write, Regs,
    Started, Running, Stopped, RegsReply, Memory, Error,
};

struct Message {
    Verb verb = Verb::Error;
    uint32_t address = 0;  // break, watch, to, read, write, memory, started (the PSP)
    uint32_t count = 0;    // watch, read; started (the load segment); int (the vector)
    bool on = false;       // break, watch, int
    Reg reg = AX;          // set
    uint16_t value = 0;    // set
    std::vector<uint8_t> bytes;  // write, memory
    RegisterSet regs{};          // regs reply
    std::string reason;          // stopped
    std::string text;            // stopped's detail, error's text
};

// The line for `message`, LF included.
std::string Format(const Message& message);
// The message of one line (without its LF; a CR before it is ignored); nullopt when the line is
// not a message of the channel.
std::optional<Message> Parse(std::string_view line);

// Cuts a stream of bytes into lines: Add what arrived, then Next until it has no whole line.
class LineReader {
public:
    void Add(std::string_view bytes) { m_pending.append(bytes); }
    std::optional<std::string> Next();

private:
    std::string m_pending;
};

// The flags word's letters as a debugger shows them: O D I T S Z A P C, a letter for a flag that
// is set and "-" for one that is clear.
std::string FlagLetters(uint16_t flags);

}  // namespace halyard::debugwire
