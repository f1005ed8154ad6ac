#include "frame/frame_pacing.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace {

// Late starts up to this share of a period are oversleeping or jitter and keep
// the grid; later ones mean the frame took longer than a period.
constexpr double late_share = 0.25;

// A faster rate is taken only when its frames fit in this share of the budget.
constexpr double faster_headroom = 0.85;
// Frames before the first measuring window: the first draws compile shaders.
constexpr long settling_frames = 3;
constexpr double window_seconds = 1.0;

int known_rate(int refresh_rate) { return refresh_rate > 0 ? refresh_rate : fallback_refresh_rate; }

// The fewest refresh periods per frame whose frames fit in that many cores.
int divisor_that_fits(double cpu_seconds_per_frame, int refresh_rate, double cores) {
  const double needed = cpu_seconds_per_frame * refresh_rate / cores;
  const int divisor = static_cast<int>(std::ceil(needed - 1e-9));
  return std::clamp(divisor, 1, refresh_rate);
}

}  // namespace

FramePacing start_frame_pacing(bool vsync, int refresh_rate) {
  if (!vsync) return {0.0, 0.0, false};
  return {1.0 / known_rate(refresh_rate), 0.0, false};
}

double frame_pacing_delay(FramePacing& pacing, double frame_start, double now) {
  if (pacing.period <= 0.0) return 0.0;
  const bool on_grid = pacing.started && frame_start <= pacing.next_start + late_share * pacing.period;
  const double slot = on_grid ? pacing.next_start : frame_start;
  pacing.started = true;
  pacing.next_start = slot + pacing.period;
  return now < pacing.next_start ? pacing.next_start - now : 0.0;
}

void sleep_seconds(double seconds) {
  if (seconds <= 0.0) return;
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

PaceChoice budget_pace(bool software, int refresh_rate, double cpu_seconds_per_frame, int current_divisor) {
  const int rate = known_rate(refresh_rate);
  int divisor = std::clamp(current_divisor, 1, rate);
  if (!software) divisor = 1;
  if (software && cpu_seconds_per_frame > 0.0) {
    divisor = divisor_that_fits(cpu_seconds_per_frame, rate, cpu_budget_cores);
    if (divisor < current_divisor)
      divisor = std::min(current_divisor, divisor_that_fits(cpu_seconds_per_frame, rate, cpu_budget_cores * faster_headroom));
    // One core can give the lowest rate: never go below it.
    const int lowest = std::max(1, rate / lowest_budget_rate);
    if (cpu_seconds_per_frame * lowest_budget_rate <= 1.0 + 1e-9) divisor = std::min(divisor, lowest);
  }
  return {divisor, static_cast<double>(divisor) / rate};
}

FrameBudget start_frame_budget(bool software, bool vsync, int refresh_rate) {
  FrameBudget budget = {};
  budget.active = software && vsync;
  budget.refresh_rate = known_rate(refresh_rate);
  budget.divisor = budget.previous_divisor = 1;
  return budget;
}

bool update_frame_budget(FrameBudget& budget, FramePacing& pacing, double now, double cpu_seconds) {
  if (!budget.active) return false;
  ++budget.frames;
  if (!budget.measuring) {
    if (budget.frames < settling_frames) return false;
    budget.measuring = true;
    budget.frames = 0;
    budget.window_start = now;
    budget.cpu_at_start = cpu_seconds;
    return false;
  }
  if (now - budget.window_start < window_seconds) return false;
  budget.cost = (cpu_seconds - budget.cpu_at_start) / static_cast<double>(budget.frames);
  const PaceChoice choice = budget_pace(true, budget.refresh_rate, budget.cost, budget.divisor);
  budget.previous_divisor = budget.divisor;
  budget.divisor = choice.divisor;
  pacing.period = choice.period;
  budget.frames = 0;
  budget.window_start = now;
  budget.cpu_at_start = cpu_seconds;
  return true;
}
