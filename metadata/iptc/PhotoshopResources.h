#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Photoshop image resources: the block an APP13 "Photoshop 3.0" segment carries, spread over
// several consecutive segments when it is large.
namespace dux {

// What every Photoshop APP13 payload starts with.
inline constexpr std::string_view kPhotoshopSignature{"Photoshop 3.0\0", 14};
// The most resource bytes one segment holds after its signature.
inline constexpr std::size_t kMaxResourceBytesPerSegment = 65533 - kPhotoshopSignature.size();

inline constexpr std::uint16_t kIptcResource = 0x0404;
inline constexpr std::uint16_t kUrlListResource = 0x040B;
inline constexpr std::uint16_t kIptcDigestResource = 0x0425;

// Photoshop's own resources, by their signature: other writers' signatures reuse its ids for
// other things.
inline bool IsPhotoshopResource(std::string_view head, std::uint16_t id, std::uint16_t wanted) {
  return id == wanted && head.starts_with("8BIM");
}

// One resource as stored: its head (signature, id and the Pascal name with its pad byte, exactly
// as they stood) and its data without the pad byte.
struct tImageResource {
  std::string head;
  std::uint16_t id = 0;
  std::string data;

  bool IsPhotoshops(std::uint16_t wanted) const { return IsPhotoshopResource(head, id, wanted); }
};

// One resource as it stands in a block: its head and data viewed in the block's bytes.
struct tResourceView {
  std::string_view head;
  std::uint16_t id = 0;
  std::string_view data;

  bool IsPhotoshops(std::uint16_t wanted) const { return IsPhotoshopResource(head, id, wanted); }
};

// The resources of a block (the bytes after the signature), in their order, as far as they parse,
// and the bytes from the first that does not: a resource with an unknown signature, or one that
// runs past the end. Zero bytes after the last resource are padding, not unparsed bytes. All of
// it views the block, which a reader looks through without copying a resource's data (a
// thumbnail among them runs to tens of KB).
struct tResourceRun {
  std::vector<tResourceView> resources;
  std::string_view unparsed;
};
tResourceRun ReadImageResources(std::string_view block);

// Copies of viewed resources, for a block that is to be changed.
std::vector<tImageResource> OwnedResources(const std::vector<tResourceView>& views);
// Views of owned resources.
std::vector<tResourceView> ResourceViews(const std::vector<tImageResource>& resources);

// The resources of a block that parses to its end; nothing otherwise.
std::optional<std::vector<tImageResource>> ParseImageResources(std::string_view block);

// The block of `resources`: each head, the data's size (32-bit big-endian), the data, padded to
// even length.
std::string EncodeImageResources(const std::vector<tImageResource>& resources);

// A resource with the signature "8BIM", the given id and an empty name.
tImageResource MakeImageResource(std::uint16_t id, std::string data);

// Where the IPTC lives among consecutive Photoshop APP13 payloads (each without its signature):
// the block, `count` segments from `first`, that holds the IPTC resource, else the first block.
// A block goes on into the next segment only where a resource runs across the boundary (the
// next one then starts with no resource signature); segments that each hold a whole block are
// blocks of their own. `count` is 0 when the first block does not parse, whatever number of
// segments it is given.
struct tBlockSpan {
  std::size_t first = 0, count = 0;
  bool holdsIptc = false;
};
tBlockSpan IptcBlockSpan(std::span<const std::string_view> payloads);

// The APP13 payloads that carry `block`: the signature, then at most kMaxResourceBytesPerSegment
// bytes of the block each. An empty block gives one payload with the signature alone.
std::vector<std::string> SplitIntoPayloads(std::string_view block);

}  // namespace dux
