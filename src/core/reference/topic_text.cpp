#include "core/reference/topic_text.h"

#include "core/reference/reference_data.h"

#include <cstdio>

namespace halyard::reference {

namespace {

const Instruction& InstructionOf(const Topic& topic)
{
    size_t count = 0;
    return Instructions(count)[topic.index];
}

const ServiceCall& ServiceCallOf(const Topic& topic)
{
    size_t count = 0;
    return ServiceCalls(count)[topic.index];
}

const Register& RegisterOf(const Topic& topic)
{
    size_t count = 0;
    return Registers(count)[topic.index];
}

std::string Hex(unsigned char value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02Xh", value);
    return text;
}

// "label：" then each line of `value` on a line of its own, indented.
std::string Block(const char* label, const char* value)
{
    std::string block = std::string(label) + "\r\n";
    std::string_view rest = value;
    for (;;) {
        const size_t newline = rest.find('\n');
        block += "  ";
        block += rest.substr(0, newline);
        block += "\r\n";
        if (newline == std::string_view::npos) return block;
        rest = rest.substr(newline + 1);
    }
}

std::string Line(const char* label, const std::string& value) { return std::string(label) + value + "\r\n"; }

} // namespace

std::string TopicName(const Topic& topic)
{
    if (topic.kind == TopicKind::ServiceCall) {
        const ServiceCall& call = ServiceCallOf(topic);
        return "INT " + Hex(call.interrupt) + "/" + Hex(call.function);
    }
    if (topic.kind == TopicKind::Register) return RegisterOf(topic).name;
    std::string name = InstructionOf(topic).mnemonics;
    for (char& c : name)
        if (c == ' ') c = '/';
    return name;
}

std::string TopicTitle(const Topic& topic)
{
    switch (topic.kind) {
    case TopicKind::ServiceCall: return ServiceCallOf(topic).title;
    case TopicKind::Register: return RegisterOf(topic).title;
    default: return InstructionOf(topic).title;
    }
}

std::string FlagsText(const char* flags)
{
    static const struct {
        char code;
        const char* words;
    } kGroups[] = {{'*', "改变"}, {'0', "清 0"}, {'1', "置 1"}, {'?', "不确定"}};
    std::string text;
    for (const auto& group : kGroups) {
        std::string names;
        for (size_t i = 0; i < kFlagCount; ++i)
            if (flags[i] == group.code) names += std::string(" ") + kFlagNames[i];
        if (names.empty()) continue;
        if (!text.empty()) text += "；";
        text += group.words + names;
    }
    return text.empty() ? "不影响标志" : text;
}

std::string TopicDetails(const Topic& topic)
{
    const std::string heading = TopicName(topic) + "：" + TopicTitle(topic) + "\r\n";
    if (topic.kind == TopicKind::ServiceCall) {
        const ServiceCall& call = ServiceCallOf(topic);
        std::string inputs = "AH = " + Hex(call.function);
        if (std::string_view(call.inputs) != "无") inputs += std::string("\n") + call.inputs;
        return heading + Block("入口：", inputs.c_str()) +
               Block("出口：", call.outputs) + Line("说明：", call.explanation) + Block("示例：", call.example);
    }
    if (topic.kind == TopicKind::Register) {
        const Register& r = RegisterOf(topic);
        return heading + Line("说明：", r.explanation) + Block("示例：", r.example);
    }
    const Instruction& entry = InstructionOf(topic);
    return heading + Block("格式：", entry.syntax) + Block("操作数：", entry.operands) +
           Line("标志：", FlagsText(entry.flags)) + Line("说明：", entry.explanation) + Block("示例：", entry.example);
}

} // namespace halyard::reference
