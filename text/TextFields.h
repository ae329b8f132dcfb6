#pragma once

#include <string>
#include <string_view>

// Splitting a text at a separator: the field routines of the maker-note formatters and the
// tag search.
namespace dux {

// The text before the first separator; the whole text when there is none (or it is empty).
std::string TextBefore(std::string_view text, std::string_view separator);

// The text after the first separator; empty when there is none, the whole text when the
// separator itself is empty.
std::string TextAfter(std::string_view text, std::string_view separator);

// Field n of the text, counting from 1 (n <= 1 gives the first).
std::string NthField(std::string_view text, std::string_view separator, int n);

// How many times the separator occurs (0 for an empty separator).
int SeparatorCount(std::string_view text, std::string_view separator);

}  // namespace dux
