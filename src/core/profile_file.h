// A profile (INI) file such as tSpot.ini, read and written key by key with
// the rules of the Windows profile API, so that a desktop without that API
// reads every file the same way and writes the same bytes.
//
// Reading: a line ends at CR or LF; blanks (tab to CR, space, ^Z) around a
// line, a name and a value are dropped; "[name" up to the line's last "]"
// starts a section (blanks around the name dropped); lines before the first
// section belong to a section without a name; a line without "=" is a key
// without a value; a line with an empty name right after a key with an empty
// name is dropped. Names and values end at a NUL. Names match without regard
// to ASCII case; only the first section of a name is searched, and the first
// key of a name in it wins.
//
// Writing: a value is replaced in place; a new key goes to the end of the
// first section of its name, a new section to the end of the file. Whenever
// a write changes something the whole file is written again, each line
// ending in CRLF, a comment or a stray line as it was read, and what was
// written is what the next call reads. A file that starts with a UTF-8 or
// UTF-16 signature keeps it and its encoding (malformed UTF-8 becomes
// U+FFFD); any other file is taken byte for byte (ANSI).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tintspot {

class ProfileFile {
 public:
  ProfileFile() = default;
  explicit ProfileFile(const std::string& bytes);

  // The value of a key as the reader hands it back: one pair of enclosing
  // quotes (" or ') removed, at most `limit` characters (a quoted value of
  // exactly `limit` characters loses its last one, as with the API). nullopt when
  // the section, the key or its "=" is missing. Names are trimmed of blanks.
  // Text is the file's bytes, or UTF-8 for a file in a Unicode encoding.
  std::optional<std::string> Read(const std::string& section, const std::string& key,
                                  std::size_t limit) const;
  // Sets a value (its leading blanks dropped, cut at a NUL); true when that
  // changed the file, false when the key already held exactly this value.
  bool Write(const std::string& section, const std::string& key, const std::string& value);

  // The file as it is: as it was read until a write changes it, then as the
  // writer saved it.
  const std::string& Bytes() const { return bytes_; }
  bool empty() const;

 private:
  enum class Encoding { kAnsi, kUtf8, kUtf16Le, kUtf16Be };
  struct Key {
    std::u16string name;
    std::optional<std::u16string> value;
  };
  struct Section {
    std::u16string name;
    std::vector<Key> keys;
  };

  std::string Saved() const;
  std::u16string Decode(const std::string& text) const;
  std::string Encode(const std::u16string& text) const;
  const Key* Find(const std::u16string& section, const std::u16string& key) const;

  std::string bytes_;
  Encoding encoding_ = Encoding::kAnsi;
  std::vector<Section> sections_;  // in file order; the first may be unnamed
};

// The file layer. A file that does not exist reads as empty; nullopt when it
// exists but cannot be read (a folder, no permission).
std::optional<std::string> LoadProfileBytes(const std::string& path);
// Replaces the whole file; false when it could not be written completely.
bool SaveProfileBytes(const std::string& path, const std::string& bytes);

// One read or write of a key in the file at `path`, as the profile API's
// calls do it: a file that cannot be read gives nullopt on reading and
// failure on writing; a write that changes nothing leaves the file alone
// but still needs it to be writable.
std::optional<std::string> ReadProfileString(const std::string& path, const std::string& section,
                                             const std::string& key, std::size_t limit);
bool WriteProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value);

}  // namespace tintspot
