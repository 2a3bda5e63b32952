// TfrmMain: copying a readout to the clipboard.
#include <stdexcept>

#include "frm_main.h"

namespace tintspot {

void TfrmMain::CopyLabel(Control sender) {
  std::string text;
  switch (sender) {
    case Control::lblHEX: {
      // Without the leading "#"; before the first readout the label is empty.
      const std::string& hex = LabelText(Control::lblHEX);
      text = hex.size() > 1 ? hex.substr(1, 6) : std::string();
      break;
    }
    case Control::lblRGB: text = LabelText(Control::lblRGB); break;
    case Control::lblHSL: text = LabelText(Control::lblHSL); break;
    case Control::lblCMYK: text = LabelText(Control::lblCMYK); break;
    default: return;
  }
  switch (platform_.SetClipboardText(text)) {
    case ClipboardResult::Done: break;
    case ClipboardResult::CannotOpen: throw std::runtime_error("Cannot open clipboard");
    case ClipboardResult::CannotSet: throw std::runtime_error("Cannot copy to clipboard");
  }
}

}  // namespace tintspot
