// The core's reader and writer of profile files (ProfileFile, which a desktop without the profile
// API uses) against the profile API of the Wine the program runs on: the same calls on the same
// starting files must give the same answers and leave the same bytes on disk, after each step.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app_probe.h"
#include "e2e_fixture.h"
#include "hostile_settings.h"
#include "profile_file.h"

namespace e2e {
namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;

struct StartingFile {
  std::string name;
  std::optional<std::string> bytes;  // nullopt: no file at all
};

std::string Utf16(const std::string& ascii, bool little_endian) {
  std::string bytes = little_endian ? "\xFF\xFE" : "\xFE\xFF";
  for (char c : ascii) bytes += little_endian ? std::string{c, '\0'} : std::string{'\0', c};
  return bytes;
}

// The files of the hostile-file start, the five files the wide-character calls were checked on
// when they came in, files that probe one rule each, and the settings fuzz corpus.
std::vector<StartingFile> StartingFiles() {
  std::vector<StartingFile> files;
  for (const auto& [name, bytes] : HostileSettingsFiles()) files.push_back({name, bytes});
  const std::vector<StartingFile> own = {
      {"none", std::nullopt},
      {"as written", Ini(584, 414, 1, 3, 1)},
      {"hand-edited",
       "; edited by hand\r\n[General]\r\nX=$12C\r\nY = \"200\"\r\nonTop=0\r\n"
       "X=999\r\nName=Наталья\r\n[Magnifier]\r\nZoom='2'\r\nShowMag=1\r\n"},
      {"UTF-8 signature", "\xEF\xBB\xBF[General]\r\nX=300\r\nY=200\r\n[Magnifier]\r\nZoom=1\r\n"},
      {"values without a section", "X=300\r\nY=200\r\nonTop=1\r\n"},
      {"empty", ""},
      {"LF and a lone CR", "[General]\nX=1\rY=2\n[Magnifier]\r\nZoom=4"},
      {"CR only", "[General]\rX=10\rY=20\r[Magnifier]\rZoom=5\r"},
      {"empty names", "=a\r\n=b\r\n[General]\r\n=c\r\n=d\r\nX=5\r\n=e\r\nY\r\nY=6\r\n"},
      {"odd headers",
       "[]\r\nX=1\r\n[General\r\nY=2\r\n[General]]x\r\n[ General ]\r\nX=3\r\n"
       "[General]\r\nX=4\r\n[GENERAL]\r\nonTop=1\r\n"},
      {"blanks and ^Z",
       "\x1a[General]\t\r\n \tX\t=\x1a 7 \x1a\r\n\v\fY=\"\"\r\nonTop='\r\n"
       "[Magnifier]\r\nZoom=\"3\r\nShowMag=\"1'\r\n"},
      {"NULs in names", "[Gen\0eral]\r\nX=1\r\n[General]\r\nX\0Y=2\r\n\0=3\r\nY=4\0\r\n"s},
      {"ANSI letters",
       "[G\xC9N\xC9RAL]\r\nX=1\r\n[General]\r\nX=\x80\x81\x8d\x8f\x90\x9d\xff\r\n"
       "\xc4nd=\xe9\r\n"},
      {"quoted long value", "[General]\r\nX=\"" + std::string(2046, '1') + "\"\r\nY=\"" +
                                std::string(2047, '2') + "\"\r\nonTop=\"" + std::string(2048, '3') +
                                "\"\r\n"},
      {"UTF-16 LE", Utf16("[General]\r\nX=300\r\nY=200\r\n", true)},
      {"UTF-16 BE", Utf16("[Magnifier]\r\nZoom=6\r\n", false)},
      {"malformed UTF-8 after the signature", "\xEF\xBB\xBF[General]\r\nName=\xC3\x28\xFF\r\n"},
  };
  files.insert(files.end(), own.begin(), own.end());
  for (const auto& entry :
       fs::directory_iterator(TINTSPOT_SOURCE_DIR "/tests/fuzz/settings_corpus"))
    files.push_back({"corpus " + entry.path().filename().string(),
                     tintspot::LoadProfileBytes(entry.path().string())});
  return files;
}

// One profile call: a read into a buffer of `size` characters, a write, or a copy of the file as
// it is on disk at that moment.
struct Call {
  char op;  // 'r', 'w', 'c'
  std::string section, key, value;
  unsigned size;
};

Call Read(const std::string& section, const std::string& key, unsigned size = 2048) {
  return {'r', section, key, "", size};
}
Call Write(const std::string& section, const std::string& key, const std::string& value) {
  return {'w', section, key, value, 0};
}
Call Copy() { return {'c', "", "", "", 0}; }

// The same calls on every file: the program's reads at start, writes of values some files already
// hold (no change), the program's writes at close, the reads again, and a new key in a new section
// written with blanks around its names and value.
const std::vector<Call> kCalls = {
    Read("General", "onTop"),
    Read("General", "X"),
    Read("General", "Y"),
    Read("Magnifier", "Zoom"),
    Read("Magnifier", "ShowMag"),
    Read(" general\t", " x "),
    Read("General", "X", 3),
    Read("G\xE9n\xE9ral", "x"),
    Read("", "X"),
    Read("General", ""),
    Write("General", "X", "300"),
    Write("General", "Y", "250"),
    Copy(),
    Write("General", "X", "584"),
    Write("General", "Y", "414"),
    Write("General", "onTop", "1"),
    Write("Magnifier", "Zoom", "3"),
    Write("Magnifier", "ShowMag", "1"),
    Read("General", "X"),
    Read("magnifier", "zoom"),
    Write(" Extra\t", " Note ", "  a = \"b\" "),
    Read("extra", "note"),
    Copy(),
};

std::string Hex(const std::string& bytes) {
  std::string hex;
  for (unsigned char c : bytes) {
    hex += "0123456789abcdef"[c >> 4];
    hex += "0123456789abcdef"[c & 15];
  }
  return hex;
}

// What a call answers: "r HEX", "r -" (the default), "w 1", "c 1", ...; and what the file holds.
struct Outcome {
  std::vector<std::string> answers;
  std::vector<std::string> copies;  // "": no file
};

Outcome WithProfileFile(const StartingFile& start) {
  Outcome outcome;
  std::optional<std::string> disk = start.bytes;
  tintspot::ProfileFile file(disk.value_or(""));
  for (const Call& call : kCalls) {
    if (call.op == 'r') {
      const auto value = file.Read(call.section, call.key, call.size - 1);
      outcome.answers.push_back("r " + (value ? Hex(*value) : "-"));
    } else if (call.op == 'w') {
      if (file.Write(call.section, call.key, call.value)) disk = file.Bytes();
      outcome.answers.push_back("w 1");
    } else {
      outcome.answers.push_back(disk ? "c 1" : "c 0");
      outcome.copies.push_back(disk.value_or(""));
    }
  }
  return outcome;
}

// Where two byte strings part, with a little of each from there.
std::string FirstDifference(const std::string& a, const std::string& b) {
  const size_t at = size_t(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
  return "sizes " + std::to_string(a.size()) + " / " + std::to_string(b.size()) + ", from byte " +
         std::to_string(at) + ": " + Hex(a.substr(at, 24)) + " / " + Hex(b.substr(at, 24));
}

class ProfileFileTest : public E2eTest {};

TEST_F(ProfileFileTest, ReadsAndWritesAsTheProfileApiDoes) {
  E2E_WINDOWS_ONLY("a differential test against the Win32 profile API");
  const std::vector<StartingFile> files = StartingFiles();
  const std::string folder = session().NewFolder("profile");
  // Every call on every file in one run of the helper.
  std::ostringstream ops;
  for (size_t i = 0; i < files.size(); ++i) {
    const std::string path = folder + "/" + std::to_string(i) + ".ini";
    if (files[i].bytes) std::ofstream(path, std::ios::binary) << *files[i].bytes;
    int copies = 0;
    for (const Call& call : kCalls) {
      const auto field = [](const std::string& text) { return text.empty() ? "-" : Hex(text); };
      ops << call.op << " " << field(WindowsPath(path));
      if (call.op == 'c')
        ops << " " << field(WindowsPath(path + "." + std::to_string(copies++)));
      else
        ops << " " << field(call.section) << " " << field(call.key) << " "
            << (call.op == 'r' ? std::to_string(call.size) : field(call.value));
      ops << "\n";
    }
  }
  std::ofstream(folder + "/ops.txt") << ops.str();
  const RunResult run = session().RunWinHelper({"profile-batch", WindowsPath(folder + "/ops.txt")},
                                               milliseconds(120000));
  ASSERT_EQ(run.exit_code, 0) << run.output;
  std::istringstream lines(run.output);
  for (size_t i = 0; i < files.size(); ++i) {
    SCOPED_TRACE(files[i].name);
    const Outcome expected = WithProfileFile(files[i]);
    const std::string path = folder + "/" + std::to_string(i) + ".ini";
    for (size_t n = 0; n < kCalls.size(); ++n) {
      std::string answer;
      std::getline(lines, answer);
      answer.erase(answer.find_last_not_of("\r") + 1);
      EXPECT_EQ(expected.answers[n], answer) << "call " << n << ": " << kCalls[n].op << " ["
                                             << kCalls[n].section << "] " << kCalls[n].key;
    }
    for (size_t n = 0; n < expected.copies.size(); ++n) {
      const std::string written =
          tintspot::LoadProfileBytes(path + "." + std::to_string(n)).value_or("(unreadable)");
      EXPECT_TRUE(expected.copies[n] == written)
          << "file after step " << n << ": " << FirstDifference(expected.copies[n], written);
    }
  }
}

}  // namespace
}  // namespace e2e
