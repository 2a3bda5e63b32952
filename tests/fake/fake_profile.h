// A small model of how the desktop's profile reader sees a settings file:
// the file's bytes become sections of keys in file order, and a value is
// looked up the way the reader does it.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tintspot::testing {

using ProfileKeys = std::vector<std::pair<std::string, std::string>>;
using ProfileSections = std::vector<std::pair<std::string, ProfileKeys>>;

// Lines end after LF (after CR only where no LF follows); blanks (and ^Z)
// around a line, a key's name and its value are dropped; "[name]" (up to
// the last "]", blanks inside kept) starts a section; lines before
// the first section belong to a section without a name; a line without "="
// is a key without a value. Names and values end at an embedded NUL.
ProfileSections ParseProfile(const std::string& bytes);

// Section and key names match without regard to case (ASCII letters).
bool SameProfileName(const std::string& a, const std::string& b);

// The value the reader hands back: names compared without regard to case,
// only the first section of a name searched, the first key of a name wins,
// one pair of matching enclosing quotes removed, and at most limit characters.
std::optional<std::string> LookUpProfile(const ProfileSections& sections,
                                         const std::string& section, const std::string& key,
                                         std::size_t limit);

}  // namespace tintspot::testing
