// The encodings that the reports share: UTF-8 made valid, and text for XML.
#pragma once

#include <string>
#include <string_view>

namespace adtlab::check {

// `bytes` as valid UTF-8: each byte that does not begin or continue a
// well-formed character becomes U+FFFD.
std::string valid_utf8(std::string_view bytes);

// Text for XML: valid UTF-8 without the characters XML forbids (control
// characters but tab and line ends, U+FFFE, U+FFFF), markup escaped; line
// ends kept in an `attribute` too, as character references.
std::string xml_text(std::string_view raw, bool attribute);

} // namespace adtlab::check
