#pragma once
// What the Search page shows of a topic: its name and title in the list, its details in the box
// below. Details are lines ended by CR LF, as an edit control wants them.
#include "core/reference/topic_search.h"

#include <string>

namespace halyard::reference {

// "MOV", "JE/JZ", "INT 21h/09h".
std::string TopicName(const Topic& topic);
std::string TopicTitle(const Topic& topic);
// Heading, syntax (or entry registers), operands (or return registers), flags, explanation and
// example, each multi-line field indented under its label.
std::string TopicDetails(const Topic& topic);
// The flags field in words, grouped by what happens to them ("改变 OF SF…；清 0 CF"), or that no
// flag changes.
std::string FlagsText(const char* flags);

} // namespace halyard::reference
