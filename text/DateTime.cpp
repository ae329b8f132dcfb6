#include "text/DateTime.h"

#include <cmath>
#include <cstdint>

namespace dux {
namespace {

constexpr std::int64_t kDaysFrom1899To1970 = 25569;

std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;  // days since 1970-01-01
}

tDate CivilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {static_cast<int>(yoe + era * 400 + (month <= 2)), month, day};
}

}  // namespace

double DosDateTime(int year, int month, int day, int hour, int minute, int second) {
  if (year == 0) return 0;
  const double days = static_cast<double>(DaysFromCivil(year, month, day) + kDaysFrom1899To1970);
  return days + (hour * 3600 + minute * 60 + second / 2 * 2) / 86400.0;
}

tDate DateOf(double dateTime) {
  if (!std::isfinite(dateTime) || std::fabs(dateTime) > 3e6) return {};
  // The whole days, rounded down: the conversion truncates towards zero.
  std::int64_t days = static_cast<std::int64_t>(dateTime);
  if (static_cast<double>(days) > dateTime) --days;
  return CivilFromDays(days - kDaysFrom1899To1970);
}

}  // namespace dux
