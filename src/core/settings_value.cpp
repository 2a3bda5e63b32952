#include "settings_value.h"

#include <cstdint>

namespace tintspot {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<int> ParseHex(const std::string& digits) {
  if (digits.empty()) return std::nullopt;
  std::uint32_t value = 0;
  int significant = 0;
  for (char c : digits) {
    const int d = HexDigit(c);
    if (d < 0) return std::nullopt;
    if (significant > 0 || d != 0) ++significant;
    if (significant > 8) return std::nullopt;
    value = (value << 4) | static_cast<std::uint32_t>(d);
  }
  return static_cast<int>(static_cast<std::int32_t>(value));
}

std::optional<int> ParseDecimal(const std::string& text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  std::int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > 2147483648LL) return std::nullopt;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

std::optional<int> ParseSettingInteger(const std::string& text) {
  if (text.size() > kSettingValueLimit) return std::nullopt;
  if (!text.empty() && text[0] == '$') return ParseHex(text.substr(1));
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    return ParseHex(text.substr(2));
  return ParseDecimal(text);
}

int SettingIntegerOr(const std::optional<std::string>& text, int fallback) {
  if (!text) return fallback;
  return ParseSettingInteger(*text).value_or(fallback);
}

bool SettingBooleanOr(const std::optional<std::string>& text, bool fallback) {
  if (!text) return fallback;
  const std::optional<int> value = ParseSettingInteger(*text);
  return value ? *value != 0 : fallback;
}

std::string SettingIntegerText(int value) { return std::to_string(value); }
std::string SettingBooleanText(bool value) { return value ? "1" : "0"; }

}  // namespace tintspot
