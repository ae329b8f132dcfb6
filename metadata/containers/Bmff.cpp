#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "metadata/bytes/ByteReader.h"
#include "metadata/containers/Containers.h"

namespace dux {
namespace {

using namespace std::string_view_literals;

// Reads big-endian numbers of 0, 2, 4 or 8 bytes from a run of bytes, front to back. A read past
// the end reads 0 and marks the reader failed.
class BoxReader {
 public:
  explicit BoxReader(std::string_view bytes) : bytes_(bytes) {}
  std::uint64_t Number(std::size_t size) {
    if (size == 0) return 0;
    if (size > 8 || bytes_.size() - at_ < size || at_ > bytes_.size()) {
      failed_ = true;
      return 0;
    }
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < size; ++i)
      value = value << 8 | static_cast<std::uint8_t>(bytes_[at_ + i]);
    at_ += size;
    return value;
  }
  // A NUL-ended text; the rest when no NUL ends it.
  std::string_view Text() {
    if (at_ >= bytes_.size()) return {};
    const std::string_view rest = bytes_.substr(at_);
    const auto end = rest.find('\0');
    at_ += end == std::string_view::npos ? rest.size() : end + 1;
    return rest.substr(0, end);
  }
  // The next `size` bytes; fewer (and failed) at the end.
  std::string_view Take(std::size_t size) {
    const std::string_view rest = Rest();
    if (rest.size() < size) failed_ = true;
    at_ += std::min(size, rest.size());
    return rest.substr(0, size);
  }
  bool Failed() const { return failed_; }
  std::string_view Rest() const { return at_ < bytes_.size() ? bytes_.substr(at_) : ""; }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
  bool failed_ = false;
};

struct tBox {
  std::string_view type;
  std::string_view body;  // after the header
};

// The boxes of `data`, up to the first that does not fit.
std::vector<tBox> BoxesOf(std::string_view data) {
  std::vector<tBox> boxes;
  std::size_t at = 0;
  while (at <= data.size() && data.size() - at >= 8) {
    BoxReader header(data.substr(at));
    std::uint64_t size = header.Number(4);
    const std::string_view type = data.substr(at + 4, 4);
    std::size_t headerSize = 8;
    if (size == 1) {  // a 64-bit size follows the type
      header.Number(4);
      size = header.Number(8);
      headerSize = 16;
    } else if (size == 0) {  // to the end of the data
      size = data.size() - at;
    }
    if (header.Failed() || size < headerSize || size > data.size() - at) break;
    boxes.push_back(
        {type, data.substr(at + headerSize, static_cast<std::size_t>(size) - headerSize)});
    at += static_cast<std::size_t>(size);
  }
  return boxes;
}

std::optional<tBox> FirstBox(const std::vector<tBox>& boxes, std::string_view type) {
  for (const tBox& box : boxes) {
    if (box.type == type) return box;
  }
  return std::nullopt;
}

// One item of a HEIF meta box: its type, for a mime item its content type, and where its bytes
// stand.
struct tItem {
  std::uint32_t id = 0;
  std::string_view type, contentType;
  int construction = 0;  // 0: offsets in the file; 1: in the idat box
  std::vector<std::pair<std::uint64_t, std::uint64_t>> extents;  // offset, length
};

// The items of the iinf box the read wants: the first Exif item and the first XMP item.
void ReadItemInfos(std::string_view iinf, std::vector<tItem>& items) {
  BoxReader reader(iinf);
  const std::uint64_t version = reader.Number(1);
  reader.Take(3);
  reader.Number(version == 0 ? 2 : 4);  // the entry count: the boxes tell
  bool exif = false, xmp = false;
  for (const tBox& infe : BoxesOf(reader.Rest())) {
    if (infe.type != "infe") continue;
    BoxReader entry(infe.body);
    const std::uint64_t entryVersion = entry.Number(1);
    entry.Take(3);
    if (entryVersion < 2) continue;  // no item type before version 2
    tItem item;
    item.id = static_cast<std::uint32_t>(entry.Number(entryVersion == 2 ? 2 : 4));
    entry.Number(2);  // protection index
    item.type = entry.Take(4);
    entry.Text();  // the item's name
    if (item.type == "mime") item.contentType = entry.Text();
    if (entry.Failed()) continue;
    if (item.type == "Exif" && !exif) {
      exif = true;
      items.push_back(item);
    } else if (item.type == "mime" && item.contentType == "application/rdf+xml" && !xmp) {
      xmp = true;
      items.push_back(item);
    }
  }
}

// Where the wanted items' bytes stand. The extents read are bounded by the box's size, also
// where the box gives its numbers no bytes.
void ReadItemLocations(std::string_view iloc, std::vector<tItem>& items) {
  BoxReader reader(iloc);
  const std::uint64_t version = reader.Number(1);
  reader.Take(3);
  const std::uint64_t sizes = reader.Number(2);
  const std::size_t offsetSize = sizes >> 12 & 15, lengthSize = sizes >> 8 & 15,
                    baseSize = sizes >> 4 & 15,
                    indexSize = version == 1 || version == 2 ? sizes & 15 : 0;
  const std::uint64_t count = reader.Number(version < 2 ? 2 : 4);
  std::uint64_t work = iloc.size();
  for (std::uint64_t i = 0; i < count && !reader.Failed() && work > 0; ++i, --work) {
    const auto id = static_cast<std::uint32_t>(reader.Number(version < 2 ? 2 : 4));
    int construction = 0;
    if (version == 1 || version == 2) construction = static_cast<int>(reader.Number(2) & 15);
    reader.Number(2);  // data reference index
    const std::uint64_t base = reader.Number(baseSize);
    const std::uint64_t extents = reader.Number(2);
    tItem* wanted = nullptr;
    for (tItem& item : items) {
      if (item.id == id && item.extents.empty()) wanted = &item;
    }
    for (std::uint64_t e = 0; e < extents && !reader.Failed() && work > 0; ++e, --work) {
      reader.Number(indexSize);
      const std::uint64_t offset = reader.Number(offsetSize);
      const std::uint64_t length = reader.Number(lengthSize);
      if (wanted != nullptr) wanted->extents.emplace_back(base + offset, length);
    }
    if (wanted != nullptr) wanted->construction = construction;
  }
}

// An item's bytes, its extents joined: empty when one does not lie inside its data. A length of
// 0 runs to the end of the data.
std::string ItemBytes(const tItem& item, std::string_view file, std::string_view idat) {
  const std::string_view data = item.construction == 1 ? idat : file;
  if (item.construction > 1) return {};
  std::string bytes;
  for (auto [offset, length] : item.extents) {
    if (offset > data.size()) return {};
    if (length == 0) length = data.size() - offset;
    // Extents that overlap could repeat the file many times over: an item is never larger than
    // the data it stands in.
    if (length > data.size() - offset || length > data.size() - bytes.size()) return {};
    bytes.append(data.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(length)));
  }
  return bytes;
}

// The TIFF structure of a HEIF Exif item: after a 4-byte offset to its header, which some writers
// count from after the "Exif\0\0" they put first.
std::string ExifOfItem(const std::string& bytes) {
  const std::string_view payload =
      std::string_view(bytes).substr(std::min<std::size_t>(4, bytes.size()));
  const std::uint64_t skip = Long(bytes, 1, true);
  for (std::string_view tiff :
       {skip <= payload.size() ? payload.substr(skip) : ""sv,
        payload.starts_with("Exif\0\0"sv) ? payload.substr(6) : ""sv, payload}) {
    if (tiff.starts_with("II") || tiff.starts_with("MM")) return std::string(tiff);
  }
  return {};
}

}  // namespace

tEmbeddedMetadata HeifMetadata(std::string_view file) {
  tEmbeddedMetadata found;
  const auto meta = FirstBox(BoxesOf(file), "meta");
  if (!meta || meta->body.size() < 4) return found;
  const std::vector<tBox> boxes = BoxesOf(meta->body.substr(4));  // after version and flags
  std::vector<tItem> items;
  if (const auto iinf = FirstBox(boxes, "iinf")) ReadItemInfos(iinf->body, items);
  if (const auto iloc = FirstBox(boxes, "iloc")) ReadItemLocations(iloc->body, items);
  const auto idat = FirstBox(boxes, "idat");
  for (const tItem& item : items) {
    if (item.type == "Exif" && found.exif.empty()) {
      found.exif = ExifOfItem(ItemBytes(item, file, idat ? idat->body : ""));
    } else if (item.type == "mime" && item.contentType == "application/rdf+xml" &&
               found.xmp.empty()) {
      found.xmp = ItemBytes(item, file, idat ? idat->body : "");
    }
  }
  return found;
}

tCanonRaw3Metadata Cr3Metadata(std::string_view file) {
  constexpr std::string_view kCanonBox =
      "\x85\xc0\xb6\x87\x82\x0f\x11\xe0\x81\x11\xf4\xce\x46\x2b\x6a\x48"sv;
  constexpr std::string_view kXmpBox =
      "\xbe\x7a\xcf\xcb\x97\xa9\x42\xe8\x9c\x71\x99\x94\x91\xe3\xaf\xac"sv;
  tCanonRaw3Metadata found;
  const std::vector<tBox> top = BoxesOf(file);
  for (const tBox& box : top) {
    if (box.type == "uuid" && box.body.starts_with(kXmpBox) && found.main.xmp.empty())
      found.main.xmp = box.body.substr(kXmpBox.size());
  }
  const auto moov = FirstBox(top, "moov");
  if (!moov) return found;
  for (const tBox& box : BoxesOf(moov->body)) {
    if (box.type != "uuid" || !box.body.starts_with(kCanonBox)) continue;
    const std::vector<tBox> canon = BoxesOf(box.body.substr(kCanonBox.size()));
    if (const auto cmt1 = FirstBox(canon, "CMT1")) found.main.exif = cmt1->body;
    if (const auto cmt2 = FirstBox(canon, "CMT2")) found.exifDirectory = cmt2->body;
    if (const auto cmt3 = FirstBox(canon, "CMT3")) found.makerNote = cmt3->body;
    break;
  }
  return found;
}

std::string_view RafJpeg(std::string_view file) {
  // The header's directory: where the embedded JPEG starts, and how long it is.
  const std::uint32_t offset = Long(file, 85, true), length = Long(file, 89, true);
  if (offset > file.size() || length > file.size() - offset) return {};
  const std::string_view jpeg = file.substr(offset, length);
  return jpeg.starts_with("\xFF\xD8"sv) ? jpeg : std::string_view();
}

}  // namespace dux
