#include "soak_probe.h"

#include <X11/Xlib.h>
#include <X11/extensions/XRes.h>

#include <map>
#include <string>

#include "wine_session.h"

namespace e2e {

const std::vector<SoakFigure>& SoakFigures() {
  // Memory may breathe by a couple of megabytes (heap and Wine's caches); counts of objects
  // must come back to where they were.
  static const std::vector<SoakFigure> figures = {
      {"RSS KB", &SoakSample::resident_kb, 2048},     {"WS KB", &SoakSample::working_set_kb, 2048},
      {"private KB", &SoakSample::pagefile_kb, 2048}, {"handles", &SoakSample::kernel_handles, 2},
      {"GDI", &SoakSample::gdi_objects, 2},           {"windows", &SoakSample::windows, 0},
      {"X res", &SoakSample::x_resources, 2},         {"X pixmap KB", &SoakSample::x_pixmap_kb, 64},
  };
  return figures;
}

void XResourcesOf(Display* display, long pid, long* count, long* pixmap_bytes) {
  *count = *pixmap_bytes = -1;
  int event_base = 0, error_base = 0;
  if (!XResQueryExtension(display, &event_base, &error_base)) return;
  XResClientIdSpec all{0, XRES_CLIENT_ID_PID_MASK};
  long id_count = 0;
  XResClientIdValue* ids = nullptr;
  // This call answers an X status (Success is 0); the two older ones below answer true.
  if (XResQueryClientIds(display, 1, &all, &id_count, &ids) != Success) return;
  *count = *pixmap_bytes = 0;
  for (long i = 0; i < id_count; ++i) {
    if (XResGetClientPid(&ids[i]) != pid) continue;
    [[maybe_unused]] const auto& [client_id, id_length, id_value] = ids[i];
    int type_count = 0;
    XResType* types = nullptr;
    if (XResQueryClientResources(display, client_id.client, &type_count, &types)) {
      for (int t = 0; t < type_count; ++t) *count += types[t].count;
      XFree(types);
    }
    unsigned long bytes = 0;
    if (XResQueryClientPixmapBytes(display, client_id.client, &bytes)) {
      *pixmap_bytes += long(bytes);
    }
  }
  XResClientIdsDestroy(id_count, ids);
}

namespace {

long Figure(std::map<std::string, std::string>& values, const char* key, long divisor = 1) {
  const std::string& text = values[key];
  return text.empty() ? -1 : std::stol(text) / divisor;
}

}  // namespace

SoakSample TakeSoakSample(TintspotApp& app, double seconds) {
  SoakSample sample;
  sample.minutes = seconds / 60;
  sample.resident_kb = app.ResidentKilobytes().value_or(-1);
  RunResult resources = WineSession::Get().RunWinHelper({"resources", TintspotApp::kCaption});
  auto values = ParseKeyValues(resources.output);
  if (resources.exit_code == 0) {
    sample.working_set_kb = Figure(values, "working_set", 1024);
    sample.pagefile_kb = Figure(values, "pagefile", 1024);
    sample.kernel_handles = Figure(values, "kernel_handles");
    sample.gdi_objects = Figure(values, "gdi_table_entries");
    sample.windows = Figure(values, "windows");
  }
  long pixmap_bytes = -1;
  XResourcesOf(WineSession::Get().x().display(), app.pid(), &sample.x_resources, &pixmap_bytes);
  sample.x_pixmap_kb = pixmap_bytes < 0 ? -1 : pixmap_bytes / 1024;
  return sample;
}

}  // namespace e2e
