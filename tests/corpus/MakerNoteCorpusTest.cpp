// The maker notes of the corpus against ExifTool, wherever both name the same setting. Values
// are compared as numbers: our text must be the label our code list gives ExifTool's number.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <sstream>
#include <string>

#include "metadata/TimgData.h"
#include "metadata/exif/ExifTags.h"
#include "metadata/makernotes/MakerNoteFormatters.h"
#include "metadata/makernotes/MakerNoteTables.h"
#include "metadata/makernotes/TmsInfo.h"
#include "metadata/tiff/ExifValues.h"
#include "tests/support/Corpus.h"
#include "tests/support/TempDir.h"
#include "text/AsciiText.h"

namespace dux::test {
namespace {

enum class Kind { Coded, Text, Numbers, Measure };  // Measure: a number and its unit

// One setting: our tag in a make's table (or a Canon list label), ExifTool's tag.
struct tSetting {
  const char* make;  // first five letters of the camera make, upper case
  std::span<const tTagRow> table;
  std::uint16_t tag;
  const char* oracleTag;
  Kind kind;
};

const std::vector<tSetting>& Settings() {
  static const std::vector<tSetting> settings = {
      {"NIKON", kNikonTable1, 0x0003, "Nikon:Quality", Kind::Coded},
      {"NIKON", kNikonTable2, 0x0002, "Nikon:ISO", Kind::Numbers},
      {"NIKON", kNikonTable2, 0x0004, "Nikon:Quality", Kind::Text},
      {"NIKON", kNikonTable2, 0x0005, "Nikon:WhiteBalance", Kind::Text},
      {"OLYMP", kOlympusTable, 0x0200, "Olympus:SpecialMode", Kind::Numbers},
      {"OLYMP", kOlympusTable, 0x0201, "Olympus:Quality", Kind::Coded},
      {"OLYMP", kOlympusTable, 0x0202, "Olympus:Macro", Kind::Coded},
      {"OLYMP", kOlympusEquipmentTable, 0x0101, "Olympus:SerialNumber", Kind::Text},
      {"OLYMP", kOlympusEquipmentTable, 0x0203, "Olympus:LensModel", Kind::Text},
      {"OLYMP", kOlympusEquipmentTable, 0x0207, "Olympus:MinFocalLength", Kind::Measure},
      {"OLYMP", kOlympusCameraSettingsTable, 0x0200, "Olympus:ExposureMode", Kind::Coded},
      {"OLYMP", kOlympusCameraSettingsTable, 0x0202, "Olympus:MeteringMode", Kind::Coded},
      {"OLYMP", kOlympusCameraSettingsTable, 0x0500, "Olympus:WhiteBalance2", Kind::Coded},
      {"OLYMP", kOlympusCameraSettingsTable, 0x0603, "Olympus:ImageQuality2", Kind::Coded},
      {"OLYMP", kOlympusCameraSettingsTable, 0x0604, "Olympus:ImageStabilization", Kind::Coded},
      {"CANON", kCanonTable, 0x0095, "Canon:LensModel", Kind::Text},
      {"CANON", kCanonTable, 0x0096, "Canon:InternalSerialNumber", Kind::Text},
      {"SONY", kSonyTable, 0x0102, "Sony:Quality", Kind::Coded},
      {"SONY", kSonyTable, 0x0115, "Sony:WhiteBalance", Kind::Coded},
      {"SONY", kSonyTable, 0xB026, "Sony:ImageStabilization", Kind::Coded},
      {"SONY", kSonyTable, 0xB027, "Sony:LensType", Kind::Numbers},
      {"SONY", kSonyTable, 0xB042, "Sony:FocusMode", Kind::Coded},
      {"SONY", kSonyTable, 0xB047, "Sony:JPEGQuality", Kind::Coded},
      {"SONY", kSonyTable, 0xB049, "Sony:ReleaseMode", Kind::Coded},
      {"PANAS", kPanasonicTable, 0x0001, "Panasonic:ImageQuality", Kind::Coded},
      {"PANAS", kPanasonicTable, 0x0003, "Panasonic:WhiteBalance", Kind::Coded},
      {"PANAS", kPanasonicTable, 0x0007, "Panasonic:FocusMode", Kind::Coded},
      {"PANAS", kPanasonicTable, 0x001A, "Panasonic:ImageStabilization", Kind::Coded},
      {"PANAS", kPanasonicTable, 0x0051, "Panasonic:LensType", Kind::Text},
      {"PENTA", kPentaxTable, 0x0008, "Pentax:Quality", Kind::Coded},
      {"PENTA", kPentaxTable, 0x000D, "Pentax:FocusMode", Kind::Coded},
      {"PENTA", kPentaxTable, 0x0019, "Pentax:WhiteBalance", Kind::Coded},
      {"PENTA", kPentaxTable, 0x0229, "Pentax:SerialNumber", Kind::Text},
      {"RICOH", kPentaxTable, 0x0008, "Pentax:Quality", Kind::Coded},
      {"RICOH", kPentaxTable, 0x0019, "Pentax:WhiteBalance", Kind::Coded},
      {"RICOH", kRicohTable, 0x0001, "Ricoh:MakerNoteType", Kind::Text},
      {"RICOH", kRicohTable, 0x1000, "Ricoh:RecordingFormat", Kind::Coded},
      {"PENTA", kRicohGrTable, 0x1003, "Ricoh:WhiteBalance", Kind::Coded},
      {"PENTA", kRicohGrTable, 0x1006, "Ricoh:FocusMode", Kind::Coded},
      {"PENTA", kRicohGrTable, 0x1001, "Ricoh:ExposureProgram", Kind::Coded},
      {"APPLE", kAppleTable, 0x0001, "Apple:MakerNoteVersion", Kind::Numbers},
      {"APPLE", kAppleTable, 0x0004, "Apple:AEStable", Kind::Coded},
      {"APPLE", kAppleTable, 0x000A, "Apple:HDRImageType", Kind::Coded},
      {"APPLE", kAppleTable, 0x002E, "Apple:CameraType", Kind::Coded},
      {"SIGMA", kSigmaTable, 0x0002, "Sigma:SerialNumber", Kind::Text},
      {"SIGMA", kSigmaTable, 0x0005, "Sigma:AFMode", Kind::Text},
      {"SIGMA", kSigmaTable, 0x0007, "Sigma:WhiteBalance", Kind::Text},
      {"SIGMA", kSigmaTable, 0x000A, "Sigma:LensFocalRange", Kind::Text},
      {"FUJIF", kFujifilmTable, 0x1001, "FujiFilm:Sharpness", Kind::Coded},
      {"FUJIF", kFujifilmTable, 0x1002, "FujiFilm:WhiteBalance", Kind::Coded},
      {"FUJIF", kFujifilmTable, 0x1021, "FujiFilm:FocusMode", Kind::Coded},
      {"FUJIF", kFujifilmTable, 0x1010, "FujiFilm:FujiFlashMode", Kind::Coded},
      {"CASIO", kCasioTable1, 0x0001, "Casio:RecordingMode", Kind::Coded},
      {"CASIO", kCasioTable1, 0x0002, "Casio:Quality", Kind::Coded},
      {"CASIO", kCasioTable1, 0x0004, "Casio:FlashMode", Kind::Coded},
      {"CASIO", kCasioTable2, 0x3000, "Casio:RecordMode", Kind::Coded},
      {"CASIO", kCasioTable2, 0x3002, "Casio:Quality", Kind::Coded},
  };
  return settings;
}

// Canon camera-settings and shot-info values and ExifTool's names of the fields they read: a
// coded value is the label of ExifTool's number, a number is ExifTool's (lengths in mm,
// distances in m). The shot info's "AF point" is not here: a name is found ignoring case, and
// the camera settings' "AF Point" comes first.
struct tCanonSetting {
  const char* label;
  const char* oracleTag;
  bool coded;
};

const std::vector<tCanonSetting>& CanonSettings() {
  static const std::vector<tCanonSetting> settings = {
      {"Macro mode", "Canon:MacroMode", true},
      {"Self Timer", "Canon:SelfTimer", false},
      {"Compression Rate", "Canon:Quality", true},
      {"Flash Mode", "Canon:CanonFlashMode", true},
      {"Drive Mode", "Canon:ContinuousDrive", true},
      {"Focus Mode", "Canon:FocusMode", true},
      {"Metering Mode", "Canon:MeteringMode", true},
      {"AF Point", "Canon:AFPoint", true},
      {"Exposure Mode", "Canon:CanonExposureMode", true},
      {"Long focal", "Canon:MaxFocalLength", false},
      {"Short focal", "Canon:MinFocalLength", false},
      {"White balance", "Canon:WhiteBalance", true},
      {"Sequence Number", "Canon:SequenceNumber", false},
      {"Image Stabilization", "Canon:ImageStabilization", true},
      {"Distance", "Canon:FocusDistanceUpper", false},
  };
  return settings;
}

// Our value of a Canon field against ExifTool's: a code's label, or the same number.
bool CanonAgrees(const tCanonSetting& setting, const std::string& ours,
                 const nlohmann::json& theirs) {
  std::optional<tCanonListField> field;  // the first field of that label is the one listed first
  for (const auto& fields : {CanonCameraSettingsFields(), CanonShotInfoFields()}) {
    for (const tCanonListField& f : fields) {
      if (f.label == setting.label && !field) field = f;
    }
  }
  if (!theirs.is_number()) return TrimBlanks(ours) == TrimBlanks(OracleText(theirs));
  const double number = theirs.get<double>();
  if (setting.coded) {
    // A code Canon's list has no label for is left out, where ExifTool says "Unknown (n)".
    const std::string code = std::to_string(static_cast<long long>(number));
    return ours == ValueCodeOf(field->codes, code);
  }
  if (number > 655.345 && ours == "inf") return true;        // a distance Canon gives as 65535
  if (number == 0 && TrimBlanks(ours).empty()) return true;  // an empty field is left out
  const std::string text(TrimBlanks(ours));
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  return end != text.c_str() &&
         std::fabs(value - number) <= 0.01 * std::max(1.0, std::fabs(number));
}

const TTagEntry* MakerEntry(const TImageInfo& info, std::uint16_t tag,
                            std::span<const tTagRow> table) {
  const int row = IndexOfTagInTable(tag, table);
  for (const TTagEntry& e : info.entries) {
    if (e.TableId == EntryTable::kMakerNote && e.TagNumber == tag && row >= 0 &&
        e.ShortName == table[static_cast<std::size_t>(row)].ShortName)
      return &e;
  }
  return nullptr;
}

std::string Unquoted(std::string_view text) {
  text = TrimBlanks(text);
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
    text = text.substr(1, text.size() - 2);
  return std::string(TrimBlanks(text));
}

std::string NumbersOf(const std::string& text) {
  std::string out;
  for (const char c : text) out += c == ',' ? ' ' : c;
  std::string squeezed;
  for (const char c : out) {
    if (!(c == ' ' && (squeezed.empty() || squeezed.back() == ' '))) squeezed += c;
  }
  return std::string(TrimBlanks(squeezed));
}

bool Agrees(const TTagEntry& ours, const nlohmann::json& theirs, std::span<const tTagRow> table,
            Kind kind) {
  switch (kind) {
    case Kind::Coded: {
      // Every component through the code list, joined as our list joins them.
      std::istringstream numbers(OracleText(theirs));
      std::string number, expected;
      for (int i = 0; numbers >> number; ++i) {
        expected += (i > 0 ? ", " : "") +
                    std::string(ValueCodeOf(CodesOfTag(ours.TagNumber, table), number));
      }
      return ours.DisplayValue == expected;
    }
    case Kind::Text:
      return Unquoted(ours.DisplayValue) == Unquoted(OracleText(theirs));
    case Kind::Numbers:
      return NumbersOf(ours.DisplayValue) == NumbersOf(OracleText(theirs));
    case Kind::Measure:
      return theirs.is_number() &&
             std::fabs(std::strtod(ours.DisplayValue.c_str(), nullptr) - theirs.get<double>()) <=
                 0.01 * std::max(1.0, std::fabs(theirs.get<double>()));
  }
  return false;
}

TEST(MakerNoteCorpus, SettingsAgreeWithExifToolOrWithTheKnownDifference) {
  std::map<std::pair<std::string, std::string>, tKnownDifference> known;
  for (const auto& k : KnownDifferences("makernote")) known[{k.file, k.field}] = k;
  std::set<std::pair<std::string, std::string>> used;
  // Our value of a setting must be ExifTool's, unless the list says why it is not.
  const auto check = [&](const std::string& file, const std::string& setting,
                         const std::string& ours, bool agrees) {
    const auto k = known.find({file, setting});
    if (k == known.end()) {
      EXPECT_TRUE(agrees) << "ours: " << ours;
      return;
    }
    used.insert(k->first);
    EXPECT_FALSE(agrees) << "a known difference now agrees: remove it from the list";
    EXPECT_EQ(ours, k->second.ours) << k->second.reason;
  };
  int compared = 0, canonCompared = 0, canonAgreed = 0;
  for (const tCorpusFile& corpus : CorpusFiles()) {
    if (!corpus.hasExif || corpus.makerNote.empty() || corpus.makerNote == "no") continue;
    SCOPED_TRACE(corpus.file);
    TimgData image;
    image.ScanFile(CorpusFile(corpus.file));
    if (!image.exifInfo) continue;
    const TImageInfo& info = *image.exifInfo;
    const std::string make = AsciiUpperCase(info.cameraMake.substr(0, 5));
    const nlohmann::json oracle = OracleOf(corpus.file);
    for (const tSetting& s : Settings()) {
      const TTagEntry* ours = make == s.make ? MakerEntry(info, s.tag, s.table) : nullptr;
      if (ours == nullptr || !oracle.contains(s.oracleTag)) continue;
      SCOPED_TRACE(s.oracleTag);
      check(corpus.file, s.oracleTag, ours->DisplayValue,
            Agrees(*ours, oracle[s.oracleTag], s.table, s.kind));
      ++compared;
    }
    // Kodak's record fields, by their line names.
    for (const tRecordField& field : kKodakRecord) {
      // ExifTool's name is ours, or ours without the make in front ("KodakQuality": Quality).
      const std::string name(field.name);
      const std::string oracleTag = oracle.contains("Kodak:" + name) || name.rfind("Kodak", 0) != 0
                                        ? "Kodak:" + name
                                        : "Kodak:" + name.substr(5);
      if (make != "EASTM" || !oracle.contains(oracleTag) || info.IndexOfName(field.name) < 0)
        continue;
      SCOPED_TRACE(oracleTag);
      const std::string ours = info.DisplayValueOf(field.name);
      const nlohmann::json& theirs = oracle[oracleTag];
      bool agrees = false;
      if (field.text) {
        agrees = Unquoted(ours) == Unquoted(OracleText(theirs));
      } else if (!field.codes.empty()) {
        agrees = theirs.is_number() &&
                 ours == ValueCodeOf(field.codes, std::to_string(theirs.get<long long>()));
      } else {
        agrees = theirs.is_number() &&
                 std::fabs(std::strtod(ours.c_str(), nullptr) - theirs.get<double>()) <= 1e-3;
      }
      check(corpus.file, oracleTag, ours, agrees);
      ++compared;
    }
    if (make != "CANON") continue;
    for (const tCanonSetting& setting : CanonSettings()) {
      if (!oracle.contains(setting.oracleTag)) continue;
      SCOPED_TRACE(setting.label);
      const std::string ours = info.DisplayValueOf(setting.label);
      const bool agrees = CanonAgrees(setting, ours, oracle[setting.oracleTag]);
      check(corpus.file, setting.label, ours, agrees);
      ++compared;
      ++canonCompared;
      canonAgreed += agrees ? 1 : 0;
    }
  }
  EXPECT_GT(compared, 40);
  // Canon's fields, the most common make's: nearly all as ExifTool reads them.
  EXPECT_GE(canonAgreed * 100, canonCompared * 95) << canonAgreed << " of " << canonCompared;
  for (const auto& [key, row] : known)
    EXPECT_TRUE(used.count(key)) << "unused known difference " << key.first << " " << key.second;
}

TEST(MakerNoteCorpus, RecognisedMakesAreDecodedAndOthersAreNot) {
  for (const tCorpusFile& corpus : CorpusFiles()) {
    if (!corpus.hasExif || corpus.makerNote.rfind("yes(", 0) != 0) continue;
    SCOPED_TRACE(corpus.file);
    TimgData image;
    image.ScanFile(CorpusFile(corpus.file));
    if (!image.exifInfo || image.exifInfo->makerNoteData.empty()) continue;
    // A note is decoded where a row of the registry names its make and its header.
    const std::string make = AsciiUpperCase(image.exifInfo->cameraMake);
    const std::string_view note = image.exifInfo->makerNoteData;
    const auto registry = MakerNoteRegistry();
    const TImageInfo& info = *image.exifInfo;
    const tNoteFacts facts{info.cameraMake,   info.cameraModel, info.exifVersion, note,
                           info.makerNotePos, info.bigEndian,   info.tiffSource,  info.headerPos};
    const bool known = std::any_of(registry.begin(), registry.end(), [&](const tMakeRow& row) {
      return make.starts_with(row.make) && note.starts_with(row.header) &&
             (row.matches == nullptr || row.matches(facts));
    });
    EXPECT_EQ(image.exifInfo->makerNoteDecoded, known) << make;
  }
}

}  // namespace
}  // namespace dux::test
