// What a pane of the debugger asks of the run: memory read and written, a register changed, the
// registers and map an expression is evaluated against, a line for the Output pane.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/debugger/address_expression.h"

class CDebugRequests {
public:
    using Bytes = std::vector<uint8_t>;
    // `done` runs with the bytes when the PC's answer comes (not when the run ends first).
    virtual void Read(uint32_t linear, uint32_t count, std::function<void(const Bytes&)> done) = 0;
    virtual void Write(uint32_t linear, const Bytes& bytes) = 0;
    virtual void SetRegister(halyard::debugwire::Reg reg, uint16_t value) = 0;
    virtual halyard::debugger::EvalContext Context() const = 0;
    virtual void Report(const std::string& text) = 0;

protected:
    ~CDebugRequests() = default;
};
