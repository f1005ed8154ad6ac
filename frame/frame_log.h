// An opt-in log of presented frames for the benchmarks: with the environment
// variable CUBESAVER_FRAME_LOG naming a file, each presented frame appends a
// line "frame <n> <seconds>" with the monotonic clock (CLOCK_MONOTONIC on
// Linux), which lets a harness count frames and time start-up from outside.
// Without the variable nothing is written and each frame costs one test.
#pragma once

// Reads the variable and opens the file; called once before the first frame.
void open_frame_log();
// Called once per frame right after it was presented. Never allocates.
void log_frame_presented();
// Writes the line make_line returns (no newline needed). Without the log
// make_line is not even called.
void log_frame_line(const char* (*make_line)());
// Writes the CPU budget's choice once per measuring window: "pace <rate> fps refresh <hz> divisor <n>
// was <n> cpu <ms> ms/frame", the rate chosen from the cost measured over the
// last window and the divisor in force before.
void log_frame_pace(int refresh_rate, int divisor, int previous_divisor, double cpu_seconds_per_frame);
