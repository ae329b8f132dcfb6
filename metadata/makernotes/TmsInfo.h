#pragma once

namespace dux {

class TImageInfo;

// The maker-note decoder of one MakerNote tag: recognises the camera make, chooses the tag
// table and directory layout of that make, and has the directory set walk the note.
class TmsInfo {
 public:
  explicit TmsInfo(bool tiffSource) : tiffSource_(tiffSource) {}

  // True when the make was recognised and its note walked; the values join info's entries
  // with TableId 1.
  bool DecodeMakerNote(TImageInfo& info) const;

 private:
  bool tiffSource_;
};

}  // namespace dux
