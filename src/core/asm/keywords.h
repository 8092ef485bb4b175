#pragma once
// The keyword tables of the assembly classifier, and the lookup that the classifier uses.
// Matching is whole-word and ignores the case of ASCII letters, as the assemblers do: an entry
// matches a word of exactly its length that equals it once both are in capitals. No word occurs
// in two tables in any case (checked when the lookup table is built).
#include <cstdint>
#include <string_view>

// 68 entries.
inline constexpr std::string_view RegisterNames[] = {
    "EAX", "AX", "AH", "AL", "eax", "ax", "ah", "al", "EBX", "BX", "BH", "BL", "ebx", "bx", "bh",
    "bl", "ECX", "CX", "CH", "CL", "ecx", "cx", "ch", "cl", "EDX", "DX", "DH", "DL", "edx", "dx",
    "dh", "dl", "ESI", "SI", "esi", "si", "EDI", "DI", "edi", "di", "ESP", "SP", "esp", "sp", "EBP",
    "BP", "ebp", "bp", "CS", "cs", "DS", "ds", "ES", "es", "SS", "ss", "FS", "fs", "GS", "gs",
    "EIP", "IP", "eip", "ip", "EFLAGS", "FLAGS", "eflags", "flags",
};

// 270 entries: every mnemonic in upper and in lower case, except "JNP" and "JPO" (upper case only).
inline constexpr std::string_view InstructionNames[] = {
    "MOV", "mov", "MOVS", "movs", "MOVSB", "movsb", "MOVSW", "movsw", "MOVSX", "movsx", "MOVZX",
    "movzx", "PUSH", "push", "POP", "pop", "PUSHA", "pusha", "POPA", "popa", "PUSHAD", "pushad",
    "POPAD", "popad", "BSWAP", "bswap", "XCHG", "xchg", "CMPXCHG", "cmpxchg", "XADD", "xadd",
    "XLAT", "xlat", "IN", "in", "OUT", "out", "LEA", "lea", "LDS", "lds", "LES", "les", "LFS",
    "lfs", "LGS", "lgs", "LSS", "lss", "LAHF", "lahf", "SAHF", "sahf", "PUSHF", "pushf", "POPF",
    "popf", "PUSHD", "pushd", "POPD", "popd", "ADD", "add", "ADC", "adc", "INC", "inc", "AAA",
    "aaa", "DAA", "daa", "SUB", "sub", "SBB", "sbb", "DEC", "dec", "NEG", "neg", "CMP", "cmp",
    "AAS", "aas", "DAS", "das", "MUL", "mul", "IMUL", "imul", "AAM", "aam", "DIV", "div", "IDIV",
    "idiv", "AAD", "aad", "CBW", "cbw", "CWD", "cwd", "CWDE", "cwde", "CDQ", "cdq", "AND", "and",
    "OR", "or", "XOR", "xor", "NOT", "not", "TEST", "test", "SHL", "shl", "SAL", "sal", "SHR",
    "shr", "SAR", "sar", "ROL", "rol", "ROR", "ror", "RCL", "rcl", "RCR", "rcr", "CMPS", "cmps",
    "SCAS", "scas", "LODS", "lods", "LODSB", "lodsb", "LODSW", "lodsw", "LODSD", "lodsd", "STOS",
    "stos", "REP", "rep", "REPE", "REPZ", "repe", "repz", "REPNE", "REPNZ", "repne", "repnz",
    "REPC", "repc", "REPNC", "repnc", "JMP", "jmp", "CALL", "call", "RET", "RETF", "ret", "retf",
    "JA", "JNBE", "ja", "jnbe", "JAE", "JNB", "jae", "jnb", "JB", "JNAE", "jb", "jnae", "JBE",
    "JNA", "jbe", "jna", "JG", "JNLE", "jg", "jnle", "JGE", "JNL", "jge", "jnl", "JL", "JNGE", "jl",
    "jnge", "JLE", "JNG", "jle", "jng", "JE", "JZ", "je", "jz", "JNE", "JNZ", "jne", "jnz", "JC",
    "jc", "JNC", "jnc", "JNO", "jno", "JNP", "JPO", "JNS", "jns", "JO", "jo", "JP", "JPE", "jp",
    "jpe", "JS", "js", "LOOP", "loop", "LOOPE", "LOOPZ", "loope", "loopz", "LOOPNE", "LOOPNZ",
    "loopne", "loopnz", "JCXZ", "jcxz", "JECXZ", "jecxz", "INT", "int", "INTO", "into", "IRET",
    "iret", "HLT", "hlt", "WAIT", "wait", "ESC", "esc", "LOCK", "lock", "NOP", "nop", "STC", "stc",
    "CLC", "clc", "CMC", "cmc", "STD", "std", "CLD", "cld", "STI", "sti", "CLI", "cli",
};

// 60 entries: directives and operators.
inline constexpr std::string_view DirectiveNames[] = {
    "TYPE", "LENGTH", "SIZE", "OFFSET", "SEG", "type", "length", "size", "offset", "seg", "PTR",
    "THIS", "HIGH", "LOW", "HIGHWORD", "LOWWORD", "ptr", "this", "high", "low", "highword",
    "lowword", "DB", "db", "DW", "dw", "DD", "dd", "DQ", "dq", "DT", "dt", "EQU", "equ", "PURGE",
    "purge", "SEGMENT", "ENDS", "ASSUME", "ORG", "segment", "ends", "assume", "org", "PROC", "ENDP",
    "proc", "endp", "MACRO", "ENDM", "macro", "endm", "NAME", "name", "TITLE", "title", "END",
    "end", "START", "start",
};

// What else the DOS assemblers accept, in the directive colour: the simplified segment model,
// processor and radix choices, predefined segment symbols, modules, conditional assembly, macros,
// structures and the type and distance operators. Capitals only: the lookup ignores case. The
// operators that are instructions too (AND, OR, XOR, NOT, SHL, SHR) stay in InstructionNames.
inline constexpr std::string_view MoreDirectiveNames[] = {
    ".MODEL", "TINY", "SMALL", "MEDIUM", "COMPACT", "LARGE", "HUGE", ".STACK", ".DATA", ".DATA?",
    ".CONST", ".FARDATA", ".FARDATA?", ".CODE", ".STARTUP", ".EXIT", ".8086", ".8087", ".186",
    ".286", ".286P", ".287", ".386", ".386P", ".387", ".RADIX", "@DATA", "@CODE", "@STACK",
    "INCLUDE", "INCLUDELIB", "EXTRN", "PUBLIC", "GROUP", "LABEL", "EVEN", "ALIGN", "IF", "IFE",
    "IF1", "IF2", "IFDEF", "IFNDEF", "IFB", "IFNB", "IFIDN", "IFDIF", "ELSE", "ENDIF", "LOCAL",
    "REPT", "IRP", "IRPC", "EXITM", "STRUC", "RECORD", "UNION", "DUP", "SHORT", "NEAR", "FAR",
    "BYTE", "WORD", "DWORD", "QWORD", "TBYTE", "MOD", "COMMENT",
};

static_assert(sizeof RegisterNames / sizeof RegisterNames[0] == 68);
static_assert(sizeof InstructionNames / sizeof InstructionNames[0] == 270);
static_assert(sizeof DirectiveNames / sizeof DirectiveNames[0] == 60);

// The colour of a keyword: ColourRegister, ColourInstruction or ColourDirective, or NoKeyword.
// Gives exactly the result of scanning RegisterNames, InstructionNames, DirectiveNames and
// MoreDirectiveNames in that order, letters compared in capitals, for a word of the bytes names
// are made of (letters, digits, _ . @ ? $); another byte may pass for the byte that differs from
// it in the 0x20 bit alone ("`" for "@"). `word` need not be terminated; length may be any value
// (0 or less matches nothing).
inline constexpr std::int32_t NoKeyword = -1;
std::int32_t KeywordColour(const char* word, std::int32_t length);

// The same answer for the word line[start..start+length-1] of a line of lineLength bytes. Bytes
// of the line around the word may be read (never outside the line), which makes the lookup
// cheaper than KeywordColour's byte by byte. start and length must lie within the line.
std::int32_t KeywordColourInLine(const char* line, std::int32_t lineLength, std::int32_t start,
                                 std::int32_t length);
