#include "host/ExifCommand.h"

#include <algorithm>

#include "host/PluginState.h"
#include "metadata/TimgData.h"
#include "platform/Locale.h"
#include "text/AsciiText.h"

namespace dux {
namespace {

// A line list: every line, the last included, ends with CR LF.
class LineList {
 public:
  // Room for the lines of most files at once; the lists after the first reuse it.
  LineList() { text_.reserve(4096); }
  void Add(std::string_view line) { text_.append(line).append("\r\n"); }
  // A zero byte would end the host's text, and every later line with it: it shows as ".".
  void AddEntry(const TTagEntry& entry) {
    const std::string_view name = entry.Description, value = entry.DisplayValue;
    const std::size_t at = text_.size();
    text_.resize(at + name.size() + value.size() +
                 3);  // one growth check for the line's four parts
    char* out = text_.data() + at;
    out += name.copy(out, name.size());
    *out++ = '=';
    value.copy(out, value.size());
    if (value.find('\0') != std::string_view::npos)
      std::replace(out, out + value.size(), '\0', '.');
    out += value.size();
    out[0] = '\r';
    out[1] = '\n';
  }
  // Hands the list to a host variable and starts a new one.
  void StoreIn(std::string_view variable) {
    SetHostVariable(variable, text_);
    text_.clear();
  }

 private:
  std::string text_;
};

// The entries of one table in list order (as NextEntryOfTable gives them, without copies).
void AddEntriesOfTable(const std::vector<TTagEntry>& entries, EntryTable tableId, LineList& list) {
  for (const TTagEntry& entry : entries) {
    if (entry.TableId == tableId) list.AddEntry(entry);
  }
}

}  // namespace

bool ExifRead(const std::string& fileName) {
  TimgData image(BuildMode::kAll, platform::UserLocale());
  image.request = {.iptcAndXmp = false};  // the EXIF read shows neither
  image.scanMemory = &PluginState().lastScan;
  image.ScanFile(fileName);
  LineList list;
  list.Add("ErrStr=" + image.ErrStr);
  if (!image.HasExifSegment()) {
    list.StoreIn("[duxEXIF_Data]");
    for (const char* variable : {"[duxEXIF_MakerSpecificData]", "[duxEXIF_ThumbnailData]",
                                 "[duxEXIF_SummaryShort]", "[duxEXIF_SummaryLong]"}) {
      SetHostVariable(variable, "");
    }
    return false;
  }
  TImageInfo& info = *image.exifInfo;
  list.Add(info.bigEndian ? "ByteOrder=Motorola Byte Order" : "ByteOrder=Intel Byte Order");
  AddEntriesOfTable(info.entries, EntryTable::kDirectories, list);
  list.StoreIn("[duxEXIF_Data]");
  SetHostVariable("[duxEXIF_SummaryShort]", info.SummaryShort(image.FileFacts(), image.ErrStr));
  SetHostVariable("[duxEXIF_SummaryLong]", info.SummaryLong(image.FileFacts(), image.ErrStr));
  if (info.makerNoteDecoded) {
    AddEntriesOfTable(info.entries, EntryTable::kMakerNote, list);
    list.StoreIn("[duxEXIF_MakerSpecificData]");
  }
  if (image.HasThumbnail()) {
    info.ParseThumbnailDirectory();
    list.Add("Thumbnail Start=" + std::to_string(info.thumbnailStart));
    list.Add("Thumbnail Length=" + std::to_string(info.thumbnailLength));
    AddEntriesOfTable(info.thumbnailEntries, EntryTable::kDirectories, list);
    list.StoreIn("[duxEXIF_ThumbnailData]");
  }
  if (image.commentSection != nullptr) {
    list.Add(HostTextOf(image.CommentText()));
    list.StoreIn("[duxEXIF_CommentStr]");
  }
  return true;
}

}  // namespace dux
