#include "metadata/iptc/PhotoshopResources.h"

#include <algorithm>
#include <array>

#include "metadata/bytes/ByteReader.h"
#include "metadata/bytes/ByteWriter.h"

namespace dux {
namespace {

// The signatures of image resources: Photoshop's, and those of other writers that some files hold
// in the same block.
constexpr std::array<std::string_view, 5> kSignatures = {"8BIM", "PHUT", "AgHg", "DCSR", "MeSa"};

bool AllZero(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](char c) { return c == '\0'; });
}

}  // namespace

tResourceRun ReadImageResources(std::string_view block) {
  tResourceRun run;
  const auto end = static_cast<std::int64_t>(block.size());
  std::int64_t pos = 1;
  const auto stop = [&]() {
    // Some writers pad the block with zero bytes after the last resource.
    const std::string_view rest = Bytes(block, pos, end - pos + 1);
    if (!AllZero(rest)) run.unparsed = rest;
    return run;
  };
  while (pos <= end) {
    const std::string_view signature = Bytes(block, pos, 4);
    if (std::find(kSignatures.begin(), kSignatures.end(), signature) == kSignatures.end())
      return stop();
    const std::int64_t nameLength = Byte(block, pos + 6);
    const std::int64_t nameField = (nameLength + 2) / 2 * 2;  // length byte + name, padded to even
    const std::int64_t sizePos = pos + 6 + nameField;
    if (!HasBytes(block, sizePos, 4)) return stop();
    const std::int64_t dataSize = Long(block, sizePos, true);
    const std::int64_t dataPos = sizePos + 4;
    if (!HasBytes(block, dataPos, dataSize)) return stop();
    run.resources.push_back({Bytes(block, pos, sizePos - pos), Word(block, pos + 4, true),
                             Bytes(block, dataPos, dataSize)});
    pos = dataPos + dataSize + (dataSize & 1);  // a missing last pad byte is no fault
  }
  return run;
}

std::vector<tImageResource> OwnedResources(const std::vector<tResourceView>& views) {
  std::vector<tImageResource> owned;
  owned.reserve(views.size());
  for (const tResourceView& v : views)
    owned.push_back({std::string(v.head), v.id, std::string(v.data)});
  return owned;
}

std::vector<tResourceView> ResourceViews(const std::vector<tImageResource>& resources) {
  std::vector<tResourceView> views;
  views.reserve(resources.size());
  for (const tImageResource& r : resources) views.push_back({r.head, r.id, r.data});
  return views;
}

std::optional<std::vector<tImageResource>> ParseImageResources(std::string_view block) {
  const tResourceRun run = ReadImageResources(block);
  if (!run.unparsed.empty()) return std::nullopt;
  return OwnedResources(run.resources);
}

std::string EncodeImageResources(const std::vector<tImageResource>& resources) {
  std::string out;
  for (const tImageResource& r : resources) {
    out += r.head;
    AppendLong(out, static_cast<std::uint32_t>(r.data.size()));
    out += r.data;
    if (r.data.size() % 2 != 0) out += '\0';
  }
  return out;
}

tImageResource MakeImageResource(std::uint16_t id, std::string data) {
  std::string head = "8BIM";
  AppendWord(head, id);
  head += std::string(2, '\0');  // an empty name, padded to even
  return {std::move(head), id, std::move(data)};
}

namespace {

bool StartsResource(std::string_view bytes) {
  return std::find(kSignatures.begin(), kSignatures.end(), bytes.substr(0, 4)) != kSignatures.end();
}

bool HoldsIptc(const tResourceRun& run) {
  return std::any_of(run.resources.begin(), run.resources.end(),
                     [](const tResourceView& r) { return r.IsPhotoshops(kIptcResource); });
}

// The number of payloads, from the first, that make its block, and whether the block holds the
// IPTC resource; 0 when no number of them parses to its end. Each payload added is parsed on
// from the last resource of those before, which may run into it.
std::pair<std::size_t, bool> FirstBlock(std::span<const std::string_view> payloads) {
  std::string joined;
  const auto bytesOf = [&](std::size_t k) {
    if (k == 1) return payloads[0];
    if (k == 2) joined.assign(payloads[0]);
    joined.append(payloads[k - 1]);
    return std::string_view(joined);
  };
  std::size_t whole = 0;  // the fewest that parse
  std::size_t from = 0;   // where the resource that may go on into the next payload starts
  for (std::size_t k = 1; k <= payloads.size(); ++k) {
    const std::string_view bytes = bytesOf(k);
    const tResourceRun tail = ReadImageResources(bytes.substr(from));
    if (tail.unparsed.empty()) {
      whole = whole == 0 ? k : whole;
      if (k == payloads.size() || StartsResource(payloads[k]))
        return {k, HoldsIptc(ReadImageResources(bytes))};
    }
    // The next payload goes on with this block: from what did not parse, or from the last
    // resource, whose pad byte may be the next payload's first.
    if (!tail.unparsed.empty()) {
      from = static_cast<std::size_t>(tail.unparsed.data() - bytes.data());
    } else if (!tail.resources.empty()) {
      from = static_cast<std::size_t>(tail.resources.back().head.data() - bytes.data());
    }
  }
  if (whole == 0) return {0, false};
  joined.clear();
  for (std::size_t i = 0; i < whole; ++i) joined.append(payloads[i]);
  return {whole, HoldsIptc(ReadImageResources(joined))};
}

}  // namespace

tBlockSpan IptcBlockSpan(std::span<const std::string_view> payloads) {
  tBlockSpan first;
  for (std::size_t at = 0; at < payloads.size();) {
    const auto [count, holdsIptc] = FirstBlock(payloads.subspan(at));
    if (count == 0) break;
    const tBlockSpan span{at, count, holdsIptc};
    if (holdsIptc) return span;
    if (at == 0) first = span;
    at += count;
  }
  return first;
}

std::vector<std::string> SplitIntoPayloads(std::string_view block) {
  std::vector<std::string> payloads;
  std::size_t at = 0;
  do {
    const std::size_t take = std::min(kMaxResourceBytesPerSegment, block.size() - at);
    payloads.push_back(std::string(kPhotoshopSignature).append(block.substr(at, take)));
    at += take;
  } while (at < block.size());
  return payloads;
}

}  // namespace dux
