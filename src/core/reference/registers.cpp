// The 8086's registers, as a course names them: the general registers and their halves, the
// pointer and index registers, the segment registers, IP and the flags.
#include "core/reference/reference_data.h"

#include <iterator>

namespace halyard::reference {

namespace {

const Register kRegisters[] = {
    {"AX", "累加器", "16 位通用寄存器，乘除法、输入输出和许多 DOS 功能都用它；分成 AH 和 AL 两半。", "MOV AX, 1234h"},
    {"AH", "AX 的高 8 位", "8 位寄存器。调用 INT 21h、INT 10h、INT 16h 时放功能号。", "MOV AH, 4Ch\nINT 21h"},
    {"AL", "AX 的低 8 位", "8 位寄存器，字节的乘除法、输入输出和字节串指令都用它。", "MOV AL, 'A'"},
    {"BX", "基址寄存器", "16 位通用寄存器，可以放在方括号里做基址，如 [BX]、[BX+SI]；分成 BH 和 BL。", "MOV BX, OFFSET BUF\nMOV AL, [BX]"},
    {"BH", "BX 的高 8 位", "8 位寄存器。INT 10h 的许多显示功能用它放显示页号。", "MOV BH, 0"},
    {"BL", "BX 的低 8 位", "8 位寄存器。INT 10h 的写像素、写字符功能用它放颜色。", "MOV BL, 1Eh"},
    {"CX", "计数寄存器", "16 位通用寄存器，LOOP 和带 REP 前缀的串指令用它计数；分成 CH 和 CL。", "MOV CX, 10\nAGAIN: LOOP AGAIN"},
    {"CH", "CX 的高 8 位", "8 位寄存器。INT 10h 设置光标时放行号或起始扫描线。", "MOV CH, 5"},
    {"CL", "CX 的低 8 位", "8 位寄存器。移位和循环移位超过 1 位时用它放位数。", "MOV CL, 4\nSHL AX, CL"},
    {"DX", "数据寄存器", "16 位通用寄存器，字乘除法放高 16 位，IN/OUT 用它放端口号，INT 21h 的 09h 用它放字符串地址；分成 DH 和 DL。", "MOV DX, OFFSET MSG\nMOV AH, 09h\nINT 21h"},
    {"DH", "DX 的高 8 位", "8 位寄存器。INT 10h 设置光标位置时放行号。", "MOV DH, 12"},
    {"DL", "DX 的低 8 位", "8 位寄存器。INT 21h 的 02h 用它放要显示的字符，INT 10h 设置光标时放列号。", "MOV DL, 'A'\nMOV AH, 02h\nINT 21h"},
    {"SI", "源变址寄存器", "16 位，可以放在方括号里做变址；串指令从 DS:SI 取源数据。", "MOV SI, OFFSET SRC\nLODSB"},
    {"DI", "目的变址寄存器", "16 位，可以放在方括号里做变址；串指令往 ES:DI 写目的数据。", "MOV DI, OFFSET DST\nSTOSB"},
    {"BP", "基址指针", "16 位，放在方括号里时默认用 SS 段，常用来读取堆栈里的参数。", "MOV BP, SP\nMOV AX, [BP+4]"},
    {"SP", "堆栈指针", "16 位，指向栈顶（SS:SP）；PUSH、POP、CALL、RET 会改变它。", "PUSH AX"},
    {"CS", "代码段寄存器", "段寄存器，CS:IP 指向下一条要执行的指令；不能用 MOV 或 POP 改它。", "ASSUME CS:CODE"},
    {"DS", "数据段寄存器", "段寄存器，大多数内存操作数默认在 DS 段；EXE 程序开头要自己装入数据段地址。", "MOV AX, DATA\nMOV DS, AX"},
    {"ES", "附加段寄存器", "段寄存器，串指令的目的操作数在 ES:DI。", "PUSH DS\nPOP ES"},
    {"SS", "堆栈段寄存器", "段寄存器，SS:SP 是栈顶；EXE 程序由 STACK 段自动设置。", "STACK SEGMENT STACK"},
    {"IP", "指令指针", "CS:IP 指向下一条要执行的指令；只能由转移、调用、返回和中断改变。", "JMP START"},
    {"FLAGS", "标志寄存器", "放 CF、ZF、SF、OF 等标志，条件转移根据它们决定是否转移；用 PUSHF 和 POPF 整体存取。", "PUSHF\nPOP AX"},
};

} // namespace

const Register* Registers(std::size_t& count)
{
    count = std::size(kRegisters);
    return kRegisters;
}

} // namespace halyard::reference
