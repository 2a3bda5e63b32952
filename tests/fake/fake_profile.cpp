#include "fake_profile.h"

#include <algorithm>
#include <cctype>

namespace tintspot::testing {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == 0x1a;
}

// [begin, end) without its blanks at both ends.
void Trim(const char*& begin, const char*& end) {
  while (begin < end && IsBlank(*begin)) ++begin;
  while (end > begin && IsBlank(end[-1])) --end;
}

// The text up to an embedded NUL, as the reader's C strings hold it.
std::string UpToNul(const char* begin, const char* end) {
  std::string text(begin, end);
  const std::size_t nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);
  return text;
}

}  // namespace

bool SameProfileName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

ProfileSections ParseProfile(const std::string& bytes) {
  ProfileSections sections;
  const char* next = bytes.data();
  const char* const fileEnd = bytes.data() + bytes.size();
  // A file saved with a UTF-8 signature reads as if it had none.
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) next += 3;
  while (next < fileEnd) {
    // A line ends after LF; only where no LF follows any more, after CR.
    const char* begin = next;
    const char* stop = std::find(begin, fileEnd, '\n');
    if (stop == fileEnd) stop = std::find(begin, fileEnd, '\r');
    next = stop == fileEnd ? fileEnd : stop + 1;
    const char* end = next;
    Trim(begin, end);
    if (begin == end) continue;
    if (*begin == '[') {
      const char* close = end;
      while (close > begin && close[-1] != ']') --close;
      if (close > begin + 1) {
        sections.emplace_back(UpToNul(begin + 1, close - 1), ProfileKeys{});
        continue;
      }
    }
    if (sections.empty()) sections.emplace_back("", ProfileKeys{});
    const char* equals = begin;
    while (equals < end && *equals != '=') ++equals;
    const char* nameEnd = equals;
    const char* nameBegin = begin;
    Trim(nameBegin, nameEnd);
    std::string value;
    if (equals < end) {
      const char* valueBegin = equals + 1;
      const char* valueEnd = end;
      Trim(valueBegin, valueEnd);
      value = UpToNul(valueBegin, valueEnd);
    }
    sections.back().second.emplace_back(UpToNul(nameBegin, nameEnd), value);
  }
  return sections;
}

std::optional<std::string> LookUpProfile(const ProfileSections& sections,
                                         const std::string& section, const std::string& key,
                                         std::size_t limit) {
  for (const auto& [name, keys] : sections) {
    if (!SameProfileName(name, section)) continue;
    for (const auto& [k, v] : keys) {
      if (!SameProfileName(k, key)) continue;
      std::string value = v;
      if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        value = value.substr(1, value.size() - 2);
      if (value.size() > limit) value.resize(limit);
      return value;
    }
    return std::nullopt;  // only the first section of a name counts
  }
  return std::nullopt;
}

}  // namespace tintspot::testing
