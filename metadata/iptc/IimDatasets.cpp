#include "metadata/iptc/IimDatasets.h"

#include <algorithm>

#include "metadata/bytes/ByteReader.h"
#include "metadata/bytes/ByteWriter.h"
#include "platform/FormatError.h"

namespace dux {
namespace {

constexpr std::size_t kMaxDatasetValue = 65535;

}  // namespace

std::optional<std::vector<tDataset>> ParseIimDatasets(std::string_view data) {
  std::vector<tDataset> datasets;
  const auto end = static_cast<std::int64_t>(data.size());
  std::int64_t pos = 1;
  while (pos <= end) {
    // Fewer bytes than a dataset's head after the last dataset are stray bytes no reader can
    // take for a dataset (a writer's "00 1C" after the last one, say): they end the data.
    if (!HasBytes(data, pos, 5)) break;
    if (Byte(data, pos) != 0x1C) {
      const std::string_view rest = Bytes(data, pos, end - pos + 1);
      if (std::all_of(rest.begin(), rest.end(), [](char c) { return c == '\0'; })) break;
      return std::nullopt;
    }
    std::int64_t length = Word(data, pos + 3, true);
    std::int64_t valuePos = pos + 5;
    if (length & 0x8000) {  // the extended form: the low bits count the bytes of the length
      const std::int64_t lengthBytes = length & 0x7FFF;
      if (lengthBytes > 4 || !HasBytes(data, valuePos, lengthBytes)) return std::nullopt;
      length = 0;
      for (std::int64_t i = 0; i < lengthBytes; ++i)
        length = length << 8 | Byte(data, valuePos + i);
      valuePos += lengthBytes;
    }
    if (!HasBytes(data, valuePos, length)) return std::nullopt;
    datasets.push_back({Byte(data, pos + 1), Byte(data, pos + 2),
                        std::string(Bytes(data, valuePos, length)),
                        std::string(Bytes(data, pos, valuePos + length - pos))});
    pos = valuePos + length;
  }
  return datasets;
}

std::string EncodeDataset(int record, int number, std::string_view value) {
  if (value.size() > kMaxDatasetValue) {
    throw FormatError("the value of IPTC dataset " + std::to_string(record) + ":" +
                      std::to_string(number) + " has " + std::to_string(value.size()) +
                      " bytes, more than the 65535 a dataset can hold");
  }
  std::string out;
  out.reserve(5 + value.size());
  out += '\x1C';
  out += static_cast<char>(record & 0xFF);
  out += static_cast<char>(number & 0xFF);
  AppendWord(out, static_cast<std::uint32_t>(value.size()));
  out += value;
  return out;
}

std::string DatasetBytes(const tDataset& dataset) {
  return dataset.stored.empty() ? EncodeDataset(dataset.record, dataset.number, dataset.value)
                                : dataset.stored;
}

bool DeclaresUtf8(const std::vector<tDataset>& datasets) {
  return std::any_of(datasets.begin(), datasets.end(), [](const tDataset& d) {
    return d.record == 1 && d.number == 90 && d.value == "\x1B%G";
  });
}

}  // namespace dux
