// The English day and month names, Sunday and January first: the names
// the text form of times always uses (so that a text reads the same on
// every machine) and the date helpers' tables until a locale replaces them.
#pragma once

namespace ZelEnglishDateNames {
inline constexpr const char* aDays[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
inline constexpr const char* aAbbrevDays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
inline constexpr const char* aMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                            "July",    "August",   "September", "October", "November", "December"};
inline constexpr const char* aAbbrevMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
} // namespace ZelEnglishDateNames
