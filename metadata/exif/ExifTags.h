#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "metadata/tiff/TTagEntry.h"

namespace dux {

// The TIFF/EXIF tag table, by ascending tag. A tag it lacks is listed as "Unknown".
extern const std::span<const tTagRow> kExifTags;
// The GPS tag table; its first row, GPSVersionID, is tag 0.
extern const std::span<const tTagRow> kGpsTags;

// Directory kinds of the walk.
inline constexpr int kMainDirectory = 1, kGpsDirectory = 2, kThumbnailDirectory = 4;

// A label from a short name: a blank before each capital that follows a non-capital
// ("ExposureTime" -> "Exposure Time", "ISOSpeedRatings" -> "ISOSpeed Ratings").
std::string SpacedName(std::string_view shortName);

// The row for `tag` in a directory of `directoryKind` as an entry, its label prepared: the
// EXIF table for kinds 1 and 4, the GPS table for kind 2; nothing when the table lacks it.
std::optional<TTagEntry> LookupTagRow(int tag, int directoryKind);
// What a tag no table knows is formatted as: "Unknown", without a formatter or code list.
const TTagEntry& UnknownTagEntry();

// First EXIF row whose ShortName equals `name` ignoring letter case; -1 if none.
int ExifTableIndexOfName(std::string_view name);

// First row of `table` with that tag; -1 if none.
int IndexOfTagInTable(int tag, std::span<const tTagRow> table);

// ValueCodes of the last row of `table` with that tag; empty if none.
std::string CodesOfTag(int tag, std::span<const tTagRow> table);

}  // namespace dux
