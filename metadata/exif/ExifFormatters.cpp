#include "metadata/exif/ExifFormatters.h"

#include <array>
#include <cmath>
#include <limits>

#include "metadata/tiff/ExifValues.h"
#include "text/AsciiText.h"
#include "text/Cp1252.h"
#include "text/TextFormat.h"

namespace dux {
namespace {

// Text before the first ", " (empty when there is none) and up to 64 characters from the
// blank after that comma (from the start when there is none).
struct tSplit {
  std::string_view before, after;
};

tSplit SplitAtListSeparator(std::string_view text) {
  const auto found = text.find(", ");
  if (found == std::string_view::npos) return {{}, text.substr(0, 64)};
  return {text.substr(0, found), text.substr(found + 1, 64)};
}

struct tTriple {
  double first = 0, second = 0, third = 0;
};

tTriple ThreeFractions(std::string_view text) {
  const tSplit a = SplitAtListSeparator(text);
  const tSplit b = SplitAtListSeparator(a.after);
  return {FractionValue(a.before), FractionValue(b.before), FractionValue(b.after)};
}

}  // namespace

std::string FormatComponents(std::string_view text) {
  static constexpr std::array<std::string_view, 7> kNames = {"", "Y", "Cb", "Cr", "R", "G", "B"};
  std::string out;
  for (std::size_t i = 1; i <= 4 && i < text.size(); ++i) {
    const auto code = static_cast<unsigned char>(text[i]);
    if (code < kNames.size()) out += kNames[code];
  }
  return out;
}

std::string FormatShutterSpeed(std::string_view text, FormatContext& context) {
  const double apex = FractionValue(text);
  const double seconds = PowerOfTwo(-apex);
  std::string out = FormatText("%4.4f sec", {seconds}, context.DecimalSeparator());
  if (seconds <= 0.5) out += FormatText(" (1/%d)", {std::int64_t{RoundToInt32(1.0 / seconds)}});
  return out;
}

std::string FormatAperture(std::string_view text, FormatContext& context) {
  // An APEX value: the f-number is 2 to the power of half of it (APEX 5 is f/5.6).
  const double apex = FractionValue(text);
  return FormatText("F%0.1f", {PowerOfTwo(apex / 2)}, context.DecimalSeparator());
}

std::string FormatFlash(std::string_view text) {
  const auto parsed = ParseInteger(text);
  if (!parsed) return std::string(text);
  const std::int32_t v = *parsed;
  std::string out = (v & 1) != 0 ? "On" : "Off";
  switch (v & 6) {
    case 2:
      out += ", UNKNOWN";
      break;
    case 4:
      out += ", no strobe return";
      break;
    case 6:
      out += ", strobe return";
      break;
    default:
      break;
  }
  switch (v & 0x18) {
    case 8:
      out += ", forced";
      break;
    case 16:
      out += ", surpressed";
      break;
    case 24:
      out += ", auto mode";
      break;
    default:
      break;
  }
  if ((v & 0x20) != 0) out += ", no flash function";
  if ((v & 0x40) != 0) out += ", red-eye reduction";
  return out;
}

namespace {

// One number of a lens's focal or aperture range, as lens makers print it ("5.6", "70"); nothing
// when it is not a fraction, and NaN when it is unknown (0/0).
std::optional<double> LensNumber(std::string_view item) {
  const auto slash = item.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  const auto den = ParseInteger(item.substr(slash + 1));
  if (!den) return std::nullopt;
  return *den == 0 ? std::numeric_limits<double>::quiet_NaN() : FractionValue(item);
}

void AppendLensNumber(std::string& out, double value, char decimalSeparator) {
  if (std::isnan(value)) {
    out += '?';
    return;
  }
  out += ShortFixedText(value, 2, decimalSeparator);
}

// "a" or "a-b": b is left out where it is zero, unknown or the same as a (a prime lens).
void AppendLensRange(std::string& out, double a, double b, char decimalSeparator) {
  AppendLensNumber(out, a, decimalSeparator);
  if (b > 0 && b != a) {
    out += '-';
    AppendLensNumber(out, b, decimalSeparator);
  }
}

}  // namespace

std::string FormatLensSpecification(std::string_view text, FormatContext& context) {
  std::array<double, 4> v{};
  std::string_view rest = text;
  for (std::size_t i = 0; i < v.size(); ++i) {
    const auto comma = rest.find(", ");
    if ((comma == std::string_view::npos) != (i + 1 == v.size())) return std::string(text);
    const std::optional<double> number = LensNumber(rest.substr(0, comma));
    if (!number) return std::string(text);
    v[i] = *number;
    rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 2);
  }
  std::string out;
  AppendLensRange(out, v[0], v[1], context.DecimalSeparator());
  out += " mm f/";
  AppendLensRange(out, v[2], v[3], context.DecimalSeparator());
  return out;
}

std::string FormatVersionNumbers(std::string_view text) {
  std::string out;
  for (std::size_t start = 0; start <= text.size();) {
    const auto comma = text.find(", ", start);
    if (!out.empty()) out += '.';
    out += text.substr(start, comma - start);
    if (comma == std::string_view::npos) break;
    start = comma + 2;
  }
  return out;
}

std::string FormatGpsCoordinate(std::string_view text) {
  tTriple t = ThreeFractions(text);
  if (t.third == 0) {  // minutes given with a fraction
    t.third = (t.second - std::trunc(t.second)) * 100 * 0.6;
    t.second = std::trunc(t.second);
  }
  return FormatText("%0.0f Degrees %0.0f Minutes %0.0f Seconds", {t.first, t.second, t.third});
}

std::string FormatGpsTime(std::string_view text) {
  const tTriple t = ThreeFractions(text);
  return FormatText("%0.0f:%0.0f:%0.0f", {t.first, t.second, t.third});
}

namespace {

// UTF-16 without a byte-order mark: the order in which more of the high bytes are zero, as they
// are for Latin text; `bigEndian` where the zero bytes do not tell.
bool Utf16LooksBigEndian(std::string_view bytes, bool bigEndian) {
  std::size_t evenZeros = 0, oddZeros = 0;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    evenZeros += bytes[i] == '\0';
    oddZeros += bytes[i + 1] == '\0';
  }
  return evenZeros == oddZeros ? bigEndian : evenZeros > oddZeros;
}

std::string_view BeforeZeroByte(std::string_view text) { return text.substr(0, text.find('\0')); }

// UTF-16 up to its first zero unit, as 1252.
std::string Utf16Text(std::string_view bytes, bool bigEndian) {
  std::size_t end = 0;
  while (end + 1 < bytes.size() && (bytes[end] != '\0' || bytes[end + 1] != '\0')) end += 2;
  return Utf16ToCp1252(bytes.substr(0, end), bigEndian);
}

}  // namespace

std::string CharacterCodeText(std::string_view raw, bool bigEndian) {
  const std::string_view code = raw.substr(0, 8), body = raw.size() > 8 ? raw.substr(8) : "";
  std::string text;
  if (code.starts_with("UNICODE")) {
    text = Utf16Text(body, Utf16LooksBigEndian(body, bigEndian));
  } else if (code.find_first_not_of(std::string_view("\0 ", 2)) == std::string_view::npos ||
             code.starts_with("ASCII") || code.starts_with("JIS")) {
    text = TextAsCp1252(BeforeZeroByte(body));
  } else {  // no character code: the bytes are the text
    text = TextAsCp1252(BeforeZeroByte(raw));
  }
  return std::string(TrimBlanks(text));
}

std::optional<std::string> DecodedText(std::string_view raw, tTextKind kind, bool bigEndian) {
  switch (kind) {
    case tTextKind::kWithCharacterCode:
      return CharacterCodeText(raw, bigEndian);
    case tTextKind::kUcs2LittleEndian:
      return Utf16Text(raw, false);
    case tTextKind::kByType:
      break;
  }
  return std::nullopt;
}

}  // namespace dux
