// The built-in help texts: lines shown exactly as stored, indentation made
// of leading blanks, blank lines kept.
#pragma once

#include <span>

namespace helptext {

using Lines = std::span<const char* const>;

// Topics 1-18 of the general help window; empty for any other number.
Lines TopicBody(unsigned topic);
// The "Notes:" block that follows the body of the page topics; empty for
// the others.
Lines TopicNotes(unsigned topic);
// Whether the topic's window offers "More help" (the page topics).
bool TopicOffersMoreHelp(unsigned topic);

// The More help window: the list tools every page shares.
Lines MoreHelpLines();
// The overview window, below its title line.
Lines OverviewLines();

}  // namespace helptext
