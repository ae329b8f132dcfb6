#pragma once

#include <map>
#include <string>
#include <vector>

#include "tests/support/PluginFixture.h"

// What the IPTC corpus tests share: ExifTool's names of our fields and the round trip of every
// corpus JPEG (all 31 variables written into a copy, then read back by us and by others).
namespace dux::test {

// ExifTool's tag name of each IPTC field ("ByLine" -> "By-line").
const std::map<std::string, std::string>& ExifToolIptcNames();

// Values for the 31 variables (code page 1252): letters beyond ASCII, a caption longer than
// its 2000-character limit, 21 keywords with blanks (one with a comma, one too long).
std::map<std::string, std::string> RoundTripVariables();

// What a read of the copy must give for each variable, after the write limits.
std::map<std::string, std::string> RoundTripExpected();

// The keywords as separate items, after the limits.
std::vector<std::string> RoundTripKeywords();

// The corpus JPEGs that cannot be rewritten (no readable JPEG frame header), by name.
const std::vector<std::string>& UnwritableCorpusJpegs();

// Runs duxIPTCwrite from `source` into `destination` with the round-trip variables set.
bool WriteRoundTrip(LoadedPlugin& plugin, const std::string& source,
                    const std::string& destination);

}  // namespace dux::test
