#pragma once

#include <string>
#include <string_view>

#include "host/CommandFiles.h"

namespace dux {

// duxIPTCsetVar: stores `value` in the variable "[" + name + "]". Always true.
bool SetVariable(std::string_view name, std::string_view value);

// The parameter of .duxIPTCvarTemplate: a duxIPTCsetVar line for every IPTC variable between
// a first and a last line, joined by CR LF (1329 characters).
std::string VariableTemplate();

// duxGetTag: finds the first line of a line list (the text itself, or the file it names, read
// through `files`) that starts with tag + delimiter and stores one delimited field of it (0: the
// whole line) in `resultVariable`. True when it ran to the end; an error goes to "[LastError]"
// and gives false.
bool GetTag(const std::string& lineList, const std::string& tag, const std::string& delimiter,
            const std::string& fieldIndex, const std::string& resultVariable,
            const tCommandFiles& files = {});

// The search of duxGetTag in a source text: the field, or the empty text when no line starts
// with tag + delimiter. Throws std::runtime_error with the runtime's German message for an
// index that is not a whole number or a line index past the last line.
std::string TagSearch(const std::string& source, const std::string& tag,
                      const std::string& delimiter, const std::string& fieldIndex);

}  // namespace dux
