// The encodings that the reports share beside JSON's: text for XML, and
// names with their control characters spelled out.
#pragma once

#include <string>
#include <string_view>

namespace adtlab::check {

// Text for XML: valid UTF-8 without the characters XML forbids (control
// characters but tab and line ends, U+FFFE, U+FFFF), markup escaped; line
// ends kept in an `attribute` too, as character references.
std::string xml_text(std::string_view raw, bool attribute);

// `raw` with each control character written out ("\n", "\t", "\x1b"; a
// C1 character of UTF-8 as "\u009b"), so that a name cannot break a line of
// a terminal's report or colour it.
std::string escaped_controls(std::string_view raw);

} // namespace adtlab::check
