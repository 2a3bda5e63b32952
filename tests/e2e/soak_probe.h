// What a long run of the program watches: its memory, its Windows handles and objects (asked
// through winhelper.exe inside the prefix) and the X resources of its connections (XRes).
#pragma once

#include <string>
#include <vector>

#include "tintspot_app.h"

namespace e2e {

struct SoakSample {
  double minutes = 0;
  long resident_kb = -1;     // VmRSS of the Wine process
  long working_set_kb = -1;  // GetProcessMemoryInfo, as the program's own Windows sees it
  long pagefile_kb = -1;     // committed private memory
  long kernel_handles = -1;  // from the system's handle list
  long gdi_objects = -1;     // used entries of its GDI handle table
  long windows = -1;         // its windows (USER objects)
  long x_resources = -1;     // every X resource of its X connections
  long x_pixmap_kb = -1;     // bytes of their pixmaps
};

// One column of the report: a figure of a sample, how it is named and how much it may grow after
// the warm-up before it counts as a leak.
struct SoakFigure {
  const char* name;
  long SoakSample::*value;
  long allowed_growth;
};
const std::vector<SoakFigure>& SoakFigures();

// Takes a sample of `app`, `seconds` after the run's start. Figures that cannot be read stay -1.
SoakSample TakeSoakSample(TintspotApp& app, double seconds);

// The X resources of every connection of process `pid`: their count and pixmap bytes (-1 each when
// the server lacks the XRes extension).
void XResourcesOf(Display* display, long pid, long* count, long* pixmap_bytes);

}  // namespace e2e
