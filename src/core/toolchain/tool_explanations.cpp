// The common messages of the assemblers and linkers a beginner meets, explained in Chinese with
// the usual fix. Each row lists the wordings of both toolchains, lower case, as the tools print
// them; a "*" in a wording stands for any text. The first row with a wording contained in the
// message wins, so the linker's "undefined symbol * in module" comes before the assembler's
// "undefined symbol". A wording is as narrow as the tools' own texts allow: a broad one ("segment
// register", "in module") catches other messages and gives them the wrong advice.
#include <cctype>
#include <iterator>
#include <string>

#include "core/toolchain/tool_message.h"

namespace halyard::toolchain {
namespace {

constexpr ToolExplanation kExplanations[] = {
    {{"undefined symbol * in module", "unresolved external"},
     "链接时找不到这个名字：它被引用了，但没有哪个模块提供它。改法：检查拼写，在定义它的模块里写 PUBLIC，并把那个 .OBJ 一起链接。"},
    {{"fixup overflow", "fixup offset exceeds field width"},
     "转移、调用或字地址够不着目标：目标在别的段里或超出 64K（如近转移到另一个段的标号）。改法：转到别的段用 FAR PTR，或把目标放进同一段；检查 ASSUME 和段的写法。"},
    {{"no stack"},
     "程序没有堆栈段（只是警告）。改法：加一个 STACK 段，例如 STACK SEGMENT STACK / DW 128 DUP(0) / STACK ENDS；.COM 程序可以不理它。"},
    {{"unable to open", "can't locate file", "object not found", "cannot find file"},
     "找不到或打不开文件。改法：检查文件名和文件夹；链接前先汇编出 .OBJ；DOS 工具只认 8.3 文件名。"},
    {{"invalid object module", "bad object file"},
     "目标文件损坏或不是这个链接器认识的格式。改法：重新汇编，并用与汇编程序配套的链接器。"},
    {{"forced error"},
     "这是源程序自己用 .ERR 一类伪指令报的错，条件成立了。改法：看这一行的条件，或改掉引起它的定义。"},
    {{"symbol not defined", "undefined symbol"},
     "用到的名字（标号、变量或常量）没有定义。改法：检查拼写，确认它已用 DB/DW、EQU 或标号定义；别的模块里的名字要用 EXTRN 声明。"},
    {{"operand types must match", "operand types do not match"},
     "两个操作数一个是字节、一个是字（如 MOV AX,BL）。改法：让两边一样大，或用 BYTE PTR / WORD PTR 指明内存操作数的大小。"},
    {{"end of file, no end directive", "unexpected end of file"},
     "文件结束了还没有 END 伪指令。改法：在最后一行写 END 和入口标号，例如 END START。"},
    {{"improper operand type", "illegal memory reference"},
     "这条指令不能用这种操作数组合，最常见的是两个内存操作数（如 MOV [SI],[DI] 或 MOV X,Y）。改法：先把一个操作数送进寄存器。"},
    {{"jump out of range"},
     "条件转移只能跳到前后约 128 字节以内。改法：把条件反过来，跳过一条 JMP，由 JMP 跳到远处的标号。"},
    {{"phase error"},
     "两遍汇编算出的标号地址不一样，多因向前引用的大小不确定。改法：把数据段写在代码段之前，或给向前引用写明 SHORT、NEAR、BYTE PTR 等。"},
    {{"must be in segment block", "data emitted with no segment", "emission to undeclared segment"},
     "指令或数据写在了段的外面。改法：把它放到某个 SEGMENT 与 ENDS 之间。"},
    {{"symbol is multidefined", "redefinition of symbol", "reference to multidefined symbol", "symbol already defined elsewhere"},
     "同一个名字定义了两次。改法：给其中一个改名，或删掉重复的定义。"},
    {{"symbol already different kind"},
     "同一个名字被当成了两种东西（如既是标号又是变量）。改法：给其中一个改名。"},
    {{"must be index or base register", "illegal indexing mode"},
     "方括号里只能用 BX、BP、SI、DI（一个基址加一个变址，如 [BX+SI]）。改法：先把地址送进 BX、SI 或 DI。"},
    {{"multiple base registers", "multiple index registers"},
     "一个地址里用了两个基址寄存器（BX 和 BP）或两个变址寄存器（SI 和 DI）。改法：只能一个基址加一个变址，如 [BX+DI]。"},
    {{"immediate mode illegal"},
     "这里不能用立即数，如 MOV DS,1234H，或 8086 上的 PUSH 常数。改法：先把常数送进通用寄存器，再送过去。"},
    {{"illegal use of cs register"},
     "不能用 MOV 或 POP 改 CS。改法：用 JMP FAR PTR 或 CALL FAR PTR 转到别的代码段。"},
    {{"improper use of segment register", "illegal use of segment register"},
     "段寄存器之间不能直接传送，也不能做算术或送立即数。改法：经 AX 中转，如 MOV AX,DATA 然后 MOV DS,AX。"},
    {{"value out of range", "constant too large"},
     "常数太大，装不进操作数（如 MOV AL,300）。改法：换成字寄存器，或改小常数。"},
    {{"operand must have size", "argument needs type override"},
     "看不出内存操作数是字节还是字（如 INC [BX]）。改法：写成 INC BYTE PTR [BX] 或 INC WORD PTR [BX]。"},
    {{"byte register illegal"},
     "这条指令不收 8 位寄存器（如 PUSH AL）。改法：换成 16 位寄存器，如 PUSH AX。"},
    {{"wrong type of register"},
     "寄存器种类不对（如 MOV DS,AL）。改法：换成合适的 16 位通用寄存器。"},
    {{"missing or unreachable cs", "can't address with currently assumed segment registers", "cannot address with segment register", "operand not in current cs assume segment"},
     "ASSUME 没有说明标号或变量所在段对应的段寄存器。改法：写 ASSUME CS:CODE,DS:DATA，并在程序开头给 DS 装入数据段地址。"},
    {{"block nesting error", "open segment", "open procedure"},
     "SEGMENT 与 ENDS、PROC 与 ENDP 或宏没有配对。改法：每个 SEGMENT 要有同名的 ENDS，每个 PROC 要有同名的 ENDP。"},
    {{"reserved word used as symbol"},
     "把保留字（指令、寄存器或伪指令的名字）用作了名字。改法：改个名字，例如不要把变量叫 NAME、LENGTH、STR。"},
    {{"extra characters on line"},
     "这一行末尾有多余的内容。改法：检查多写的操作数，注释前面要加分号 ;。"},
    {{"illegal instruction", "expected: instruction or directive"},
     "不认识这条指令，或当前 CPU 不支持它（如 8086 下的 PUSHA）。改法：检查拼写；需要 80186 以上的指令时加 .186 或 .286。"},
    {{"forward reference illegal", "forward needs override"},
     "向前引用的名字大小未知。改法：把数据段放在代码段前面，或写明 BYTE PTR、WORD PTR、SHORT。"},
    {{"constant expected", "expecting scalar type"},
     "这里要一个常数，写的却是变量或寄存器。改法：换成常数或用 EQU 定义的符号。"},
    {{"division by 0", "divide by 0"},
     "表达式里除以了 0 或结果溢出。改法：检查这个常数表达式。"},
    {{"operand expected", "missing operand", "need expression", "too few operands"},
     "缺少操作数（如 MOV AX,）。改法：把操作数补上。"},
    {{"illegal size for operand", "has illegal size"},
     "操作数的大小不合这条指令（如 PUSH 一个字节）。改法：用字操作数。"},
    {{"near jmp/call to different cs"},
     "近转移或近调用的目标在另一个代码段。改法：目标在别的段时用 FAR PTR，或把它放进同一段。"},
    {{"must have instruction after prefix"},
     "REP、LOCK 这类前缀后面缺少指令。改法：把前缀和串指令写在同一行，如 REP MOVSB。"},
    {{"cannot override es for destination"},
     "串指令的目的操作数只能在 ES 段，不能加段前缀。改法：去掉段前缀，先让 ES 指向目的数据。"},
    {{"open parenthesis or bracket", "need right parenthesis", "need right square bracket"},
     "括号没有配对。改法：检查 [ ] 与 ( )。"},
    {{"illegal number", "non-digit in number"},
     "数字写法不对：十六进制数要以 H 结尾，以字母开头的要在前面加 0（如 0FFH）。改法：改正这个数。"},
    {{"segment parameters are changed", "segment attributes illegally redefined"},
     "同名的段两次定义时属性不一样。改法：让同名段的 SEGMENT 行完全一致。"},
    {{"type illegal in context"},
     "这里不能用这种类型说明。改法：检查 PTR 前面的类型与操作数是否相配。"},
    {{"illegal use of external"},
     "外部名字不能这样用（如在常数表达式里）。改法：检查 EXTRN 的类型，或改用本模块的符号。"},
    {{"syntax error"},
     "这一行的写法汇编程序读不懂。改法：检查指令拼写、逗号、括号和引号是否配对。"},
    {{"illegal use of register"},
     "这里不能这样用寄存器（如 MOV BYTE PTR AX,1：寄存器自己有大小，不能再加 PTR）。改法：去掉多余的类型说明，或换成合适的寄存器。"},
    {{"invalid operand(s) to instruction"},
     "这条指令不收这样的操作数（如 MOV CS,AX）。改法：查这条指令允许的操作数，必要时先经通用寄存器中转。"},
};

// True when `text` holds `wording`, each "*" of which stands for any run of characters.
bool Holds(const std::string& text, std::string_view wording)
{
    std::size_t from = 0;
    while (true) {
        const std::size_t star = wording.find('*');
        const std::string_view part = wording.substr(0, star);
        const std::size_t at = text.find(part, from);
        if (at == std::string::npos) return false;
        if (star == std::string_view::npos) return true;
        from = at + part.size();
        wording.remove_prefix(star + 1);
    }
}

std::string Lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

int FindToolExplanation(std::string_view messageText)
{
    const std::string text = Lower(messageText);
    for (std::size_t row = 0; row < std::size(kExplanations); ++row)
        for (const char* wording : kExplanations[row].wordings)
            if (wording && Holds(text, wording)) return static_cast<int>(row);
    return -1;
}

const ToolExplanation* ToolExplanations(std::size_t& count)
{
    count = std::size(kExplanations);
    return kExplanations;
}

const char* ExplainToolMessage(const ToolMessage& message)
{
    const int row = FindToolExplanation(message.text);
    return row < 0 ? nullptr : kExplanations[row].text;
}

}  // namespace halyard::toolchain
