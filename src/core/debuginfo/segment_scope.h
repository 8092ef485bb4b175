#pragma once
// Which segment a listed statement assembles into, followed from the statements themselves:
// "name SEGMENT" and "name ENDS", the simplified directives (.CODE, .DATA, ...; each closes the
// one before), and structure definitions, whose ENDS closes the structure, not the segment.
#include <string>
#include <vector>

#include "core/debuginfo/listing.h"

namespace halyard::debuginfo {

class SegmentScope {
public:
    // The listing's segments name the code segment of the larger models ("PROG_TEXT").
    explicit SegmentScope(const std::vector<ListingSegment>& segments);

    // Takes the statement's words (StatementWords) and returns the segment it is in: a
    // statement that opens a segment is in it, one that closes it is still in it. Empty outside
    // any segment and inside a structure definition.
    std::string Step(const std::vector<std::string>& words);

    // A name defined with STRUC so far (a statement that starts with one reserves data).
    bool IsStructure(const std::string& name) const;

private:
    struct Open {
        std::string name;
        bool structure;
        bool simplified;
    };
    std::string Current() const;
    std::string SimplifiedName(const std::vector<std::string>& words) const;
    void Close(const std::string& name);

    std::string m_codeName = "_TEXT";
    std::vector<Open> m_open;  // innermost last
    std::vector<std::string> m_structures;
};

}  // namespace halyard::debuginfo
