// MDI child frame: holds the views of one document (or a document-less view) inside the MDI client.
#pragma once
#include "fx/fx_view.h"
#include <functional>
#include <string>

class FxDocument;
class FxMDIFrame;

struct FxCreateContext {
    FxViewFactory newView = nullptr;
    FxDocument* document = nullptr;
};

class FxMDIChild : public FxWnd {
public:
    FxMDIChild();
    // Creates the child in `parent`'s MDI client with the icon of `resourceId`. On failure the
    // object has deleted itself and false is returned.
    [[nodiscard]] bool LoadFrame(UINT resourceId, DWORD style, FxMDIFrame* parent, FxCreateContext* context);
    // Makes the client: one view from the context, filling the client area (overridable: splitter).
    virtual bool OnCreateClient(FxCreateContext* context);
    // Creates a view of the context's class and document as a child of `parent`.
    FxView* CreateView(FxCreateContext* context, HWND parent, UINT id);
    void InitialUpdateFrame(FxDocument* doc, bool makeVisible);
    void ActivateFrame(int showCommand = -1);

    FxView* GetActiveView() const { return m_pActiveView; }
    void SetActiveView(FxView* view) { m_pActiveView = view; }
    FxDocument* GetActiveDocument() const;
    // A fixed title replaces the document's title (used by document-less windows).
    void SetFixedTitle(const std::string& title);
    // Title: the document's title, then ":n" when the document has several windows (n counts
    // them in the order of the document's views), then " *" while it is modified.
    virtual void OnUpdateFrameTitle();

    // Routing: asks the active view, its document, then this frame; true at the first that answers.
    bool Route(const std::function<bool(FxCmdTarget&)>& ask);
    bool RouteCmdMsg(UINT id, UINT code)
    {
        return Route([&](FxCmdTarget& t) { return t.OnCmdMsg(id, code); });
    }
    bool RouteUpdate(FxCmdUI& ui)
    {
        return Route([&](FxCmdTarget& t) { return t.OnUpdateCmd(ui); });
    }

    void DestroyWindow() override;
    FxMDIFrame* GetMDIFrame() const { return m_pMDIFrame; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) override;
    void PostNcDestroy() override { delete this; }
    // Positions the client content (the view, or a splitter) over the whole client area.
    virtual void RecalcLayout();
    HWND m_hWndContent = nullptr;  // the view or the splitter filling the client area

private:
    bool OnClose();
    FxMDIFrame* m_pMDIFrame = nullptr;
    FxView* m_pActiveView = nullptr;
    std::string m_strFixedTitle;
};
