#include <algorithm>
#include <optional>
#include <string>

#include "text/AsciiText.h"
#include "text/CommaList.h"
#include "text/Cp1252.h"
#include "metadata/iptc/IimDatasets.h"
#include "metadata/iptc/IptcTags.h"
#include "metadata/iptc/IptcXmp.h"
#include "metadata/jpeg/JpegImage.h"
#include "metadata/iptc/PhotoshopResources.h"
#include "metadata/iptc/TIPTCdata.h"
#include "metadata/TimgData.h"
#include "platform/FormatError.h"

namespace dux {
namespace {

constexpr std::size_t kMaxPayload = 65533;  // a segment's 16-bit length counts its own 2 bytes

constexpr std::string_view kPayloadHead{"Photoshop 3.0\0" "8BIM\x04\x04\0\0\0\0", 24};
constexpr std::string_view kEmptyUrlList{"8BIM\x04\x0B\0\0\0\0\0\0", 12};

void AppendBigEndian16(std::string& out, std::size_t value) {
  out += static_cast<char>((value >> 8) & 0xFF);
  out += static_cast<char>(value & 0xFF);
}

}  // namespace

std::string TIPTCdata::EncodeDataset(int record, int dataset, std::string_view value) {
  return dux::EncodeDataset(record, dataset, value);
}

std::string TIPTCdata::EncodeListDatasets(int record, int dataset, std::string_view list) {
  std::vector<std::string> items = SplitCommaList(list);
  // A final comma ends the list; it does not add an empty item.
  const std::string_view trimmed = TrimRightBlanks(list);
  if (!items.empty() && items.back().empty() && !trimmed.empty() && trimmed.back() == ',') {
    items.pop_back();
  }
  std::string out;
  for (const std::string& item : items) out += EncodeDataset(record, dataset, item);
  return out;
}

std::string TIPTCdata::BuildSegmentPayload(std::string_view otherResources, bool hasUrlList) const {
  std::string body;
  for (const TTagEntry& entry : entries_) {
    if (entry.RecordNumber == 2 && IsIptcListDataset(entry.TagNumber)) {
      body += EncodeListDatasets(2, entry.TagNumber, entry.DisplayValue);
    } else {
      body += EncodeDataset(entry.RecordNumber, entry.TagNumber, entry.DisplayValue);
    }
  }
  if (body.size() % 2 == 0) body += '\0';  // keeps the resource, and the next one, at even length
  const std::string version = EncodeDataset(2, 0, std::string_view("\x00\x02", 2));
  const std::size_t resourceSize = body.size() + version.size();
  const std::size_t total = kPayloadHead.size() + 2 + resourceSize + otherResources.size() +
                            (hasUrlList ? 0 : kEmptyUrlList.size());
  if (total > kMaxPayload) {
    throw FormatError("the IPTC block would take " + std::to_string(total) +
                      " bytes, more than the 65533 a JPEG segment can hold");
  }
  std::string payload;
  payload.reserve(total);
  payload += kPayloadHead;
  AppendBigEndian16(payload, resourceSize);
  payload += version;
  payload += body;
  payload += otherResources;
  if (!hasUrlList) payload += kEmptyUrlList;
  return payload;
}

namespace {

// The record version dataset every block starts its record 2 with: 2:0, version 2.
const tDataset kRecordVersion{2, 0, std::string("\x00\x02", 2), {}};

bool Owns(const tIptcFieldRow& field, const tDataset& d) { return d.record == field.Record && d.number == field.Dataset; }

// Whether `edits` changes the field.
bool Edits(const std::vector<tFieldEdit>& edits, const tIptcFieldRow& field) {
  return std::any_of(edits.begin(), edits.end(), [&field](const tFieldEdit& e) { return e.field == &field; });
}

// The new datasets of an edited field: one per list item, else one; none for an empty text.
std::vector<tDataset> NewDatasets(const tIptcFieldRow& field, std::string_view text, bool utf8) {
  std::vector<tDataset> out;
  if (text.empty()) return out;
  const auto add = [&](std::string_view value) {
    out.push_back({field.Record, field.Dataset, utf8 ? Cp1252ToUtf8(value) : std::string(value), {}});
  };
  if (!field.IsList) {
    add(text);
    return out;
  }
  std::vector<std::string> items = SplitCommaList(text);
  // A final comma ends the list; it does not add an empty item.
  const std::string_view trimmed = TrimRightBlanks(text);
  if (!items.empty() && items.back().empty() && !trimmed.empty() && trimmed.back() == ',') items.pop_back();
  for (const std::string& item : items) add(item);
  return out;
}

}  // namespace

std::string TIPTCdata::BuildIim(const std::vector<tDataset>& source, const std::vector<tFieldEdit>& edits) const {
  const bool utf8 = DeclaresUtf8(source);
  // What each field becomes: the edited ones, and the ones read without a dataset to keep.
  std::vector<std::pair<const tIptcFieldRow*, std::vector<tDataset>>> replaced;
  for (const tFieldEdit& edit : edits) replaced.emplace_back(edit.field, NewDatasets(*edit.field, edit.text, utf8));
  for (const tIptcFieldRow& field : kIptcFields) {
    const bool edited = Edits(edits, field);
    const bool stored = std::any_of(source.begin(), source.end(), [&](const tDataset& d) { return Owns(field, d); });
    const std::string read = ValueOf(field.Field, "");
    if (!edited && !stored && !read.empty()) replaced.emplace_back(&field, NewDatasets(field, read, utf8));
  }
  std::vector<tDataset> out;
  std::vector<bool> placed(replaced.size(), false);
  bool version = false;
  for (const tDataset& d : source) {
    if (d.record == 2 && d.number == 0) {  // the record version, once
      if (!version) out.push_back(d);
      version = true;
      continue;
    }
    const auto owner = std::find_if(replaced.begin(), replaced.end(), [&](const auto& r) { return Owns(*r.first, d); });
    if (owner == replaced.end()) {
      out.push_back(d);
    } else if (!placed[static_cast<std::size_t>(owner - replaced.begin())]) {
      out.insert(out.end(), owner->second.begin(), owner->second.end());
      placed[static_cast<std::size_t>(owner - replaced.begin())] = true;
    }
  }
  // Fields the source lacks join at the end of their record, before any dataset of a later one.
  const auto endOfRecord = [&out](int record) {
    return std::find_if(out.begin(), out.end(), [record](const tDataset& d) { return d.record > record; });
  };
  for (std::size_t i = 0; i < replaced.size(); ++i) {
    if (placed[i]) continue;
    out.insert(endOfRecord(replaced[i].first->Record), replaced[i].second.begin(), replaced[i].second.end());
  }
  if (!version) {
    out.insert(std::find_if(out.begin(), out.end(), [](const tDataset& d) { return d.record >= 2; }), kRecordVersion);
  }
  std::string iim;
  for (const tDataset& d : out) iim += DatasetBytes(d);
  if (iim.size() % 2 != 0) iim += '\0';  // keeps the resource, and the next one, at even length
  return iim;
}

namespace {

const tIptcFieldRow& FieldNamed(std::string_view name) {
  return *std::find_if(kIptcFields.begin(), kIptcFields.end(), [name](const tIptcFieldRow& r) { return r.Field == name; });
}

// The XMP packet the write leaves: the source's with the edited fields' properties set (or a new
// one when asked for and the file has none), or nothing when the packet stays as it was.
// `inStep` tells whether the XMP then states what the IIM does for the fields the write changed.
std::optional<std::string> NewXmp(const tIptcSources& sources, const std::vector<tFieldEdit>& edits, bool hasPacket,
                                  const tWriteOptions& options, bool& inStep) {
  inStep = false;
  const auto finalText = [&](const tIptcFieldRow& field) {
    for (const tFieldEdit& e : edits) {
      if (e.field == &field) return e.text;
    }
    return sources.ValueOf(field);
  };
  const auto itemsOf = [&](const tIptcFieldRow& field) {
    if (field.Field == "DateCreated" || field.Field == "TimeCreated") {
      const std::string date = XmpDateOf(finalText(FieldNamed("DateCreated")), finalText(FieldNamed("TimeCreated")));
      return date.empty() ? std::vector<std::string>{} : std::vector<std::string>{date};
    }
    return XmpItemsOf(field, finalText(field));
  };
  if (sources.Xmp()) {
    if (!sources.Xmp()->Editable()) return std::nullopt;
    XmpPacket packet = *sources.Xmp();
    bool changed = false;
    for (const tFieldEdit& e : edits) {
      if (const auto property = XmpPropertyOf(*e.field)) {
        packet.Set(*property, itemsOf(*e.field));
        changed = true;
      }
    }
    inStep = true;
    if (!changed) return std::nullopt;
    return packet.Serialize();
  }
  // A packet that does not parse is the file's all the same: it is never replaced.
  if (hasPacket || !options.createXmp) return std::nullopt;
  std::vector<std::pair<tXmpProperty, std::vector<std::string>>> properties;
  for (const tIptcFieldRow& field : kIptcFields) {
    if (field.Field == "TimeCreated") continue;  // stated with DateCreated
    if (const auto property = XmpPropertyOf(field)) properties.emplace_back(*property, itemsOf(field));
  }
  inStep = true;
  return XmpPacket::Create(properties);
}

// What became of the XMP packet in a write.
enum class tXmpOutcome {
  kNone,       // the file has none, and got none
  kInStep,     // it states what the IIM does for the fields the write changed
  kStale,      // the write changed fields, and the packet could not follow
  kUntouched,  // the write changed nothing, nor did the packet
};

// What a write leaves of one field: what it must read as afterwards, and what each home says.
struct tFieldAfter {
  std::string meant;               // the text written where the write changed it, else what it read before
  std::string iim;                 // what the new IIM data gives
  std::optional<std::string> xmp;  // what the packet states where it was kept in step; nothing where it states nothing
};

std::vector<tFieldAfter> FieldsAfter(const tIptcSources& sources, const TIPTCdata& iim, const std::vector<tFieldEdit>& written) {
  std::vector<tFieldAfter> after;
  for (const tIptcFieldRow& field : kIptcFields) {
    const auto edit = std::find_if(written.begin(), written.end(), [&field](const tFieldEdit& e) { return e.field == &field; });
    if (edit == written.end()) {
      after.push_back({sources.ValueOf(field), iim.ValueOf(field.Field, ""), sources.XmpValueOf(field)});
    } else {
      const bool stated = XmpPropertyOf(field).has_value() && !edit->text.empty();
      after.push_back({edit->text, edit->text, stated ? std::optional<std::string>(edit->text) : std::nullopt});
    }
  }
  return after;
}

// Whether the next read gives every field as meant when it takes the XMP where the packet states
// a field (`trustXmp`: the digest matches) or the IIM (it does not). Where the IIM data holds
// nothing, a read takes the XMP whatever the digest.
bool ReadsAsMeant(const std::vector<tFieldAfter>& after, bool trustXmp) {
  const bool noIim = std::all_of(after.begin(), after.end(), [](const tFieldAfter& f) { return f.iim.empty(); });
  for (std::size_t i = 0; i < after.size(); ++i) {
    const tFieldAfter& f = after[i];
    if (!ReadsAs(kIptcFields[i], (trustXmp || noIim) && f.xmp ? *f.xmp : f.iim, f.meant)) return false;
  }
  return true;
}

// The digest a write leaves, or nothing to leave it as it was. The digest tells XMP-aware
// readers which of the two homes a read takes: the XMP where it matches the IIM data. Where the
// XMP was kept in step it follows the new IIM, unless it told of an IIM changed without the XMP
// and the IIM still says what was meant; one that stood for no IIM (there was none, or it is all
// zeros) told nothing, and follows where the packet then says what was meant. Where the packet
// could not follow, the digest must match no IIM. A file without a packet has its digest follow
// the IIM when that changes.
std::optional<std::string> NewDigest(tXmpOutcome xmp, tDigestState state, const tImageResource* old, bool hadIim,
                                     bool iimChanged, const std::string& current, const std::vector<tFieldAfter>& after) {
  const bool zeros = old != nullptr && old->data.find_first_not_of('\0') == std::string::npos;
  switch (xmp) {
    case tXmpOutcome::kInStep:
      if (state != tDigestState::kDiffers) return current;
      if (!hadIim || zeros) return ReadsAsMeant(after, true) ? std::optional<std::string>(current) : std::nullopt;
      return ReadsAsMeant(after, false) || !ReadsAsMeant(after, true) ? std::nullopt : std::optional<std::string>(current);
    case tXmpOutcome::kStale:
      if (old == nullptr || old->data == current) return std::string(16, '\0');
      return std::nullopt;
    case tXmpOutcome::kNone:
      if (old != nullptr && iimChanged) return current;
      return std::nullopt;
    case tXmpOutcome::kUntouched:
      break;
  }
  return std::nullopt;
}

// Where the read finds the datasets of `bytes`: at the first 0x1C followed by a record number of
// 2 or 8, wherever that stands.
std::size_t ReadStart(std::string_view bytes) {
  for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
    if (bytes[i] == '\x1C' && (bytes[i + 1] == '\x02' || bytes[i + 1] == '\x08')) return i;
  }
  return std::string_view::npos;
}

// The check of a write's result, read back: each field must read as meant.
RewriteCheck ReadsAsMeant(const std::vector<tFieldAfter>& after, const std::string& destination) {
  std::vector<std::string> meant;
  for (const tFieldAfter& f : after) meant.push_back(f.meant);
  return [meant = std::move(meant), destination](const JpegImage& result) {
    TimgData back(255);
    back.walkExif = false;
    back.findXmp = true;
    back.ScanJpegStream(*result.Stream());
    TIPTCdata none;
    std::string joined;
    if (back.iptcSection != nullptr) back.iptcInfo->ParseSegment(back.IptcBlockView(joined));
    const tIptcSources found(back, back.iptcInfo ? *back.iptcInfo : none, XmpPacket::tUse::kRead);
    for (std::size_t i = 0; i < kIptcFields.size(); ++i) {
      if (const std::string value = found.ValueOf(kIptcFields[i]); !ReadsAs(kIptcFields[i], value, meant[i])) {
        throw FormatError("Cannot write IPTC into '" + destination + "': the file written did not read back as meant (" +
                          std::string(kIptcFields[i].Field) + " reads \"" + value + "\", not \"" + meant[i] +
                          "\"); it was not saved");
      }
    }
  };
}

const auto kIsIptc = [](const tImageResource& r) { return r.IsPhotoshops(kIptcResource); };
const auto kIsDigest = [](const tImageResource& r) { return r.IsPhotoshops(kIptcDigestResource); };

}  // namespace

namespace {

// The datasets of the IPTC resource a write replaces (none for a file without one). Throws
// FormatError where they cannot be rewritten without losing some: the resource does not parse,
// or the IPTC stands in bytes of the block that do not parse.
std::vector<tDataset> DatasetsToKeep(const tPhotoshopRun& run, const std::string& destination) {
  if (run.markerOffsets.empty()) return {};
  const auto iptc = std::find_if(run.resources.begin(), run.resources.end(), kIsIptc);
  if (iptc != run.resources.end()) {
    auto parsed = ParseIimDatasets(iptc->data);
    // Datasets that do not parse would be lost to a rewrite, and fields left unchanged with them.
    if (!parsed) throw FormatError("Cannot write IPTC into '" + destination + "': its IPTC block is damaged");
    return std::move(*parsed);
  }
  if (ReadStart(run.unparsed) != std::string_view::npos) {
    // The IPTC the read found stands in what does not parse: a new block beside it would say
    // otherwise, and replacing it would lose it.
    throw FormatError("Cannot write IPTC into '" + destination + "': its Photoshop resource block is damaged");
  }
  return {};
}

// The resources of the new block: `resources` (those of the block replaced, if any) with the new
// IIM data in place of the old, and the digest as NewDigest has it; a URL list joins a block
// without one.
std::vector<tImageResource> NewBlock(std::vector<tImageResource> block, const std::string& iim, tXmpOutcome xmp,
                                     const std::vector<tFieldAfter>& after) {
  const tDigestState state = DigestStateOf(ResourceViews(block));
  const auto iptc = std::find_if(block.begin(), block.end(), kIsIptc);
  const bool hadIim = iptc != block.end();
  const bool iimChanged = !hadIim || iptc->data != iim;
  if (hadIim) {
    iptc->data = iim;
  } else {
    block.insert(block.begin(), MakeImageResource(kIptcResource, iim));
  }
  const tDigest md5 = IimDigest(iim);
  const auto old = std::find_if(block.begin(), block.end(), kIsDigest);
  auto digest = NewDigest(xmp, state, old != block.end() ? &*old : nullptr, hadIim, iimChanged,
                          std::string(reinterpret_cast<const char*>(md5.data()), md5.size()), after);
  if (digest && old != block.end()) {
    old->data = std::move(*digest);
  } else if (digest) {
    block.push_back(MakeImageResource(kIptcDigestResource, std::move(*digest)));
  }
  if (std::none_of(block.begin(), block.end(), [](const tImageResource& r) { return r.id == kUrlListResource; })) {
    block.push_back(MakeImageResource(kUrlListResource, {}));
  }
  return block;
}

}  // namespace

void TIPTCdata::WriteToFile(TimgData& container, JpegImage& source, const std::string& destination,
                            const std::vector<tFieldEdit>& edits, tWriteOptions options, const OutputOpener& open) const {
  tPhotoshopRun run = TimgData::FindPhotoshopRun(source);
  // The IPTC the read found stands after the image's tables, where a write copies the bytes as
  // they are: a new block in front would hide it, and with it every field the write left alone.
  if (run.markerOffsets.empty() && Count() > 0 && container.IptcStandsAfterTables(source)) {
    throw FormatError("Cannot write IPTC into '" + destination + "': its IPTC block stands after the image's tables");
  }
  const std::vector<tDataset> datasets = DatasetsToKeep(run, destination);
  const tIptcSources sources(container, *this);
  const bool hasPacket = container.xmpSection != nullptr;
  std::vector<tFieldEdit> written = edits;
  // XML cannot hold most control characters: where the XMP is written, the IIM leaves them out
  // too, so that the two say the same.
  if (hasPacket || options.createXmp) {
    for (tFieldEdit& e : written) std::erase_if(e.text, XmlCannotHold);
  }
  bool inStep = false;
  if (const auto xmp = NewXmp(sources, written, hasPacket, options, inStep)) inStep = container.StoreXmpPacket(*xmp, source);
  const tXmpOutcome xmp = inStep                               ? tXmpOutcome::kInStep
                          : !hasPacket                         ? tXmpOutcome::kNone
                          : written.empty() ? tXmpOutcome::kUntouched : tXmpOutcome::kStale;
  // A packet that could not follow (UTF-16, not XML, too large for its segment once changed, or
  // standing where it cannot be replaced) keeps its old values. The IIM then takes every value the
  // read gave from the packet, and the digest tells readers that the IIM is the newer of the two.
  if (xmp == tXmpOutcome::kStale) {
    for (const tIptcFieldRow& field : kIptcFields) {
      if (std::string read = sources.ValueOf(field); !Edits(written, field) && read != ValueOf(field.Field, "")) {
        written.push_back({&field, std::move(read)});
      }
    }
  }
  std::string iim;
  try {
    iim = BuildIim(datasets, written);
  } catch (const FormatError& e) {
    throw FormatError("Cannot write IPTC into '" + destination + "': " + e.what());
  }
  const std::vector<tFieldAfter> after = FieldsAfter(sources, *this, written);
  const bool replaces = !run.markerOffsets.empty();
  const std::vector<tImageResource> block = NewBlock(replaces ? std::move(run.resources) : std::vector<tImageResource>(), iim, xmp, after);
  // Bytes of a damaged block that do not parse stay as they are, after its resources.
  container.StoreIptcBlock(EncodeImageResources(block) + run.unparsed, replaces ? run.markerOffsets : std::vector<std::int64_t>());
  container.SaveJpegWithSegments(source, destination, true, open, ReadsAsMeant(after, destination));
}

}  // namespace dux
