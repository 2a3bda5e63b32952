#include "fp_precision.h"

#include <limits>

// The readouts are defined on the x87 unit's 64-bit significands. Elsewhere
// (ARM64, or any compiler whose long double is a plain double, as MSVC's is)
// the program would build and quietly show other readouts at exact halves,
// so such a target is refused here rather than guarded badly.
#if defined(_MSC_VER) || !(defined(__GNUC__) || defined(__clang__)) || \
    !(defined(__x86_64__) || defined(__i386__))
#error "The colour model needs x87 extended precision: build for x86 or x86-64 with GCC or Clang"
#endif
static_assert(std::numeric_limits<long double>::digits == 64,
              "long double must be the x87 80-bit format (64-bit significand)");

namespace tintspot {

std::uint16_t ReadX87ControlWord() {
  std::uint16_t word = 0;
  __asm__ __volatile__("fnstcw %0" : "=m"(word) : : "memory");
  return word;
}

void WriteX87ControlWord(std::uint16_t word) {
  __asm__ __volatile__("fldcw %0" : : "m"(word) : "memory");
}

namespace {
constexpr std::uint16_t kPrecisionMask = 0x0300;  // bits 8-9
constexpr std::uint16_t kRoundingMask = 0x0C00;   // bits 10-11; 00 = nearest
}  // namespace

void SetX87Precision(X87Precision precision) {
  const std::uint16_t word = ReadX87ControlWord();
  WriteX87ControlWord(static_cast<std::uint16_t>((word & ~kPrecisionMask) |
                                                 (static_cast<std::uint16_t>(precision) << 8)));
}

ExtendedPrecisionScope::ExtendedPrecisionScope() : saved_(ReadX87ControlWord()) {
  const auto wanted =
      static_cast<std::uint16_t>((saved_ & ~(kPrecisionMask | kRoundingMask)) | kPrecisionMask);
  if (wanted != saved_) WriteX87ControlWord(wanted);
}

ExtendedPrecisionScope::~ExtendedPrecisionScope() {
  if (ReadX87ControlWord() != saved_) WriteX87ControlWord(saved_);
}

}  // namespace tintspot
