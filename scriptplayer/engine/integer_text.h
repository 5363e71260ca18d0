// Script numbers: signed 32-bit values carried as decimal text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kinet::script {

// True for an integer text: after one optional leading byte with a code up to 32, an optional
// '-' followed only by decimal digits, and not empty. A lone "-" counts (value 0).
bool IsIntegerText(std::string_view text);

// The value of a text in the usual decimal reading: leading blanks skipped, an optional sign,
// then digits up to the first other byte. Values beyond the 32-bit range are held at its ends.
int32_t ParseInteger(std::string_view text);

std::string FormatInteger(int64_t value);

// A byte with a code up to 32 (blank, tab, line end and other control bytes).
inline bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// `text` without leading and trailing blanks.
std::string_view TrimBlanks(std::string_view text);

// ASCII upper case; other bytes are kept.
std::string ToUpper(std::string_view text);

}  // namespace kinet::script
