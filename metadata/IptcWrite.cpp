#include "metadata/IptcWrite.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "metadata/TimgData.h"
#include "metadata/iptc/IimDatasets.h"
#include "metadata/iptc/IptcXmp.h"
#include "metadata/iptc/PhotoshopResources.h"
#include "metadata/jpeg/JpegImage.h"
#include "metadata/xmp/XmpPacket.h"
#include "platform/FormatError.h"
#include "text/AsciiText.h"
#include "text/CommaList.h"

namespace dux {
namespace {

// Whether `edits` changes the field.
bool Edits(const std::vector<tFieldEdit>& edits, const tIptcFieldRow& field) {
  return std::any_of(edits.begin(), edits.end(),
                     [&field](const tFieldEdit& e) { return e.field == &field; });
}

const tIptcFieldRow& FieldNamed(std::string_view name) {
  return *std::find_if(kIptcFields.begin(), kIptcFields.end(),
                       [name](const tIptcFieldRow& r) { return r.Field == name; });
}

// The XMP packet the write leaves: the source's with the edited fields' properties set (or a new
// one when asked for and the file has none), or nothing when the packet stays as it was.
// `inStep` tells whether the XMP then states what the IIM does for the fields the write changed.
std::optional<std::string> NewXmp(const IptcSources& sources, const std::vector<tFieldEdit>& edits,
                                  bool hasPacket, const tWriteOptions& options, bool& inStep) {
  inStep = false;
  const auto finalText = [&](const tIptcFieldRow& field) {
    for (const tFieldEdit& e : edits) {
      if (e.field == &field) return e.text;
    }
    return sources.ValueOf(field);
  };
  const auto itemsOf = [&](const tIptcFieldRow& field) {
    if (field.Field == "DateCreated" || field.Field == "TimeCreated") {
      const std::string date =
          XmpDateOf(finalText(FieldNamed("DateCreated")), finalText(FieldNamed("TimeCreated")));
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
    if (const auto property = XmpPropertyOf(field))
      properties.emplace_back(*property, itemsOf(field));
  }
  inStep = true;
  return XmpPacket::Create(properties);
}

// What became of the XMP packet in a write.
enum class XmpOutcome {
  kNone,       // the file has none, and got none
  kInStep,     // it states what the IIM does for the fields the write changed
  kStale,      // the write changed fields, and the packet could not follow
  kUntouched,  // the write changed nothing, nor did the packet
};

// What a write leaves of one field: what it must read as afterwards, and what each home says.
struct tFieldAfter {
  std::string meant;  // the text written where the write changed it, else what it read before
  std::string iim;    // what the new IIM data gives
  std::optional<std::string>
      xmp;  // what the packet states where it was kept in step; nothing where it states nothing
};

std::vector<tFieldAfter> FieldsAfter(const IptcSources& sources, const TIPTCdata& iim,
                                     const std::vector<tFieldEdit>& written) {
  std::vector<tFieldAfter> after;
  for (const tIptcFieldRow& field : kIptcFields) {
    const auto edit = std::find_if(written.begin(), written.end(),
                                   [&field](const tFieldEdit& e) { return e.field == &field; });
    if (edit == written.end()) {
      after.push_back(
          {sources.ValueOf(field), iim.ValueOf(field.Field, ""), sources.XmpValueOf(field)});
    } else {
      const bool stated = XmpPropertyOf(field).has_value() && !edit->text.empty();
      after.push_back(
          {edit->text, edit->text, stated ? std::optional<std::string>(edit->text) : std::nullopt});
    }
  }
  return after;
}

// Whether the next read gives every field as meant when it takes the XMP where the packet states
// a field (`trustXmp`: the digest matches) or the IIM (it does not). Where the IIM data holds
// nothing, a read takes the XMP whatever the digest.
bool ReadsAsMeant(const std::vector<tFieldAfter>& after, bool trustXmp) {
  const bool noIim =
      std::all_of(after.begin(), after.end(), [](const tFieldAfter& f) { return f.iim.empty(); });
  for (std::size_t i = 0; i < after.size(); ++i) {
    const tFieldAfter& f = after[i];
    if (!ReadsAs(kIptcFields[i], (trustXmp || noIim) && f.xmp ? *f.xmp : f.iim, f.meant))
      return false;
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
std::optional<std::string> NewDigest(XmpOutcome xmp, DigestState state, const tImageResource* old,
                                     bool hadIim, bool iimChanged, const std::string& current,
                                     const std::vector<tFieldAfter>& after) {
  const bool zeros = old != nullptr && old->data.find_first_not_of('\0') == std::string::npos;
  // A digest that must match no IIM: the old one, unless it happens to match the new IIM data.
  const auto matchingNone = [&]() -> std::optional<std::string> {
    if (old == nullptr || old->data == current) return std::string(16, '\0');
    return std::nullopt;
  };
  switch (xmp) {
    case XmpOutcome::kInStep:
      if (state != DigestState::kDiffers) return current;
      if (!hadIim || zeros) return ReadsAsMeant(after, true) ? current : matchingNone();
      return ReadsAsMeant(after, false) || !ReadsAsMeant(after, true) ? matchingNone() : current;
    case XmpOutcome::kStale:
      return matchingNone();
    case XmpOutcome::kNone:
      if (old != nullptr && iimChanged) return current;
      return std::nullopt;
    case XmpOutcome::kUntouched:
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
    TimgData back;
    back.request = {.exifWalk = false, .xmpAnywhere = true};
    back.ScanJpegStream(*result.Stream());
    TIPTCdata none;
    std::string joined;
    if (back.iptcSection != nullptr) back.iptcInfo->ParseSegment(back.IptcBlockView(joined));
    const IptcSources found =
        IptcSourcesOf(back, back.iptcInfo ? *back.iptcInfo : none, XmpPacket::Use::kRead);
    for (std::size_t i = 0; i < kIptcFields.size(); ++i) {
      if (const std::string value = found.ValueOf(kIptcFields[i]);
          !ReadsAs(kIptcFields[i], value, meant[i])) {
        throw FormatError("Cannot write IPTC into '" + destination +
                          "': the file written did not read back as meant (" +
                          std::string(kIptcFields[i].Field) + " reads \"" + value + "\", not \"" +
                          meant[i] + "\"); it was not saved");
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
    if (!parsed)
      throw FormatError("Cannot write IPTC into '" + destination + "': its IPTC block is damaged");
    return std::move(*parsed);
  }
  if (ReadStart(run.unparsed) != std::string_view::npos) {
    // The IPTC the read found stands in what does not parse: a new block beside it would say
    // otherwise, and replacing it would lose it.
    throw FormatError("Cannot write IPTC into '" + destination +
                      "': its Photoshop resource block is damaged");
  }
  return {};
}

// The resources of the new block: `resources` (those of the block replaced, if any) with the new
// IIM data in place of the old, and the digest as NewDigest has it; a URL list joins a block
// without one.
std::vector<tImageResource> NewBlock(std::vector<tImageResource> block, const std::string& iim,
                                     XmpOutcome xmp, const std::vector<tFieldAfter>& after) {
  const DigestState state = DigestStateOf(ResourceViews(block));
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
  auto digest =
      NewDigest(xmp, state, old != block.end() ? &*old : nullptr, hadIim, iimChanged,
                std::string(reinterpret_cast<const char*>(md5.data()), md5.size()), after);
  if (digest && old != block.end()) {
    old->data = std::move(*digest);
  } else if (digest) {
    block.push_back(MakeImageResource(kIptcDigestResource, std::move(*digest)));
  }
  if (std::none_of(block.begin(), block.end(),
                   [](const tImageResource& r) { return r.id == kUrlListResource; })) {
    block.push_back(MakeImageResource(kUrlListResource, {}));
  }
  return block;
}

}  // namespace

std::string LimitFieldText(const tIptcFieldRow& row, std::string_view text) {
  const auto limit = static_cast<std::size_t>(row.Limit);
  if (!row.IsList) return std::string(text.substr(0, limit));
  std::vector<std::string> items = SplitCommaList(text);
  for (std::string& item : items) {
    if (item.size() > limit)
      item = std::string(TrimRightBlanks(std::string_view(item).substr(0, limit)));
  }
  return JoinCommaList(items);
}

namespace {

// The write of an opened source.
void Write(JpegImage& jpeg, const std::string& destination, const tFieldValues& values,
           const tWriteOptions& options, const OutputOpener& open) {
  TimgData container;
  container.request = {.xmpAnywhere = true, .viewInBuffers = false};
  container.ScanForRewrite(jpeg);
  TIPTCdata iim;
  if (container.iptcSection != nullptr) iim.ParseSegment(container.IptcBlock());
  const IptcSources sources = IptcSourcesOf(container, iim);
  // A value that still reads as the file's leaves its field's datasets, and its XMP property,
  // exactly as they are: repeats, empty ones and values longer than the limits included.
  std::vector<tFieldEdit> edits;
  for (std::size_t i = 0; i < kIptcFields.size(); ++i) {
    if (values[i] != sources.ValueOf(kIptcFields[i]))
      edits.push_back({&kIptcFields[i], LimitFieldText(kIptcFields[i], values[i])});
  }
  tPhotoshopRun run = TimgData::FindPhotoshopRun(jpeg);
  // The IPTC the read found stands after the image's tables, where a write copies the bytes as
  // they are: a new block in front would hide it, and with it every field the write left alone.
  if (run.markerOffsets.empty() && iim.Count() > 0 && container.IptcStandsAfterTables(jpeg)) {
    throw FormatError("Cannot write IPTC into '" + destination +
                      "': its IPTC block stands after the image's tables");
  }
  const std::vector<tDataset> datasets = DatasetsToKeep(run, destination);
  const bool hasPacket = container.xmpSection != nullptr;
  // XML cannot hold most control characters: where the XMP is written, the IIM leaves them out
  // too, so that the two say the same.
  if (hasPacket || options.createXmp) {
    for (tFieldEdit& e : edits) std::erase_if(e.text, XmlCannotHold);
  }
  bool inStep = false;
  if (const auto xmp = NewXmp(sources, edits, hasPacket, options, inStep))
    inStep = container.StoreXmpPacket(*xmp, jpeg);
  const XmpOutcome xmp = inStep          ? XmpOutcome::kInStep
                         : !hasPacket    ? XmpOutcome::kNone
                         : edits.empty() ? XmpOutcome::kUntouched
                                         : XmpOutcome::kStale;
  // A packet that could not follow (UTF-16, not XML, too large for its segment once changed, or
  // standing where it cannot be replaced) keeps its old values. The IIM then takes every value the
  // read gave from the packet, and the digest tells readers that the IIM is the newer of the two.
  if (xmp == XmpOutcome::kStale) {
    for (const tIptcFieldRow& field : kIptcFields) {
      if (std::string read = sources.ValueOf(field);
          !Edits(edits, field) && read != iim.ValueOf(field.Field, "")) {
        edits.push_back({&field, std::move(read)});
      }
    }
  }
  std::string iimData;
  try {
    iimData = iim.BuildIim(datasets, edits);
  } catch (const FormatError& e) {
    throw FormatError("Cannot write IPTC into '" + destination + "': " + e.what());
  }
  const std::vector<tFieldAfter> after = FieldsAfter(sources, iim, edits);
  const bool replaces = !run.markerOffsets.empty();
  const std::vector<tImageResource> block = NewBlock(
      replaces ? std::move(run.resources) : std::vector<tImageResource>(), iimData, xmp, after);
  // Bytes of a damaged block that do not parse stay as they are, after its resources.
  container.StoreIptcBlock(EncodeImageResources(block) + run.unparsed,
                           replaces ? run.markerOffsets : std::vector<std::int64_t>());
  container.SaveJpegWithSegments(jpeg, destination, true, open, ReadsAsMeant(after, destination));
}

}  // namespace

void WriteIptc(const std::string& source, const std::string& destination,
               const tFieldValues& values, const tWriteOptions& options, const OutputOpener& open) {
  JpegImage jpeg = JpegImage::Load(source);
  Write(jpeg, destination, values, options, open);
}

void WriteIptc(JpegImage& source, const std::string& destination, const tFieldValues& values,
               const tWriteOptions& options, const OutputOpener& open) {
  Write(source, destination, values, options, open);
}

}  // namespace dux
