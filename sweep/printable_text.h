#pragma once

#include <string>
#include <string_view>

namespace sweep {

// The text as valid UTF-8 on one line: each byte that does not begin a well-formed UTF-8
// sequence, and each control character (NUL and line breaks included), becomes U+FFFD; a
// tab becomes a space.
std::string printableText(std::string_view bytes);

}  // namespace sweep
