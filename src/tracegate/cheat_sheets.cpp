// The texts are code page 936 at run time (the sources are compiled with -fexec-charset=CP936);
// several lines keep a blank before their line end.
#include "tracegate/cheat_sheets.h"

namespace halyard::tracegate {
namespace {

constexpr char kDebugSheet[] =
    "调试中可以使用 q 命令退出debug模式.\n"
    "\n"
    "以下是 Debug 命令列表： \n"
    "? 显示 Debug 命令列表。 \n"
    "a 汇编 8086/8087/8088 记忆码。\n"
    "c 比较内存的两个部分。 \n"
    "d 显示部分内存的内容。 \n"
    "e 从指定地址开始，将数据输入到内存。 \n"
    "f 使用指定值填充一段内存。 \n"
    "g 运行在内存中的可执行文件。 \n"
    "h 执行十六进制运算。 \n"
    "i 显示来自特定端口的 1 字节值。 \n"
    "l 将文件或磁盘扇区内容加载到内存。 \n"
    "m 复制内存块中的内容 \n"
    "n 为 l 或 w 命令指定文件，或者指定正在测试的文件的参数。 \n"
    "o 向输出端口发送 1 个字节的值。 \n"
    "p 执行循环、重复的字符串指令、软件中断或子例程。 \n"
    "q 停止 Debug 会话。 \n"
    "r 显示或改变一个或多个寄存器。 \n"
    "s 在部分内存中搜索一个或多个字节值的模式。 \n"
    "t 执行一条指令，然后显示:所有寄存器的内容、所有标志的状态、下一步要执行的指令的解码形式\n"
    "u 反汇编字节并显示相应的原语句。 \n"
    "w 将被测试文件写入磁盘。 \n"
    "xa 分配扩展内存。 \n"
    "xd 释放扩展内存。 \n"
    "xm 映射扩展内存页。 \n"
    "xs 显示扩展内存的状态。\n"
    "\n";

constexpr char kTdSheet[] =
    "调试中可以使用 Alt+X 命令退出debug模式,退出控制台可以使用:exit命令.\n"
    "\n"
    "以下是 TD 命令列表：\n"
    "F1  帮助手册\n"
    "F2  Bkpt 断点设置或取消\n"
    "F3  Mod 打开代码模块选择窗口\n"
    "F4  Here 运行到光标所在处\n"
    "F5  放大/缩小调试窗口\n"
    "F6  切换 代码视图/监视 窗口\n"
    "F7  Trace 跟踪进入子函数\n"
    "F8  Step 单步执行程序\n"
    "F9  Run 全速运行程序\n"
    "F10 切换到菜单\n"
    "\n";

}  // namespace

std::string_view CheatSheet(char mode) noexcept
{
    switch (mode) {
    case 'm': return {kDebugSheet, sizeof kDebugSheet - 1};
    case 't': return {kTdSheet, sizeof kTdSheet - 1};
    default: return {};
    }
}

}  // namespace halyard::tracegate
