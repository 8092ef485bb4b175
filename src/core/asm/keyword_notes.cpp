#include "core/asm/keyword_notes.h"

#include <cstddef>

namespace {

struct Note {
    const char* word;  // in capitals
    const char* text;
};

const Note kNotes[] = {
    // Registers of later processors (the 8086's own are in the instruction reference)
    {"FS", "FS：80386 起才有的附加段寄存器"},
    {"GS", "GS：80386 起才有的附加段寄存器"},
    {"EAX", "EAX：80386 起的 32 位累加器，低 16 位就是 AX"},
    {"EBX", "EBX：80386 起的 32 位寄存器，低 16 位就是 BX"},
    {"ECX", "ECX：80386 起的 32 位寄存器，低 16 位就是 CX"},
    {"EDX", "EDX：80386 起的 32 位寄存器，低 16 位就是 DX"},
    {"ESI", "ESI：80386 起的 32 位寄存器，低 16 位就是 SI"},
    {"EDI", "EDI：80386 起的 32 位寄存器，低 16 位就是 DI"},
    {"ESP", "ESP：80386 起的 32 位堆栈指针，低 16 位就是 SP"},
    {"EBP", "EBP：80386 起的 32 位基址指针，低 16 位就是 BP"},
    {"EIP", "EIP：80386 起的 32 位指令指针"},
    {"EFLAGS", "EFLAGS：80386 起的 32 位标志寄存器"},
    // Data and symbols
    {"DB", "DB：定义字节变量，每项 1 个字节，可以是数、字符或字符串"},
    {"DW", "DW：定义字变量，每项 2 个字节，低字节在前"},
    {"DD", "DD：定义双字变量，每项 4 个字节"},
    {"DQ", "DQ：定义 4 字变量，每项 8 个字节"},
    {"DT", "DT：定义 10 个字节的变量（压缩 BCD 数或实数）"},
    {"DUP", "DUP：重复定义，例如 DB 10 DUP(0) 定义 10 个 0 字节"},
    {"EQU", "EQU：给常量或表达式起名字，不占存储单元"},
    {"PURGE", "PURGE：删除已定义的宏"},
    {"LABEL", "LABEL：在当前位置定义一个指定类型的标号，例如 BUF LABEL BYTE"},
    {"EVEN", "EVEN：让下一个变量或指令从偶地址开始"},
    {"ALIGN", "ALIGN：让下一个变量或指令的地址对齐到给定的 2 的幂"},
    {"ORG", "ORG：设定下一个变量或指令的偏移地址，.COM 程序用 ORG 100h"},
    // Segments and procedures
    {"SEGMENT", "SEGMENT：定义一个段的开始，到同名的 ENDS 结束"},
    {"ENDS", "ENDS：结束一个段或结构"},
    {"ASSUME", "ASSUME：告诉汇编程序各段寄存器对应哪个段，不会装入段寄存器"},
    {"GROUP", "GROUP：把几个段合成一组，共用一个段地址"},
    {"PROC", "PROC：定义子程序的开始，NEAR 为段内、FAR 为段间，到 ENDP 结束"},
    {"ENDP", "ENDP：结束子程序"},
    {"END", "END：源程序结束，后面写程序开始执行的标号"},
    {"START", "START：常用作程序入口的标号名，由 END START 指出"},
    {"NAME", "NAME：给模块起名字"},
    {"TITLE", "TITLE：给程序清单加标题"},
    {".MODEL", ".MODEL：选择存储模型（TINY、SMALL、MEDIUM、COMPACT、LARGE、HUGE），简化段定义要先写它"},
    {"TINY", "TINY：微型模型，代码和数据在同一个段里，用来写 .COM 程序"},
    {"SMALL", "SMALL：小型模型，代码一个段、数据一个段，课上最常用"},
    {"MEDIUM", "MEDIUM：中型模型，代码可以有多个段，数据一个段"},
    {"COMPACT", "COMPACT：紧凑模型，代码一个段，数据可以有多个段"},
    {"LARGE", "LARGE：大型模型，代码和数据都可以有多个段"},
    {"HUGE", "HUGE：巨型模型，和 LARGE 相同，单个数组可以超过 64KB"},
    {".STACK", ".STACK：定义堆栈段，后面可写大小（默认 1024 字节）"},
    {".DATA", ".DATA：数据段开始（简化段定义），段地址是 @DATA"},
    {".DATA?", ".DATA?：不赋初值的数据段开始"},
    {".CONST", ".CONST：常数数据段开始"},
    {".FARDATA", ".FARDATA：远数据段开始"},
    {".FARDATA?", ".FARDATA?：不赋初值的远数据段开始"},
    {".CODE", ".CODE：代码段开始（简化段定义）"},
    {".STARTUP", ".STARTUP：生成装入 DS 等程序开头的代码，END 后面不用再写入口标号"},
    {".EXIT", ".EXIT：生成返回 DOS 的代码（INT 21h 的 4Ch 号功能），后面可写返回码"},
    {"@DATA", "@DATA：数据段（.DATA）的段地址，用 MOV AX, @DATA 和 MOV DS, AX 装入 DS"},
    {"@CODE", "@CODE：代码段（.CODE）的段名"},
    {"@STACK", "@STACK：堆栈段（.STACK）的段名"},
    {".8086", ".8086：只接受 8086/8088 指令（默认）"},
    {".8087", ".8087：接受 8087 协处理器指令"},
    {".186", ".186：接受 80186 指令"},
    {".286", ".286：接受 80286 非特权指令"},
    {".286P", ".286P：接受 80286 的全部指令"},
    {".287", ".287：接受 80287 协处理器指令"},
    {".386", ".386：接受 80386 非特权指令"},
    {".386P", ".386P：接受 80386 的全部指令"},
    {".387", ".387：接受 80387 协处理器指令"},
    {".RADIX", ".RADIX：设定不带后缀的数的默认进制（默认十进制）"},
    // Modules
    {"INCLUDE", "INCLUDE：把另一个源文件的内容插入这里汇编"},
    {"INCLUDELIB", "INCLUDELIB：告诉连接程序要连接的库文件"},
    {"EXTRN", "EXTRN：声明在别的模块里定义的名字及其类型"},
    {"PUBLIC", "PUBLIC：让本模块定义的名字可以被别的模块使用"},
    // Conditional assembly
    {"IF", "IF：表达式不为 0 时汇编后面的语句，到 ELSE 或 ENDIF"},
    {"IFE", "IFE：表达式为 0 时汇编后面的语句"},
    {"IF1", "IF1：在汇编的第一遍汇编后面的语句"},
    {"IF2", "IF2：在汇编的第二遍汇编后面的语句"},
    {"IFDEF", "IFDEF：名字已定义时汇编后面的语句"},
    {"IFNDEF", "IFNDEF：名字未定义时汇编后面的语句"},
    {"IFB", "IFB：宏参数为空时汇编后面的语句"},
    {"IFNB", "IFNB：宏参数不为空时汇编后面的语句"},
    {"IFIDN", "IFIDN：两个参数相同时汇编后面的语句"},
    {"IFDIF", "IFDIF：两个参数不同时汇编后面的语句"},
    {"ELSE", "ELSE：条件不成立时汇编的部分"},
    {"ENDIF", "ENDIF：结束条件汇编"},
    // Macros and structures
    {"MACRO", "MACRO：定义宏的开始，到 ENDM 结束；使用宏名时展开宏体"},
    {"ENDM", "ENDM：结束宏、REPT、IRP 或 IRPC"},
    {"LOCAL", "LOCAL：宏里的局部标号，每次展开换一个名字"},
    {"REPT", "REPT：把语句重复给定的次数，到 ENDM 结束"},
    {"IRP", "IRP：对尖括号里的每个参数重复一次语句"},
    {"IRPC", "IRPC：对字符串里的每个字符重复一次语句"},
    {"EXITM", "EXITM：提前结束宏的展开"},
    {"STRUC", "STRUC：定义结构类型，到 ENDS 结束"},
    {"RECORD", "RECORD：定义记录（按位划分的字段）"},
    {"UNION", "UNION：定义联合，各字段共用同一段存储"},
    {"COMMENT", "COMMENT：块注释，后面第一个字符是分界符，到下一个同样的字符为止都是注释"},
    // Operators
    {"PTR", "PTR：指定操作数的类型，例如 BYTE PTR [BX]"},
    {"OFFSET", "OFFSET：取变量或标号的偏移地址"},
    {"SEG", "SEG：取变量或标号的段地址"},
    {"TYPE", "TYPE：取变量的类型值（字节 1，字 2，双字 4）"},
    {"LENGTH", "LENGTH：取 DUP 定义的变量的项数"},
    {"SIZE", "SIZE：取变量占的字节数（LENGTH × TYPE）"},
    {"THIS", "THIS：在当前位置产生指定类型的操作数"},
    {"HIGH", "HIGH：取表达式的高 8 位"},
    {"LOW", "LOW：取表达式的低 8 位"},
    {"HIGHWORD", "HIGHWORD：取表达式的高 16 位"},
    {"LOWWORD", "LOWWORD：取表达式的低 16 位"},
    {"SHORT", "SHORT：短转移，目标在 -128 到 127 字节以内"},
    {"NEAR", "NEAR：段内（近）类型，只用偏移地址"},
    {"FAR", "FAR：段间（远）类型，用段地址和偏移地址"},
    {"BYTE", "BYTE：字节类型（1 个字节）"},
    {"WORD", "WORD：字类型（2 个字节）"},
    {"DWORD", "DWORD：双字类型（4 个字节）"},
    {"QWORD", "QWORD：4 字类型（8 个字节）"},
    {"TBYTE", "TBYTE：10 个字节的类型"},
    {"MOD", "MOD：求余数的运算符（汇编时计算）"},
};

bool SameInCapitals(std::string_view word, const char* capitals)
{
    std::size_t k = 0;
    for (; k < word.size() && capitals[k] != '\0'; ++k) {
        char c = word[k];
        if (c >= 'a' && c <= 'z') c = char(c - ('a' - 'A'));
        if (c != capitals[k]) return false;
    }
    return k == word.size() && capitals[k] == '\0';
}

}  // namespace

const char* KeywordNote(std::string_view word)
{
    for (const Note& note : kNotes)
        if (SameInCapitals(word, note.word)) return note.text;
    return nullptr;
}
