#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include "metadata/exif/ExifTags.h"
#include "metadata/exif/TImageInfo.h"
#include "metadata/makernotes/CanonSensor.h"
#include "metadata/tiff/ExifValues.h"
#include "text/AsciiText.h"
#include "text/DateTime.h"
#include "text/TextFormat.h"

namespace dux {
namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kMillimetresPerCentimetre = 10.0;
constexpr double kFullFrameDiagonal = 43.26661531;  // millimetres, as stored
constexpr std::string_view kNoError = ScanMessageText(ScanMessage::kNone);
constexpr std::string_view kLineBreak = "\r\n";
constexpr int kFocalLengthIn35mmFilm = 0xA405;

std::string BaseName(const std::string& fileName) {
  return fileName.substr(FileNameStart(fileName));
}

}  // namespace

// The sensor's diagonal in mm, from the focal plane resolution and the image size the camera
// wrote (the Exif image size, else the main image's). Each pair is taken only where its aspect
// is a photo's, and the diagonal only where it is a sensor's: an image resized or cropped after
// the camera keeps the camera's Exif image size, and a wrong pair would give a wrong value.
// Canon writes the focal plane resolution as the image's width and height in thousandths of a
// pixel over the sensor's in thousandths of an inch: the sensor's size, even in an image that was
// resized since, where the fractions still look like that.
std::optional<double> TImageInfo::CanonSensorDiagonal() const {
  if (TrimBlanks(cameraMake) != "Canon") return std::nullopt;
  const auto fraction = [this](std::string_view name) -> std::pair<std::uint32_t, std::uint32_t> {
    const std::int32_t i = IndexOfName(name);
    if (i < 0 || entries[static_cast<std::size_t>(i)].RawValue.size() < 8) return {0, 0};
    const std::string_view raw = entries[static_cast<std::size_t>(i)].RawValue;
    return {static_cast<std::uint32_t>(DecodeInteger(raw.substr(0, 4), bigEndian)),
            static_cast<std::uint32_t>(DecodeInteger(raw.substr(4, 4), bigEndian))};
  };
  const auto [xPixels, xInches] = fraction("FocalPlaneXResolution");
  const auto [yPixels, yInches] = fraction("FocalPlaneYResolution");
  if (xPixels % 1000 != 0 || yPixels % 1000 != 0 || xPixels < 640000 || yPixels < 480000 ||
      xPixels >= 10000000 || yPixels >= 10000000 || xInches < 61 || xInches >= 1500 ||
      yInches < 61 || yInches >= 1000 || xInches == yInches)
    return std::nullopt;
  const double x = xInches, y = yInches;
  return std::sqrt(x * x + y * y) * kMillimetresPerInch / 1000;
}

std::optional<double> TImageInfo::SensorDiagonal() const {
  if (const auto diagonal = CanonSensorDiagonal()) return diagonal;
  // A diagonal the maker note states (Olympus'), in mm.
  if (const double stated = NumericValueOf("FocalPlaneDiagonal"); stated > 0) return stated;
  // A size the maker note states comes next, where its aspect is a photo's (4:3 or 3:2).
  if (const auto size = CanonFocalPlaneSize(NoteFacts(), segmentData)) {
    const double aspect = size->width / size->height;
    if (std::fabs(aspect - 4.0 / 3) < 0.1 || std::fabs(aspect - 1.5) < 0.1)
      return std::sqrt(size->width * size->width + size->height * size->height);
  }
  const std::int32_t unit = IntegerValueOf("FocalPlaneResolutionUnit");
  const double mm = unit == 3   ? kMillimetresPerCentimetre
                    : unit == 4 ? 1.0
                    : unit == 5 ? 0.001
                                : kMillimetresPerInch;  // inches, also where no unit is given
  const double xResolution = NumericValueOf("FocalPlaneXResolution");
  double yResolution = NumericValueOf("FocalPlaneYResolution");
  if (!(xResolution > 0)) return std::nullopt;
  if (!(yResolution > 0)) yResolution = xResolution;
  for (const auto& [w, h] :
       {std::pair{"ExifImageWidth", "ExifImageLength"}, std::pair{"ImageWidth", "ImageLength"}}) {
    const double width = NumericValueOf(w), height = NumericValueOf(h);
    if (!(width > 0 && height > 0) || width / height <= 0.5 || width / height >= 2) continue;
    const double x = width * mm / xResolution, y = height * mm / yResolution;
    const double diagonal = std::sqrt(x * x + y * y);
    if (diagonal > 1 && diagonal < 100) return diagonal;
    return std::nullopt;
  }
  return std::nullopt;
}

void TImageInfo::DeriveFocalLength35() {
  if (IndexOfName("FocalLengthin35mmFilm") >= 0) return;
  const double focal = NumericValueOf("FocalLength");
  if (!(focal > 0)) return;
  const std::optional<double> diagonal = SensorDiagonal();
  if (!diagonal) return;  // no estimate when the sensor size is unknown
  const double focal35 = focal * kFullFrameDiagonal / *diagonal;
  std::optional<TTagEntry> entry = LookupTagRow(kFocalLengthIn35mmFilm, kMainDirectory);
  entry->DisplayValue = FormatText("%5.2f", {focal35}, locale.decimalSeparator);
  entry->RawValue = {};
  entry->FormatText = "%s mm";  // stored, not applied
  entry->ValueType = 10;
  AppendEntry(*entry);
}

std::string TImageInfo::SummaryLong(const tFileFacts& file, std::string_view errStr) const {
  const std::string name = BaseName(file.fileName);
  if (errStr != kNoError)
    return "File Name: " + name + std::string(kLineBreak) + "Exif Error: " + std::string(errStr);
  const tDate date = DateOf(file.fileDateTime);
  std::string text = "File Name=" + name;
  const auto line = [&text](std::string_view label, std::string_view value) {
    text.append(kLineBreak).append(label).append(value);
  };
  line("File Size=", std::to_string(file.fileSize / 1024));
  line("File Date=", FormatDatePicture(locale.shortDatePicture, date.year, date.month, date.day));
  line("Photo Date=", photoDate);
  line("Make (Model)=", cameraMake + " (" + cameraModel + ")");
  line("Dimensions=", std::to_string(imageWidth) + " x " + std::to_string(imageHeight));
  if (FormatsValues(buildMode)) {
    const auto optional = [&line](std::string_view label, std::string_view value) {
      if (!value.empty()) line(label, value);
    };
    const auto valueOf = [this](std::string_view name) {
      return DisplayValueAt(IndexOfName(name));
    };
    const std::string_view exposure = valueOf("ExposureTime");
    optional("Exposure Time=", exposure.empty() ? valueOf("ShutterSpeedValue") : exposure);
    optional("Focal Length=", valueOf("FocalLength"));
    optional("Focal Length (35mm)=", valueOf("FocalLengthin35mmFilm"));
    optional("FNumber=", valueOf("FNumber"));
    optional("ISO=", valueOf("ISOSpeedRatings"));
  }
  line("Flash=", (flashValue & 1) != 0 ? "Yes" : "No");
  if (FormatsValues(buildMode)) {  // lines added later come last, where no script reads others
    const auto firstOf = [this](std::string_view a, std::string_view b) {
      const std::string_view value = DisplayValueAt(IndexOfName(a));
      return value.empty() ? DisplayValueAt(IndexOfName(b)) : value;
    };
    const std::string_view lens = firstOf("LensModel", "LensSpecification");
    if (!lens.empty()) line("Lens=", lens);
    const std::string_view offset = firstOf("OffsetTimeOriginal", "OffsetTime");
    if (!offset.empty()) line("Time Offset=", offset);
  }
  return text;
}

std::string TImageInfo::SummaryShort(const tFileFacts& file, std::string_view errStr) const {
  const std::string name = BaseName(file.fileName);
  if (errStr != kNoError) return name + " Exif Error: " + std::string(errStr);
  return name + "|" + std::to_string(file.fileSize / 1024) + "|" + photoDate.substr(0, 10) + "|" +
         std::to_string(imageWidth) + "|" + std::to_string(imageHeight) + "|" +
         ((flashValue & 1) != 0 ? "Flash" : "");
}

}  // namespace dux
