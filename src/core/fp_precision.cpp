#include "fp_precision.h"

namespace tintspot {

#if defined(__x86_64__) || defined(__i386__)
std::uint16_t ReadX87ControlWord() {
  std::uint16_t word = 0;
  __asm__ __volatile__("fnstcw %0" : "=m"(word) : : "memory");
  return word;
}

void WriteX87ControlWord(std::uint16_t word) {
  __asm__ __volatile__("fldcw %0" : : "m"(word) : "memory");
}
#else
std::uint16_t ReadX87ControlWord() { return 0; }
void WriteX87ControlWord(std::uint16_t) {}
#endif

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
