// The frame: window, context and main loop of the Preview, Saver and Default runs.
#pragma once

struct GLFWwindow;

extern GLFWwindow* main_window;

// Runs the whole sequence and returns when the frame loop ends. Input events and
// a failed window end the process from inside instead.
void run_frame();
