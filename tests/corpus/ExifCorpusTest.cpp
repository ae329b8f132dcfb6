// duxEXIFread on every corpus file, through the plug-in's exports: no crash and no slow file
// anywhere, and the values ExifTool reads wherever both readers name the same thing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "metadata/exif/ExifTags.h"
#include "metadata/tiff/ExifValues.h"
#include "tests/support/Corpus.h"
#include "tests/support/PluginFixture.h"
#include "text/AsciiText.h"
#include "text/TextFormat.h"

namespace dux::test {
namespace {

using Lines = std::map<std::string, std::string>;

// "Label=value" lines of a line list; the first of each label.
Lines ParseLines(const std::string& text) {
  Lines lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto equals = line.find('=');
    if (equals != std::string::npos) lines.emplace(line.substr(0, equals), line.substr(equals + 1));
  }
  return lines;
}

struct tExifRead {
  bool result = false;
  std::map<std::string, std::string> vars;
  Lines data, summary, thumbnail;
};

tExifRead ReadExif(LoadedPlugin& plugin, const std::string& path) {
  plugin.Host().setCalls.clear();
  tExifRead read;
  read.result = plugin.Run(5, {path});
  read.vars.insert(plugin.Host().setCalls.begin(), plugin.Host().setCalls.end());
  read.data = ParseLines(read.vars["[duxEXIF_Data]"]);
  read.summary = ParseLines(read.vars["[duxEXIF_SummaryLong]"]);
  read.thumbnail = ParseLines(read.vars["[duxEXIF_ThumbnailData]"]);
  return read;
}

// The oracle's value of a tag in the groups that hold TIFF/EXIF directories, or of "Group:Tag".
const nlohmann::json* OracleTag(const nlohmann::json& oracle, const std::string& tag) {
  if (tag.find(':') != std::string::npos) return oracle.contains(tag) ? &oracle[tag] : nullptr;
  for (const char* group : {"IFD0:", "ExifIFD:", "GPS:", "IFD1:", "SubIFD:"}) {
    const std::string key = group + tag;
    if (oracle.contains(key)) return &oracle[key];
  }
  return nullptr;
}

std::optional<double> FirstNumber(const std::string& text) {
  std::size_t i = text.find_first_of("-0123456789");
  if (i == std::string::npos) return std::nullopt;
  std::size_t end = i + 1;
  while (end < text.size() && (std::isdigit(static_cast<unsigned char>(text[end])) ||
                               text[end] == '.' || text[end] == '/'))
    ++end;
  const std::string number = text.substr(i, end - i);
  if (number.find('/') != std::string::npos) return FractionValue(number);
  return std::stod(number);
}

// File offset of the TIFF header of the first EXIF APP1 of a JPEG; 0 when there is none.
std::int64_t TiffHeaderOffset(const std::string& jpeg) {
  std::size_t pos = 2;
  while (pos + 10 <= jpeg.size() && static_cast<unsigned char>(jpeg[pos]) == 0xFF) {
    const auto marker = static_cast<unsigned char>(jpeg[pos + 1]);
    if (marker == 0xDA) break;
    const std::size_t length =
        static_cast<unsigned char>(jpeg[pos + 2]) << 8 | static_cast<unsigned char>(jpeg[pos + 3]);
    if (marker == 0xE1 && jpeg.compare(pos + 4, 5, std::string("Exif\0", 5)) == 0)
      return static_cast<std::int64_t>(pos) + 10;
    pos += length + 2;
  }
  return 0;
}

// ExifTool's text as a line shows it: a control character (a line break) as ".".
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 32) c = '.';
  }
  return text;
}

std::string TrimmedText(std::string text) {
  while (!text.empty() && (text.back() == '.' || IsBlankOrControl(text.back()))) text.pop_back();
  return std::string(TrimLeftBlanks(text));
}

// Whether our text of one quantity agrees with ExifTool's value of it.
struct tCheck {
  const char* name;
  std::function<std::optional<std::string>(const tExifRead&)> ours;  // nothing: we do not name it
  std::function<bool(const std::string& ours, const nlohmann::json& theirs,
                     const std::string& file)>
      agrees;
  const char* oracleTag;
  // A value we always give (Flash=No) or derive (the 35 mm focal length) is compared only
  // where ExifTool read one from the file.
  bool onlyWhereExifToolHasIt = false;
};

bool SameNumber(const std::string& ours, const nlohmann::json& theirs, double tolerance) {
  const auto a = FirstNumber(ours);
  if (!theirs.is_number() || !a) return false;
  const double b = theirs.get<double>();
  return std::fabs(*a - b) <= tolerance * std::max(1.0, std::fabs(b));
}

// "D Degrees M Minutes S Seconds" against decimal degrees; the seconds are rounded.
bool SameCoordinate(const std::string& ours, const nlohmann::json& theirs) {
  if (!theirs.is_number()) return false;
  double d = 0, m = 0, s = 0;
  if (std::sscanf(ours.c_str(), "%lf Degrees %lf Minutes %lf Seconds", &d, &m, &s) != 3)
    return false;
  return std::fabs(std::fabs(theirs.get<double>()) - (d + m / 60 + s / 3600)) <= 0.5 / 3600 + 1e-9;
}

bool SameTime(const std::string& ours, const nlohmann::json& theirs) {
  double h = 0, m = 0, s = 0, th = 0, tm = 0, ts = 0;
  return std::sscanf(ours.c_str(), "%lf:%lf:%lf", &h, &m, &s) == 3 && theirs.is_string() &&
         std::sscanf(theirs.get<std::string>().c_str(), "%lf:%lf:%lf", &th, &tm, &ts) == 3 &&
         std::fabs(h * 3600 + m * 60 + s - (th * 3600 + tm * 60 + ts)) <= 0.5 + 1e-9;
}

std::optional<std::string> DataLine(const tExifRead& r, const char* label) {
  const auto found = r.data.find(label);
  return found == r.data.end() ? std::nullopt : std::optional<std::string>(found->second);
}

// A text line against ExifTool's text (UTF-8), both in code page 1252, blanks at the ends aside.
tCheck TextCheck(const char* label, const char* oracleTag) {
  return {oracleTag, [label](const tExifRead& r) { return DataLine(r, label); },
          [](const std::string& o, const nlohmann::json& t, const std::string&) {
            return TrimmedText(o) == TrimmedText(OneLine(OracleText(t)));
          },
          oracleTag};
}

// A number line, to a relative tolerance.
tCheck NumberCheck(const char* label, const char* oracleTag, double tolerance = 1e-3) {
  return {oracleTag, [label](const tExifRead& r) { return DataLine(r, label); },
          [tolerance](const std::string& o, const nlohmann::json& t, const std::string&) {
            return SameNumber(o, t, tolerance);
          },
          oracleTag};
}

// A coded line: our label of ExifTool's number, from our table.
tCheck CodeCheck(const char* label, const char* oracleTag, int tag,
                 std::span<const tTagRow> table = kExifTags) {
  return {oracleTag, [label](const tExifRead& r) { return DataLine(r, label); },
          [tag, table](const std::string& o, const nlohmann::json& t, const std::string&) {
            // ExifTool gives an UNDEFINED byte (FileSource, SceneType) as that character.
            const bool oneByte = t.is_string() && t.get<std::string>().size() == 1;
            if (!t.is_number() && !oneByte) return false;
            const int code =
                oneByte ? static_cast<unsigned char>(t.get<std::string>()[0]) : t.get<int>();
            return !o.empty() && o == ValueCodeOf(CodesOfTag(tag, table), std::to_string(code));
          },
          oracleTag};
}

// "24-70 mm f/2.8" against ExifTool's four numbers: each range's second number is left out
// where it is 0 or the same as its first, and "?" stands for an unknown one.
bool SameLensSpecification(const std::string& ours, const nlohmann::json& theirs) {
  if (!theirs.is_string()) return false;
  std::istringstream in(theirs.get<std::string>());
  std::vector<std::string> v(4);
  for (std::string& item : v) in >> item;
  const auto range = [](const std::string& a, const std::string& b) {
    const auto number = [](const std::string& x) {
      if (x == "undef" || x == "inf") return std::string("?");
      std::string text = FormatText("%0.2f", {std::stod(x)});
      while (text.back() == '0') text.pop_back();
      if (text.back() == '.') text.pop_back();
      return text;
    };
    return number(a) + (b != "undef" && std::stod(b) != 0 && b != a ? "-" + number(b) : "");
  };
  return ours == range(v[0], v[1]) + " mm f/" + range(v[2], v[3]);
}

const std::vector<tCheck>& Checks() {
  static const std::vector<tCheck> checks = {
      {"Make", [](const tExifRead& r) { return DataLine(r, "Make"); },
       [](const std::string& o, const nlohmann::json& t, const std::string&) {
         return TrimmedText(o) == TrimmedText(OneLine(OracleText(t)));
       },
       "Make"},
      {"Model", [](const tExifRead& r) { return DataLine(r, "Model"); },
       [](const std::string& o, const nlohmann::json& t, const std::string&) {
         return TrimmedText(o) == TrimmedText(OneLine(OracleText(t)));
       },
       "Model"},
      {"ExposureTime", [](const tExifRead& r) { return DataLine(r, "Exposure Time"); },
       [](const std::string& o, const nlohmann::json& t, const std::string&) {
         return SameNumber(o, t, 1e-3);
       },
       "ExposureTime"},
      {"FNumber", [](const tExifRead& r) { return DataLine(r, "FNumber"); },
       [](const std::string& o, const nlohmann::json& t, const std::string&) {
         return SameNumber(o, t, 0.05);
       },
       "FNumber"},
      // The APEX apertures, as f-numbers; ExifTool's numeric value is the f-number too.
      {"ApertureValue", [](const tExifRead& r) { return DataLine(r, "Aperture Value"); },
       [](const std::string& o, const nlohmann::json& t, const std::string&) {
         return SameNumber(o, t, 0.05);
       },
       "ApertureValue"},
      {"MaxApertureValue", [](const tExifRead& r) { return DataLine(r, "Max Aperture Value"); },
       [](const std::string& o, const nlohmann::json& t, const std::string&) {
         return SameNumber(o, t, 0.05);
       },
       "MaxApertureValue"},
      {"ISO", [](const tExifRead& r) { return DataLine(r, "ISOSpeed Ratings"); },
       [](const std::string& o, const nlohmann::json& t, const std::string&) {
         return SameNumber(o, t, 0);
       },
       "ISO"},
      {"FocalLength", [](const tExifRead& r) { return DataLine(r, "Focal Length"); },
       [](const std::string& o, const nlohmann::json& t, const std::string&) {
         return SameNumber(o, t, 0.005);
       },
       "FocalLength"},
      {"FocalLengthIn35mmFormat",
       [](const tExifRead& r) { return DataLine(r, "Focal Length in 35mm Film"); },
       [](const std::string& o, const nlohmann::json& t, const std::string&) {
         return SameNumber(o, t, 0.005);
       },
       "FocalLengthIn35mmFormat", true},
      {"Orientation", [](const tExifRead& r) { return DataLine(r, "Orientation"); },
       [](const std::string& o, const nlohmann::json& t, const std::string&) {
         return t.is_number() &&
                o == ValueCodeOf(CodesOfTag(0x0112, kExifTags), std::to_string(t.get<int>()));
       },
       "Orientation"},
      {"Flash",
       [](const tExifRead& r) {
         return r.summary.count("Flash") ? std::optional<std::string>(r.summary.at("Flash"))
                                         : std::nullopt;
       },
       [](const std::string& o, const nlohmann::json& t, const std::string&) {
         return t.is_number() && o == ((t.get<int>() & 1) ? "Yes" : "No");
       },
       "Flash", true},
      {"GPSLatitude", [](const tExifRead& r) { return DataLine(r, "GPSLatitude"); },
       [](const std::string& o, const nlohmann::json& t, const std::string&) {
         return SameCoordinate(o, t);
       },
       "GPSLatitude"},
      {"GPSLongitude", [](const tExifRead& r) { return DataLine(r, "GPSLongitude"); },
       [](const std::string& o, const nlohmann::json& t, const std::string&) {
         return SameCoordinate(o, t);
       },
       "GPSLongitude"},
      {"GPSTimeStamp", [](const tExifRead& r) { return DataLine(r, "GPSTime Stamp"); },
       [](const std::string& o, const nlohmann::json& t, const std::string&) {
         return SameTime(o, t);
       },
       "GPSTimeStamp"},
      {"ThumbnailOffset",
       [](const tExifRead& r) {
         return r.thumbnail.count("JPEGInterchange Format")
                    ? std::optional<std::string>(r.thumbnail.at("JPEGInterchange Format"))
                    : std::nullopt;
       },
       [](const std::string& o, const nlohmann::json& t, const std::string& file) {
         return t.is_number() && FirstNumber(o) &&
                *FirstNumber(o) + TiffHeaderOffset(ReadFileBytes(CorpusFile(file))) ==
                    t.get<double>();
       },
       "ThumbnailOffset"},
      {"ThumbnailLength",
       [](const tExifRead& r) {
         return r.thumbnail.count("JPEGInterchange Format Length")
                    ? std::optional<std::string>(r.thumbnail.at("JPEGInterchange Format Length"))
                    : std::nullopt;
       },
       [](const std::string& o, const nlohmann::json& t, const std::string&) {
         return SameNumber(o, t, 0);
       },
       "ThumbnailLength"},
      {"UserComment", [](const tExifRead& r) { return DataLine(r, "User Comment"); },
       [](const std::string& o, const nlohmann::json& t, const std::string&) {
         return TrimmedText(o) == TrimmedText(OneLine(OracleText(t)));
       },
       "UserComment"},
      // Texts, in whatever encoding the file holds them.
      TextCheck("Artist", "Artist"),
      TextCheck("Copyright", "Copyright"),
      TextCheck("Image Description", "ImageDescription"),
      TextCheck("Title", "XPTitle"),
      TextCheck("Comments", "XPComment"),
      TextCheck("Author", "XPAuthor"),
      TextCheck("Keywords", "XPKeywords"),
      TextCheck("Subject", "XPSubject"),
      // The tags of EXIF 2.3 and later.
      TextCheck("Lens Make", "LensMake"),
      TextCheck("Lens Model", "LensModel"),
      {"LensInfo", [](const tExifRead& r) { return DataLine(r, "Lens Specification"); },
       [](const std::string& o, const nlohmann::json& t, const std::string&) {
         return SameLensSpecification(o, t);
       },
       "LensInfo"},
      TextCheck("Body Serial Number", "SerialNumber"),
      TextCheck("Lens Serial Number", "LensSerialNumber"),
      TextCheck("Camera Owner Name", "OwnerName"),
      TextCheck("Offset Time", "OffsetTime"),
      TextCheck("Offset Time Original", "OffsetTimeOriginal"),
      TextCheck("Offset Time Digitized", "OffsetTimeDigitized"),
      CodeCheck("Sensitivity Type", "SensitivityType", 0x8830),
      NumberCheck("Standard Output Sensitivity", "StandardOutputSensitivity"),
      NumberCheck("Recommended Exposure Index", "RecommendedExposureIndex"),
      NumberCheck("Exif ISOSpeed", "ExifIFD:ISOSpeed"),
      CodeCheck("Composite Image", "CompositeImage", 0xA460),
      NumberCheck("Exif Gamma", "ExifIFD:Gamma"),
      {"GPSVersionID", [](const tExifRead& r) { return DataLine(r, "GPSVersion ID"); },
       [](const std::string& o, const nlohmann::json& t, const std::string&) {
         std::string dotted = OracleText(t);
         std::replace(dotted.begin(), dotted.end(), ' ', '.');
         return o == dotted;
       },
       "GPSVersionID"},
      NumberCheck("GPSHPositioning Error", "GPSHPositioningError"),
      TextCheck("GPSProcessing Mode", "GPSProcessingMethod"),
      NumberCheck("Ambient Temperature", "AmbientTemperature"),
      NumberCheck("Humidity", "Humidity"),
      NumberCheck("Pressure", "Pressure"),
      NumberCheck("Water Depth", "WaterDepth"),
      NumberCheck("Camera Elevation Angle", "CameraElevationAngle"),
      // EXIF 3.0: the people and programs, in UTF-8 where the file says so.
      TextCheck("Exif Image Title", "ImageTitle"),
      TextCheck("Photographer", "Photographer"),
      TextCheck("Image Editor", "ImageEditor"),
      TextCheck("Camera Firmware", "CameraFirmware"),
      TextCheck("RAWDeveloping Software", "RAWDevelopingSoftware"),
      TextCheck("Image Editing Software", "ImageEditingSoftware"),
      TextCheck("Metadata Editing Software", "MetadataEditingSoftware"),
      // Code lists, every code our table has.
      CodeCheck("Color Space", "ColorSpace", 0xA001),
      CodeCheck("Photometric Interpretation", "IFD0:PhotometricInterpretation", 0x0106),
      CodeCheck("Light Source", "LightSource", 0x9208),
      CodeCheck("Metering Mode", "MeteringMode", 0x9207),
      CodeCheck("Exposure Program", "ExposureProgram", 0x8822),
      CodeCheck("File Source", "FileSource", 0xA300),
      CodeCheck("Scene Type", "SceneType", 0xA301),
      CodeCheck("Scene Capture Type", "SceneCaptureType", 0xA406),
      CodeCheck("Sensing Method", "ExifIFD:SensingMethod", 0xA217),
      CodeCheck("GPSAltitude Ref", "GPSAltitudeRef", 0x0005, kGpsTags),
      CodeCheck("GPSDifferential", "GPSDifferential", 0x001E, kGpsTags),
      CodeCheck("Compression", "IFD0:Compression", 0x0103),
      CodeCheck("Resolution Unit", "IFD0:ResolutionUnit", 0x0128),
      CodeCheck("YCb Cr Positioning", "YCbCrPositioning", 0x0213),
      CodeCheck("Focal Plane Resolution Unit", "FocalPlaneResolutionUnit", 0xA210),
      CodeCheck("Custom Rendered", "CustomRendered", 0xA401),
      CodeCheck("Exposure Mode", "ExposureMode", 0xA402),
      CodeCheck("White Balance", "WhiteBalance", 0xA403),
      CodeCheck("Gain Control", "GainControl", 0xA407),
      CodeCheck("Contrast", "Contrast", 0xA408),
      CodeCheck("Saturation", "Saturation", 0xA409),
      CodeCheck("Sharpness", "Sharpness", 0xA40A),
      CodeCheck("Subject Distance Range", "SubjectDistanceRange", 0xA40C),
      // The 35 mm focal length the camera stated, or the one derived from the sensor's size,
      // as a scale factor of the focal length: ExifTool gives the factor only where it knows it.
      {"ScaleFactor35efl",
       [](const tExifRead& r) -> std::optional<std::string> {
         const auto focal35 = DataLine(r, "Focal Length in 35mm Film");
         const auto focal = DataLine(r, "Focal Length");
         if (!focal35 || !focal || !FirstNumber(*focal35) || !(*FirstNumber(*focal) > 0))
           return std::nullopt;
         return std::to_string(*FirstNumber(*focal35) / *FirstNumber(*focal));
       },
       [](const std::string& o, const nlohmann::json& t, const std::string&) {
         return SameNumber(o, t, 0.03);
       },
       "Composite:ScaleFactor35efl"},
  };
  return checks;
}

// How fast is the benchmark's business; the work of the largest inputs is bounded by counts in
// the resource-bound tests.
TEST(ExifCorpus, EveryFileReadsTheSameEachTimeAndWithoutACrash) {
  LoadedPlugin plugin;
  int files = 0;
  for (const tCorpusFile& corpus : CorpusFiles()) {
    SCOPED_TRACE(corpus.file);
    const tExifRead first = ReadExif(plugin, CorpusFile(corpus.file));
    const tExifRead second = ReadExif(plugin, CorpusFile(corpus.file));
    EXPECT_EQ(first.vars, second.vars);
    EXPECT_EQ(first.result, second.result);
    EXPECT_EQ(first.vars.at("[duxEXIF_Data]").rfind("ErrStr=", 0), 0u);
    ++files;
  }
  EXPECT_GT(files, 160);
}

// A catalogue script reads the IPTC and then the EXIF of thousands of files in one session:
// nothing of one file may reach the next one's values, and nothing may pile up from file to
// file. Each pair's variables are the same in either order of the files, and the memory in
// use after a pass over the corpus, once it has settled, is the same within a few of the
// allocator's chunks three passes later.
TEST(ExifCorpus, TheReadPairCarriesNothingFromOneFileToTheNext) {
  LoadedPlugin plugin;
  std::vector<std::string> paths;
  for (const tCorpusFile& corpus : CorpusFiles()) paths.push_back(CorpusFile(corpus.file));
  using tValues = std::vector<std::pair<std::string, std::string>>;
  const auto pass = [&plugin](const std::vector<std::string>& files,
                              std::map<std::string, tValues>* values) {
    for (const std::string& path : files) {
      plugin.Host().setCalls.clear();
      plugin.Run(1, {path});
      plugin.Run(5, {path});
      if (values != nullptr) (*values)[path] = plugin.Host().setCalls;
    }
    plugin.Host().setCalls.clear();
  };
  std::map<std::string, tValues> forwards, backwards;
  pass(paths, &forwards);
  pass(std::vector<std::string>(paths.rbegin(), paths.rend()), &backwards);
  ASSERT_EQ(forwards.size(), paths.size());
  for (const std::string& path : paths) EXPECT_EQ(forwards[path], backwards[path]) << path;
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__) && !defined(__clang__)
  // A host keeps the variables, not a log of every call (the log's capacity follows the order
  // of the files). A sanitizer's allocator does not count through mallinfo2; GCC's build does.
  // The allocator's per-size caches count as in use and take a few passes to settle, now and
  // then one more than it seemed: what is carried over grows with every pass, a cache does not.
  plugin.Host().recordSetCalls = false;
  std::size_t inUse = 0;
  for (int i = 0, same = 0; i < 12 && same < 2; ++i) {
    pass(paths, nullptr);
    const std::size_t now = mallinfo2().uordblks;
    same = now == inUse ? same + 1 : 0;
    inUse = now;
  }
  // Where a file's bytes come from the page cache in parts, the reads fill and hold buffers of
  // other sizes, and the caches settle a chunk or two apart: what is carried over from file to
  // file, three passes of every corpus file, would be far more than that.
  for (int i = 0; i < 3; ++i) pass(paths, nullptr);
  const std::size_t settled = mallinfo2().uordblks;
  for (int i = 0; i < 3; ++i) pass(paths, nullptr);
  EXPECT_LE(mallinfo2().uordblks, settled + 512) << "settled first at " << inUse;
#endif
}

TEST(ExifCorpus, ValuesAgreeWithExifToolOrWithTheKnownDifference) {
  LoadedPlugin plugin;
  std::map<std::pair<std::string, std::string>, tKnownDifference> known;
  for (const auto& k : KnownDifferences("exif")) known[{k.file, k.field}] = k;
  std::set<std::pair<std::string, std::string>> used;
  int compared = 0;
  for (const tCorpusFile& corpus : CorpusFiles()) {
    if (!corpus.hasExif) continue;
    SCOPED_TRACE(corpus.file);
    const tExifRead read = ReadExif(plugin, CorpusFile(corpus.file));
    const nlohmann::json oracle = OracleOf(corpus.file);
    const auto whole = known.find({corpus.file, "*"});
    if (whole != known.end()) {  // a file we do not read as ExifTool does: we name nothing
      used.insert(whole->first);
      EXPECT_FALSE(read.result) << whole->second.reason;
      for (const tCheck& check : Checks()) EXPECT_FALSE(check.ours(read)) << check.name;
      continue;
    }
    for (const tCheck& check : Checks()) {
      SCOPED_TRACE(check.name);
      const std::optional<std::string> ours = check.ours(read);
      const nlohmann::json* theirs = OracleTag(oracle, check.oracleTag);
      if (!ours && theirs == nullptr) continue;
      if (!ours && theirs->is_string() && theirs->get<std::string>().empty()) continue;  // no text
      if (check.onlyWhereExifToolHasIt && theirs == nullptr) continue;
      // The thumbnail is listed only when more than 256 bytes of the APP1 follow IFD1; a
      // smaller thumbnail may go unlisted.
      const nlohmann::json* thumbnailLength = OracleTag(oracle, "ThumbnailLength");
      if (!ours && std::string(check.name).rfind("Thumbnail", 0) == 0 &&
          thumbnailLength != nullptr && thumbnailLength->is_number() &&
          thumbnailLength->get<double>() <= 256) {
        continue;
      }
      const bool agrees = ours && theirs != nullptr && check.agrees(*ours, *theirs, corpus.file);
      const auto k = known.find({corpus.file, check.name});
      if (k != known.end()) {
        used.insert(k->first);
        EXPECT_FALSE(agrees) << "a known difference now agrees: remove it from the list";
        EXPECT_EQ(ours.value_or("<none>"), k->second.ours) << k->second.reason;
      } else {
        EXPECT_TRUE(agrees) << "ours: " << ours.value_or("<none>")
                            << "  ExifTool: " << (theirs ? theirs->dump() : "<none>");
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 400);
  for (const auto& [key, row] : known)
    EXPECT_TRUE(used.count(key)) << "unused known difference " << key.first << " " << key.second;
}

}  // namespace
}  // namespace dux::test
