// The core keeps text in UTF-8; the Windows calls that take paths and the
// texts that may hold one get UTF-16. These convert at that boundary.
#pragma once

#include <string>

namespace tintspot::win32 {

// Invalid sequences become U+FFFD.
std::wstring WideFromUtf8(const std::string& text);
// Unpaired surrogates become U+FFFD.
std::string Utf8FromWide(const std::wstring& text);

}  // namespace tintspot::win32
