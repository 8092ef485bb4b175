// The assemble and link lines, their quoting and their limits.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/toolchain/build_lines.h"
#include "core/toolchain/cmd_quote.h"

namespace halyard::toolchain {
namespace {

constexpr std::size_t kSize = 256;

struct Composed {
    LineStatus status;
    std::string command;
    std::string line;
};

Composed ComposeFor(BuildStep step, int assembler, int config, std::string_view fileName, std::string_view baseName,
                    std::string_view toolFolder = "C:\\H\\bin")
{
    char command[kSize];
    char line[kSize];
    std::memset(command, 'x', kSize);
    std::memset(line, 'x', kSize);
    const LineStatus status =
        ComposeStepLine({step, assembler, config, fileName, baseName}, toolFolder, command, line, kSize);
    return {status, command, line};
}

struct LineCase {
    BuildStep step;
    int assembler;
    int config;
    const char* fileName;
    const char* baseName;
    const char* line;
};

TEST(BuildLines, OrdinaryNamesGiveTheClassicLines)
{
    const LineCase cases[] = {
        {BuildStep::Compile, kAssemblerTasm, kConfigDebug, "hello.asm", "hello",
         "C:\\H\\bin\\tasm16\\tasm.exe /zi /la hello.asm\r\n"},
        {BuildStep::Compile, kAssemblerMasm, kConfigRelease, "prog.asm", "prog",
         "C:\\H\\bin\\masm16\\masm.exe /a prog.asm,prog.obj,prog.lst,prog.crf;\r\n"},
        {BuildStep::Link, kAssemblerTasm, kConfigDebug, "hello.asm", "hello",
         "C:\\H\\bin\\tasm16\\tlink.exe /v hello.obj\r\n"},
        {BuildStep::Link, kAssemblerTasm, kConfigRelease, "hello.asm", "hello",
         "C:\\H\\bin\\tasm16\\tlink.exe hello.obj\r\n"},
        {BuildStep::Link, kAssemblerTasm, 7, "hello.asm", "hello", "C:\\H\\bin\\tasm16\\tlink.exe hello.obj\r\n"},
        {BuildStep::Link, kAssemblerMasm, kConfigRelease, "hello.asm", "hello",
         "C:\\H\\bin\\masm16\\link.exe hello.obj,hello.exe;\r\n"},
        // Only four characters are dropped for the base name, whatever the extension.
        {BuildStep::Compile, kAssemblerMasm, kConfigDebug, "a.inc", "a",
         "C:\\H\\bin\\masm16\\masm.exe /a a.inc,a.obj,a.lst,a.crf;\r\n"},
    };
    for (const LineCase& c : cases) {
        const Composed got = ComposeFor(c.step, c.assembler, c.config, c.fileName, c.baseName);
        EXPECT_EQ(LineStatus::Ok, got.status) << c.line;
        EXPECT_EQ(c.line, got.line);
        // The command is the line without the tool folder and the line end.
        EXPECT_EQ(std::string(c.line).substr(8, std::strlen(c.line) - 10), got.command);
    }
}

TEST(BuildLines, AssemblersWithoutAToolchainSendNothing)
{
    for (const int assembler : {2, 3, -1}) {
        for (const BuildStep step : {BuildStep::Compile, BuildStep::Link}) {
            const Composed got = ComposeFor(step, assembler, kConfigDebug, "hello.asm", "hello");
            EXPECT_EQ(LineStatus::NoCommand, got.status);
            EXPECT_EQ("", got.line);
            EXPECT_EQ("", got.command);
        }
    }
}

TEST(BuildLines, HostileNamesAreQuotedWordByWord)
{
    const LineCase cases[] = {
        {BuildStep::Compile, kAssemblerTasm, 0, "my prog.asm", "my prog",
         "C:\\H\\bin\\tasm16\\tasm.exe /zi /la \"my prog.asm\"\r\n"},
        {BuildStep::Compile, kAssemblerMasm, 0, "a&b.asm", "a&b",
         "C:\\H\\bin\\masm16\\masm.exe /a \"a&b.asm\",\"a&b.obj\",\"a&b.lst\",\"a&b.crf\";\r\n"},
        {BuildStep::Link, kAssemblerMasm, 0, "x^y.asm", "x^y",
         "C:\\H\\bin\\masm16\\link.exe \"x^y.obj\",\"x^y.exe\";\r\n"},
        {BuildStep::Link, kAssemblerTasm, 0, "(1)!.asm", "(1)!", "C:\\H\\bin\\tasm16\\tlink.exe /v \"(1)!.obj\"\r\n"},
        // A code page 936 name stays bare unless one of its trail bytes is an operator (0x7C).
        {BuildStep::Compile, kAssemblerTasm, 0, "\xCA\xB5\xD1\xE9.asm", "\xCA\xB5\xD1\xE9",
         "C:\\H\\bin\\tasm16\\tasm.exe /zi /la \xCA\xB5\xD1\xE9.asm\r\n"},
        {BuildStep::Compile, kAssemblerTasm, 0, "\x81|.asm", "\x81|", "C:\\H\\bin\\tasm16\\tasm.exe /zi /la \"\x81|.asm\"\r\n"},
    };
    for (const LineCase& c : cases) {
        const Composed got = ComposeFor(c.step, c.assembler, c.config, c.fileName, c.baseName);
        EXPECT_EQ(LineStatus::Ok, got.status) << c.line;
        EXPECT_EQ(c.line, got.line);
    }
}

TEST(BuildLines, ToolFolderWithBlanksIsOneQuotedWord)
{
    const Composed got = ComposeFor(BuildStep::Link, kAssemblerTasm, kConfigDebug, "hello.asm", "hello",
                                    "C:\\Program Files (x86)\\H & Co\\bin");
    EXPECT_EQ(LineStatus::Ok, got.status);
    EXPECT_EQ("\"C:\\Program Files (x86)\\H & Co\\bin\\tasm16\\tlink.exe\" /v hello.obj\r\n", got.line);
    EXPECT_EQ("\\tasm16\\tlink.exe /v hello.obj", got.command);
}

TEST(BuildLines, NamesNoQuotingMakesSafeAreRefused)
{
    struct RefusedCase {
        const char* fileName;
        const char* baseName;
        const char* toolFolder;
    };
    const RefusedCase cases[] = {
        {"100%.asm", "100%", "C:\\H\\bin"},
        {"a\r\ndel x.asm", "a\r\ndel x", "C:\\H\\bin"},
        {"hello.asm", "hello", "C:\\50%\\bin"},
        {"hello.asm", "hello", "C:\\H\nB\\bin"},
    };
    for (const RefusedCase& c : cases) {
        for (const BuildStep step : {BuildStep::Compile, BuildStep::Link}) {
            for (const int assembler : {kAssemblerMasm, kAssemblerTasm}) {
                const Composed got = ComposeFor(step, assembler, kConfigDebug, c.fileName, c.baseName, c.toolFolder);
                EXPECT_EQ(LineStatus::UnsafeName, got.status) << c.fileName << " in " << c.toolFolder;
                EXPECT_EQ("", got.line);
                EXPECT_EQ("", got.command);
            }
        }
    }
    EXPECT_FALSE(RefusalText(LineStatus::UnsafeName).empty());
}

TEST(BuildLines, ALineMustLeaveRoomForItsTerminator)
{
    const std::size_t tail = std::strlen("\\tasm16\\tlink.exe /v hello.obj\r\n");
    const std::string fits(255 - tail, 'f');
    const Composed ok = ComposeFor(BuildStep::Link, kAssemblerTasm, kConfigDebug, "hello.asm", "hello", fits);
    EXPECT_EQ(LineStatus::Ok, ok.status);
    EXPECT_EQ(255u, ok.line.size());

    const std::string over(fits + "f");
    const Composed refused = ComposeFor(BuildStep::Link, kAssemblerTasm, kConfigDebug, "hello.asm", "hello", over);
    EXPECT_EQ(LineStatus::TooLong, refused.status);
    EXPECT_EQ("", refused.line);
    EXPECT_EQ("", refused.command);
    EXPECT_FALSE(RefusalText(LineStatus::TooLong).empty());

    // A long name fails on the command as well as the line; nothing is cut.
    const std::string name(300, 'n');
    const Composed longName = ComposeFor(BuildStep::Compile, kAssemblerTasm, 0, name + ".asm", name);
    EXPECT_EQ(LineStatus::TooLong, longName.status);
}

TEST(CmdQuote, ClassifiesWords)
{
    struct WordCase {
        std::string_view word;
        WordQuoting quoting;
    };
    const WordCase cases[] = {
        {"hello.asm", WordQuoting::Bare},
        {"C:\\H\\bin\\tasm16\\tasm.exe", WordQuoting::Bare},
        {"", WordQuoting::Bare},
        {"a b", WordQuoting::Quoted},
        {"a\tb", WordQuoting::Refused},
        {"a=b", WordQuoting::Quoted},
        {"a|b", WordQuoting::Quoted},
        {"C:\\a b\\", WordQuoting::Refused},
        {"C:\\ab\\", WordQuoting::Bare},
        {"a%", WordQuoting::Refused},
        {std::string_view("a\0b", 3), WordQuoting::Refused},
    };
    for (const WordCase& c : cases) EXPECT_EQ(c.quoting, ClassifyWord(c.word)) << c.word;

    std::string out = "x ";
    EXPECT_FALSE(AppendCmdWord(out, "50%"));
    EXPECT_EQ("x ", out);
    EXPECT_TRUE(AppendCmdWord(out, "a b"));
    EXPECT_EQ("x \"a b\"", out);
}

}  // namespace
}  // namespace halyard::toolchain
