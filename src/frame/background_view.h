// The welcome page of the first MDI child: the installation's Halyard.htm, shown by the system's
// web browser control where the system has an HTML engine, and otherwise drawn by this view
// (headings, paragraphs, lists, bold, preformatted text, links), scrolled vertically. Local links
// open in the same view; web links go to the user's browser.
#pragma once
#include "core/app/html_page.h"
#include "frame/browser_host.h"
#include "frame/welcome_layout.h"
#include "fx/fx_view.h"
#include <memory>
#include <string>
#include <vector>

class CBackgroundView : public FxView {
public:
    static FxView* CreateObject() { return new CBackgroundView; }

    // Shows the welcome page: the current folder, read by the first view shown, + "\Halyard.htm".
    void OnInitialUpdate() override;
    // Shows the page at `path`; a page that cannot be read shows "page not found" and its path.
    // The browser control shows it where it can be made (and then follows the links itself).
    bool Navigate(const std::string& path);
    // Follows a link of the page shown, as a click on it does.
    void FollowLink(const std::string& href);
    const std::string& GetPagePath() const { return m_strPath; }
    int GetScrollTop() const { return m_nTop; }
    const WelcomeLayout& GetLayout() const { return m_layout; }
    bool IsShownByBrowser() const { return m_pBrowser != nullptr; }

    // Opens a web address in the user's browser; replaceable for tests (null: the shell's "open").
    using WebOpener = void (*)(const char* address);
    static void SetWebOpener(WebOpener opener);
    // Called with each piece of text painted; for tests (null: nothing).
    using TextDrawnHook = void (*)(const std::string& text);
    static void SetTextDrawnHook(TextDrawnHook hook);

    // Keys go to the browser control first while it has the focus.
    bool PreTranslateMessage(MSG& msg) override;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void OnPaint();
    void OnVScroll(int request);
    bool OnSetCursor();
    void OnLButtonUp(POINT pt);
    void Relayout();
    void ScrollTo(int top);
    int ClientHeight() const;
    void UpdateScrollBar();

    bool ShowInBrowser(const std::string& path);

    std::unique_ptr<CBrowserHost> m_pBrowser;  // the system's control over the client area, or null
    WelcomeFonts m_fonts;
    std::vector<halyard::app::HtmlBlock> m_blocks;
    WelcomeLayout m_layout;
    std::string m_strPath;
    int m_nTop = 0;  // pixels of the page above the window; 0 <= m_nTop <= max(0, height - client)
};
