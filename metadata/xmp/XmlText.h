#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The XML text the packet's reading, editing and writing share.
namespace dux {

inline bool IsXmlBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Text for XML content or an attribute value: markup characters escaped, a carriage return
// written as a reference (a parser turns a raw CR LF into LF), in an attribute also line feed and
// tab (which a parser turns into blanks there), and the control characters XML cannot hold left
// out.
std::string Escaped(std::string_view text, bool attribute);

// The prefixes of `declarations` (prefix, namespace; in the order they were made), by namespace.
// A later declaration wins, and a prefix bound again no longer names the namespace it was first
// bound to.
std::map<std::string, std::string> PrefixMap(
    const std::vector<std::pair<std::string, std::string>>& declarations);

}  // namespace dux
