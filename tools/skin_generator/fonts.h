// The font files the skin's type is set in.
#pragma once

#include <string>

namespace skin {

struct FontFiles {
  std::string regular;
  std::string bold;
  std::string boldItalic;
};

}  // namespace skin
