#include "metadata/makernotes/CanonSensor.h"

#include <initializer_list>

#include "metadata/makernotes/MakerNoteTables.h"
#include "metadata/tiff/IfdEntry.h"

namespace dux {
namespace {

constexpr std::uint16_t kFocalLengthRecord = 0x0002;
constexpr int kShort = 3;
constexpr double kMillimetresPerThousandthInch = 25.4 / 1000;

// The EOS models whose record holds the focal plane size: the D30, D60, 1D, 1Ds, 5D, 10D, 20D,
// 30D, 300D, 350D and 400D, under their names in every market. PowerShots hold it all.
bool RecordHoldsTheSize(std::string_view model) {
  if (model.find("EOS") == std::string_view::npos) return true;
  model = model.substr(0, model.find_last_not_of(' ') + 1);
  const auto endsWith = [model](std::string_view tail) {
    if (!model.ends_with(tail)) return false;
    if (model.size() == tail.size()) return true;
    const char before = model[model.size() - tail.size() - 1];
    return before == ' ' || before == '-';  // a whole word
  };
  for (std::string_view name : {"1D", "1DS", "5D", "D30", "D60", "10D", "20D", "30D", "K236",
                                "300D DIGITAL", "350D DIGITAL", "400D DIGITAL", "REBEL", "REBEL XT",
                                "REBEL XTi", "Kiss Digital", "Kiss Digital N", "Kiss Digital X"}) {
    if (endsWith(name)) return true;
  }
  return false;
}

}  // namespace

std::optional<tSensorSize> CanonFocalPlaneSize(const tNoteFacts& facts,
                                               std::string_view exifBytes) {
  const auto layout = TmsInfo::LayoutOf(facts);
  if (!layout || layout->table.data() != kCanonTable.data() || !RecordHoldsTheSize(facts.model))
    return std::nullopt;
  const tIfdReader note{facts.note, layout->bigEndian};
  const std::int64_t dirPos = layout->dirOffset + 1;
  const std::int64_t valueStart = dirPos - layout->valueBase + 1;
  const std::int64_t n = *EntriesToRead(note, dirPos, CountRule::kReadThoseThere);
  for (std::int64_t i = 0; i < n; ++i) {
    const tIfdEntry e = DecodeIfdEntry(note, dirPos + 2 + 12 * i, valueStart);
    if (e.tag != kFocalLengthRecord) continue;
    if (e.type != kShort || e.size < 8) return std::nullopt;
    const std::string_view raw = ValueBytes(note, e, exifBytes, layout->fallbackBase);
    if (raw.size() < 8) return std::nullopt;
    const int x = Word(raw, 5, layout->bigEndian), y = Word(raw, 7, layout->bigEndian);
    if (x < 40 || y < 40) return std::nullopt;
    return tSensorSize{x * kMillimetresPerThousandthInch, y * kMillimetresPerThousandthInch};
  }
  return std::nullopt;
}

}  // namespace dux
