#include <cmath>
#include <string>

#include "metadata/exif/ExifTags.h"
#include "metadata/exif/TImageInfo.h"
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

void TImageInfo::DeriveFocalLength35() {
  if (IndexOfName("FocalLengthin35mmFilm") >= 0) return;
  std::int32_t unit = IntegerValueOf("FocalPlaneResolutionUnit");
  if (unit <= 0) unit = IntegerValueOf("ResolutionUnit");
  const double mm = unit == 2 ? kMillimetresPerInch : unit == 3 ? kMillimetresPerCentimetre : 0.0;
  const double focal = NumericValueOf("FocalLength");
  if (mm == 0 || focal == 0) return;
  double width = 0, height = 0;
  const std::int32_t xResolution = IntegerValueOf("FocalPlaneXResolution");
  if (xResolution > 0) width = imageWidth * mm / xResolution;
  const std::int32_t yResolution = IntegerValueOf("FocalPlaneYResolution");
  if (yResolution > 0) height = imageHeight * mm / yResolution;
  if (width * height <= 0) return;  // no estimate when the sensor size is unknown
  const double focal35 = focal * kFullFrameDiagonal / std::sqrt(width * width + height * height);
  TTagEntry entry = LookupTagRow(kFocalLengthIn35mmFilm, kMainDirectory);
  entry.DisplayValue = FormatText("%5.2f", {focal35}, locale.decimalSeparator);
  entry.RawValue = {};
  entry.FormatText = "%s mm";  // stored, not applied
  entry.ValueType = 10;
  AppendEntry(entry);
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
