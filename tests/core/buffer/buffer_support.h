#pragma once
// Helpers shared by the buffer tests.
#include <map>
#include <string>
#include <vector>

#include "core/buffer/text_buffer.h"
#include "memory_file_system.h"

// Loads bytes as the file "C:\\src\\a.asm" of fs into the buffer.
inline void LoadBytes(CTextBuffer& buffer, CMemoryFileSystem& fs, const std::string& bytes, int nStyle = EOL_DETECT)
{
    fs.files["C:\\src\\a.asm"].bytes = bytes;
    (void)buffer.LoadFromFile(fs, "C:\\src\\a.asm", nStyle);
}

inline std::vector<std::string> Lines(const CTextBuffer& buffer)
{
    std::vector<std::string> lines;
    for (int i = 0; i < buffer.GetLineCount(); ++i)
        lines.emplace_back(buffer.GetLine(i));
    return lines;
}

// Records every notification, and where it moves a set of watched positions.
class CRecordingView final : public CBufferObserver {
public:
    struct Change {
        CBufferObserver* pSource;
        unsigned nFlags;
        int nLine;
        bool bHasContext;
    };

    std::vector<Change> changes;
    std::vector<TextPosition> watched;
    std::vector<std::pair<int, std::string>> editsDone;
    std::vector<int>* pOrder = nullptr; // receives nId on each notification
    int nId = 0;

    void OnBufferChange(CBufferObserver* pSource, const PositionAdjuster* pContext, unsigned nFlags, int nLine) override
    {
        changes.push_back({pSource, nFlags, nLine, pContext != nullptr});
        if (pOrder)
            pOrder->push_back(nId);
        for (TextPosition& pt : watched) {
            if (pContext)
                pContext->AdjustPosition(pt);
        }
    }

    void OnEditDone(int nAction, const std::string& text) override { editsDone.emplace_back(nAction, text); }
};

// English captions keyed by string id.
class CTableCaptions final : public CCaptionLoader {
public:
    bool LoadCaption(int nStringId, std::string& text) const override
    {
        static const std::map<int, std::string> kCaptions = {
            {8619, "Unknown"}, {8620, "Paste"}, {8621, "Delete Selection"}, {8622, "Cut"},
            {8623, "Delete"},  {8624, "Typing"}, {8625, "Backspace"}, {8626, "Indent"},
            {8627, "Drag And Drop"}, {8628, "Replace"}, {8629, "Auto Indent"},
        };
        const auto it = kCaptions.find(nStringId);
        if (it == kCaptions.end())
            return false;
        text = it->second;
        return true;
    }
};
