// Names of new snippets: what a file directly in the snippet folder can be called.
#include <gtest/gtest.h>

#include <string>

#include "core/snippets/snippet_name.h"

namespace {

struct NameCase {
    std::string name;
    SnippetNameCheck check;
    std::string bad;
};

TEST(SnippetName, AcceptsFileNamesAndSaysWhatIsWrongWithOthers)
{
    const NameCase cases[] = {
        {"exit-to-dos", SnippetNameCheck::Ok, ""},
        {"print string.asm", SnippetNameCheck::Ok, ""},
        {"\xB4\xF2\xD3\xA1", SnippetNameCheck::Ok, ""},     // "打印"
        {"\x95\x5C\x95\x7C", SnippetNameCheck::Ok, ""},     // trail bytes that look like "\" and "|"
        {"", SnippetNameCheck::Empty, ""},
        {"a/b:c/d", SnippetNameCheck::BadCharacters, "/:"},
        {"what?*<>\"|\\", SnippetNameCheck::BadCharacters, "?*<>\"|\\"},
        {"tab\there\x01", SnippetNameCheck::BadCharacters, "^I^A"},
        {"\xB4\xF2\\", SnippetNameCheck::BadCharacters, "\\"}, // a backslash after a whole character
        {"\xB4\\", SnippetNameCheck::Ok, ""},                  // the same byte as a trail byte
        {"name.", SnippetNameCheck::BadEnd, ""},
        {"name ", SnippetNameCheck::BadEnd, ""},
        {"con", SnippetNameCheck::Reserved, ""},
        {"CON.txt", SnippetNameCheck::Reserved, ""},
        {"Lpt1", SnippetNameCheck::Reserved, ""},
        {"com9.asm", SnippetNameCheck::Reserved, ""},
        {"com0", SnippetNameCheck::Ok, ""},
        {"console", SnippetNameCheck::Ok, ""},
        {"lpt10", SnippetNameCheck::Ok, ""},
    };
    for (const NameCase& c : cases) {
        std::string bad = "stale";
        EXPECT_EQ(c.check, CheckSnippetName(c.name, bad)) << c.name;
        EXPECT_EQ(c.bad, bad) << c.name;
    }
}

} // namespace
