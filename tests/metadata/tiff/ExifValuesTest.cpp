#include "metadata/tiff/ExifValues.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "metadata/exif/ExifTags.h"
#include "tests/support/TiffBuilder.h"
#include "text/AsciiText.h"
#include "text/TextFormat.h"

namespace dux {
namespace {

std::string Be16(unsigned v) { return {static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)}; }
std::string Be32(std::uint32_t v) { return Be16(v >> 16) + Be16(v & 0xFFFF); }
std::string Le32(std::uint32_t v) { return test::Bytes32(v, false); }

std::string Codes(int tag) { return CodesOfTag(tag, kExifTags); }

TEST(ExifValues, DecodeIntegerSignsOnlyFourByteValues) {
  EXPECT_EQ(DecodeInteger("\xFF", true), 255);
  EXPECT_EQ(DecodeInteger("\xFF\xFF", false), 65535);  // an SSHORT of -1
  EXPECT_EQ(DecodeInteger("\xFF\xFF\xFF\xFF", true), -1);
  EXPECT_EQ(DecodeInteger(Be32(0x80000000), true), -2147483647 - 1);
  EXPECT_EQ(DecodeInteger(Le32(0x01020304), false), 0x01020304);
  EXPECT_EQ(DecodeInteger(std::string("\x01\x02\x03\x04\x05\x06", 6), true),
            0x03040506);  // low 32 bits
}

TEST(ExifValues, NumericValueByType) {
  EXPECT_DOUBLE_EQ(NumericValue(Be32(71) + Be32(10), 5, true), 7.1);
  EXPECT_DOUBLE_EQ(NumericValue(Le32(0xFFFFFFFB) + Le32(10), 10, false), -0.5);
  EXPECT_DOUBLE_EQ(NumericValue(Be32(1) + Be32(0), 5, true), 0.0);  // zero denominator
  EXPECT_DOUBLE_EQ(NumericValue(Be32(0x40490FDB), 11, true), static_cast<double>(3.14159274f));
  EXPECT_DOUBLE_EQ(NumericValue(std::string("\x00\x00\x00\x00\x00\x00\x04\x40", 8), 12, false),
                   2.5);
  EXPECT_DOUBLE_EQ(NumericValue("abc", 2, true), 0.0);
  EXPECT_DOUBLE_EQ(NumericValue(Be16(8) + Be16(8), 3, true),
                   0x00080008);  // all bytes as one number
}

TEST(ExifValues, FormatTagValueGivesThePartsTexts) {
  struct Case {
    const char* what;
    std::string raw;
    int type;
    std::string codes, pattern, expected;
  };
  for (const Case& c : {
           Case{"orientation code", Be16(3), 3, Codes(0x0112), "", "Rotated 180\xB0"},
           Case{"an unlisted code gives nothing", Be16(9), 3, Codes(0x8822), "", ""},
           Case{"exposure time", Be32(1) + Be32(60), 5, "", "%s sec", "1/60 sec"},
           Case{"f-number", Be32(28) + Be32(10), 5, "", "F%0.1f", "F2.8"},
           Case{"focal length keeps its width", Be32(71) + Be32(10), 5, "", "%5.2f mm", " 7.10 mm"},
           Case{"APEX aperture as it is", Be32(5) + Be32(1), 5, "", "F%0.1f", "F5.0"},
           Case{"three components", Be16(8) + Be16(8) + Be16(8), 3, "", "", "8, 8, 8"},
           Case{"fraction not reduced, zero denominator kept", Be32(0) + Be32(0), 5, "", "", "0/0"},
           Case{"SSHORT -1", Be16(0xFFFF), 8, "", "", "65535"},
           Case{"SLONG -1", Be32(0xFFFFFFFF), 9, "", "", "-1"},
           Case{"float", Be32(0x40490FDB), 11, "", "", "-9999.99"},
           Case{"type 13", "abcd", 13, "", "", "0"},
           Case{"metering code 2", Be16(2), 3, Codes(0x9207), "", "Center"},
           Case{"photometric code 2", Be16(2), 3, Codes(0x0106), "", "RGB"},
           Case{"photometric code 1", Be16(1), 3, Codes(0x0106), "", "Monochrome"},
           Case{"colour space 65535", Be16(0xFFFF), 3, Codes(0xA001), "", "Uncalibrated"},
           Case{"light source 10 is cloudy weather", Be16(10), 3, Codes(0x9208), "", "Cloudy"},
       }) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(FormatTagValue(c.raw, c.type, c.codes, c.pattern, true, '.'), c.expected);
  }
  std::string bytes(200, '\x07');
  const std::string listed = FormatTagValue(bytes, 1, "", "", true, '.');
  EXPECT_EQ(std::count(listed.begin(), listed.end(), '7'), 128);  // at most 128 components
}

TEST(ExifValues, RealsFollowTheLocaleAndRoundHalfAwayFromZero) {
  EXPECT_EQ(FormatTagValue(Be32(28) + Be32(10), 5, "", "F%0.1f", true, ','), "F2,8");
  EXPECT_EQ(FixedText(2.25, 1, ','), "2,3");
  EXPECT_EQ(FixedText(-2.5, 0, ','), "-3");
  EXPECT_EQ(FixedText(2.675, 2, ','), "2,67");  // 2.67499999... in binary
  EXPECT_EQ(FixedText(9.995, 2, ','), "9,99");
  EXPECT_EQ(FixedText(99.95, 1, ','), "100,0");
  EXPECT_EQ(FixedText(-0.0001, 2, ','), "0,00");
  EXPECT_EQ(FormatText("%5.2f|%-4d|%s|%%", {3.14159, std::int64_t{7}, std::string_view("x")}, ','),
            " 3,14|7   |x|%");
  // A carry that reaches the first digit, a minus sign that goes with a zero, and both inside
  // a longer text, after other arguments.
  EXPECT_EQ(FixedText(999.5, 0, ','), "1000");
  EXPECT_EQ(FixedText(-9.96, 1, ','), "-10,0");
  EXPECT_EQ(FormatText("%d:%6.1f|%-6.0f|%.2f", {std::int64_t{-3}, -9.96, 0.5, -0.004}, ','),
            "-3: -10,0|1     |0,00");
  EXPECT_EQ(FormatText("%.1f %.1f %f",
                       {std::numeric_limits<double>::quiet_NaN(),
                        -std::numeric_limits<double>::infinity(), std::int64_t{2}},
                       ','),
            "NAN -INF 2,00");
  std::string text = "x=";
  AppendFixed(text, 0.125, 2, ',');
  EXPECT_EQ(text, "x=0,13");
}

// Reals are written by two ways: in integers for the precisions of most patterns, else by a
// long decimal conversion taken 20 places further. Both must give what the long one gives, for
// ties in binary (2.25), values a step beside them, carries (9.9999), values small and huge.
TEST(ExifValues, RealsWrittenInIntegersAgreeWithTheLongConversion) {
  const auto longConversion = [](double value, int precision) {
    char digits[600];
    digits[0] = '0';
    const auto end = std::to_chars(digits + 1, digits + sizeof digits, std::fabs(value),
                                   std::chars_format::fixed, precision + 20)
                         .ptr;
    std::string text(digits, end);
    const std::size_t point = text.find('.');
    const std::size_t keep = point + (precision > 0 ? 1 + static_cast<std::size_t>(precision) : 0);
    if (text[point + 1 + static_cast<std::size_t>(precision)] >= '5') {
      for (std::size_t i = keep; i-- > 0;) {
        if (text[i] == '.') continue;
        if (text[i] != '9') {
          ++text[i];
          break;
        }
        text[i] = '0';
      }
    }
    text.resize(keep);
    if (text.size() > 1 && text[0] == '0' && text[1] != '.') text.erase(0, 1);
    const bool zero = text.find_first_not_of("0.") == std::string::npos;
    return (value < 0 && !zero ? "-" : "") + text;
  };
  std::mt19937_64 random(1998);
  std::vector<double> values = {0.0,
                                -0.0,
                                2.25,
                                2.675,
                                0.125,
                                9.99995,
                                99999.99995,
                                0.5,
                                1.5,
                                4294967295.5,
                                1e15 + 0.5,
                                9007199254740991.0,
                                1e19,
                                1.8e19,
                                1e300,
                                5e-324,
                                2.2250738585072014e-308};
  for (int i = 0; i < 20000; ++i) {
    const double tie =
        static_cast<double>(random() % 2000000) / static_cast<double>(1 << (random() % 12));
    values.push_back(tie);
    values.push_back(std::nextafter(tie, 0.0));
    values.push_back(std::nextafter(tie, 1e300));
    values.push_back(static_cast<double>(random() % 100000000) / 10000.0);
    values.push_back(std::bit_cast<double>(random() & 0x7FEFFFFFFFFFFFFF));  // any finite magnitude
  }
  int checked = 0;
  for (const double value : values) {
    for (const double signed_value : {value, -value}) {
      for (int precision = 0; precision <= 5; ++precision) {
        ASSERT_EQ(FixedText(signed_value, precision), longConversion(signed_value, precision))
            << std::hexfloat << signed_value << " with " << precision;
        ++checked;
      }
    }
  }
  EXPECT_EQ(checked, 1200204);
}

// The label lookup reads the code list where it stands; it must agree with a search for
// ",value:" in ",codes," for every placement, a value with commas inside (a rational list) too.
TEST(ExifValues, ValueCodesAgreeWithTheListSearch) {
  const auto reference = [](std::string_view codes, std::string_view value) {
    const std::string key = "," + std::string(TrimBlanks(value)) + ":";
    const std::string list = "," + std::string(codes) + ",";
    const auto found = list.find(key);
    if (found == std::string::npos) return std::string();
    const std::size_t start = found + key.size();
    return list.substr(start, list.find(',', start) - start);
  };
  const std::vector<std::string> codeLists = {"",
                                              "1:",
                                              ":x",
                                              "0:Off,1:On",
                                              "1:On,1:Again",
                                              "10:Ten,1:One",
                                              "1/2, 3/4:Pair,1/2:Half",
                                              "2:Two,",
                                              ",3:Three",
                                              "1:a,b:2,1:c",
                                              "0: Off,1: On",
                                              "5",
                                              "5:"};
  const std::vector<std::string> values = {"",  "1", " 1 ", "10", "0", "1/2", "1/2, 3/4",
                                           "2", "3", "b",   "5",  ":", ","};
  for (const std::string& codes : codeLists) {
    for (const std::string& value : values) {
      EXPECT_EQ(std::string(ValueCodeOf(codes, value)), reference(codes, value))
          << codes << " / " << value;
    }
  }
  // A rational list looks its labels up with the whole text so far, earlier labels included.
  EXPECT_EQ(FormatTagValue(Be32(1) + Be32(2) + Be32(3) + Be32(4), 5, "1/2:Half,1/2Half, 3/4:Both",
                           "", true, '.'),
            "1/2Half, 3/4Both");
}

TEST(ExifValues, TextHelpers) {
  EXPECT_EQ(ValueCodeOf("0:Auto,1:Manual", " 1 "), "Manual");
  EXPECT_EQ(ValueCodeOf("0=Normal,1:Macro;", "0"), "");
  EXPECT_EQ(ValueCodeOf("0=Normal,1:Macro;", "1"), "Macro;");
  EXPECT_EQ(PrintableText(std::string("a\0b\x1F\x80", 5)), "a.b.\x80");
  EXPECT_EQ(PrintableText(std::string(60, 'x')).size(), 50u);
  EXPECT_DOUBLE_EQ(FractionValue("1 1/2"), 1.5);
  EXPECT_DOUBLE_EQ(FractionValue(" 8/1 "), 8.0);
  EXPECT_DOUBLE_EQ(FractionValue("-5/10"), -0.5);
  for (const char* bad : {"", "8", "1/0", "a/b", "1/2x", "1.5/2"})
    EXPECT_DOUBLE_EQ(FractionValue(bad), 0.0) << bad;
  EXPECT_EQ(ParseInteger("$FFFFFFFF"), -1);
  EXPECT_EQ(ParseInteger("  -12"), -12);
  EXPECT_EQ(ParseInteger("2147483648"), std::nullopt);
  EXPECT_EQ(ParseInteger("-2147483648"), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(ParseInteger("-2147483649"), std::nullopt);
  EXPECT_EQ(ParseInteger("12 "), std::nullopt);
  // More than 32 bits is refused, however many digits: nothing wraps into range.
  EXPECT_EQ(ParseInteger("$100000001"), std::nullopt);
  EXPECT_EQ(ParseInteger("0x1FFFFFFFF"), std::nullopt);
  EXPECT_EQ(ParseInteger("18446744073709551617"), std::nullopt);
  EXPECT_EQ(RoundToInt32(2.5), 2);
  EXPECT_EQ(RoundToInt32(3.5), 4);
  EXPECT_EQ(RoundToInt32(1e20), 2147483647);
  // halves go to the even neighbour on both sides of zero; just below a half goes down
  EXPECT_EQ(RoundToInt32(-2.5), -2);
  EXPECT_EQ(RoundToInt32(-3.5), -4);
  EXPECT_EQ(RoundToInt32(0.49999999999999994), 0);
  EXPECT_EQ(RoundToInt32(-1e20), -2147483647 - 1);
  EXPECT_EQ(RoundToInt32(std::numeric_limits<double>::quiet_NaN()), 0);
}

// Within one unit in the last place of the math library's exp2, over the whole range of a
// double, and exact for whole powers; the shutter speeds a camera can write read the same.
TEST(ExifValues, PowerOfTwoAgreesWithExp2) {
  const auto units = [](double a, double b) {
    return std::llabs(std::bit_cast<std::int64_t>(a) - std::bit_cast<std::int64_t>(b));
  };
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> anywhere(-1100.0, 1030.0), shutter(-12.0, 20.0);
  for (int i = 0; i < 200000; ++i) {
    const double x = i % 2 == 0 ? anywhere(random) : shutter(random);
    ASSERT_LE(units(PowerOfTwo(x), std::exp2(x)), 1) << x;
  }
  for (int n = -1074; n <= 1023; ++n) ASSERT_EQ(PowerOfTwo(n), std::ldexp(1.0, n)) << n;
  EXPECT_EQ(PowerOfTwo(1024.0), std::numeric_limits<double>::infinity());
  EXPECT_EQ(PowerOfTwo(-1200.0), 0.0);
  EXPECT_EQ(PowerOfTwo(std::numeric_limits<double>::infinity()),
            std::numeric_limits<double>::infinity());
  EXPECT_EQ(PowerOfTwo(-std::numeric_limits<double>::infinity()), 0.0);
  EXPECT_TRUE(std::isnan(PowerOfTwo(std::numeric_limits<double>::quiet_NaN())));
  // APEX values in thousandths, as most cameras write them, from 30 s to 1/64000 s
  for (int apex = -5000; apex <= 16000; ++apex) {
    const double value = apex / 1000.0;
    char ours[64], theirs[64];
    std::snprintf(ours, sizeof ours, "%.4f %d", PowerOfTwo(-value),
                  RoundToInt32(1.0 / PowerOfTwo(-value)));
    std::snprintf(theirs, sizeof theirs, "%.4f %d", std::exp2(-value),
                  RoundToInt32(1.0 / std::exp2(-value)));
    ASSERT_STREQ(ours, theirs) << apex;
  }
}

}  // namespace
}  // namespace dux
