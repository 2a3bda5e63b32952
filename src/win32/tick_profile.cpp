#include "tick_profile.h"

#include <windows.h>

#include <cstdio>
#include <map>
#include <string>

namespace tintspot::win32::profile {
namespace {

struct Totals {
  long long ticks = 0;  // counter units
  long long calls = 0;
};

struct State {
  std::map<std::string, Totals> stages;
  long long ticks = 0;
  long long tickTime = 0;
  long long tickStart = 0;
  long long lastEnd = 0;
  const char* lastName = "tick start";
  int depth = 0;
  bool inTick = false;
};

State& Profile() {
  static State state;
  return state;
}

long long Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

void Book(const std::string& name, long long time) {
  Totals& totals = Profile().stages[name];
  totals.ticks += time;
  ++totals.calls;
}

}  // namespace

Stage::Stage(const char* name) : name_(name), start_(Now()) {
  State& state = Profile();
  if (state.inTick && state.depth == 0)
    Book(std::string("core after ") + state.lastName, start_ - state.lastEnd);
  ++state.depth;
}

Stage::~Stage() {
  State& state = Profile();
  const long long end = Now();
  --state.depth;
  if (!state.inTick) return;
  Book(std::string(state.depth > 0 ? "  " : "") + name_, end - start_);
  if (state.depth == 0) {
    state.lastEnd = end;
    state.lastName = name_;
  }
}

Tick::Tick() {
  State& state = Profile();
  state.inTick = true;
  state.depth = 0;
  state.tickStart = state.lastEnd = Now();
  state.lastName = "tick start";
}

Tick::~Tick() {
  State& state = Profile();
  const long long end = Now();
  Book(std::string("core after ") + state.lastName, end - state.lastEnd);
  state.tickTime += end - state.tickStart;
  ++state.ticks;
  state.inTick = false;
}

void WriteReport() {
  const State& state = Profile();
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  const double us = 1e6 / static_cast<double>(frequency.QuadPart);
  FILE* out = std::fopen("tick-profile.txt", "w");
  if (!out) return;
  const double ticks = state.ticks ? static_cast<double>(state.ticks) : 1.0;
  std::fprintf(out, "ticks %lld, mean tick %.1f us\n", state.ticks, state.tickTime * us / ticks);
  std::fprintf(out, "%-40s %10s %12s %12s %7s\n", "stage", "calls/tick", "us/call", "us/tick",
               "share");
  for (const auto& [name, totals] : state.stages) {
    const double perTick = totals.ticks * us / ticks;
    std::fprintf(out, "%-40s %10.2f %12.1f %12.1f %6.1f%%\n", name.c_str(), totals.calls / ticks,
                 totals.ticks * us / static_cast<double>(totals.calls), perTick,
                 state.tickTime ? 100.0 * totals.ticks / static_cast<double>(state.tickTime) : 0.0);
  }
  std::fclose(out);
}

}  // namespace tintspot::win32::profile
