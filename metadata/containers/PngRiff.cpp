#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "metadata/bytes/ByteReader.h"
#include "metadata/containers/Containers.h"

namespace dux {
namespace {

using namespace std::string_view_literals;

// The TIFF structure of an EXIF payload, which some writers start with the JPEG's "Exif\0\0".
std::string_view WithoutExifHeader(std::string_view payload) {
  if (payload.starts_with("Exif\0\0"sv)) payload.remove_prefix(6);
  return payload;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The bytes of a "Raw profile type ..." text: "\n<name>\n<blanks><length>\n" and then the bytes
// in hex, broken into lines. Empty where it does not read so.
std::string RawProfile(std::string_view text) {
  std::size_t at = 0;
  for (int line = 0; line < 2; ++line) {  // the line break before the name, and the name
    at = text.find('\n', at);
    if (at == std::string_view::npos) return {};
    ++at;
  }
  std::uint64_t length = 0;
  while (at < text.size() && text[at] == ' ') ++at;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    length = length * 10 + static_cast<std::uint64_t>(text[at] - '0');
    if (length > text.size()) return {};  // two hex digits a byte: it cannot be there
  }
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(length));
  int high = -1;
  for (; at < text.size() && bytes.size() < length; ++at) {
    const int digit = HexDigit(text[at]);
    if (digit < 0) continue;  // line breaks
    if (high < 0) {
      high = digit;
    } else {
      bytes.push_back(static_cast<char>(high << 4 | digit));
      high = -1;
    }
  }
  if (bytes.size() != length) return {};
  return bytes;
}

// The text after the NUL-ended keyword of a tEXt chunk, or of an uncompressed iTXt chunk (after
// its compression bytes, language and translated keyword); false for another keyword.
bool TextOf(std::string_view type, std::string_view data, std::string_view keyword,
            std::string_view& text) {
  if (!data.starts_with(keyword) || data.size() <= keyword.size() || data[keyword.size()] != '\0')
    return false;
  data.remove_prefix(keyword.size() + 1);
  if (type == "iTXt") {
    if (data.size() < 2 || data[0] != '\0') return false;  // compressed: not read
    data.remove_prefix(2);
    for (int field = 0; field < 2; ++field) {  // language tag, translated keyword
      const auto end = data.find('\0');
      if (end == std::string_view::npos) return false;
      data.remove_prefix(end + 1);
    }
  }
  text = data;
  return true;
}

void TakePngChunk(std::string_view type, std::string_view data, tEmbeddedMetadata& found) {
  std::string_view text;
  if (type == "eXIf" && found.exif.empty()) {
    found.exif = WithoutExifHeader(data);
  } else if (type == "iTXt" && found.xmp.empty() && TextOf(type, data, "XML:com.adobe.xmp", text)) {
    found.xmp = text;
  } else if (type == "tEXt" || type == "iTXt") {
    if (found.exif.empty() && (TextOf(type, data, "Raw profile type exif", text) ||
                               TextOf(type, data, "Raw profile type APP1", text))) {
      found.exif = WithoutExifHeader(RawProfile(text));
    } else if (found.iptc.empty() && TextOf(type, data, "Raw profile type iptc", text)) {
      found.iptc = RawProfile(text);
    } else if (found.xmp.empty() && TextOf(type, data, "Raw profile type xmp", text)) {
      found.xmp = RawProfile(text);
    }
  }
}

}  // namespace

tEmbeddedMetadata PngMetadata(std::string_view file) {
  tEmbeddedMetadata found;
  std::size_t at = 8;  // after the signature
  // Each chunk: its length, its type, its data and a CRC (not checked: a reader takes what it can).
  while (at <= file.size() && file.size() - at >= 12) {
    const std::uint32_t length = Long(file, static_cast<std::int64_t>(at) + 1, true);
    const std::string_view type = file.substr(at + 4, 4);
    if (length > file.size() - at - 12) break;
    TakePngChunk(type, file.substr(at + 8, length), found);
    if (type == "IEND") break;
    at += 12 + static_cast<std::size_t>(length);
  }
  return found;
}

tEmbeddedMetadata WebpMetadata(std::string_view file) {
  tEmbeddedMetadata found;
  // The RIFF size counts from the form type: the chunks end there, or at the file's end.
  const std::size_t riffEnd =
      std::min<std::uint64_t>(file.size(), std::uint64_t{Long(file, 5, false)} + 8);
  std::size_t at = 12;
  while (at <= riffEnd && riffEnd - at >= 8) {
    const std::string_view fourcc = file.substr(at, 4);
    const std::uint32_t size = Long(file, static_cast<std::int64_t>(at) + 5, false);
    if (size > riffEnd - at - 8) break;
    const std::string_view data = file.substr(at + 8, size);
    if (fourcc == "EXIF" && found.exif.empty()) found.exif = WithoutExifHeader(data);
    if (fourcc == "XMP " && found.xmp.empty()) found.xmp = data;
    at += 8 + static_cast<std::size_t>(size) + (size & 1);  // chunks are padded to even sizes
  }
  return found;
}

}  // namespace dux
