#include "tests/corpus/IptcCorpus.h"

#include "metadata/iptc/IptcFields.h"

namespace dux::test {
namespace {

std::string Keyword(int i) {
  std::string keyword = "keyword number ";
  keyword.append(std::to_string(i));
  return keyword;
}

const std::string kLongKeyword = "a keyword far longer than thirty-two characters";

}  // namespace

const std::map<std::string, std::string>& ExifToolIptcNames() {
  static const std::map<std::string, std::string> names = {
      {"ByLine", "By-line"},
      {"ByLineTitle", "By-lineTitle"},
      {"Category", "Category"},
      {"City", "City"},
      {"Contact", "Contact"},
      {"Copyright", "CopyrightNotice"},
      {"DateCreated", "DateCreated"},
      {"FixtureID", "FixtureIdentifier"},
      {"ImageCaption", "Caption-Abstract"},
      {"ImageCaptionWriter", "Writer-Editor"},
      {"ImageCredit", "Credit"},
      {"ImageHeadline", "Headline"},
      {"ImageType", "ImageType"},
      {"Keywords", "Keywords"},
      {"LangID", "LanguageIdentifier"},
      {"LocationCode", "Country-PrimaryLocationCode"},
      {"LocationName", "Country-PrimaryLocationName"},
      {"ObjectName", "ObjectName"},
      {"Orientation", "ImageOrientation"},
      {"OriginatingProgram", "OriginatingProgram"},
      {"ProgramVersion", "ProgramVersion"},
      {"Source", "Source"},
      {"SpecialInstru", "SpecialInstructions"},
      {"State", "Province-State"},
      {"SubLocation", "Sub-location"},
      {"SubRef", "SubjectReference"},
      {"Subfile", "SubFile"},
      {"SuppCategory", "SupplementalCategories"},
      {"TimeCreated", "TimeCreated"},
      {"TransmissionRef", "OriginalTransmissionReference"},
      {"Urgency", "Urgency"},
  };
  return names;
}

std::map<std::string, std::string> RoundTripVariables() {
  std::map<std::string, std::string> values;
  for (const tIptcFieldRow& row : kIptcFields) {
    std::string value(row.Field);
    value.append(" \xE9t\xE9 \x80 \xDF\xFC\xF6 ").append(300, 'x');
    values[std::string(row.Variable)] = value;
  }
  std::string caption;
  while (caption.size() < 2100) caption += "Caption line with \xE4\xF6\xFC and \x93quotes\x94. ";
  values["[duxIPTC_ImageCaption]"] = caption;
  std::string keywords = "\"Smith, John\"";
  for (int i = 1; i <= 19; ++i) keywords.append(", ").append(Keyword(i));
  keywords.append(", ").append(kLongKeyword);
  values["[duxIPTC_Keywords]"] = keywords;
  values["[duxIPTC_SuppCategory]"] = "Sports,Ski jumping";
  values["[duxIPTC_DateCreated]"] = "20231224";
  values["[duxIPTC_TimeCreated]"] = "123456+0100";
  values["[duxIPTC_Urgency]"] = "5";
  return values;
}

std::vector<std::string> RoundTripKeywords() {
  std::vector<std::string> items = {"Smith, John"};
  for (int i = 1; i <= 19; ++i) items.push_back(Keyword(i));
  items.push_back(kLongKeyword.substr(0, 32));
  return items;
}

std::map<std::string, std::string> RoundTripExpected() {
  std::map<std::string, std::string> expected;
  const auto values = RoundTripVariables();
  for (const tIptcFieldRow& row : kIptcFields) {
    const std::string& value = values.at(std::string(row.Variable));
    expected[std::string(row.Variable)] = value.substr(0, static_cast<std::size_t>(row.Limit));
  }
  std::string keywords = "\"Smith, John\"";
  for (int i = 1; i <= 19; ++i) keywords.append(",").append(Keyword(i));
  keywords.append(",a keyword far longer than thirty");  // cut, then trimmed
  expected["[duxIPTC_Keywords]"] = keywords;
  expected["[duxIPTC_SuppCategory]"] = "Sports,Ski jumping";
  expected["[duxIPTC_Header]"] = "1";
  return expected;
}

const std::vector<std::string>& UnwritableCorpusJpegs() {
  static const std::vector<std::string> files = {
      // Metadata-only stubs: SOI, EXIF, then a second SOI and no frame header.
      "makernote/canon_powershot-s70_metadata-only.jpg",
      "makernote/casio_ex-s12_mn-QVC_metadata-only.jpg",
      "makernote/fujifilm_z33wp_metadata-only.jpg",
      "makernote/nikon_coolpix-s570_mn-type3_metadata-only.jpg",
      "malformed/jpeg_nikon-mn-overread_exiv2.jpg",
      "other-makes/pentax_optio430rs_mn-AOC-casio-style.jpg",
      "other-makes/pentax_optio750z_metadata-only.jpg",
      // The image height comes from a DNL marker, which libjpeg does not read.
      "structure/plain_no-app0-sof1_beach.jpg",
      // Files that end, or turn to garbage, before a usable frame header.
      "malformed/empty-file_0bytes.jpg",
      "malformed/jpeg_17bytes_trunc-app2.jpg",
      "malformed/jpeg_32bytes_trunc-exif-tiff-header.jpg",
      "malformed/jpeg_347bytes_exif-garbage_exiv2.jpg",
      "malformed/jpeg_66bytes_fuzz_exiv2.jpg",
      "malformed/jpeg_datetime-huge-count_exiv2.jpg",
      "malformed/jpeg_exif-then-trunc-dqt_goexif.jpg",
      "malformed/jpeg_fuzz_613bytes_com-exif-garbage.jpg",
      "malformed/jpeg_garbage-between-segments_exiv2.jpg",
      "malformed/jpeg_trunc-segment-52_exiv2.jpg",
      "malformed/not-jpeg_isobmff-content.jpg",
      "malformed/not-jpeg_jp2-content_20bytes.jpg",
      "malformed/not-jpeg_tiff-like-IIU.jpg",
      "structure/app1-after-app2_remembory_trunc.jpg",
  };
  return files;
}

bool WriteRoundTrip(LoadedPlugin& plugin, const std::string& source,
                    const std::string& destination) {
  plugin.Host().variables.clear();
  for (const auto& [name, value] : RoundTripVariables()) plugin.Host().variables[name] = value;
  plugin.Host().setCalls.clear();
  return plugin.Run(2, {source, destination});
}

}  // namespace dux::test
