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
