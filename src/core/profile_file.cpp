#include "profile_file.h"

#include <algorithm>

namespace tintspot {
namespace {

using Units = std::u16string;

bool IsBlank(char16_t c) { return (c >= 0x09 && c <= 0x0d) || c == 0x1a || c == 0x20; }

char16_t AsciiLower(char16_t c) { return c >= 'A' && c <= 'Z' ? char16_t(c + 32) : c; }

bool SameName(const Units& a, const Units& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return AsciiLower(x) == AsciiLower(y); });
}

// Names and values are C strings to the profile API: they end at a NUL.
Units UpToNul(Units text) {
  const std::size_t nul = text.find(char16_t(0));
  if (nul != Units::npos) text.resize(nul);
  return text;
}

Units TrimmedFront(const Units& text) {
  std::size_t begin = 0;
  while (begin < text.size() && IsBlank(text[begin])) ++begin;
  return text.substr(begin);
}

Units Trimmed(const Units& text) {
  Units front = TrimmedFront(text);
  while (!front.empty() && IsBlank(front.back())) front.pop_back();
  return front;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | (c >> 18));
    out += char(0x80 | ((c >> 12) & 0x3F));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

std::string Utf8FromUnits(const Units& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0xFFFD;
    }
    AppendUtf8(out, c);
  }
  return out;
}

// Malformed sequences become U+FFFD, one for each byte that starts none.
Units UnitsFromUtf8(const std::string& text) {
  Units out;
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    const int extra = lead < 0x80 ? 0 : lead >= 0xF0 && lead < 0xF5 ? 3 : lead >= 0xE0 ? 2 : 1;
    char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
    bool ok = (lead < 0x80 || lead >= 0xC2) && lead < 0xF5 && i + extra < text.size();
    for (int n = 1; ok && n <= extra; ++n) {
      const unsigned char next = static_cast<unsigned char>(text[i + n]);
      ok = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    ok = ok && !(extra == 2 && c < 0x800) && !(extra == 3 && (c < 0x10000 || c > 0x10FFFF)) &&
         !(c >= 0xD800 && c < 0xE000);
    if (!ok) {
      out += char16_t(0xFFFD);
      ++i;
      continue;
    }
    if (c >= 0x10000) {
      out += char16_t(0xD800 + ((c - 0x10000) >> 10));
      out += char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += char16_t(c);
    }
    i += 1 + extra;
  }
  return out;
}

}  // namespace

ProfileFile::ProfileFile(const std::string& bytes) : bytes_(bytes) {
  if (bytes.empty()) return;
  // The encoding comes from a signature alone; without one, bytes are characters.
  Units text;
  const std::size_t skip = 3;
  if (bytes.compare(0, skip, "\xEF\xBB\xBF") == 0) {
    encoding_ = Encoding::kUtf8;
  } else if (bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0) {
    encoding_ = bytes[0] == '\xFF' ? Encoding::kUtf16Le : Encoding::kUtf16Be;
    const int high = encoding_ == Encoding::kUtf16Le ? 1 : 0;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
      text += char16_t(static_cast<unsigned char>(bytes[i + high]) << 8 |
                       static_cast<unsigned char>(bytes[i + 1 - high]));
    }
  }
  if (encoding_ == Encoding::kUtf8) text = UnitsFromUtf8(bytes.substr(skip));
  if (encoding_ == Encoding::kAnsi) {
    for (unsigned char c : bytes) text += c;
  }

  sections_.push_back(Section{});  // what comes before the first section header
  const std::size_t end = text.size();
  std::size_t next = 0;
  while (next < end) {
    // A line ends at CR or LF.
    std::size_t begin = next;
    const std::size_t stop = text.find_first_of(u"\r\n", begin);
    next = stop == Units::npos ? end : stop + 1;
    std::size_t lineEnd = next;
    while (begin < lineEnd && IsBlank(text[begin])) ++begin;
    while (lineEnd > begin && IsBlank(text[lineEnd - 1])) --lineEnd;
    if (begin == lineEnd) continue;
    const auto lineBegin = text.begin() + std::ptrdiff_t(begin);
    const auto lineStop = text.begin() + std::ptrdiff_t(lineEnd);
    if (text[begin] == u'[') {
      const auto close = std::find(std::make_reverse_iterator(lineStop),
                                   std::make_reverse_iterator(lineBegin + 1), u']');
      if (close.base() != lineBegin + 1) {
        const std::size_t length = std::size_t(close.base() - lineBegin) - 2;
        sections_.push_back(Section{UpToNul(Trimmed(text.substr(begin + 1, length))), {}});
        continue;
      }
    }
    const std::size_t equals = std::size_t(std::find(lineBegin, lineStop, u'=') - text.begin());
    std::size_t nameEnd = lineEnd;
    std::optional<Units> value;
    if (equals < lineEnd) {
      nameEnd = equals;
      while (nameEnd > begin && IsBlank(text[nameEnd - 1])) --nameEnd;
      std::size_t valueBegin = equals + 1;
      while (valueBegin < lineEnd && IsBlank(text[valueBegin])) ++valueBegin;
      value = UpToNul(text.substr(valueBegin, lineEnd - valueBegin));
    }
    // A line with an empty name right after a key whose name is empty is dropped.
    std::vector<Key>& keys = sections_.back().keys;
    if (nameEnd > begin || keys.empty() || !keys.back().name.empty())
      keys.push_back(Key{UpToNul(text.substr(begin, nameEnd - begin)), value});
  }
}

Units ProfileFile::Decode(const std::string& text) const {
  if (encoding_ != Encoding::kAnsi) return UpToNul(UnitsFromUtf8(text));
  Units units;
  for (char c : text) units += static_cast<unsigned char>(c);
  return UpToNul(units);
}

std::string ProfileFile::Encode(const Units& text) const {
  if (encoding_ != Encoding::kAnsi) return Utf8FromUnits(text);
  return std::string(text.begin(), text.end());
}

const ProfileFile::Key* ProfileFile::Find(const Units& section, const Units& key) const {
  for (const Section& s : sections_) {
    if (!SameName(s.name, section)) continue;
    for (const Key& k : s.keys)
      if (SameName(k.name, key)) return &k;
    return nullptr;  // only the first section of a name counts
  }
  return nullptr;
}

std::optional<std::string> ProfileFile::Read(const std::string& section, const std::string& key,
                                             std::size_t limit) const {
  const Key* found = Find(Trimmed(Decode(section)), Trimmed(Decode(key)));
  if (found == nullptr || !found->value) return std::nullopt;
  const Units& value = *found->value;
  if (value.size() < 2 || (value[0] != u'"' && value[0] != u'\'') || value.back() != value[0])
    return Encode(value.substr(0, limit));
  // Quoted: the text after the opening quote is cut to the limit, and the
  // cut's last character goes whenever that text fits the buffer of limit + 1
  // characters. That is the closing quote, except for a quoted value of
  // exactly `limit` characters, which loses its own last one (the API's way).
  const Units text = value.substr(1);
  Units cut = text.substr(0, limit);
  if (text.size() <= limit + 1 && !cut.empty()) cut.pop_back();
  return Encode(cut);
}

bool ProfileFile::Write(const std::string& section, const std::string& key,
                        const std::string& value) {
  // A new name keeps its trailing blanks; only the leading ones go.
  const Units sectionName = TrimmedFront(Decode(section));
  const Units keyName = TrimmedFront(Decode(key));
  const Units text = TrimmedFront(Decode(value));
  const auto hasSectionName = [&](const Section& s) {
    return SameName(s.name, Trimmed(sectionName));
  };
  const auto found = std::find_if(sections_.begin(), sections_.end(), hasSectionName);
  if (found == sections_.end()) {
    sections_.push_back(Section{sectionName, {Key{keyName, text}}});
  } else {
    const auto key = std::find_if(found->keys.begin(), found->keys.end(),
                                  [&](const Key& k) { return SameName(k.name, Trimmed(keyName)); });
    if (key == found->keys.end()) {
      found->keys.push_back(Key{keyName, text});
    } else {
      if (key->value == text) return false;
      key->value = text;
    }
  }
  // What is written is what the next call reads: a new name's trailing
  // blanks stay in the file but go when it is read again.
  *this = ProfileFile(Saved());
  return true;
}

std::string ProfileFile::Saved() const {
  Units text;
  for (const Section& s : sections_) {
    if (!s.name.empty()) text += u"[" + s.name + u"]\r\n";
    for (const Key& k : s.keys) text += k.name + (k.value ? u"=" + *k.value : Units()) + u"\r\n";
  }
  switch (encoding_) {
    case Encoding::kAnsi: return std::string(text.begin(), text.end());
    case Encoding::kUtf8: return "\xEF\xBB\xBF" + Utf8FromUnits(text);
    case Encoding::kUtf16Le:
    case Encoding::kUtf16Be: break;
  }
  const bool le = encoding_ == Encoding::kUtf16Le;
  std::string bytes = le ? "\xFF\xFE" : "\xFE\xFF";
  for (char16_t c : text) {
    bytes += char(le ? c & 0xFF : c >> 8);
    bytes += char(le ? c >> 8 : c & 0xFF);
  }
  return bytes;
}

bool ProfileFile::empty() const {
  return std::all_of(sections_.begin(), sections_.end(),
                     [](const Section& s) { return s.name.empty() && s.keys.empty(); });
}

}  // namespace tintspot
