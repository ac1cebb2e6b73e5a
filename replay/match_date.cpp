#include "replay/match_date.h"

namespace {

bool IsLeapYear(unsigned year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

unsigned DaysInMonth(unsigned year, unsigned month) {
    constexpr unsigned Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : Days[month - 1];
}

} // namespace

bool IsRealDate(const TZH_date& d) {
    return d.year >= 1601 && d.month >= 1 && d.month <= 12 && d.dayOfWeek <= 6 && d.day >= 1 &&
           d.day <= DaysInMonth(d.year, d.month) && d.hour < 24 && d.minute < 60 && d.second < 60 &&
           d.milliseconds < 1000;
}
