// The mode bar's words and summary label, and the five path parts of a document.
#include <gtest/gtest.h>
#include "core/toolchain/build_config.h"

using namespace halyard::toolchain;

TEST(BuildConfig, DefaultsAndLabel)
{
    BuildConfig c;
    EXPECT_EQ("8086    Tasm    16bit    Debug", SummaryLabel(c));
    EXPECT_STREQ("Tasm", ModeWord(ModeList::Assembler, c.assembler));
    EXPECT_EQ(nullptr, ModeWord(ModeList::Config, 2));
    EXPECT_EQ(nullptr, ModeWord(ModeList::Cpu, -1));
}

TEST(BuildConfig, ReplaceLabelWord)
{
    EXPECT_EQ("8086    Masm    16bit    Debug", ReplaceLabelWord("8086    Tasm    16bit    Debug", 2, "Masm"));
    EXPECT_EQ("80386    [BB]    [CC]    [DD]", ReplaceLabelWord("[AA]    [BB]    [CC]    [DD]", 1, "80386"));
    EXPECT_EQ("a    b        x", ReplaceLabelWord("a b", 4, "x"));  // a missing word stays empty
}

TEST(BuildConfig, WordsAndRefusals)
{
    EXPECT_EQ(1, FindModeWord(ModeList::Cpu, "80386"));
    EXPECT_EQ(-1, FindModeWord(ModeList::Assembler, "masm"));  // case-sensitive
    EXPECT_EQ(nullptr, RefusalMessage(ModeList::Assembler, "Masm"));
    EXPECT_NE(nullptr, RefusalMessage(ModeList::Assembler, "Nasm"));
    EXPECT_NE(nullptr, RefusalMessage(ModeList::Cpu, "C51"));
    EXPECT_NE(nullptr, RefusalMessage(ModeList::Cpu, "ARM"));
    EXPECT_NE(nullptr, RefusalMessage(ModeList::Bitness, "64bit"));
    EXPECT_EQ(nullptr, RefusalMessage(ModeList::Bitness, "16bit"));
}

TEST(SplitPath, Parts)
{
    struct Row {
        const char *path, *noExt, *folder, *file, *base;
    } rows[] = {
        {"C:\\src\\hello.asm", "C:\\src\\hello", "C:\\src\\", "hello.asm", "hello"},
        {"hello.asm", "hello", "", "hello.asm", "hello"},      // no backslash
        {"C:\\x\\a.s", "C:\\x", "C:\\x\\", "a.s", "a.s"},      // short name keeps itself
        {"a/b/c.asm", "a/b/c", "", "a/b/c.asm", "a/b/c"},      // only the backslash separates
        {"abc", "abc", "", "abc", "abc"},
    };
    for (const Row& r : rows) {
        PathParts p = SplitPath(r.path);
        EXPECT_EQ(r.path, p.fullPath);
        EXPECT_EQ(r.noExt, p.pathNoExt) << r.path;
        EXPECT_EQ(r.folder, p.folder) << r.path;
        EXPECT_EQ(r.file, p.fileName) << r.path;
        EXPECT_EQ(r.base, p.baseName) << r.path;
    }
}
