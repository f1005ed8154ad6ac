// What the frame sets on its own window once the context is current.
#pragma once

struct GLFWwindow;

// The swap interval (waiting for the vertical blank where vsync is asked for)
// and the cursor, hidden unless the configuration shows it.
void apply_window_settings(GLFWwindow* window);
