// The one marker tokenizer, under the scan's rules and a decoder's, and the leading-segment run
// built on it.
#include "metadata/jpeg/JpegMarkers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "metadata/jpeg/JpegImage.h"
#include "tests/support/JpegBuilder.h"

namespace dux {
namespace {

static_assert(StandsAlone(0xD8) && StandsAlone(0xD0) && StandsAlone(0xD7) && StandsAlone(0x01));
static_assert(!StandsAlone(0xD9) && !StandsAlone(0xDA) && !StandsAlone(0xE1) && !StandsAlone(0x00));
static_assert(IsAppOrComment(0xE0) && IsAppOrComment(0xEF) && IsAppOrComment(0xFE) &&
              !IsAppOrComment(0xDB));
static_assert(HasLengthField(kScanPolicy, 0xD0) && !HasLengthField(kDecoderPolicy, 0xD0) &&
              HasLengthField(kDecoderPolicy, 0xE1));

struct tTokens {
  std::vector<tMarker> markers;
  std::int64_t end = 0;  // where the stream stood when no marker was left
};

// Every marker of `bytes` with nothing read between them.
tTokens Tokens(const std::string& bytes, const tMarkerPolicy& policy) {
  MemoryByteStream stream(bytes);
  tTokens tokens;
  tMarker marker;
  while (NextMarker(stream, policy, marker)) tokens.markers.push_back(marker);
  tokens.end = stream.Position();
  return tokens;
}

TEST(NextMarker, FillStrayAndTheEndUnderEitherPolicy) {
  struct Case {
    const char* what;
    std::string bytes;
    tMarkerPolicy policy;
    std::vector<std::pair<int, std::int64_t>> markers;  // code, marker offset
    std::vector<bool> stray;
  };
  const std::vector<Case> cases = {
      {"fill bytes",
       std::string("\xFF\xFF\xFF\xE1\xFF\xD9", 6),
       kScanPolicy,
       {{0xE1, 3}, {0xD9, 5}},
       {false, false}},
      {"a stray byte is the scan's marker",
       std::string("\x00\xFF\xE1", 3),
       kScanPolicy,
       {{0x00, 0}, {0xE1, 2}},
       {true, false}},
      {"a decoder skips stray bytes",
       std::string("\x00\x12\xFF\xE1\x34\xFF\xFF\xDB", 8),
       kDecoderPolicy,
       {{0xE1, 3}, {0xDB, 7}},
       {true, true}},
      {"fill bytes at the end",
       std::string("\xFF\xE1\xFF\xFF", 4),
       kScanPolicy,
       {{0xE1, 1}},
       {false}},
      {"stray bytes at the end",
       std::string("\xFF\xE1\x00\x00", 4),
       kDecoderPolicy,
       {{0xE1, 1}},
       {false}},
      {"nothing", "", kDecoderPolicy, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const tTokens tokens = Tokens(c.bytes, c.policy);
    ASSERT_EQ(tokens.markers.size(), c.markers.size());
    for (std::size_t i = 0; i < c.markers.size(); ++i) {
      EXPECT_EQ(tokens.markers[i].code, c.markers[i].first);
      EXPECT_EQ(tokens.markers[i].markerOffset, c.markers[i].second);
      EXPECT_EQ(tokens.markers[i].strayBefore, c.stray[i]);
    }
    EXPECT_EQ(tokens.end, static_cast<std::int64_t>(c.bytes.size()));  // never past the data
  }
}

TEST(FindLeadingSegments, TheRunOfWholeAppAndCommentSegmentsAfterSoi) {
  const std::string app1 = test::Segment(0xE1, "one"), com = test::Segment(0xFE, "two"),
                    app13 = test::Segment(0xED, "3");
  const std::string dqt = test::Segment(0xDB, std::string(65, '\0'));
  struct Case {
    const char* what;
    std::string jpeg;
    std::vector<std::string> run;
  };
  const std::vector<Case> cases = {
      {"three, then tables", "\xFF\xD8" + app1 + com + app13 + dqt, {app1, com, app13}},
      {"fill bytes belong to the segment",
       "\xFF\xD8" + ("\xFF" + app1) + com + dqt,
       {"\xFF" + app1, com}},
      {"a stray byte ends the run", "\xFF\xD8" + app1 + std::string("\x00", 1) + com + dqt, {app1}},
      {"a segment cut short ends it", "\xFF\xD8" + app1 + com.substr(0, 5), {app1}},
      {"tables first", "\xFF\xD8" + dqt + app1, {}},
      {"a restart marker ends it", "\xFF\xD8" + app1 + "\xFF\xD0" + com, {app1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::int64_t tail = -1;
    const std::vector<tLeadingSegment> run = FindLeadingSegments(c.jpeg, &tail);
    std::vector<std::string> found;
    std::int64_t end = 2;
    for (const tLeadingSegment& s : run) {
      EXPECT_EQ(s.start, end);  // one after the other
      EXPECT_EQ(static_cast<std::uint8_t>(c.jpeg[static_cast<std::size_t>(s.markerOffset)]),
                s.marker);
      found.push_back(c.jpeg.substr(static_cast<std::size_t>(s.start),
                                    static_cast<std::size_t>(s.end - s.start)));
      end = s.end;
    }
    EXPECT_EQ(found, c.run);
    EXPECT_EQ(tail, end);
  }
}

}  // namespace
}  // namespace dux
