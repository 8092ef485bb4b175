#include "core/app/html_page.h"
#include <cstring>

namespace halyard::app {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

// Decodes the entity that starts at html[pos] == '&'. On success `out` holds its bytes and `pos`
// is past the ';'; an unknown or unterminated entity leaves both alone and answers false.
bool DecodeEntity(const std::string& html, size_t& pos, std::string& out, const CodePointEncoder& encode)
{
    size_t semi = html.find(';', pos + 1);
    if (semi == std::string::npos || semi - pos > 32) return false;
    std::string name = html.substr(pos + 1, semi - pos - 1);
    static const struct { const char* name; const char* text; } kNamed[] = {
        {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}, {"nbsp", " "}};
    for (const auto& e : kNamed)
        if (name == e.name) {
            out = e.text;
            pos = semi + 1;
            return true;
        }
    if (name.size() < 2 || name[0] != '#') return false;
    bool hex = name[1] == 'x' || name[1] == 'X';
    size_t digits = hex ? 2 : 1;
    if (digits >= name.size()) return false;
    std::uint32_t value = 0;
    for (size_t i = digits; i < name.size(); ++i) {
        char c = Lower(name[i]);
        int d = c >= '0' && c <= '9' ? c - '0' : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (d < 0) return false;
        value = value * (hex ? 16 : 10) + std::uint32_t(d);
        if (value > 0x10FFFF) value = 0x110000;  // saturate: stays out of range however long
    }
    if (value == 0 || value > 0x10FFFF) out = "?";
    else if (value < 0x80) out = std::string(1, char(value));
    else out = encode ? encode(value) : std::string();
    if (out.empty()) out = "?";
    pos = semi + 1;
    return true;
}

std::string DecodeAttribute(const std::string& value, const CodePointEncoder& encode)
{
    std::string out;
    for (size_t i = 0; i < value.size();) {
        std::string entity;
        if (value[i] == '&' && DecodeEntity(value, i, entity, encode)) out += entity;
        else out += value[i++];
    }
    return out;
}

// The value of attribute `wanted` in the attribute text of a tag; empty when absent.
std::string FindAttribute(const std::string& attrs, const char* wanted)
{
    size_t i = 0;
    while (i < attrs.size()) {
        while (i < attrs.size() && (IsSpace(attrs[i]) || attrs[i] == '/')) ++i;
        size_t start = i;
        while (i < attrs.size() && !IsSpace(attrs[i]) && attrs[i] != '=') ++i;
        std::string name;
        for (size_t k = start; k < i; ++k) name += Lower(attrs[k]);
        while (i < attrs.size() && IsSpace(attrs[i])) ++i;
        std::string value;
        if (i < attrs.size() && attrs[i] == '=') {
            ++i;
            while (i < attrs.size() && IsSpace(attrs[i])) ++i;
            if (i < attrs.size() && (attrs[i] == '"' || attrs[i] == '\'')) {
                char quote = attrs[i++];
                size_t end = attrs.find(quote, i);
                if (end == std::string::npos) end = attrs.size();
                value = attrs.substr(i, end - i);
                i = end + 1;
            } else {
                size_t vstart = i;
                while (i < attrs.size() && !IsSpace(attrs[i])) ++i;
                value = attrs.substr(vstart, i - vstart);
            }
        }
        if (name == wanted) return value;
        if (start == i) ++i;
    }
    return {};
}

class PageBuilder {
public:
    explicit PageBuilder(const CodePointEncoder& encode) : m_encode(encode) {}

    void Text(const std::string& html, size_t begin, size_t end)
    {
        if (m_skip > 0) return;
        for (size_t i = begin; i < end;) {
            char c = html[i];
            if (c == '&') {
                std::string entity;
                if (DecodeEntity(html, i, entity, m_encode)) {
                    Visible(entity);
                    continue;
                }
            }
            ++i;
            if (m_pre > 0) {
                if (c == '\r') continue;
                if (c == '\n' && m_dropNewline) {
                    m_dropNewline = false;
                    continue;
                }
                m_dropNewline = false;
                Visible(std::string(1, c));
            } else if (IsSpace(c)) {
                m_pendingSpace = true;
            } else {
                Visible(std::string(1, c));
            }
        }
    }

    void Tag(const std::string& name, bool closing, const std::string& attrs)
    {
        if (name == "head" || name == "title" || name == "script" || name == "style") {
            m_skip += closing ? (m_skip > 0 ? -1 : 0) : 1;
        } else if (m_skip > 0) {
            return;
        } else if (name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6') {
            closing ? CloseBlock() : OpenBlock(BlockKind::Heading, name[1] - '0');
        } else if (name == "p") {
            closing ? CloseBlock() : OpenBlock(BlockKind::Paragraph, 0);
        } else if (name == "li") {
            closing ? CloseBlock() : OpenBlock(BlockKind::ListItem, 0);
        } else if (name == "pre") {
            if (closing) {
                if (m_pre > 0) --m_pre;
                CloseBlock();
            } else {
                OpenBlock(BlockKind::Preformatted, 0);
                ++m_pre;
                m_dropNewline = true;
            }
        } else if (name == "b" || name == "strong") {
            m_bold += closing ? (m_bold > 0 ? -1 : 0) : 1;
        } else if (name == "a") {
            m_link = closing ? std::string() : DecodeAttribute(FindAttribute(attrs, "href"), m_encode);
        } else if (name == "br") {
            m_pendingSpace = false;
            Append("\n");
        } else if (name == "ul" || name == "ol" || name == "div" || name == "body" || name == "hr" ||
                   name == "table" || name == "tr" || name == "blockquote") {
            CloseBlock();
        }
    }

    std::vector<HtmlBlock> Finish()
    {
        CloseBlock();
        return std::move(m_blocks);
    }

private:
    // Text that shows: a pending collapsed space goes before it, in the style of the text before
    // it when both are in the same link (or none), unless the block is still empty.
    void Visible(const std::string& bytes)
    {
        if (m_pendingSpace && m_open && !m_block.runs.empty() && m_pre == 0) {
            HtmlRun& back = m_block.runs.back();
            if (back.link.empty() || back.link == m_link) back.text += ' ';
            else m_block.runs.push_back({" ", back.bold, ""});  // a link's underline stops at its last word
        }
        m_pendingSpace = false;
        Append(bytes);
    }

    void Append(const std::string& bytes)
    {
        if (!m_open) OpenBlock(BlockKind::Paragraph, 0);
        bool bold = m_bold > 0;
        if (m_block.runs.empty() || m_block.runs.back().bold != bold || m_block.runs.back().link != m_link)
            m_block.runs.push_back({std::string(), bold, m_link});
        m_block.runs.back().text += bytes;
    }

    void OpenBlock(BlockKind kind, int level)
    {
        CloseBlock();
        m_block = HtmlBlock{kind, level, {}};
        m_open = true;
    }

    // A block keeps no trailing line breaks (a <br> or the newline before </pre>).
    void CloseBlock()
    {
        m_pendingSpace = false;
        if (!m_open) return;
        m_open = false;
        auto& runs = m_block.runs;
        while (!runs.empty()) {
            std::string& t = runs.back().text;
            while (!t.empty() && t.back() == '\n') t.pop_back();
            if (!t.empty()) break;
            runs.pop_back();
        }
        if (!runs.empty()) m_blocks.push_back(std::move(m_block));
        m_block = HtmlBlock{};
    }

    const CodePointEncoder& m_encode;
    std::vector<HtmlBlock> m_blocks;
    HtmlBlock m_block;
    bool m_open = false;
    bool m_pendingSpace = false;
    bool m_dropNewline = false;  // the newline right after <pre> is not content
    int m_skip = 0, m_pre = 0, m_bold = 0;
    std::string m_link;
};

}  // namespace

std::vector<HtmlBlock> ParseHtmlPage(const std::string& html, const CodePointEncoder& encode)
{
    PageBuilder page(encode);
    size_t i = 0, textStart = 0;
    while (i < html.size()) {
        if (html[i] != '<') {
            ++i;
            continue;
        }
        char next = i + 1 < html.size() ? html[i + 1] : '\0';
        if (!IsAlpha(next) && next != '/' && next != '!' && next != '?') {  // "a < b" is text
            ++i;
            continue;
        }
        page.Text(html, textStart, i);
        size_t end;
        if (html.compare(i, 4, "<!--") == 0) {
            end = html.find("-->", i + 4);
            end = end == std::string::npos ? html.size() : end + 3;
        } else {
            size_t close = i + 1;
            char quote = 0;
            while (close < html.size() && (quote || html[close] != '>')) {
                if (quote && html[close] == quote) quote = 0;
                else if (!quote && (html[close] == '"' || html[close] == '\'')) quote = html[close];
                ++close;
            }
            end = close < html.size() ? close + 1 : html.size();
            bool closing = next == '/';
            size_t n = i + (closing ? 2 : 1);
            std::string name;
            while (n < close && (IsAlpha(html[n]) || (html[n] >= '0' && html[n] <= '9'))) name += Lower(html[n++]);
            if (next != '!' && next != '?') page.Tag(name, closing, html.substr(n, close - n));
        }
        i = textStart = end;
    }
    page.Text(html, textStart, html.size());
    return page.Finish();
}

PageLink ResolvePageLink(const std::string& page, const std::string& href)
{
    size_t scheme = 0;
    while (scheme < href.size() && (IsAlpha(href[scheme]) || (scheme > 0 && (href[scheme] == '+' || href[scheme] == '-' ||
                                                                             href[scheme] == '.'))))
        ++scheme;
    std::string path = href;
    if (scheme > 1 && scheme < href.size() && href[scheme] == ':') {
        std::string name;
        for (size_t i = 0; i < scheme; ++i) name += Lower(href[i]);
        if (name != "file") return {LinkKind::Web, href};
        path = href.substr(scheme + 1);
    }
    path = path.substr(0, path.find_first_of("#?"));
    if (path.empty()) return {};
    // Only pages beside this one, or below its folder: a path that names a drive, a root, a server
    // or climbs above the folder leads nowhere.
    std::string folder = page.substr(0, page.find_last_of("\\/") == std::string::npos ? 0 : page.find_last_of("\\/") + 1);
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != '/' && path[i] != '\\') continue;
        const std::string part = path.substr(start, i - start);
        start = i + 1;
        if (part.find(':') != std::string::npos) return {};
        if (part.empty()) {
            if (i == 0 || i == path.size()) return {};  // rooted, or a folder rather than a page
            continue;
        }
        if (part == ".") continue;
        if (part == "..") {
            if (parts.empty()) return {};
            parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    if (parts.empty()) return {};
    for (size_t i = 0; i < parts.size(); ++i) folder += (i ? "\\" : "") + parts[i];
    return {LinkKind::Local, folder};
}

}  // namespace halyard::app
