// The byte reader and the byte stream: every position and length at the edges of the data and of
// the 64-bit range, against an oracle computed in unsigned 64-bit numbers, where they cannot wrap.
#include "metadata/bytes/ByteReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "metadata/bytes/ByteStream.h"

namespace dux {
namespace {

constexpr std::string_view kData{"\x01\x02\x03\x04\x05\x06\x07\x08", 8};

// Whole or nothing at the edges, in both byte orders.
static_assert(HasBytes(kData, 1, 8) && !HasBytes(kData, 1, 9) && !HasBytes(kData, 0, 1) &&
              HasBytes(kData, 9, 0));
static_assert(Word(kData, 7, true) == 0x0708 && Word(kData, 7, false) == 0x0807 &&
              Word(kData, 8, true) == 0);
static_assert(Long(kData, 5, true) == 0x05060708u && Long(kData, 5, false) == 0x08070605u &&
              Long(kData, 6, false) == 0);
static_assert(Byte(kData, 8) == 8 && Byte(kData, 9) == 0 && Byte(kData, 0) == 0);
static_assert(Bytes(kData, 7, 5) == "\x07\x08" && Bytes(kData, 9, 1).empty() &&
              Bytes(kData, 1, -1).empty());
static_assert(FindBytes(kData, "\x07\x08") == 7 && FindBytes(kData, "\x07\x08", 8) == 0 &&
              FindBytes(kData, "\x01", -5) == 1);

std::vector<std::int64_t> EdgeValues(std::int64_t size) {
  constexpr auto kMin = std::numeric_limits<std::int64_t>::min(),
                 kMax = std::numeric_limits<std::int64_t>::max();
  return {kMin, kMin + 1, -1, 0, 1, 2, size - 1, size, size + 1, kMax - 1, kMax};
}

TEST(ByteReader, EveryEdgePositionAndLength) {
  for (const std::string_view data : {kData, std::string_view(), std::string_view("\xFF", 1)}) {
    const auto size = static_cast<std::int64_t>(data.size());
    for (const std::int64_t pos : EdgeValues(size)) {
      for (const std::int64_t n : EdgeValues(size)) {
        SCOPED_TRACE(testing::Message() << "size " << size << " pos " << pos << " n " << n);
        const bool inside = pos >= 1 && n >= 0 &&
                            static_cast<std::uint64_t>(pos - 1) + static_cast<std::uint64_t>(n) <=
                                static_cast<std::uint64_t>(size);
        EXPECT_EQ(HasBytes(data, pos, n), inside);
        // Bytes: the part that exists, from a position inside the data.
        const bool starts = pos >= 1 && pos <= size && n > 0;
        const std::int64_t available = starts ? size - (pos - 1) : 0;
        const std::string_view part = Bytes(data, pos, n);
        EXPECT_EQ(static_cast<std::int64_t>(part.size()), starts ? std::min(n, available) : 0);
        if (!part.empty()) {
          EXPECT_EQ(part.data(), data.data() + (pos - 1));
        }
      }
      // Fixed-width reads: the bytes when all of them are there, else 0.
      const bool two = pos >= 1 && pos <= size - 1, four = pos >= 1 && pos <= size - 3;
      for (const bool bigEndian : {false, true}) {
        if (!two) {
          EXPECT_EQ(Word(data, pos, bigEndian), 0);
        }
        if (!four) {
          EXPECT_EQ(Long(data, pos, bigEndian), 0u);
        }
      }
      EXPECT_EQ(Byte(data, pos),
                pos >= 1 && pos <= size
                    ? static_cast<std::uint8_t>(data[static_cast<std::size_t>(pos - 1)])
                    : 0);
    }
  }
}

// A stream that hands out its bytes a few at a time, as a file or a pipe may, and can move
// past bytes or not; it counts what it hands out.
class TrickleStream final : public ByteStream {
 public:
  TrickleStream(std::string data, std::size_t step, bool passes = false)
      : data_(std::move(data)), step_(step), passes_(passes) {}
  std::size_t handedOut = 0, fills = 0;

 private:
  std::size_t Fill(char* destination, std::size_t size) override {
    ++fills;
    const std::size_t take = std::min({size, step_, data_.size() - offset_});
    data_.copy(destination, take, offset_);
    offset_ += take;
    handedOut += take;
    return take;
  }
  std::size_t Pass(std::int64_t from, std::size_t size) override {
    EXPECT_EQ(from, static_cast<std::int64_t>(offset_));
    if (!passes_) return 0;
    const std::size_t take = std::min(size, data_.size() - offset_);
    offset_ += take;
    return take;
  }
  std::string data_;
  std::size_t step_;
  bool passes_;
  std::size_t offset_ = 0;
};

TEST(ByteStream, ReadsSkipsAndCountsAcrossItsBuffer) {
  std::string data(200000, '\0');
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7);
  for (const auto& [step, passes] : {std::pair{std::size_t{1}, false},
                                     {std::size_t{3}, true},
                                     {std::size_t{65536}, false},
                                     {std::size_t{65536}, true},
                                     {data.size(), false},
                                     {data.size(), true}}) {
    SCOPED_TRACE(testing::Message() << step << (passes ? " passing" : " reading"));
    TrickleStream stream(data, step, passes);
    std::uint8_t byte = 0;
    ASSERT_TRUE(stream.ReadByte(byte));
    EXPECT_EQ(byte, 0);
    EXPECT_EQ(stream.Skip(65535), 65535u);  // to the end of a 64 KB buffer
    std::string got(70000, '\0');           // across it, and past the size of a buffer
    EXPECT_EQ(stream.Read(got.data(), got.size()), got.size());
    EXPECT_EQ(got, data.substr(65536, 70000));
    EXPECT_EQ(stream.Position(), 65536 + 70000);
    EXPECT_EQ(stream.Skip(1000000), data.size() - 135536);  // fewer only at the end
    EXPECT_FALSE(stream.ReadByte(byte));
    EXPECT_EQ(stream.Read(got.data(), 1), 0u);
    EXPECT_EQ(stream.Position(), static_cast<std::int64_t>(data.size()));
  }
  MemoryByteStream empty({});
  EXPECT_EQ(empty.Skip(5000), 0u);
  std::uint8_t byte = 0;
  EXPECT_FALSE(empty.ReadByte(byte));
  EXPECT_EQ(empty.Skip(1), 0u);
}

// What a scan of a file's first segments costs in bytes and reads: an opening fill of 16 KB;
// a long value read together with a small fill's worth after it; a longer one read into its
// destination without passing the buffer; a long run passed over without being read.
TEST(ByteStream, ReadsLittleBeyondWhatIsAskedFor) {
  const std::string data(1 << 20, 'x');
  TrickleStream stream(data, data.size(), true);
  std::uint8_t byte = 0;
  ASSERT_TRUE(stream.ReadByte(byte));
  EXPECT_EQ(stream.handedOut, 16384u);
  EXPECT_EQ(stream.fills, 1u);
  std::string value;
  EXPECT_EQ(stream.Append(value, 30000), 30000u);
  EXPECT_EQ(value, data.substr(1, 30000));
  EXPECT_EQ(stream.handedOut, 30001u + 4096u);
  EXPECT_EQ(stream.fills, 2u);
  std::string header;
  EXPECT_EQ(stream.Append(header, 4), 4u);  // the next segment's header needs no read
  EXPECT_EQ(stream.fills, 2u);
  EXPECT_EQ(stream.Skip(500000), 500000u);
  ASSERT_TRUE(stream.ReadByte(byte));
  EXPECT_EQ(stream.Position(), 530006);
  EXPECT_EQ(stream.handedOut, 34097u + 4096u);  // after a jump, fills start small again
  EXPECT_EQ(stream.Skip(4095), 4095u);
  ASSERT_TRUE(stream.ReadByte(byte));
  EXPECT_EQ(stream.handedOut, 34097u + 4096u + 8192u);  // and then double
  std::string large;
  const std::size_t before = stream.handedOut;
  EXPECT_EQ(stream.Append(large, 8191 + 100000), 8191u + 100000u);
  EXPECT_EQ(large, data.substr(534102, 108191));
  EXPECT_EQ(stream.handedOut, before + 100000u);  // no byte beyond it is read
  EXPECT_EQ(stream.Skip(1 << 20), data.size() - 642293);
  EXPECT_FALSE(stream.ReadByte(byte));
  EXPECT_EQ(stream.Position(), static_cast<std::int64_t>(data.size()));
}

// A scan that walks out of the opening fill, a few headers after a segment the fill held,
// reads a small fill's worth next, not twice the opening fill.
TEST(ByteStream, FillsStartSmallAfterTheOpeningFill) {
  const std::string data(1 << 20, 'x');
  TrickleStream stream(data, data.size(), true);
  std::uint8_t byte = 0;
  ASSERT_TRUE(stream.ReadByte(byte));
  EXPECT_EQ(stream.Skip(16383), 16383u);  // the rest of the opening fill, from the buffer
  EXPECT_EQ(stream.fills, 1u);
  ASSERT_TRUE(stream.ReadByte(byte));
  EXPECT_EQ(stream.fills, 2u);
  EXPECT_EQ(stream.handedOut, 16384u + 4096u);
  EXPECT_EQ(stream.Skip(4095), 4095u);
  ASSERT_TRUE(stream.ReadByte(byte));
  EXPECT_EQ(stream.handedOut, 16384u + 4096u + 8192u);  // then they double
}

// A stream told how long the source's leading part is reads it in one fill, within 4 and
// 64 KB, and starts small after it; once it has read, the size is left as it was.
TEST(ByteStream, AnOpeningFillSizedForTheSourceReadsItsLeadingPartInOneFill) {
  const std::string data(1 << 20, 'x');
  for (const auto& [asked, filled] : {std::pair{std::size_t{20693}, std::size_t{20693}},
                                      {std::size_t{100}, std::size_t{4096}},
                                      {std::size_t{1} << 20, std::size_t{65536}}}) {
    SCOPED_TRACE(asked);
    TrickleStream stream(data, data.size(), true);
    stream.SetOpeningFill(asked);
    std::uint8_t byte = 0;
    ASSERT_TRUE(stream.ReadByte(byte));
    EXPECT_EQ(stream.handedOut, filled);
    EXPECT_EQ(stream.Skip(filled - 1), filled - 1);
    EXPECT_EQ(stream.fills, 1u);
    stream.SetOpeningFill(30000);  // too late: the next fill is a small one
    ASSERT_TRUE(stream.ReadByte(byte));
    EXPECT_EQ(stream.fills, 2u);
    EXPECT_EQ(stream.handedOut, filled + 4096u);
  }
}

// A segment the buffer holds is viewed there; one that runs past it is read on into a buffer of
// its own, or left to the caller; the stream goes on reading the right bytes after each, and the
// views stay good after the stream is gone.
TEST(ByteStream, HoldsBytesInItsBuffersInsteadOfCopyingThem) {
  std::string data(100000, '\0');
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 13 + i / 256);
  std::vector<std::unique_ptr<char[]>> keep;
  std::string_view first, second, third;
  {
    TrickleStream stream(data, data.size(), true);
    std::string header;
    ASSERT_EQ(stream.Append(header, 10), 10u);
    EXPECT_EQ(stream.Buffered(), std::string_view(data).substr(10, 16384 - 10));
    first = stream.Hold(2, 1000, false, keep);  // within the opening fill: no copy, no read
    EXPECT_EQ(first, std::string_view(data).substr(8, 1002));
    EXPECT_EQ(keep.size(), 1u);
    EXPECT_EQ(stream.fills, 1u);
    ASSERT_EQ(stream.Append(header, 2), 2u);
    second = stream.Hold(2, 500, false, keep);  // the same buffer: kept once
    EXPECT_EQ(second, std::string_view(data).substr(1010, 502));
    EXPECT_EQ(keep.size(), 1u);
    ASSERT_EQ(stream.Append(header, 2), 2u);
    const std::int64_t at = stream.Position();
    EXPECT_EQ(stream.Hold(2, 30000, false, keep).data(), nullptr);  // past the buffer, not wanted
    EXPECT_EQ(stream.Position(), at);
    EXPECT_EQ(stream.fills, 1u);
    third = stream.Hold(2, 30000, true, keep);  // wanted: read on after the buffered part
    EXPECT_EQ(third, std::string_view(data).substr(1512, 30002));
    EXPECT_EQ(keep.size(), 2u);
    EXPECT_EQ(stream.fills, 2u);
    EXPECT_EQ(stream.handedOut,
              16384u + (31514u - 16384u) + 4096u);  // and a small fill's worth after it
    std::string next;
    EXPECT_EQ(stream.Append(next, 4000), 4000u);  // from what was read with it
    EXPECT_EQ(next, data.substr(31514, 4000));
    EXPECT_EQ(stream.fills, 2u);
    EXPECT_EQ(stream.Skip(100), 100u);
    EXPECT_EQ(stream.Append(next, 10), 10u);
    EXPECT_EQ(next.substr(4000), data.substr(35614, 10));
    EXPECT_EQ(stream.Position(), 35624);
  }
  EXPECT_EQ(first, std::string_view(data).substr(8, 1002));
  EXPECT_EQ(second, std::string_view(data).substr(1010, 502));
  EXPECT_EQ(third, std::string_view(data).substr(1512, 30002));
}

// No view where the bytes before were not the buffer's last ones, nor where the data ends first;
// the stream then still reads what is there.
TEST(ByteStream, HoldsNothingItCannotHoldWhole) {
  std::vector<std::unique_ptr<char[]>> keep;
  TrickleStream stream(std::string(30000, 'x'), 30000, true);
  EXPECT_EQ(stream.Hold(0, 0, true, keep).data(), nullptr);  // nothing read yet
  std::uint8_t byte = 0;
  ASSERT_TRUE(stream.ReadByte(byte));
  ASSERT_EQ(stream.Skip(16383), 16383u);  // the rest of the opening fill
  std::string bytes(5000, '\0');
  ASSERT_EQ(stream.Read(bytes.data(), bytes.size()),
            bytes.size());  // straight into the caller's memory
  EXPECT_EQ(stream.Hold(2, 0, true, keep).data(),
            nullptr);  // its last two bytes are not in the buffer
  const std::string data(20000, 'y');
  TrickleStream shortStream(data, data.size(), true);
  ASSERT_EQ(shortStream.Read(bytes.data(), 2), 2u);
  EXPECT_EQ(shortStream.Hold(2, 30000, true, keep).data(), nullptr);
  EXPECT_TRUE(keep.empty());
  EXPECT_EQ(shortStream.Position(), 2);
  std::string rest;
  EXPECT_EQ(shortStream.Append(rest, 30000), 19998u);
  EXPECT_EQ(rest, data.substr(2));
}

}  // namespace
}  // namespace dux
