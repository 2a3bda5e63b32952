#include "screen_capture.h"

#include <algorithm>

#include "draw_ops.h"

namespace tintspot::x11 {
ScreenCapture::ScreenCapture(Display* display, int max_width, int max_height)
    : display_(display),
      root_(DefaultRootWindow(display)),
      max_width_(max_width),
      max_height_(max_height),
      format_(0, 0, 0) {
  XWindowAttributes attributes{};
  XGetWindowAttributes(display_, root_, &attributes);
  visual_ = attributes.visual;
  depth_ = attributes.depth;
  colormap_ = attributes.colormap;
  format_ = PixelFormat(visual_->red_mask, visual_->green_mask, visual_->blue_mask);
  true_colour_ = visual_->c_class == TrueColor;
  root_width_ = attributes.width;
  root_height_ = attributes.height;

  if (!XShmQueryExtension(display_)) return;
  // The largest image's layout (rows padded as the server pads them) gives the segment's size.
  XShmSegmentInfo layout{};
  XImage* largest = XShmCreateImage(display_, visual_, unsigned(depth_), ZPixmap, nullptr, &layout,
                                    unsigned(max_width_), unsigned(max_height_));
  if (largest == nullptr) return;
  const size_t size = size_t(largest->bytes_per_line) * size_t(max_height_);
  XDestroyImage(largest);
  segment_ = std::make_unique<ShmSegment>(display_, size);
  if (!segment_->attached()) segment_.reset();
}

ScreenCapture::~ScreenCapture() { DetachSegment(); }

void ScreenCapture::DetachSegment() {
  if (shared_image_ != nullptr) {
    shared_image_->data = nullptr;  // the segment is not the image's to free
    XDestroyImage(shared_image_);
    shared_image_ = nullptr;
  }
  segment_.reset();
}

void ScreenCapture::RefreshRootSize() {
  Window root_return = 0;
  int x = 0, y = 0;
  unsigned width = 0, height = 0, border = 0, depth = 0;
  if (XGetGeometry(display_, root_, &root_return, &x, &y, &width, &height, &border, &depth)) {
    root_width_ = int(width);
    root_height_ = int(height);
  }
}

XImage* ScreenCapture::SharedImage(int width, int height) {
  if (shared_image_ != nullptr && shared_image_->width == width && shared_image_->height == height)
    return shared_image_;
  if (shared_image_ != nullptr) {
    shared_image_->data = nullptr;
    XDestroyImage(shared_image_);
  }
  // Only the image's description is made here; its pixels are the segment.
  shared_image_ = XShmCreateImage(display_, visual_, unsigned(depth_), ZPixmap, segment_->data(),
                                  segment_->info(), unsigned(width), unsigned(height));
  return shared_image_;
}

XImage* ScreenCapture::ReadPart(const Rect& part) {
  if (segment_ && part.Width() <= max_width_ && part.Height() <= max_height_) {
    XImage* image = SharedImage(part.Width(), part.Height());
    if (image != nullptr && XShmGetImage(display_, root_, image, part.left, part.top, AllPlanes))
      return image;
    return nullptr;
  }
  return XGetImage(display_, root_, part.left, part.top, unsigned(part.Width()),
                   unsigned(part.Height()), AllPlanes, ZPixmap);
}

bool ScreenCapture::Read(const Rect& area, PixelBuffer& out) {
  out.Resize(area.Width(), area.Height());
  out.Fill(kBlack);
  return ReadInto(area, out, ScreenPoint{0, 0});
}

bool ScreenCapture::ReadInto(const Rect& area, PixelBuffer& out, ScreenPoint at) {
  const Rect part = area.Intersection(Rect{0, 0, root_width_, root_height_});
  // Whatever of the area the read does not cover is black.
  if (!(part == area)) {
    for (int y = 0; y < area.Height(); ++y)
      for (int x = 0; x < area.Width(); ++x) out.Set(at.x + x, at.y + y, kBlack);
  }
  if (part.Width() == 0) return true;
  XImage* image = ReadPart(part);
  if (image == nullptr) return false;
  const ScreenPoint partAt{at.x + part.left - area.left, at.y + part.top - area.top};
  if (true_colour_) {
    Convert(image, part, partAt, out);
  } else {
    ConvertThroughColormap(image, part, partAt, out);
  }
  if (image != shared_image_) XDestroyImage(image);
  BlackenOffMonitors(part, partAt, out);
  return true;
}

void ScreenCapture::Convert(XImage* image, const Rect& part, ScreenPoint at, PixelBuffer& out) {
  const bool direct =
      image->bits_per_pixel == 32 && format_.IsXrgb8888() && image->byte_order == HostByteOrder();
  for (int y = 0; y < part.Height(); ++y) {
    TColor* target = out.Pixels().data() + size_t(at.y + y) * size_t(out.Width()) + size_t(at.x);
    if (direct) {
      const char* row = image->data + size_t(y) * size_t(image->bytes_per_line);
      SwapRedAndBlue(row, target, part.Width());  // 0x00RRGGBB to the core's 0x00BBGGRR
    } else {
      for (int x = 0; x < part.Width(); ++x) target[x] = format_.ToColor(XGetPixel(image, x, y));
    }
  }
}

void ScreenCapture::ConvertThroughColormap(XImage* image, const Rect& part, ScreenPoint at,
                                           PixelBuffer& out) {
  // Indexed visuals: one query of the colour map for every pixel of the part.
  std::vector<XColor> colours(size_t(part.Width()) * size_t(part.Height()));
  for (int y = 0; y < part.Height(); ++y)
    for (int x = 0; x < part.Width(); ++x)
      colours[size_t(y) * size_t(part.Width()) + size_t(x)].pixel = XGetPixel(image, x, y);
  XQueryColors(display_, colormap_, colours.data(), int(colours.size()));
  for (int y = 0; y < part.Height(); ++y) {
    for (int x = 0; x < part.Width(); ++x) {
      const XColor& c = colours[size_t(y) * size_t(part.Width()) + size_t(x)];
      out.Set(at.x + x, at.y + y, MakeColor(c.red >> 8, c.green >> 8, c.blue >> 8));
    }
  }
}

void ScreenCapture::BlackenOffMonitors(const Rect& part, ScreenPoint at, PixelBuffer& out) const {
  if (monitors_.empty()) return;
  // Most reads lie on one monitor.
  for (const Rect& m : monitors_)
    if (part.Intersection(m) == part) return;
  for (int y = part.top; y < part.bottom; ++y) {
    for (int x = part.left; x < part.right; ++x) {
      const bool shown = std::any_of(monitors_.begin(), monitors_.end(), [&](const Rect& m) {
        return m.Contains({x, y});
      });
      if (!shown) out.Set(at.x + x - part.left, at.y + y - part.top, kBlack);
    }
  }
}

}  // namespace tintspot::x11
