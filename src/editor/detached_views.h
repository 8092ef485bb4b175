// The text views of a buffer taken off it while a long run of edits goes by (Replace All), so that
// no view invalidates, scrolls or moves its caret edit by edit: under Wine each of those calls
// costs tens of microseconds. Meanwhile their caret, anchor, selection and scroll position follow
// the edits here, and the views come back with them at the end.
#pragma once
#include <vector>

#include "core/buffer/text_buffer.h"

class CTextView;

class CDetachedViews final : public CBufferObserver {
public:
    // What a detached view shows, kept across the edits.
    struct ViewState {
        CTextView* pView;
        TextPosition caret, anchor, selStart, selEnd;
        int nTopLine, nFirstColumn;
        bool bOverwrite;
    };

    // Takes every view of `views` that shows `buffer` off it.
    CDetachedViews(CTextBuffer& buffer, const std::vector<CTextView*>& views);
    // Puts the views back, in their order, as they were but for the edits.
    ~CDetachedViews();
    CDetachedViews(const CDetachedViews&) = delete;
    CDetachedViews& operator=(const CDetachedViews&) = delete;

    CTextBuffer& GetBuffer() const { return m_buffer; }
    // The kept state of a detached view; null for another view.
    ViewState* Find(const CTextView* pView);

    void OnBufferChange(CBufferObserver* pSource, const PositionAdjuster* pContext, unsigned nFlags,
                        int nLine) override;

private:
    void Restore(const ViewState& state);

    CTextBuffer& m_buffer;
    std::vector<ViewState> m_views;
    bool m_bObserving = false;
};
