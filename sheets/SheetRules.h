// What every editing sheet does with typed text: the event keeps code page
// 1252 text, so a typed character that code page cannot hold is refused
// with a message naming it, never stored mangled.
#pragma once

#include <optional>
#include <string>

// The event's form of a typed UTF-8 text, or nothing after telling the user
// which character cannot be kept.
std::optional<std::string> AcceptTypedText(const std::string& s_utf8);
