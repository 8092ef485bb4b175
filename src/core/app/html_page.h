// The small HTML subset of the installation's pages, turned into blocks of styled runs.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace halyard::app {

enum class BlockKind { Heading, Paragraph, ListItem, Preformatted };

struct HtmlRun {
    std::string text;  // bytes of the page's code page; "\n" only inside preformatted blocks or from <br>
    bool bold = false;
    std::string link;  // the href of the enclosing <a>, entities decoded; empty outside links
    bool operator==(const HtmlRun& o) const { return text == o.text && bold == o.bold && link == o.link; }
};

struct HtmlBlock {
    BlockKind kind = BlockKind::Paragraph;
    int level = 0;  // 1..6 for headings, 0 otherwise
    std::vector<HtmlRun> runs;
    bool operator==(const HtmlBlock& o) const { return kind == o.kind && level == o.level && runs == o.runs; }
};

// Turns a numeric character reference into bytes of the page's code page; empty: not representable.
using CodePointEncoder = std::function<std::string(std::uint32_t)>;

// Headings h1-h6, p, li, pre, br, b/strong and a href; every other tag is dropped with its text
// kept, except the text of head, title, script and style, and comments. Outside pre, runs of
// white space become one space, and no block starts or ends with one. Text outside any block
// forms a paragraph. Adjacent runs of the same style are merged; blocks without text are dropped.
// Entities &amp; &lt; &gt; &quot; &apos; &nbsp; and &#n; &#xh; are decoded (code points above
// 127 through `encode`, '?' when it gives nothing); an unknown entity stays as written.
std::vector<HtmlBlock> ParseHtmlPage(const std::string& html, const CodePointEncoder& encode = nullptr);

enum class LinkKind { None, Local, Web };

struct PageLink {
    LinkKind kind = LinkKind::None;
    std::string target;  // a file path for Local (backslashes), the address as written for Web
};

// Where a link `href` of the page at file path `page` leads. "#fragment" and empty links stay on
// the page (None); any scheme but "file:" ("http:", "mailto:") is Web; other links are pages in
// the page's folder or below it, without fragment or query, "." and ".." resolved (Local). A link
// that names a drive, a root or a server, or climbs out of the folder, leads nowhere (None).
PageLink ResolvePageLink(const std::string& page, const std::string& href);

}  // namespace halyard::app
