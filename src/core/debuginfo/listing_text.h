#pragma once
// Pieces both listing readers share: lines with their tabs expanded, hex fields, and the decoding
// of the bytes column.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace halyard::debuginfo {

// The text's lines without their CR LF or LF; a form feed or backspace at a line's start (a page
// break) is dropped.
[[nodiscard]] std::vector<std::string_view> SplitLines(std::string_view text);

// The line with its tabs expanded to stops every 8 columns.
[[nodiscard]] std::string ExpandTabs(std::string_view line);

// Columns [from, to) of an expanded line; shorter when the line is.
[[nodiscard]] std::string_view Columns(std::string_view line, std::size_t from, std::size_t to = std::string_view::npos);

[[nodiscard]] bool IsBlank(std::string_view text);
[[nodiscard]] std::string_view Trimmed(std::string_view text);

// `text` is 1 to 8 hex digits (either case) and nothing else.
[[nodiscard]] bool ParseHex(std::string_view text, uint32_t& value);

// The right-aligned decimal number that fills `field` after optional blanks, or -1.
[[nodiscard]] int ParseRightNumber(std::string_view field);

// The statement's words before any comment, in upper case: "start:  mov ax, data" gives
// START:, MOV, AX,, DATA; a label's colon stays on its word, and a word is split after it.
[[nodiscard]] std::vector<std::string> StatementWords(std::string_view text);

// Decodes the bytes column of a listed statement, piece by piece (a statement's bytes can go on
// over several listing lines). Words are shown as values (low byte last); a dword is shown in
// memory order by MASM and as a value by TASM. Relocated and undefined bytes decode to -1.
// DUPs: MASM writes "0014[ ?? ]", TASM "14*(??)"; both nest.
class ByteColumn {
public:
    explicit ByteColumn(bool dwordAsValue) : m_dwordAsValue(dwordAsValue) { m_frames.push_back({1, {}}); }
    void Feed(std::string_view field);
    // The bytes so far, any DUP left open closed.
    [[nodiscard]] std::vector<int16_t> Finish();

private:
    struct Frame {
        uint32_t count;
        std::vector<int16_t> bytes;
    };
    void Unit(std::string_view digits, bool relocated);
    void Open(std::string_view count);
    void Close();
    void MarkLastRelocated();

    bool m_dwordAsValue;
    bool m_stopped = false;  // an equate's "= value" shows no bytes of the program
    std::size_t m_lastUnit = 0;  // bytes of the last unit decoded in the innermost frame
    std::vector<Frame> m_frames;
};

}  // namespace halyard::debuginfo
