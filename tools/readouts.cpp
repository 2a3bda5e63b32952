// readouts: the readout texts of colours given on standard input.
//
// Each input line holds "R G B" (decimal 0..255, separated by blanks). For
// each valid line one output line is written:
//   RGB HEX HSB CMYK OUTER INNER PADLOCK
// e.g. "51,102,153 #336699 210,67,60 67,33,0,40 34,68,102 44,88,133 white".
// A malformed line is reported on standard error with its line number and
// makes the exit status non-zero; the valid lines are still answered.
#include <cstdio>
#include <cstring>
#include <string>

#include "colour_model.h"
#include "fp_precision.h"
#include "readout_texts.h"

namespace {

// Parses "R G B" with optional surrounding blanks; false when malformed.
bool ParseColourLine(const char* begin, const char* end, unsigned channels[3]) {
  const char* p = begin;
  auto skipBlanks = [&] {
    while (p < end && (*p == ' ' || *p == '\t' || *p == '\r')) ++p;
  };
  for (int i = 0; i < 3; ++i) {
    skipBlanks();
    if (i > 0 && p == begin) return false;
    const char* digits = p;
    unsigned value = 0;
    while (p < end && *p >= '0' && *p <= '9' && p - digits < 4)
      value = value * 10 + unsigned(*p++ - '0');
    if (p == digits || value > 255) return false;
    if (p < end && *p != ' ' && *p != '\t' && *p != '\r') return false;
    channels[i] = value;
  }
  skipBlanks();
  return p == end;
}

}  // namespace

int main() {
  tintspot::ExtendedPrecisionScope precision;
  std::string out;
  out.reserve(1 << 20);
  std::string pending;
  char buffer[1 << 16];
  unsigned long long lineNumber = 0;
  bool failed = false;

  auto handleLine = [&](const char* begin, const char* end) {
    ++lineNumber;
    unsigned rgb[3];
    if (!ParseColourLine(begin, end, rgb)) {
      std::fprintf(stderr,
                   "readouts: line %llu: expected three numbers 0..255 (\"R G B\"): \"%.*s\"\n",
                   lineNumber, static_cast<int>(end - begin > 60 ? 60 : end - begin), begin);
      failed = true;
      return;
    }
    tintspot::AppendReadoutLine(out, tintspot::MakeColor(rgb[0], rgb[1], rgb[2]));
    out += '\n';
    if (out.size() >= (1u << 20)) {
      std::fwrite(out.data(), 1, out.size(), stdout);
      out.clear();
    }
  };

  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) {
    const char* p = buffer;
    const char* end = buffer + got;
    while (p < end) {
      const char* newline = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)));
      if (!newline) {
        pending.append(p, end);
        break;
      }
      if (pending.empty()) {
        handleLine(p, newline);
      } else {
        pending.append(p, newline);
        handleLine(pending.data(), pending.data() + pending.size());
        pending.clear();
      }
      p = newline + 1;
    }
  }
  if (!pending.empty()) handleLine(pending.data(), pending.data() + pending.size());
  std::fwrite(out.data(), 1, out.size(), stdout);
  if (std::fflush(stdout) != 0) return 2;
  return failed ? 1 : 0;
}
