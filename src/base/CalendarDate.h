#pragma once

namespace kvitok {

constexpr bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

constexpr int DaysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// A calendar date with the time of day a date picker also carries.
struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    constexpr bool IsValid() const {
        return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
               day <= DaysInMonth(year, month) && hour >= 0 && hour < 24 && minute >= 0 && minute < 60 &&
               second >= 0 && second < 60;
    }

    friend constexpr bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

} // namespace kvitok
