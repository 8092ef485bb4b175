// The program's own texts are compiled as code page 936 bytes.
#include <gtest/gtest.h>
#include <cstring>
#include <windows.h>

TEST(Charset, ChineseTextIsGbkBytes)
{
    const char text[] = "开发中 |暂时不支持Nasm";
    const unsigned char gbk[] = {0xBF, 0xAA, 0xB7, 0xA2, 0xD6, 0xD0, 0x20, 0x7C, 0xD4, 0xDD, 0xCA,
                                 0xB1, 0xB2, 0xBB, 0xD6, 0xA7, 0xB3, 0xD6, 0x4E, 0x61, 0x73, 0x6D};
    ASSERT_EQ(sizeof gbk, std::strlen(text));
    EXPECT_EQ(0, std::memcmp(text, gbk, sizeof gbk));
}

TEST(Charset, AnsiCodePageIs936)
{
    // The Wine environment of the tests runs with LANG=zh_CN.UTF-8.
    EXPECT_EQ(936u, GetACP());
}
