// The About window's primitives on Windows are not built yet: registering the
// class fails, so the configure run shows the shell's failure boxes and ends with
// exit code 0.
#include "platform/about_platform.h"

bool about_register_class(const char*, AboutWindowProc) { return false; }
ScreenArea about_primary_screen() { return {0, 0, 0, 0}; }
NativeWindow about_create_window(const char*, const char*, int, int, int, int) { return 0; }
NativeWindow about_create_static(NativeWindow, const char*, int, int, int, int, int) { return 0; }
NativeWindow about_create_button(NativeWindow, const char*, int, int, int, int, int) { return 0; }
void about_set_text(NativeWindow, const char*) {}
void about_set_font(NativeWindow, AboutFont, bool) {}
AboutFont about_create_font(const FontSpec&) { return 0; }
AboutBitmap about_create_bitmap(const PixelRows&) { return 0; }
void about_delete_bitmap(AboutBitmap) {}
void about_show_window(NativeWindow, int) {}
void about_fill_client(NativeWindow, Colour) {}
void about_draw_bitmap(NativeWindow, AboutBitmap, int, int) {}
void about_destroy_window(NativeWindow) {}
void about_post_quit() {}
void about_run_loop() {}
