// View base: a child window that shows its document.
#pragma once
#include "fx/fx_wnd.h"

class FxDocument;
class FxMDIChild;

class FxView : public FxWnd {
public:
    FxView() = default;
    ~FxView() override;
    FxDocument* GetDocument() const { return m_pDocument; }
    void SetDocument(FxDocument* doc);
    // Creates the view window as a child of `parent` with control id `id`.
    [[nodiscard]] virtual bool Create(HWND parent, UINT id);
    virtual void OnInitialUpdate() {}
    // The view's own accelerator table, tried before the frame's; null when it has none.
    virtual HACCEL GetAccelerators() const { return nullptr; }
    // The child frame that holds this view, or null.
    FxMDIChild* GetParentFrame() const;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void PostNcDestroy() override { delete this; }

private:
    FxDocument* m_pDocument = nullptr;
};

// A factory for the view class of a document template or a frame.
using FxViewFactory = FxView* (*)();
