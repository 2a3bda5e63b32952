#include "scene.h"

#include <utility>

namespace tintspot {
namespace {

long long AreaOf(const Rect& r) { return static_cast<long long>(r.Width()) * r.Height(); }

// Whether two parts are better copied as their bounds: when they overlap, or lie so close
// that the bounds add at most an eighth to what they cover (a copy's fixed cost is worth more
// than a few rows between neighbouring labels).
bool CopiedTogether(const Rect& a, const Rect& b) {
  if (a.Intersects(b)) return true;
  const long long own = AreaOf(a) + AreaOf(b);
  return AreaOf(a.Union(b)) * 8 <= own * 9;
}

// Adds area to the parts to copy, merged with every part it overlaps or nearly touches.
void AddCopy(Scene::Copies& copies, Rect area) {
  // Beyond this many separate parts one more copy costs more than copying their bounds.
  constexpr std::size_t kMostParts = 8;
  if (area.IsEmpty()) return;
  for (std::size_t i = 0; i < copies.size();) {
    if (CopiedTogether(copies[i], area)) {
      area = area.Union(copies[i]);
      copies.erase(copies.begin() + static_cast<std::ptrdiff_t>(i));
      i = 0;  // the grown area may overlap parts already passed
    } else {
      ++i;
    }
  }
  copies.push_back(area);
  if (copies.size() > kMostParts) {
    Rect bounds;
    for (const Rect& part : copies) bounds = bounds.Union(part);
    copies.assign(1, bounds);
  }
}

}  // namespace

const TextLook kLabelLook{
    {"Tahoma", 9, FontMeasure::Em, false}, MakeColor(0, 51, 128), TextAlign::Centre, false};

Rect Scene::SetPicture(Control control, const Picture& picture) {
  pictures_[control] = picture;
  return InfoOf(control).bounds;
}

Rect Scene::SetSwatch(const PixelBuffer& swatch) {
  swatch_ = swatch;
  return InfoOf(Control::Pixel).bounds;
}

Rect Scene::SetMagnifier(const PixelBuffer& view) {
  magnifier_ = view;
  return InfoOf(Control::pbMag).bounds;
}

Rect Scene::SetLabel(Control label, const std::string& text) {
  labels_[label] = text;
  return InfoOf(label).bounds;
}

const std::vector<DrawOp>& Scene::Compose(const Rect& area) {
  ops_.clear();
  const Rect clip = area.Intersection(kClientArea);
  if (clip.IsEmpty()) return ops_;
  auto add = [&](DrawKind kind, const Rect& box, const Rect& opClip) -> DrawOp& {
    DrawOp& op = ops_.emplace_back();
    op.kind = kind;
    op.box = box;
    op.clip = opClip;
    return op;
  };
  auto addPixels = [&](const PixelBuffer& pixels, std::optional<TColor> transparent,
                       const Rect& at) {
    const Rect box = Rect::FromSize(at.left, at.top, pixels.Width(), pixels.Height());
    if (!box.Intersects(clip)) return;
    DrawOp& op = add(DrawKind::Pixels, box, clip);
    op.pixels = &pixels;
    op.transparent = transparent;
  };

  add(DrawKind::Fill, clip, clip).colour = systemColours_(SystemColour::ButtonFace);
  int count = 0;
  const ControlInfo* controls = MainControls(&count);
  for (int i = 0; i < count; ++i) {
    const Control control = controls[i].control;
    const Rect& at = controls[i].bounds;
    switch (control) {
      case Control::MagBG: add(DrawKind::Frame, at, clip).colour = kMagFramePen; break;
      case Control::Pixel:
        if (swatch_) addPixels(*swatch_, std::nullopt, at);
        break;
      case Control::pbMag:
        if (magnifier_) addPixels(*magnifier_, std::nullopt, at);
        break;
      default: {
        // A picture control or a label: whichever it has been given.
        const std::string& text = labels_[control];
        const Rect visible = at.Intersection(clip);
        if (!text.empty() && !visible.IsEmpty()) {
          DrawOp& op = add(DrawKind::Text, at, visible);
          op.text = &text;
          op.look = &kLabelLook;
          op.colour = kLabelLook.colour;
        }
        const std::optional<Picture>& picture = pictures_[control];
        if (picture) addPixels(picture->pixels, picture->transparent, at);
        break;
      }
    }
  }
  // What an opaque picture covers all of the area is painted over by it: the swatch and the
  // view, redrawn at every tick, are then copied without the background below them.
  for (std::size_t i = ops_.size(); i-- > 1;) {
    const DrawOp& op = ops_[i];
    if (op.kind == DrawKind::Pixels && !op.transparent && op.box.Intersection(clip) == clip) {
      ops_.erase(ops_.begin(), ops_.begin() + static_cast<std::ptrdiff_t>(i));
      break;
    }
  }
  return ops_;
}

Scene::Copies Scene::Redrawn(const Rect& area) {
  Copies now;
  AddCopy(repainting_ ? redrawnInRepaint_ : batches_ > 0 ? batched_ : now, area);
  return now;
}

Scene::Copies Scene::BeginBatch() {
  Copies shown = FlushBatch();
  ++batches_;
  return shown;
}

Scene::Copies Scene::EndBatch() {
  --batches_;
  return FlushBatch();
}

Scene::Copies Scene::FlushBatch() { return std::exchange(batched_, Copies{}); }

Rect Scene::BeginRepaint(const Rect& update) {
  repaint_ = update.Intersection(kClientArea);
  redrawnInRepaint_.clear();
  repainting_ = true;
  return repaint_;
}

Scene::RepaintEnd Scene::EndRepaint() {
  repainting_ = false;
  return RepaintEnd{repaint_, std::exchange(redrawnInRepaint_, Copies{})};
}

}  // namespace tintspot
