// Pixel values of an X visual to the core's colours, through the visual's channel masks.
#pragma once

#include <X11/Xlib.h>

#include "colour_types.h"

namespace tintspot::x11 {

// LSBFirst or MSBFirst: the order in which this machine keeps the bytes of a 32-bit pixel, to
// compare with an XImage's byte_order.
int HostByteOrder();

class PixelFormat {
 public:
  // A direct-colour format given by its three channel masks (as in a TrueColor Visual).
  PixelFormat(unsigned long red_mask, unsigned long green_mask, unsigned long blue_mask);

  // The colour of a pixel value. A channel narrower than 8 bits is widened by repeating its
  // bits (5 bits 10110 give 10110101), so full intensity stays 255 and black 0; a wider one
  // keeps its 8 most significant bits.
  TColor ToColor(unsigned long pixel) const {
    return MakeColor(red_.Eight(pixel), green_.Eight(pixel), blue_.Eight(pixel));
  }
  // The pixel value nearest to a colour (each channel's most significant bits).
  unsigned long FromColor(TColor colour) const {
    return red_.Pack(RedOf(colour)) | green_.Pack(GreenOf(colour)) | blue_.Pack(BlueOf(colour));
  }
  // True when pixels are 0x00RRGGBB in 32 bits, the layout that can be copied without masks.
  bool IsXrgb8888() const;

 private:
  struct Channel {
    explicit Channel(unsigned long mask);
    unsigned Eight(unsigned long pixel) const;
    unsigned long Pack(unsigned eight) const {
      if (bits == 0) return 0;
      const unsigned long value =
          bits >= 8 ? (static_cast<unsigned long>(eight) << (bits - 8)) : (eight >> (8 - bits));
      return (value << shift) & mask;
    }
    unsigned long mask;
    int shift = 0;  // position of the lowest bit of the mask
    int bits = 0;   // width of the mask
  };
  Channel red_, green_, blue_;
};

}  // namespace tintspot::x11
