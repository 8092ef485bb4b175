// libFuzzer target for the welcome page's parser. Any bytes are a page: parsing never fails, no
// run is empty, a block has text, and every link of the page leads to the web, to nowhere, or to
// a page inside the page's own folder.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/app/html_page.h"

namespace {

void Check(bool ok, const char* what, const std::string& link)
{
    if (ok) return;
    std::fprintf(stderr, "welcome page: %s (%s)\n", what, link.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace halyard::app;
    const std::string html(reinterpret_cast<const char*>(data), size);
    const std::string page = "C:\\Halyard\\Halyard.htm", folder = "C:\\Halyard\\";
    const auto encode = [](std::uint32_t code) { return code < 0x10000 ? std::string("\xD6\xD0") : std::string(); };
    for (const HtmlBlock& block : ParseHtmlPage(html, encode)) {
        Check(!block.runs.empty(), "a block without runs", "");
        for (const HtmlRun& run : block.runs) {
            Check(!run.text.empty(), "an empty run", run.link);
            if (run.link.empty()) continue;
            const PageLink link = ResolvePageLink(page, run.link);
            if (link.kind != LinkKind::Local) continue;
            const std::string& target = link.target;
            Check(target.size() > folder.size() && target.compare(0, folder.size(), folder) == 0, "a page outside the folder", target);
            Check(target.find(':', 2) == std::string::npos, "a drive or stream inside the path", target);
            Check(target.find("\\\\") == std::string::npos && target.find("\\..\\") == std::string::npos &&
                      target.find("\\.\\") == std::string::npos && target.back() != '\\',
                  "an unresolved part", target);
        }
    }
    return 0;
}
