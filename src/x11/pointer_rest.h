// Knows when the pointer is still where the last pointer query found it, so that a tick can
// answer without a round trip to the server.
//
// Once the pointer has stayed put for a few queries, the XInput 2 raw motion reports of every
// pointer device are asked for on the root (XI 2.1 and later send them whatever grab is active).
// The first query the server handles after that request and that finds the pointer where it was
// confirms the rest: from then on any motion of a device is reported, and until a report comes
// the pointer is known not to have moved. A report, a doubt (something drawn, the display
// changed) or a moved query ends the rest; while the pointer moves the reports are not asked for,
// since every one would wake the program between its ticks. A warp by another client moves the
// pointer without a report: every tenth answer is a query all the same. Without XInput 2.1 the
// pointer is always queried.
#pragma once

#include <X11/Xlib.h>

#include <optional>

#include "geometry.h"

namespace tintspot::x11 {

class PointerRest {
 public:
  explicit PointerRest(Display* display);
  ~PointerRest();
  PointerRest(const PointerRest&) = delete;
  PointerRest& operator=(const PointerRest&) = delete;

  bool Available() const { return available_; }

  // For the event loop: takes the raw motion reports (true), false for other events.
  bool HandleEvent(const XEvent& event);
  // Something may have changed under the pointer without a motion report: the next answer asks.
  void Doubt() { resting_ = false; }

  // True when no query is needed: the pointer is where the last query found it.
  bool Resting();
  // A query's answer (nullopt: the pointer is on another screen of the display).
  void Queried(std::optional<ScreenPoint> at);

  // Queries that find the pointer still before the reports are asked for, and how many answers
  // a rest gives before it queries once more.
  static constexpr int kStillQueries = 3;
  static constexpr int kAnswersBetweenQueries = 10;

 private:
  void AskForReports(bool on);

  Display* display_;
  bool available_ = false;
  int opcode_ = 0;        // the extension's, on its events
  bool asked_ = false;    // the raw motion reports are asked for (or about to be)
  bool resting_ = false;  // confirmed, and no report or doubt since
  int still_ = 0;         // queries in a row that found the pointer where it was
  int answers_ = 0;       // answers without a query since the last query
  std::optional<ScreenPoint> last_;
};

}  // namespace tintspot::x11
