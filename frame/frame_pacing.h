// The fallback pacing of the frame loop. Many servers and drivers ignore the
// swap interval (a virtual server, a covered or powered-off display); with
// vsync asked for, the loop then still starts at most one frame per refresh
// period and sleeps out the rest of each frame instead of burning a core.
#pragma once

// Used when the monitor does not say (a virtual server reports 0).
inline constexpr int fallback_refresh_rate = 60;

struct FramePacing {
  double period;      // seconds between frame starts; 0 leaves the loop unthrottled
  double next_start;  // clock reading before which the next frame does not start
  bool started;       // false until the first frame has been paced
};

// refresh_rate in hertz as the current video mode gives it; 0 or less when unknown.
FramePacing start_frame_pacing(bool vsync, int refresh_rate);

// Called once per frame after it was presented, with the clock reading the
// frame started at and the reading now. Returns the seconds to sleep before
// the next frame starts: 0 when the frame already took a period or more.
// Frame starts keep to a grid of whole periods, so oversleeping one frame is
// made up by the next; a frame that starts more than a quarter period late
// (slow drawing, a swap that waited for the vertical blank) sets a new grid.
double frame_pacing_delay(FramePacing& pacing, double frame_start, double now);

// Sleeps that many seconds; nothing for 0 or less.
void sleep_seconds(double seconds);

// ---- The CPU budget of software rasterisers ---------------------------------
// Where the CPU draws every pixel, the loop holds the whole process (its
// rasteriser threads included) to half a core: it measures what its frames
// cost and starts one every divisor refresh periods, the fewest that fit.
inline constexpr double cpu_budget_cores = 0.5;
// Below this rate the show stutters; a frame that one core can draw this often
// is drawn this often, even when that takes more than the budget.
inline constexpr int lowest_budget_rate = 30;

// Costs in, period out. On a software rasteriser (software set) the divisor is
// the fewest refresh periods between frame starts at which frames costing
// cpu_seconds_per_frame of process CPU time fit in half a core, capped at the
// lowest rate of 30 a second where one core can give that. Going faster than
// current_divisor asks the cost to fit with some headroom, so a cost on the
// edge does not swing between two rates. Every other renderer, or an unknown
// cost (0 or less), keeps what it has: the refresh rate on hardware.
struct PaceChoice {
  int divisor;    // refresh periods per frame
  double period;  // seconds between frame starts
};
PaceChoice budget_pace(bool software, int refresh_rate, double cpu_seconds_per_frame, int current_divisor);

// The loop's measurement: CPU seconds per presented frame over windows of about
// a second, starting after the first frames (which compile shaders).
struct FrameBudget {
  bool active;          // a software rasteriser with the pacing on
  int refresh_rate;     // hertz the pacing started from
  int divisor;          // in force
  int previous_divisor;  // before the last choice
  long frames;          // presented since the window started, or before it
  bool measuring;       // false while the first frames settle
  double window_start;  // clock reading when the window started
  double cpu_at_start;  // process CPU seconds then
  double cost;          // CPU seconds per frame of the last closed window
};

FrameBudget start_frame_budget(bool software, bool vsync, int refresh_rate);
// Called once per presented frame with the clock and the process's CPU seconds.
// When a window closes it sets the pacing's period from the window's cost and
// returns true; otherwise it changes nothing and returns false.
bool update_frame_budget(FrameBudget& budget, FramePacing& pacing, double now, double cpu_seconds);
