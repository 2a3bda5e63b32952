// Reading values of the settings file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace tintspot {

// Longest value the settings file's reader hands over, in characters.
constexpr std::size_t kSettingValueLimit = 2047;

// An integer as the settings file stores it: decimal with an optional sign,
// or hexadecimal after "$" or after "0x"/"0X" (the latter only when more
// characters follow). A value that does not fit a 32-bit signed integer is
// refused, except that a hexadecimal value of up to eight significant digits
// is taken as its 32-bit two's-complement value ("$FFFFFFFF" is -1).
std::optional<int> ParseSettingInteger(const std::string& text);

// The value of an integer key, or fallback when the key is absent or its
// value does not parse.
int SettingIntegerOr(const std::optional<std::string>& text, int fallback);

// Booleans are stored as integers; any non-zero value is true.
bool SettingBooleanOr(const std::optional<std::string>& text, bool fallback);

std::string SettingIntegerText(int value);
std::string SettingBooleanText(bool value);

}  // namespace tintspot
