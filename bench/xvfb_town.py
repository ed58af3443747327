#!/usr/bin/env python3
"""Drives the running program on an X display from outside, with XTest, and
reports what a person would notice: mouse move to presented frame, presents of
unchanged frames, processor share while moving and idle, resident memory, the
frames around the splash-to-town change, and the mouse mapping near the
picture's edges.

Presents are read from the file the program writes with VELAMO_PRESENT_LOG
(one line each: begin and end on the monotonic clock in nanoseconds, the
changed pixels, a hash of the frame). Started by bench/xvfb_town.sh."""

import argparse
import ctypes
import ctypes.util
import json
import os
import statistics
import sys
import time

PICTURE_W, PICTURE_H = 640, 480

# Places in the town's start view (picture coordinates), as the town
# benchmark uses them: each move between them shows another name plate.
PLACES = [(320, 252), (384, 201), (208, 265), (36, 252)]
BLACK_POINT = (600, 450)  # on the bottom bar, away from its buttons


def now_ns():
    return time.clock_gettime_ns(time.CLOCK_MONOTONIC)


class X:
    def __init__(self, display):
        self.xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        self.xtst = ctypes.CDLL(ctypes.util.find_library("Xtst") or "libXtst.so.6")
        x = self.xlib
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XDefaultRootWindow.restype = ctypes.c_ulong
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XInternAtom.restype = ctypes.c_ulong
        x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                                 ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                                 ctypes.POINTER(ctypes.c_uint)]
        x.XGetWindowProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long,
                                         ctypes.c_long, ctypes.c_int, ctypes.c_ulong,
                                         ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_int),
                                         ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_ulong),
                                         ctypes.POINTER(ctypes.c_void_p)]
        x.XGetGeometry.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong)] + \
            [ctypes.POINTER(ctypes.c_int)] * 2 + [ctypes.POINTER(ctypes.c_uint)] * 4
        x.XTranslateCoordinates.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_int,
                                            ctypes.c_int, ctypes.POINTER(ctypes.c_int),
                                            ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_ulong)]
        x.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_void_p]
        x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x.XFree.argtypes = [ctypes.c_void_p]
        x.XGetImage.restype = ctypes.c_void_p
        x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x.XDestroyImage.argtypes = [ctypes.c_void_p]
        self.xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                                   ctypes.c_ulong]
        self.xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self.dpy = x.XOpenDisplay(display.encode())
        if not self.dpy:
            raise SystemExit("cannot open display " + display)
        self.root = x.XDefaultRootWindow(self.dpy)
        # Made if missing: on a fresh server the program may not have named it yet.
        self.pid_atom = x.XInternAtom(self.dpy, b"_NET_WM_PID", 0)

    def children(self, w):
        root, parent = ctypes.c_ulong(), ctypes.c_ulong()
        kids = ctypes.POINTER(ctypes.c_ulong)()
        n = ctypes.c_uint()
        if not self.xlib.XQueryTree(self.dpy, w, ctypes.byref(root), ctypes.byref(parent), ctypes.byref(kids),
                                    ctypes.byref(n)):
            return []
        out = [kids[i] for i in range(n.value)]
        if kids:
            self.xlib.XFree(kids)
        return out

    def pid_of(self, w):
        if not self.pid_atom:
            return None
        kind, fmt, count, after = ctypes.c_ulong(), ctypes.c_int(), ctypes.c_ulong(), ctypes.c_ulong()
        data = ctypes.c_void_p()
        if self.xlib.XGetWindowProperty(self.dpy, w, self.pid_atom, 0, 1, 0, 6, ctypes.byref(kind),
                                        ctypes.byref(fmt), ctypes.byref(count), ctypes.byref(after),
                                        ctypes.byref(data)) != 0 or not data.value:
            return None
        pid = ctypes.cast(data, ctypes.POINTER(ctypes.c_long))[0] if count.value else None
        self.xlib.XFree(data)
        return pid

    def find_window(self, pid):
        todo = [self.root]
        while todo:
            w = todo.pop()
            if w != self.root and self.pid_of(w) == pid:
                return w
            todo.extend(self.children(w))
        return None

    def geometry(self, w):
        """The window's real place and size on the screen."""
        root = ctypes.c_ulong()
        gx, gy = ctypes.c_int(), ctypes.c_int()
        width, height, border, depth = ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint()
        self.xlib.XGetGeometry(self.dpy, w, ctypes.byref(root), ctypes.byref(gx), ctypes.byref(gy),
                               ctypes.byref(width), ctypes.byref(height), ctypes.byref(border), ctypes.byref(depth))
        sx, sy, child = ctypes.c_int(), ctypes.c_int(), ctypes.c_ulong()
        self.xlib.XTranslateCoordinates(self.dpy, w, self.root, 0, 0, ctypes.byref(sx), ctypes.byref(sy),
                                        ctypes.byref(child))
        return sx.value, sy.value, width.value, height.value

    def move(self, x, y):
        self.xtst.XTestFakeMotionEvent(self.dpy, -1, int(x), int(y), 0)
        self.xlib.XSync(self.dpy, 0)

    def button(self, down):
        self.xtst.XTestFakeButtonEvent(self.dpy, 1, 1 if down else 0, 0)
        self.xlib.XSync(self.dpy, 0)

    def grab_black_share(self, rect):
        """The share of pure black pixels in a screen rectangle, sampled."""
        x, y, w, h = rect
        img = self.xlib.XGetImage(self.dpy, self.root, x, y, w, h, 0xFFFFFFFF, 2)
        if not img:
            return None
        fields = ctypes.cast(img, ctypes.POINTER(ctypes.c_int))
        data = ctypes.cast(img + 16, ctypes.POINTER(ctypes.c_void_p))[0]
        bytes_per_line = fields[11]
        raw = ctypes.string_at(data, bytes_per_line * h)
        self.xlib.XDestroyImage(ctypes.c_void_p(img))
        black = total = 0
        for row in range(0, h, 8):
            line = raw[row * bytes_per_line: row * bytes_per_line + w * 4]
            for col in range(0, w * 4, 32):
                total += 1
                if line[col:col + 3] == b"\0\0\0":
                    black += 1
        return black / total if total else None


class Program:
    def __init__(self, pid):
        self.pid = pid

    def cpu_seconds(self):
        with open(f"/proc/{self.pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")

    def memory_mb(self):
        out = {}
        with open(f"/proc/{self.pid}/status") as f:
            for line in f:
                key, _, value = line.partition(":")
                if key in ("VmRSS", "VmHWM"):
                    out[key] = int(value.split()[0]) / 1024
        return out


def read_presents(path):
    presents = []
    try:
        with open(path) as f:
            for line in f:
                parts = line.split()
                if len(parts) == 4:
                    presents.append((int(parts[0]), int(parts[1]), int(parts[2]), parts[3]))
    except FileNotFoundError:
        pass
    return presents


def frames_of_moves(sends, presents):
    """Each move's presents, from its send to the next move's: the times from
    the send to the move's first new frame (ms), the number of presents of
    each move, and the presents of a frame equal to the one before."""
    previous_hash = None
    latencies, per_move, unchanged = [], [], 0
    j = 0
    for i, sent in enumerate(sends):
        until = sends[i + 1] if i + 1 < len(sends) else float("inf")
        mine = []
        while j < len(presents) and presents[j][0] < until:
            if presents[j][0] >= sent:
                mine.append(presents[j])
            j += 1
        first_new = None
        for begin, end, changed, digest in mine:
            if digest == previous_hash:
                unchanged += 1
            elif first_new is None:
                first_new = end
            previous_hash = digest
        per_move.append(len(mine))
        if first_new is not None:
            latencies.append((first_new - sent) / 1e6)
    return latencies, per_move, unchanged


def percentile(values, p):
    if not values:
        return None
    v = sorted(values)
    return v[min(len(v) - 1, int(p * len(v)))]


class Session:
    def __init__(self, args):
        self.args = args
        self.x = X(args.display)
        self.program = Program(args.pid)
        self.window = None
        self.report = {}

    def wait_for_window(self, timeout=20.0):
        end = time.time() + timeout
        while time.time() < end:
            self.window = self.x.find_window(self.args.pid)
            if self.window and read_presents(self.args.log):
                return
            time.sleep(0.05)
        raise SystemExit("the program's window did not appear")

    def picture_rect(self):
        """Where the 640x480 picture lies on the screen: the window's real
        size, the picture scaled to fit with its aspect kept, centred."""
        wx, wy, ww, wh = self.x.geometry(self.window)
        scale = min(ww / PICTURE_W, wh / PICTURE_H)
        pw, ph = PICTURE_W * scale, PICTURE_H * scale
        return wx + (ww - pw) / 2, wy + (wh - ph) / 2, scale, (wx, wy, ww, wh)

    def to_screen(self, px, py):
        left, top, scale, _ = self.picture_rect()
        return int(left + (px + 0.5) * scale), int(top + (py + 0.5) * scale)

    def move_picture(self, px, py):
        self.x.move(*self.to_screen(px, py))

    def click_picture(self, px, py, hold=0.05):
        self.move_picture(px, py)
        time.sleep(0.02)
        self.x.button(True)
        time.sleep(hold)
        self.x.button(False)

    def splash_to_town(self):
        """Clicks the splash away and watches the screen for black frames
        until the town stands."""
        time.sleep(self.args.splash_wait)
        self.report["window_at_splash"] = self.picture_rect()[3]
        left, top, scale, _ = self.picture_rect()
        rect = (int(left), int(top), int(PICTURE_W * scale), int(PICTURE_H * scale))
        self.click_picture(*BLACK_POINT)
        clicked = now_ns()
        shares = []
        while now_ns() - clicked < 1_000_000_000:
            share = self.x.grab_black_share(rect)
            shares.append(((now_ns() - clicked) / 1e6, share))
        black = [t for t, s in shares if s is not None and s > 0.95]
        self.report["splash_click_grabs"] = len(shares)
        self.report["splash_click_black_grabs_ms"] = [round(t, 1) for t in black]

    def moves_to_frames(self, count, interval):
        log_start = len(read_presents(self.args.log))
        sends = []
        for i in range(count):
            px, py = PLACES[i % len(PLACES)]
            # Timed from before the send: the program may present before the
            # send's round trip has returned here.
            sends.append(now_ns())
            self.move_picture(px, py)
            time.sleep(interval)
        time.sleep(0.2)
        presents = read_presents(self.args.log)[log_start:]
        latencies, per_move, unchanged = frames_of_moves(sends, presents)
        durations = [(e - b) / 1e6 for b, e, _, _ in presents]
        self.report["move_to_frame"] = {
            "moves": count, "moves_with_a_new_frame": len(latencies),
            "p50_ms": percentile(latencies, 0.5), "p99_ms": percentile(latencies, 0.99),
            "max_ms": percentile(latencies, 1.0),
            "presents": len(presents), "presents_of_an_unchanged_frame": unchanged,
            "present_p50_ms": percentile(durations, 0.5), "present_p99_ms": percentile(durations, 0.99),
        }

    def sweep(self, seconds):
        """The mouse moved back and forth across the picture every 8 ms: the
        wall time it took and the program's processor seconds meanwhile."""
        cpu = self.program.cpu_seconds()
        start = time.monotonic()
        step, px = 4, 20
        while time.monotonic() - start < seconds:
            self.move_picture(px, 250)
            px += step
            if px > 620 or px < 20:
                step = -step
            time.sleep(0.008)
        return time.monotonic() - start, self.program.cpu_seconds() - cpu

    def continuous_movement(self, seconds):
        log_start = len(read_presents(self.args.log))
        wall, used = self.sweep(seconds)
        presents = read_presents(self.args.log)[log_start:]
        unchanged = sum(1 for a, b in zip(presents, presents[1:]) if a[3] == b[3])
        self.report["continuous_movement"] = {
            "seconds": round(wall, 1), "cpu_percent": round(100 * used / wall, 1),
            "presents": len(presents), "presents_of_an_unchanged_frame": unchanged,
        }
        self.report["memory_mb_at_town"] = self.program.memory_mb()

    def idle(self, seconds):
        self.move_picture(*BLACK_POINT)
        time.sleep(1.0)
        cpu = self.program.cpu_seconds()
        log_start = len(read_presents(self.args.log))
        time.sleep(seconds)
        used = self.program.cpu_seconds() - cpu
        self.report["idle"] = {"seconds": seconds, "cpu_percent": round(100 * used / seconds, 2),
                               "presents": len(read_presents(self.args.log)) - log_start}

    def full_screen_presents(self):
        """Presents that change the whole picture: the town scrolled by the
        left and right scroll zones (a move onto them, near the picture's
        left and right edges, scrolls the town: the mapping at the edges)."""
        results = {}
        for name, point in (("left_edge", (2, 200)), ("right_edge", (637, 200))):
            log_start = len(read_presents(self.args.log))
            self.move_picture(*point)
            time.sleep(0.6)
            self.move_picture(*BLACK_POINT)
            time.sleep(0.1)
            presents = read_presents(self.args.log)[log_start:]
            whole = [(e - b) / 1e6 for b, e, changed, _ in presents if changed >= 600 * 400]
            results[name] = {"scrolling_frames": len(whole), "present_p50_ms": percentile(whole, 0.5),
                             "present_max_ms": percentile(whole, 1.0)}
        self.report["edges_scroll"] = results

    def corner_click(self):
        """The exit button near the bottom right corner opens the exit
        question; a screenshot shows it. Answered no."""
        log_start = len(read_presents(self.args.log))
        self.click_picture(471, 450)
        time.sleep(0.8)
        self.report["exit_button_frames"] = len(read_presents(self.args.log)) - log_start
        if self.args.shot:
            os.system(self.args.shot + " exit_question")
        self.click_picture(458, 286)
        time.sleep(1.5)


def main():
    ap = argparse.ArgumentParser(description=__doc__)
    ap.add_argument("--display", required=True)
    ap.add_argument("--pid", type=int, required=True)
    ap.add_argument("--log", required=True, help="the program's VELAMO_PRESENT_LOG file")
    ap.add_argument("--seconds", type=float, default=10.0)
    ap.add_argument("--splash-wait", type=float, default=1.5)
    ap.add_argument("--shot", help="a command that takes a screenshot named by its argument")
    args = ap.parse_args()

    s = Session(args)
    s.wait_for_window()
    if args.shot and args.splash_wait > 0:
        time.sleep(args.splash_wait)
        os.system(args.shot + " splash")
        args.splash_wait = 0
    s.splash_to_town()
    time.sleep(1.0)
    if args.shot:
        os.system(args.shot + " town")
    s.report["window_at_town"] = s.picture_rect()[3]
    s.idle(args.seconds)
    s.moves_to_frames(int(args.seconds * 40), 0.025)
    s.continuous_movement(args.seconds)
    s.full_screen_presents()
    s.corner_click()
    print(json.dumps(s.report, indent=1))


if __name__ == "__main__":
    sys.exit(main())
