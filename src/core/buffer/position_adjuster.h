#pragma once
// Moves remembered positions (caret, selection, anchors) across one edit so that they still denote
// the same text afterwards. Each change notification carries one.
#include "core/buffer/text_position.h"

class PositionAdjuster {
public:
    virtual void AdjustPosition(TextPosition& pt) const = 0;

    TextPosition GetStart() const { return m_ptStart; }
    TextPosition GetEnd() const { return m_ptEnd; }

protected:
    PositionAdjuster(TextPosition ptStart, TextPosition ptEnd) : m_ptStart(ptStart), m_ptEnd(ptEnd) {}
    ~PositionAdjuster() = default;

    TextPosition m_ptStart;
    TextPosition m_ptEnd;
};

// start = where the text went in, end = the position just after it.
// A point exactly at the insertion point stays before the inserted text.
class InsertAdjuster final : public PositionAdjuster {
public:
    InsertAdjuster(TextPosition ptStart, TextPosition ptEnd) : PositionAdjuster(ptStart, ptEnd) {}
    void AdjustPosition(TextPosition& pt) const override;
};

// start and end of the removed range, start before end. A point inside the range collapses onto
// its start; a point after the end on the end's line keeps its distance from the end.
class DeleteAdjuster final : public PositionAdjuster {
public:
    DeleteAdjuster(TextPosition ptStart, TextPosition ptEnd) : PositionAdjuster(ptStart, ptEnd) {}
    void AdjustPosition(TextPosition& pt) const override;
};
