#pragma once
// What a document asks of one of its views when it inserts text at that view's caret (snippets).
#include "core/buffer/text_position.h"

class CCaretSite {
public:
    virtual TextPosition GetCaretPosition() const = 0;

protected:
    ~CCaretSite() = default;
};
