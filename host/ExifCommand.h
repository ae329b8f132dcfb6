#pragma once

#include <string>

namespace dux {

// duxEXIFread: hands the file's EXIF data to the host as line lists and summaries in
// "[duxEXIF_Data]", "[duxEXIF_SummaryShort]", "[duxEXIF_SummaryLong]",
// "[duxEXIF_MakerSpecificData]", "[duxEXIF_ThumbnailData]" and "[duxEXIF_CommentStr]".
// True when the file had EXIF data.
bool ExifRead(const std::string& fileName);

}  // namespace dux
