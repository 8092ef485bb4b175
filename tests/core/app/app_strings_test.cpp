// Template strings, the file prompt's filter, and config.ini's remembered folder.
#include <gtest/gtest.h>
#include "core/app/config_location.h"
#include "core/app/doc_strings.h"

namespace {
const std::string kTemplate = "\nNew ASM File\nasm\nHalyard Files (*.asm)\n.asm\nHalyard.Document\nHalyard Document";
}

TEST(DocStrings, SevenFieldsAndMissingOnes)
{
    EXPECT_EQ("", GetDocString(kTemplate, DocStringIndex::WindowTitle));
    EXPECT_EQ("New ASM File", GetDocString(kTemplate, DocStringIndex::DocName));
    EXPECT_EQ("asm", GetDocString(kTemplate, DocStringIndex::FileNewName));
    EXPECT_EQ("Halyard Files (*.asm)", GetDocString(kTemplate, DocStringIndex::FilterName));
    EXPECT_EQ(".asm", GetDocString(kTemplate, DocStringIndex::FilterExt));
    EXPECT_EQ("Halyard.Document", GetDocString(kTemplate, DocStringIndex::RegFileTypeId));
    EXPECT_EQ("Halyard Document", GetDocString(kTemplate, DocStringIndex::RegFileTypeName));
    EXPECT_EQ("", GetDocString("only\ntwo", DocStringIndex::FilterExt));
}

TEST(FileFilter, TemplateEntryThenAllFiles)
{
    FileFilter f = BuildFileFilter({{"Halyard Files (*.asm)", ".asm"}}, "All Files (*.*)");
    EXPECT_EQ(std::string("Halyard Files (*.asm)\0*.asm\0All Files (*.*)\0*.*\0", 48), f.text);
    EXPECT_EQ("asm", f.defaultExtension);
    EXPECT_EQ(1, f.filterIndex);
}

TEST(FileFilter, TemplatesWithoutNameOrExtensionAreSkipped)
{
    FileFilter f = BuildFileFilter({{"", ".x"}, {"Y files", ""}, {"Z files", ".z"}}, "All");
    EXPECT_EQ(std::string("Z files\0*.z\0All\0*.*\0", 20), f.text);
    EXPECT_EQ("z", f.defaultExtension);
    EXPECT_EQ(1, f.filterIndex);
    FileFilter none = BuildFileFilter({}, "All");
    EXPECT_EQ(std::string("All\0*.*\0", 8), none.text);
    EXPECT_EQ(0, none.filterIndex);
}

TEST(ConfigLocation, TextModeReadOfSixtyCharacters)
{
    struct Row {
        std::string raw, location;
    } rows[] = {
        {"D:\\work\\asm", "D:\\work\\asm"},
        {"D:\\work\r\n", "D:\\work\n"},                 // CR LF arrives as one line feed
        {std::string(70, 'a'), std::string(60, 'a')},    // only the first 60 characters
        {std::string("C:\\x\0junk", 9), "C:\\x"},        // a NUL ends the value
        {"C:\\y\x1a" "tail", "C:\\y"},                    // Ctrl+Z ends a text-mode read
        {"", ""},
        {std::string(59, 'b') + "\r\nzz", std::string(59, 'b') + "\n"},
    };
    for (const Row& r : rows) EXPECT_EQ(r.location, DecodeLocation(r.raw)) << r.raw;
}

TEST(ConfigLocation, WriteIsTextModeAndReadsBack)
{
    EXPECT_EQ("C:\\src", EncodeLocation("C:\\src"));
    EXPECT_EQ("a\r\nb", EncodeLocation("a\nb"));
    EXPECT_EQ("a\nb", DecodeLocation(EncodeLocation("a\nb")));
}
