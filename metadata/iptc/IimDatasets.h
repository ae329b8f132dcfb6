#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The datasets of an IPTC IIM block one by one, as the write keeps or replaces them.
namespace dux {

// One dataset: its record and number, its value, and the bytes it was stored as (empty for a
// dataset made here), which a kept dataset is written back as.
struct tDataset {
  int record = 0;
  int number = 0;
  std::string value;
  std::string stored;
};

// The datasets of IIM data, in order: each 0x1C, record, number, a 16-bit length (or the
// extended form, whose high bit is set: that many bytes of length follow), the value. Zero bytes
// after the last dataset are padding, and fewer than five bytes there (too few for a dataset's
// head) are stray: neither is a dataset. Nothing when the data does not parse: a byte that is
// neither 0x1C nor padding where a dataset could start, or a dataset cut short.
std::optional<std::vector<tDataset>> ParseIimDatasets(std::string_view data);

// One dataset as a new one is written: 0x1C, record, number, the 16-bit length, the value.
// Throws FormatError for a value longer than 65535 bytes.
std::string EncodeDataset(int record, int number, std::string_view value);

// A dataset's bytes: as stored when it was read, else encoded.
std::string DatasetBytes(const tDataset& dataset);

// Record 1 dataset 90 holding ESC % G: the datasets' text is UTF-8.
bool DeclaresUtf8(const std::vector<tDataset>& datasets);

}  // namespace dux
