#include "metadata/makernotes/MakerNoteFormatters.h"

#include <algorithm>
#include <array>
#include <vector>

#include "metadata/tiff/ExifValues.h"
#include "text/AsciiText.h"
#include "text/TextFields.h"
#include "text/TextFormat.h"

namespace dux {
namespace {

using tListField = tCanonListField;

constexpr std::string_view kLowNormalHigh = "65535:Low,0:Normal,1:High";

// The camera-settings record. Its codes are Canon's as ExifTool documents them; labels that
// users already hold stay as they were where they name the right setting.
constexpr int kFocalUnitsField = 26;
constexpr std::array<tListField, 21> kCameraSettings = {{
    {"Macro mode", 2, "1:Macro,2:Normal"},
    {"Self Timer", 3, ""},  // tenths of a second, 0 for off
    {"Compression Rate", 4,
     "1:Economy,2:Normal,3:Fine,4:RAW,5:SuperFine,7:CRAW,130:Light (RAW),131:Standard (RAW)"},
    {"Flash Mode", 5,
     "0:Not fired,1:Auto,2:On,3:Red-eye,4:Slow sync,5:Auto+red-eye,6:On+red eye,16:External flash"},
    {"Drive Mode", 6,
     "0:Single,1:Continuous,2:Movie,3:Continuous Speed Priority,4:Continuous Low,"
     "5:Continuous High,6:Silent Single,8:Continuous High+,9:Single Silent,10:Continuous Silent"},
    {"Focus Mode", 8,
     "0:One-Shot,1:AI Servo,2:AI Focus,3:MF,4:Single,5:Continuous,6:MF,16:Pan Focus,"
     "256:One-Shot (Live View),257:AI Servo (Live View),258:AI Focus (Live View),"
     "512:Movie Snap Focus,519:Movie Servo AF"},
    {"Image Size", 11, "0:Large,1:Medium,2:Small,4:5MPixel,5:2 MPixel,6:1.5 MPixel"},
    {"Easy Shoot", 12,
     "0:Full Auto,1:Manual,2:Landscape,3:Fast Shutter,4:Slow "
     "Shutter,5:Night,6:B&W,7:Sepia,8:Portrait,9:Sports,10:Macro/Close-Up,11:Pan Focus"},
    {"Contrast", 14, kLowNormalHigh},
    {"Saturation", 15, kLowNormalHigh},
    {"Sharpness", 16, kLowNormalHigh},
    {"CCD ISO", 17, "0:Not used,15:auto,16:50,17:100,18:200,19:400"},
    {"Metering Mode", 18,
     "0:Default,1:Spot,2:Average,3:Evaluative,4:Partial,5:Center-weighted average"},
    {"AF Point", 20,
     "8197:Manual AF point selection,12288:None (MF),12289:Auto AF point selection,"
     "12290:Right,12291:Center,12292:Left,16385:Auto AF point selection,16390:Face Detect"},
    {"Exposure Mode", 21,
     "0:Easy,1:Program AE,2:Shutter speed priority AE,3:Aperture-priority AE,4:Manual,"
     "5:Depth-of-field AE,6:M-Dep,7:Bulb,8:Flexible-priority AE"},
    {"Long focal", 24, "", tCanonUnit::kFocalLength},
    {"Short focal", 25, "", tCanonUnit::kFocalLength},
    {"Focal Units", kFocalUnitsField, ""},
    {"Flash Details", 29, ""},
    {"Focus Mode", 33, "0:Single,1:Continuous,8:Manual"},
    {"Image Stabilization", 35,
     "0:Off,1:On,2:Shoot Only,3:Panning,4:Dynamic,256:Off (2),257:On (2),258:Shoot Only (2),"
     "259:Panning (2),260:Dynamic (2)"},
}};

// The shot-info record.
constexpr std::array<tListField, 6> kShotInfo = {{
    {"White balance", 8,
     "0:Auto,1:Sunny,2:Cloudy,3:Tungsten,4:Flourescent,5:Flash,6:Custom,7:Black & White,"
     "8:Shade,9:Manual Temperature (Kelvin),10:PC Set1,11:PC Set2,12:PC Set3,"
     "14:Daylight Fluorescent,15:Custom 1,16:Custom 2,17:Underwater,18:Custom 3,19:Custom 4,"
     "20:PC Set4,21:PC Set5,23:Auto (ambience priority)"},
    {"Sequence Number", 10, ""},
    {"OpticalZoom Step", 11, ""},
    {"AF point", 15, ""},  // the points in focus, one bit each
    {"Flash bias", 16,
     "65472:-2 EV,65484:-1.67 EV,65488:-1.50 EV,65492:-1.33 EV,65504:-1 EV,65516:-0.67 "
     "EV,65520:-0.50 EV,65524:-0.33 EV,0:0 EV,12:0.33 EV,16:0.50 EV,20:0.67 EV,32:1 EV,44:1.33 "
     "EV,48:1.50 EV,52:1.67 EV,64:2 EV"},
    {"Distance", 20, "", tCanonUnit::kDistance},  // the upper end of the focus distance
}};

// The file-info record of the newer bodies, which keeps the focus distance there.
constexpr std::array<tListField, 1> kFileInfo = {{
    {"Distance", 21, "", tCanonUnit::kDistance},
}};

struct tCustomFunction {
  std::string_view label, codes;
};

// Functions 1..15 of the custom-function list.
constexpr std::array<tCustomFunction, 15> kCustomFunctions = {{
    {"Noise Reduction", "0: Off,1: On"},
    {"Shutter AE Lock Button", "0:AF/AE lock,1:AE lock/AF,2:AF/AF lock,3:AE+release/AE+AF"},
    {"Mirror Lockup", "0:Disable,1:Enable"},
    {"Exposure Level", "0:1/2 stop,1:1/3 stop"},
    {"AF Assist", "0:On (auto),1:Off"},
    {"AV Shutter Speed", "0:Automatic,1: 1/200 (fixed)"},
    {"AEB Sequence",
     "0:0, -, + / Enabled1: 0, -, + / Disabled,2: -, 0, + / Enabled,3: -, 0, + / Disabled"},
    {"Shutter Sync", "0:1st-curtain sync,1: 2nd-curtain sync"},
    {"Lens AF Button", "0:AF stop,1:Operate AF,2:Lock AE and start timer"},
    {"Fill Flash Reduction", "0:Enable,1:Disable"},
    {"Menu Return", "0:Top,1:Previous (volatile),2:Previous"},
    {"Set Button", "0:Not assigned,1:Change quality,2:Change ISO speed,3:Select parameters"},
    {"Sensor Cleaning", "0:Disable,1:Enable"},
    {"Superimposed Display", "0: On,1: Off"},
    {"Shutter Release w/o CF Card", "0:Enable,1:Disable"},
}};

// Adds a named value to the context when it is not blank, and its line to `lines`.
void AddNamedLine(std::string& lines, std::string_view label, std::string_view value,
                  FormatContext& context) {
  if (TrimBlanks(value).empty()) return;
  context.AddValue(label, value);
  lines.append("\r\n").append(label).append("=").append(value);
}

// The comma fields of a list text, split once: field n is NthField(text, ",", n).
std::vector<std::string_view> CommaFields(std::string_view text) {
  std::vector<std::string_view> fields;
  fields.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), ',')) + 1);
  for (std::size_t start = 0;;) {
    const auto comma = text.find(',', start);
    fields.push_back(text.substr(
        start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (comma == std::string_view::npos) return fields;
    start = comma + 1;
  }
}

std::string_view Field(const std::vector<std::string_view>& fields, int n) {
  const auto index = static_cast<std::size_t>(std::max(n, 1) - 1);
  return index < fields.size() ? fields[index] : std::string_view();
}

// A field's text: its code's label, a length in mm or metres, or the field as it stands.
std::string FieldText(const tListField& field, const std::vector<std::string_view>& values,
                      char decimalSeparator) {
  const std::string_view value = Field(values, field.field);
  if (!field.codes.empty()) return std::string(ValueCodeOf(field.codes, value));
  const auto number = ParseInteger(value);
  switch (field.unit) {
    case tCanonUnit::kFocalLength: {
      const auto units = ParseInteger(Field(values, kFocalUnitsField));
      if (!number || *number <= 0) return {};
      return FormatText("%0.1f mm",
                        {static_cast<double>(*number) / (units && *units > 0 ? *units : 1)},
                        decimalSeparator);
    }
    case tCanonUnit::kDistance:
      if (!number || *number <= 0) return {};
      if (*number >= 65535) return "inf";
      return FormatText("%0.2f m", {*number / 100.0}, decimalSeparator);
    case tCanonUnit::kAsStored:
      break;
  }
  return std::string(value);
}

template <std::size_t N>
std::string FieldLines(std::string_view text, const std::array<tListField, N>& fields,
                       FormatContext& context) {
  const std::vector<std::string_view> values = CommaFields(text);
  std::string lines;
  for (const tListField& field : fields)
    AddNamedLine(lines, field.label, FieldText(field, values, context.DecimalSeparator()), context);
  return lines;
}

}  // namespace

std::span<const tCanonListField> CanonCameraSettingsFields() { return kCameraSettings; }
std::span<const tCanonListField> CanonShotInfoFields() { return kShotInfo; }

std::string FormatColorModeText(std::string_view text) {
  const std::string mode(text.substr(std::min<std::size_t>(1, text.size()), 5));
  if (mode == "MODE1") return "Mode1 (sRGB)";
  if (mode == "MODE2") return "Mode 2 (Adobe RGB)";
  if (mode == "MODE3") return "Mode 3 (sRGB): higher saturation";
  return mode;
}

std::string FormatLensRange(std::string_view text, FormatContext& context) {
  std::array<double, 4> numbers{};
  std::string rest(text);
  for (std::size_t i = 0; i < 3; ++i) {
    const auto found = rest.find(", ");
    numbers[i] = FractionValue(
        found == std::string::npos ? std::string_view() : std::string_view(rest).substr(0, found));
    rest = found == std::string::npos ? rest.substr(0, 64) : rest.substr(found + 1, 64);
  }
  numbers[3] = FractionValue(rest);
  return FormatText("%0.1f-%0.1f(mm)  F%0.1f-F%0.1f",
                    {numbers[0], numbers[1], numbers[2], numbers[3]}, context.DecimalSeparator());
}

namespace {

// The lens features of Sony's LensSpec tag: a mask of its first and last byte (first byte
// high), the names of the bits' values, and whether the name comes before the range.
struct tLensFeature {
  std::uint16_t mask;
  std::array<std::pair<std::uint16_t, std::string_view>, 4> names;
  bool prefix;
};
constexpr std::array<tLensFeature, 8> kSonyLensFeatures = {{
    {0x4000, {{{0x4000, "PZ"}}}, true},
    {0x0300, {{{0x0100, "DT"}, {0x0200, "FE"}, {0x0300, "E"}}}, true},
    {0x00E0,
     {{{0x0020, "STF"}, {0x0040, "Reflex"}, {0x0060, "Macro"}, {0x0080, "Fisheye"}}},
     false},
    {0x000C, {{{0x0004, "ZA"}, {0x0008, "G"}}}, false},
    {0x0003, {{{0x0001, "SSM"}, {0x0002, "SAM"}}}, false},
    {0x8000, {{{0x8000, "OSS"}}}, false},
    {0x2000, {{{0x2000, "LE"}}}, false},
    {0x0800, {{{0x0800, "II"}}}, false},
}};

// A byte's two hexadecimal digits read as decimal ones (Sony's focal lengths: 0x18 is 18), with
// a digit above 9 as its value (0xB0 is 110).
int DecimalDigits(std::uint8_t b) { return (b >> 4) * 10 + (b & 0x0F); }

}  // namespace

std::string FormatSonyLensSpec(std::string_view text) {
  std::array<std::uint8_t, 8> b{};
  if (text.size() == 10 && text.front() == '"' && text.back() == '"') {
    for (std::size_t i = 0; i < b.size(); ++i) b[i] = static_cast<std::uint8_t>(text[i + 1]);
  } else {
    const std::vector<std::string_view> fields = CommaFields(text);
    if (fields.size() != b.size()) return std::string(text);
    for (std::size_t i = 0; i < b.size(); ++i) {
      const auto n = ParseInteger(fields[i]);
      if (!n || *n < 0 || *n > 255) return std::string(text);
      b[i] = static_cast<std::uint8_t>(*n);
    }
  }
  const int shortFocal = DecimalDigits(b[1]) * 100 + DecimalDigits(b[2]);
  const int longFocal = DecimalDigits(b[3]) * 100 + DecimalDigits(b[4]);
  const double shortAperture = DecimalDigits(b[5]) / 10.0,
               longAperture = DecimalDigits(b[6]) / 10.0;
  if (shortFocal == 0 || shortAperture == 0 || (longFocal != 0 && longFocal < shortFocal) ||
      (longAperture != 0 && longAperture < shortAperture))
    return std::string(text);
  std::string range = std::to_string(shortFocal);
  if (longFocal != shortFocal && longFocal != 0) range += "-" + std::to_string(longFocal);
  range += "mm F" + ShortFixedText(shortAperture, 1);
  if (longAperture != shortAperture && longAperture != 0)
    range += "-" + ShortFixedText(longAperture, 1);
  const std::uint16_t flags = static_cast<std::uint16_t>(b[0] << 8 | b[7]);
  for (const tLensFeature& feature : kSonyLensFeatures) {
    const std::uint16_t bits = flags & feature.mask;
    if (bits == 0) continue;
    std::string_view name;
    for (const auto& [value, label] : feature.names) {
      if (value == bits) name = label;
    }
    if (name.empty()) continue;
    range = feature.prefix ? std::string(name) + " " + range : range + " " + std::string(name);
  }
  return range;
}

std::string ListCameraSettings(std::string_view text, FormatContext& context) {
  context.KeepUnformatted();
  return FieldLines(text, kCameraSettings, context);
}

std::string ListShotInfo(std::string_view text, FormatContext& context) {
  context.KeepUnformatted();
  return FieldLines(text, kShotInfo, context);
}

std::string ListFileInfo(std::string_view text, FormatContext& context) {
  context.KeepUnformatted();
  return FieldLines(text, kFileInfo, context);
}

std::string ListCustomFunctions(std::string_view text, FormatContext& context) {
  context.KeepUnformatted();
  std::string lines;
  const std::vector<std::string_view> values = CommaFields(text);
  const int count = static_cast<int>(values.size()) - 1;  // the last field is not examined
  for (int k = 1; k <= count; ++k) {
    const auto n = ParseInteger(Field(values, k));
    if (!n || *n < 0) continue;
    const int function = *n / 256, setting = *n % 256;
    if (function < 1 || function > static_cast<int>(kCustomFunctions.size())) continue;
    const tCustomFunction& f = kCustomFunctions[static_cast<std::size_t>(function) - 1];
    AddNamedLine(lines, f.label, ValueCodeOf(f.codes, std::to_string(setting)), context);
  }
  return lines;
}

}  // namespace dux
