#!/usr/bin/env python3
"""Runs a program on a private Xvfb server and reports its frame rate, its CPU
seconds per second of running, the X server's, its peak resident memory
(VmHWM) and its start-up time from exec to the first presented frame. The program logs presented frames through
CUBESAVER_FRAME_LOG (see BENCHMARKS.md).

  frame_rate.py [--size WxH] [--preview WxH] [--warmup S] [--seconds S]
                [--repeat N] [--label TEXT] -- program args...

With --preview a plain host window of that size is made on the server and the
argument "{window}" is replaced by its id (for "--window-id {window}"; "/p"
runs are single-instance machine-wide, so a preview elsewhere ends them)."""
import argparse
import ctypes
import os
import signal
import statistics
import subprocess
import sys
import tempfile
import time

TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS  # utime + stime


def peak_memory_mb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024
    return float("nan")


def start_server(size):
    # The server picks a free display and names it when it is ready.
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-noreset", "-nolisten", "tcp",
                               "-screen", "0", f"{size}x24"],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, pass_fds=(write_end,))
    os.close(write_end)
    with os.fdopen(read_end) as ready:
        number = ready.readline().strip()
    return server, f":{number}"


def host_window(display_name, size):
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XCreateSimpleWindow.restype = ctypes.c_ulong
    x11.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_int] * 4 + \
        [ctypes.c_uint, ctypes.c_ulong, ctypes.c_ulong]
    x11.XMapWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    display = x11.XOpenDisplay(display_name.encode())
    width, height = (int(v) for v in size.split("x"))
    window = x11.XCreateSimpleWindow(display, x11.XDefaultRootWindow(display), 10, 10, width, height, 0, 0, 0)
    x11.XMapWindow(display, window)
    x11.XSync(display, 0)
    return display, window  # the connection stays open so the window lives


def read_log(path):
    times = []
    with open(path) as f:
        for line in f:
            parts = line.split()
            if len(parts) == 3 and parts[0] == "frame":
                times.append(float(parts[2]))
    return times


def run_once(args, command):
    server, display = start_server(args.size)
    keep = None
    try:
        if args.preview:
            keep = host_window(display, args.preview)
            command = [a.replace("{window}", str(keep[1])) for a in command]
        log = tempfile.NamedTemporaryFile(prefix="frames_", delete=False).name
        env = dict(os.environ, DISPLAY=display, CUBESAVER_FRAME_LOG=log)
        exec_time = time.monotonic()
        program = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(args.warmup)
        t0, p0, s0 = time.monotonic(), cpu_seconds(program.pid), cpu_seconds(server.pid)
        time.sleep(args.seconds)
        t1, p1, s1 = time.monotonic(), cpu_seconds(program.pid), cpu_seconds(server.pid)
        peak = peak_memory_mb(program.pid)
        program.send_signal(signal.SIGTERM)
        try:
            program.wait(timeout=30)
        except subprocess.TimeoutExpired:
            program.kill()
            program.wait()
        times = read_log(log)
        os.unlink(log)
    finally:
        server.terminate()
        server.wait()
    inside = [t for t in times if t0 <= t <= t1]
    return {
        "fps": len(inside) / (t1 - t0),
        "cpu": (p1 - p0) / (t1 - t0),
        "xcpu": (s1 - s0) / (t1 - t0),
        "peak": peak,
        "startup": (times[0] - exec_time) if times else float("nan"),
    }


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--size", default="640x480")
    parser.add_argument("--preview")
    parser.add_argument("--warmup", type=float, default=4.0)
    parser.add_argument("--seconds", type=float, default=8.0)
    parser.add_argument("--repeat", type=int, default=3)
    parser.add_argument("--label", default="")
    parser.add_argument("command", nargs="+")
    args = parser.parse_args()
    runs = [run_once(args, args.command) for _ in range(args.repeat)]
    med = {k: statistics.median(r[k] for r in runs) for k in runs[0]}
    cpu_per_frame = 1000 * med["cpu"] / med["fps"] if med["fps"] > 0 else float("nan")
    where = f"preview {args.preview}" if args.preview else args.size
    print(f"{args.label or ' '.join(args.command):44s} {where:>15s}  fps {med['fps']:7.2f}  "
          f"cpu/s {med['cpu']:5.2f}  Xvfb cpu/s {med['xcpu']:5.2f}  cpu ms/frame {cpu_per_frame:7.2f}  "
          f"peak {med['peak']:6.1f} MB  "
          f"start-up {1000 * med['startup']:7.0f} ms  (median of {len(runs)}: fps "
          + " ".join(f"{r['fps']:.2f}" for r in runs) + "; cpu ms/frame "
          + " ".join(f"{1000 * r['cpu'] / r['fps']:.1f}" if r['fps'] > 0 else "nan" for r in runs) + ")")
    sys.stdout.flush()


if __name__ == "__main__":
    main()
