#pragma once

// Date-times as the host keeps them: days since 1899-12-30, the time of day as fraction.
namespace dux {

// A local time rounded down to even seconds (the resolution of a DOS date-time); 0 for year 0.
double DosDateTime(int year, int month, int day, int hour, int minute, int second);

// The calendar date of a date-time.
struct tDate {
  int year = 1899, month = 12, day = 30;
};
tDate DateOf(double dateTime);

}  // namespace dux
