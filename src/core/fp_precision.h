// Pins the x87 floating-point unit to 64-bit significands, round to nearest.
//
// The colour conversions are defined on 80-bit extended arithmetic. Linux
// and Wine start a process with the x87 precision control at 64 bits, but
// 64-bit Windows starts it at 53 bits, which silently rounds every
// long double operation to double width and changes readouts at exact
// halves. Every entry point of the colour model therefore sets the control
// word for the duration of its work and puts the caller's back afterwards.
#pragma once

#include <cstdint>

namespace tintspot {

// The x87 control word.
std::uint16_t ReadX87ControlWord();
void WriteX87ControlWord(std::uint16_t word);

// Precision-control values of the x87 control word (bits 8 and 9).
enum class X87Precision : std::uint16_t { Single = 0, Double = 2, Extended = 3 };
void SetX87Precision(X87Precision precision);

class ExtendedPrecisionScope {
 public:
  ExtendedPrecisionScope();
  ~ExtendedPrecisionScope();
  ExtendedPrecisionScope(const ExtendedPrecisionScope&) = delete;
  ExtendedPrecisionScope& operator=(const ExtendedPrecisionScope&) = delete;

 private:
  std::uint16_t saved_;
};

}  // namespace tintspot
