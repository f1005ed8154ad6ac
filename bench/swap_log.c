/* Counts the presented frames of a GL program that is not ours (XScreenSaver's
   hacks): preloaded, it writes a line "frame <n> <seconds>" with the monotonic
   clock at every eglSwapBuffers (Debian builds XScreenSaver 6 on EGL) or
   glXSwapBuffers to the file CUBESAVER_FRAME_LOG names, the same
   lines our program writes, so bench/frame_rate.py measures both alike.
     cc -shared -fPIC -O2 -o swap_log.so bench/swap_log.c -ldl
     LD_PRELOAD=./swap_log.so CUBESAVER_FRAME_LOG=frames.txt some-gl-hack   */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static FILE* frame_log;
static long frames_presented;

static void log_frame(void) {
  static int opened;
  if (!opened) {
    const char* path = getenv("CUBESAVER_FRAME_LOG");
    if (path != NULL && path[0] != '\0') frame_log = fopen(path, "w");
    opened = 1;
  }
  if (frame_log == NULL) return;
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  fprintf(frame_log, "frame %ld %.6f\n", frames_presented++, now.tv_sec + now.tv_nsec * 1e-9);
  fflush(frame_log);
}

unsigned eglSwapBuffers(void* display, void* surface) {
  static unsigned (*real)(void*, void*);
  if (real == NULL) real = (unsigned (*)(void*, void*))dlsym(RTLD_NEXT, "eglSwapBuffers");
  const unsigned done = real(display, surface);
  log_frame();
  return done;
}

void glXSwapBuffers(void* display, unsigned long drawable) {
  static void (*real)(void*, unsigned long);
  if (real == NULL) real = (void (*)(void*, unsigned long))dlsym(RTLD_NEXT, "glXSwapBuffers");
  real(display, drawable);
  log_frame();
}
