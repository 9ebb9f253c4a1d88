// Window ids. Controls keep the numeric ids of the original resources so
// tests and code can name them alike, but wx accepts ids only below 32767:
// an id at or above that is folded down by 32768 (the library's 5xxxx
// control ids land in 2xxxx, clear of the program's own).
#pragma once

constexpr int WxId(unsigned u_id)
{
    return u_id < 32767u ? static_cast<int>(u_id) : static_cast<int>(u_id - 32768u);
}
