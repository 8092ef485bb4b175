// The welcome page's HTML subset: tables of HTML in, blocks out.
#include <gtest/gtest.h>
#include "core/app/html_page.h"

namespace halyard::app {
void PrintTo(const HtmlRun& r, std::ostream* os) { *os << (r.bold ? "B" : "T") << "(\"" << r.text << "\" " << r.link << ")"; }
void PrintTo(const HtmlBlock& b, std::ostream* os)
{
    *os << int(b.kind) << "/" << b.level << "{";
    for (const HtmlRun& r : b.runs) PrintTo(r, os);
    *os << "}";
}
}  // namespace halyard::app

using namespace halyard::app;

namespace {
HtmlRun T(const char* text) { return {text, false, ""}; }
HtmlRun B(const char* text) { return {text, true, ""}; }
HtmlRun L(const char* text, const char* link, bool bold = false) { return {text, bold, link}; }
HtmlBlock P(std::vector<HtmlRun> runs) { return {BlockKind::Paragraph, 0, std::move(runs)}; }
HtmlBlock H(int level, std::vector<HtmlRun> runs) { return {BlockKind::Heading, level, std::move(runs)}; }
HtmlBlock Li(std::vector<HtmlRun> runs) { return {BlockKind::ListItem, 0, std::move(runs)}; }
HtmlBlock Pre(std::vector<HtmlRun> runs) { return {BlockKind::Preformatted, 0, std::move(runs)}; }

struct Case {
    const char* html;
    std::vector<HtmlBlock> blocks;
};
}  // namespace

TEST(HtmlPage, BlocksRunsAndWhiteSpace)
{
    const Case cases[] = {
        {"", {}},
        {"<html><head><title>X</title><style>p{}</style></head><body><h1>Hi</h1></body></html>", {H(1, {T("Hi")})}},
        {"<H3 class=x>Up</H3>", {H(3, {T("Up")})}},
        {"<p>  one \r\n  two\t</p><p></p><p> </p>", {P({T("one two")})}},
        {"loose <b>text</b>", {P({T("loose "), B("text")})}},
        {"<p>a<b> bold </b>b</p>", {P({T("a "), B("bold "), T("b")})}},
        {"<p>a <strong><b>x</b>y</strong> z</p>", {P({T("a "), B("xy "), T("z")})}},
        {"<ul><li>one<li>two</ul>after", {Li({T("one")}), Li({T("two")}), P({T("after")})}},
        {"<p>see <a href='x.htm'>this <b>page</b></a>.</p>",
         {P({T("see "), L("this ", "x.htm"), L("page", "x.htm", true), T(".")})}},
        {"<a href=\"http://h/?a=1&amp;b=2\">go</a>", {P({L("go", "http://h/?a=1&b=2")})}},
        {"<pre>\n  mov ax, 1\r\n\n  int 21h\n</pre>", {Pre({T("  mov ax, 1\n\n  int 21h")})}},
        {"<p>one<br>two<br/></p>", {P({T("one\ntwo")})}},
        {"<p>x<!-- <b>hidden</b> -->y</p><!DOCTYPE html>", {P({T("xy")})}},
        {"<p>1 < 2 > 0</p>", {P({T("1 < 2 > 0")})}},
        {"<h2>t<p>p</h2>", {H(2, {T("t")}), P({T("p")})}},
        {"<p>unterminated <b", {P({T("unterminated")})}},
        {"<div>one</div><div>two</div>", {P({T("one")}), P({T("two")})}},
    };
    for (const Case& c : cases) EXPECT_EQ(c.blocks, ParseHtmlPage(c.html)) << c.html;
}

TEST(HtmlPage, EntitiesAndChineseBytes)
{
    auto gbk = [](std::uint32_t cp) { return cp == 0x4E2D ? std::string("\xD6\xD0") : std::string(); };
    const struct {
        const char* html;
        const char* text;
    } cases[] = {
        {"&amp;&lt;&gt;&quot;&apos;", "&<>\"'"},
        {"a&nbsp;&nbsp;b", "a  b"},
        {"&#65;&#x42;&#X43;", "ABC"},
        {"&#20013;&#x4e2d;", "\xD6\xD0\xD6\xD0"},  // through the encoder
        {"&#x1F600;&#0;&#99999999999;", "???"},    // not representable, NUL, out of range
        {"&bogus; & &#x; &amp", "&bogus; & &#x; &amp"},
        {"\xD6\xD0\xCE\xC4 <b>\xBB\xE3</b>", nullptr},
    };
    for (const auto& c : cases) {
        auto blocks = ParseHtmlPage(c.html, gbk);
        ASSERT_EQ(1u, blocks.size()) << c.html;
        if (c.text) EXPECT_EQ(std::vector<HtmlRun>{T(c.text)}, blocks[0].runs) << c.html;
        else EXPECT_EQ((std::vector<HtmlRun>{T("\xD6\xD0\xCE\xC4 "), B("\xBB\xE3")}), blocks[0].runs);
    }
    EXPECT_EQ(std::vector<HtmlBlock>{P({T("?")})}, ParseHtmlPage("&#20013;"));  // no encoder
}

TEST(HtmlPage, LinksResolveAgainstThePage)
{
    const std::string page = "C:\\Halyard\\Halyard.htm";
    const struct {
        const char* href;
        LinkKind kind;
        const char* target;
    } cases[] = {
        {"", LinkKind::None, ""},
        {"#top", LinkKind::None, ""},
        {"help.htm", LinkKind::Local, "C:\\Halyard\\help.htm"},
        {"doc/a.htm#part2", LinkKind::Local, "C:\\Halyard\\doc\\a.htm"},
        {"./doc/../b.htm?x=1", LinkKind::Local, "C:\\Halyard\\b.htm"},
        {"file:doc/c.htm", LinkKind::Local, "C:\\Halyard\\doc\\c.htm"},
        // Nothing outside the page's folder: climbing out, drives, roots, servers.
        {"..\\b.htm", LinkKind::None, ""},
        {"doc\\..\\..\\b.htm", LinkKind::None, ""},
        {"D:\\x.htm", LinkKind::None, ""},
        {"\\other\\x.htm", LinkKind::None, ""},
        {"\\\\server\\share\\x.htm", LinkKind::None, ""},
        {"file:///D:/pages/x.htm", LinkKind::None, ""},
        {"FILE://server/x.htm", LinkKind::None, ""},
        {"doc/", LinkKind::None, ""},
        {"http://example.org/a#b", LinkKind::Web, "http://example.org/a#b"},
        {"mailto:t@example.org", LinkKind::Web, "mailto:t@example.org"},
    };
    for (const auto& c : cases) {
        PageLink link = ResolvePageLink(page, c.href);
        EXPECT_EQ(c.kind, link.kind) << c.href;
        EXPECT_EQ(c.target, link.target) << c.href;
    }
}
