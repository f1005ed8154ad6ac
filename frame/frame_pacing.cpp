#include "frame/frame_pacing.h"

#include <chrono>
#include <thread>

namespace {

// Late starts up to this share of a period are oversleeping or jitter and keep
// the grid; later ones mean the frame took longer than a period.
constexpr double late_share = 0.25;

}  // namespace

FramePacing start_frame_pacing(bool vsync, int refresh_rate) {
  if (!vsync) return {0.0, 0.0, false};
  const int rate = refresh_rate > 0 ? refresh_rate : fallback_refresh_rate;
  return {1.0 / rate, 0.0, false};
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
