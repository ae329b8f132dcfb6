#pragma once

namespace dux {

class TImageInfo;

// The maker-note decoder of one MakerNote tag: recognises the camera make, chooses the tag
// table and directory layout of that make, and has the directory set walk the note.
class TmsInfo {
 public:
  TmsInfo(bool tiffSource, TImageInfo* owner) : tiffSource_(tiffSource), owner_(owner) {}

  // True when the make was recognised and its note walked; the values join info's entries
  // with TableId 1.
  bool DecodeMakerNote(TImageInfo& info);

 private:
  bool tiffSource_;
  TImageInfo* owner_;
};

}  // namespace dux
