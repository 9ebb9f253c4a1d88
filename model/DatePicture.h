// Date pictures: the small language in which an event keeps the form of
// its calendar day names, stored in the event file as the user chose it.
//
//   d     day of the month            dd    the same with two digits
//   ddd   abbreviated day name        dddd  full day name
//   M     month number                MM    the same with two digits
//   MMM   abbreviated month name      MMMM  full month name
//   y     year within the century     yy    the same with two digits
//   yyyy  the whole year
//   'text' taken as it stands ('' inside it is one quote)
//
// Longer runs of a letter read as its longest form (yyy as yyyy). Every
// other character stands for itself. Names come from the date helpers'
// tables, so they follow the user's locale the way the rest of the program
// does.
#pragma once

#include "zelkit/datetime/CHighTime.h"

#include <string>

// The date in the picture's form; the empty text for a date that is not
// valid.
std::string FormatDatePicture(const CHighTime& dt_date, const std::string& s_picture);

// The user's short date form (LC_TIME) as a picture, read once; "MM/dd/yy"
// when the locale cannot be read.
std::string GetShortDatePicture();

// A strftime date format as a picture: the day, month and year codes and
// their names are carried over, other codes dropped, other text quoted
// where it holds letters.
std::string DatePictureFromStrftime(const std::string& s_format);
