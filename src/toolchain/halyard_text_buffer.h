// The document's text buffer: its modified state is the document's.
#pragma once
#include "core/buffer/text_buffer.h"

class CHalyardDoc;

class HalyardTextBuffer : public CTextBuffer {
public:
    explicit HalyardTextBuffer(CHalyardDoc* owner) : m_pOwner(owner) {}
    bool IsModified() const override;
    void SetModified(bool modified) override;

private:
    CHalyardDoc* m_pOwner;
};
