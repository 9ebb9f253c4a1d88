// What every editing sheet does with typed text: the event keeps code page
// 1252 text, so a typed character that code page cannot hold is refused
// with a message naming it, never stored mangled.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The event's form of a typed UTF-8 text, or nothing after telling the user
// which character cannot be kept.
std::optional<std::string> AcceptTypedText(const std::string& s_utf8);

// A whole number typed in a box: blanks around it are allowed, anything
// else but digits makes it no number (nothing returned). Digits past u_max
// stop counting, so a long text cannot overflow; the value then lies above
// u_max.
std::optional<std::uint64_t> ReadBoxNumber(const std::string& s_text, std::uint64_t u_max);
// Whether a number box still shows u_shown as its page wrote it. Such a box
// gives the page's value back as it is, whatever the range the box takes
// when typed into: a stored value beyond that range (an older or foreign
// file's) survives an OK with nothing changed.
bool BoxShows(const std::string& s_text, std::uint64_t u_shown);
// "Please enter an integer between MIN and MAX."
std::string BoxRangeMessage(std::uint64_t u_min, std::uint64_t u_max);
// For text that is no number where the box has no lower bound to name.
inline constexpr const char* kNotANumberMessage = "Please enter a positive integer.";
