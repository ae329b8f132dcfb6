#include "metadata/iptc/IptcXmp.h"

#include <algorithm>
#include <array>
#include <functional>
#include <set>

#include "metadata/iptc/TIPTCdata.h"
#include "platform/Md5.h"
#include "text/AsciiText.h"
#include "text/CommaList.h"
#include "text/Cp1252.h"

namespace dux {
namespace {

struct tMapping {
  std::string_view field;
  tXmpProperty property;
};

// The IIM datasets that the IPTC Photo Metadata standard gives an XMP property. The others
// (Contact, FixtureID, ImageType, LangID, Orientation, OriginatingProgram, ProgramVersion,
// SubRef, Subfile) have none that takes their value as it is.
constexpr tMapping kMappings[] = {
    {"ObjectName", {kDcNamespace, "title", XmpKind::kLangAlt, "dc"}},
    {"Urgency", {kPhotoshopNamespace, "Urgency", XmpKind::kText, "photoshop"}},
    {"Category", {kPhotoshopNamespace, "Category", XmpKind::kText, "photoshop"}},
    {"SuppCategory", {kPhotoshopNamespace, "SupplementalCategories", XmpKind::kBag, "photoshop"}},
    {"Keywords", {kDcNamespace, "subject", XmpKind::kBag, "dc"}},
    {"SpecialInstru", {kPhotoshopNamespace, "Instructions", XmpKind::kText, "photoshop"}},
    {"DateCreated", {kPhotoshopNamespace, "DateCreated", XmpKind::kText, "photoshop"}},
    {"TimeCreated", {kPhotoshopNamespace, "DateCreated", XmpKind::kText, "photoshop"}},
    {"ByLine", {kDcNamespace, "creator", XmpKind::kSeq, "dc"}},
    {"ByLineTitle", {kPhotoshopNamespace, "AuthorsPosition", XmpKind::kText, "photoshop"}},
    {"City", {kPhotoshopNamespace, "City", XmpKind::kText, "photoshop"}},
    {"SubLocation", {kIptcCoreNamespace, "Location", XmpKind::kText, "Iptc4xmpCore"}},
    {"State", {kPhotoshopNamespace, "State", XmpKind::kText, "photoshop"}},
    {"LocationCode", {kIptcCoreNamespace, "CountryCode", XmpKind::kText, "Iptc4xmpCore"}},
    {"LocationName", {kPhotoshopNamespace, "Country", XmpKind::kText, "photoshop"}},
    {"TransmissionRef",
     {kPhotoshopNamespace, "TransmissionReference", XmpKind::kText, "photoshop"}},
    {"ImageHeadline", {kPhotoshopNamespace, "Headline", XmpKind::kText, "photoshop"}},
    {"ImageCredit", {kPhotoshopNamespace, "Credit", XmpKind::kText, "photoshop"}},
    {"Source", {kPhotoshopNamespace, "Source", XmpKind::kText, "photoshop"}},
    {"Copyright", {kDcNamespace, "rights", XmpKind::kLangAlt, "dc"}},
    {"ImageCaption", {kDcNamespace, "description", XmpKind::kLangAlt, "dc"}},
    {"ImageCaptionWriter", {kPhotoshopNamespace, "CaptionWriter", XmpKind::kText, "photoshop"}},
};

std::string DigitsOf(std::string_view text) {
  std::string digits;
  for (const char c : text) {
    if (c >= '0' && c <= '9') digits += c;
  }
  return digits;
}

// photoshop:DateCreated ("2004-02-20T13:45:01-05:00", or a part of it) as the IIM's date
// ("20040220", missing month and day as 00) and time ("134501-0500", no zone when it has none).
std::pair<std::string, std::string> IimDateTime(std::string_view xmp) {
  const auto t = xmp.find('T');
  std::string date = DigitsOf(xmp.substr(0, t)).substr(0, 8);
  if (!date.empty()) date.resize(8, '0');
  if (t == std::string_view::npos) return {date, ""};
  std::string_view clock = xmp.substr(t + 1);
  std::string zone;
  const auto sign = clock.find_first_of("+-Z");
  if (sign != std::string_view::npos) {
    zone = clock[sign] == 'Z'
               ? "+0000"
               : std::string(1, clock[sign]) + DigitsOf(clock.substr(sign + 1)).substr(0, 4);
    clock = clock.substr(0, sign);
  }
  std::string time = DigitsOf(clock.substr(0, clock.find('.'))).substr(0, 6);
  time.resize(6, '0');
  return {date, time + zone};
}

}  // namespace

// The mapping of each row of kIptcFields, by its index; -1 for none.
constexpr std::array<int, kIptcFields.size()> kMappingOfRow = [] {
  std::array<int, kIptcFields.size()> of{};
  for (std::size_t row = 0; row < kIptcFields.size(); ++row) {
    of[row] = -1;
    for (std::size_t m = 0; m < std::size(kMappings); ++m) {
      if (kMappings[m].field == kIptcFields[row].Field) of[row] = static_cast<int>(m);
    }
  }
  return of;
}();

std::optional<tXmpProperty> XmpPropertyOf(const tIptcFieldRow& field) {
  const std::less<const tIptcFieldRow*> before;
  if (!before(&field, kIptcFields.data()) &&
      before(&field, kIptcFields.data() + kIptcFields.size())) {
    const int m = kMappingOfRow[static_cast<std::size_t>(&field - kIptcFields.data())];
    return m < 0 ? std::nullopt
                 : std::optional<tXmpProperty>(kMappings[static_cast<std::size_t>(m)].property);
  }
  for (const tMapping& m : kMappings) {  // a row from elsewhere
    if (m.field == field.Field) return m.property;
  }
  return std::nullopt;
}

tDigest IimDigest(std::string_view iimData) { return platform::Md5(iimData); }

DigestState DigestStateOf(const std::vector<tResourceView>& resources) {
  const auto find = [&resources](std::uint16_t id) {
    return std::find_if(resources.begin(), resources.end(),
                        [id](const tResourceView& r) { return r.IsPhotoshops(id); });
  };
  const auto digest = find(kIptcDigestResource);
  if (digest == resources.end()) return DigestState::kAbsent;
  const auto iptc = find(kIptcResource);
  const tDigest current = IimDigest(iptc == resources.end() ? std::string_view() : iptc->data);
  return digest->data ==
                 std::string_view(reinterpret_cast<const char*>(current.data()), current.size())
             ? DigestState::kMatches
             : DigestState::kDiffers;
}

IptcSources::IptcSources(std::string_view iptcBlock, std::optional<std::string_view> xmpPacket,
                         const TIPTCdata& iim, XmpPacket::Use use)
    : iim_(iim) {
  hasIim_ = !iptcBlock.empty() && iim.Count() > 0;
  if (xmpPacket) {
    // The namespaces of the mapped properties: the packet's others are not looked at.
    std::vector<std::string_view> namespaces;
    for (const tMapping& m : kMappings) {
      if (std::find(namespaces.begin(), namespaces.end(), m.property.ns) == namespaces.end())
        namespaces.push_back(m.property.ns);
    }
    xmp_ = XmpPacket::Parse(*xmpPacket, std::move(namespaces), use);
  }
  // The digest decides between the two only where both are there.
  if (!xmp_ || !hasIim_) return;
  if (iptcBlock.substr(std::min<std::size_t>(2, iptcBlock.size()))
          .starts_with(kPhotoshopSignature)) {
    // As far as the block parses: a write keeps what follows a damaged resource, so a read does
    // too.
    digest_ = DigestStateOf(
        ReadImageResources(iptcBlock.substr(2 + kPhotoshopSignature.size())).resources);
  }
}

std::optional<std::string> IptcSources::XmpValueOf(const tIptcFieldRow& field) const {
  if (!xmp_) return std::nullopt;  // most files: no packet, nothing to map
  const auto property = XmpPropertyOf(field);
  if (!property) return std::nullopt;
  const auto items = xmp_->Get(*property);
  if (!items) return std::nullopt;
  if (field.Field == "DateCreated" || field.Field == "TimeCreated") {
    const std::string_view stated =
        items->empty() ? std::string_view() : std::string_view(items->front());
    // A date without a time states no time: the IIM's time, if any, stands.
    if (field.Field == "TimeCreated" && stated.find('T') == std::string_view::npos)
      return std::nullopt;
    const auto [date, time] = IimDateTime(stated);
    return field.Field == "DateCreated" ? date : time;
  }
  std::vector<std::string> texts;
  for (const std::string& item : *items) texts.push_back(Utf8ToCp1252(item));
  // Only the list fields are comma lists. dc:creator is a seq, but the By-line is one text: it
  // takes the first creator, as the IIM read takes the first By-line dataset.
  if (field.IsList) return JoinCommaList(texts);
  return texts.empty() ? std::string() : texts.front();
}

bool IptcSources::XmpStatesAField() const {
  return xmp_ &&
         std::any_of(kIptcFields.begin(), kIptcFields.end(), [this](const tIptcFieldRow& field) {
           const auto value = XmpValueOf(field);
           return value && !value->empty();
         });
}

std::string IptcSources::ValueOf(const tIptcFieldRow& field) const {
  if (const auto xmp = XmpValueOf(field); xmp && (!hasIim_ || digest_ != DigestState::kDiffers))
    return *xmp;
  return iim_.ValueOf(field.Field, "");
}

bool ReadsAs(const tIptcFieldRow& field, std::string_view value, std::string_view meant) {
  if (field.IsList) {
    const auto items = [](std::string_view list) {
      std::set<std::string> out;
      for (const std::string& item : SplitCommaList(list)) {
        if (const std::string_view trimmed = TrimBlanks(item); !trimmed.empty())
          out.insert(AsciiLowerCase(trimmed));
      }
      return out;
    };
    return items(value) == items(meant);
  }
  if (field.Field == "DateCreated" || field.Field == "TimeCreated") {
    const std::string read = DigitsOf(value), wanted = DigitsOf(meant);
    return read.starts_with(wanted) &&
           read.find_first_not_of('0', wanted.size()) == std::string::npos;
  }
  return value == meant;
}

std::vector<std::string> XmpItemsOf(const tIptcFieldRow& field, std::string_view text) {
  if (text.empty()) return {};
  if (!field.IsList) return {Cp1252ToUtf8(text)};
  std::vector<std::string> items;
  for (const std::string& item : SplitCommaList(text)) {
    if (!TrimBlanks(item).empty()) items.push_back(Cp1252ToUtf8(item));
  }
  return items;
}

std::string XmpDateOf(std::string_view date, std::string_view time) {
  const std::string d = DigitsOf(date);
  if (d.empty()) return {};
  std::string out = d.size() == 8 ? d.substr(0, 4) + "-" + d.substr(4, 2) + "-" + d.substr(6, 2)
                                  : std::string(date);
  // Only a time of the IIM's form, HHMMSS and perhaps a zone of +HHMM or -HHMM, goes into the XMP;
  // of another, the XMP would hold a part, and a read trusting it would give that part.
  const auto digits = [](std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  const std::string_view clock = time.substr(0, std::min<std::size_t>(6, time.size()));
  const std::string_view zone = time.substr(clock.size());
  const bool zoned =
      zone.size() == 5 && (zone[0] == '+' || zone[0] == '-') && digits(zone.substr(1));
  if (d.size() == 8 && clock.size() == 6 && digits(clock) && (zone.empty() || zoned)) {
    out += "T" + std::string(clock.substr(0, 2)) + ":" + std::string(clock.substr(2, 2)) + ":" +
           std::string(clock.substr(4, 2));
    if (zoned) out += std::string(zone.substr(0, 3)) + ":" + std::string(zone.substr(3, 2));
  }
  return out;
}

}  // namespace dux
