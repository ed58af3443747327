#!/usr/bin/env python3
"""Measures every screen a child reaches, each from its menu, on the real
program driven from outside with XTest: the games menu, the games, the
simulations menu and the simulations. For each screen: hover moves (over the
bottom bar and the screen) and, where the screen carries a thing, carried
moves, each from the move sent to its first new frame (p50, p99) with the
presents per move and presents of an unchanged frame; the processor share
idle and while the mouse moves; resident memory.

The program is started afresh for each screen (the splash clicked away, the
menu's bar button, then the entry), so that one screen's state never leaks
into the next. Started by bench/xvfb_town.sh --screens."""

import argparse
import json
import os
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from xvfb_town import (BLACK_POINT, Program, Session, X, frames_of_moves, now_ns, percentile,  # noqa: E402
                       read_presents)

GAMES_BUTTON = (233, 450)
SIMULATIONS_BUTTON = (310, 450)
PARK = (530, 472)  # on the bottom bar between its buttons

# The bottom bar's buttons and points over the screen's own picture.
HOVER_POINTS = [(34, 448), (320, 240), (153, 450), (160, 120), (233, 450), (480, 120), (310, 450),
                (320, 380), (392, 449), (100, 300), (471, 450), (540, 200), (597, 450)]

# Games menu and simulations menu entries: the middle of each entry's
# clickable area, and how a thing is carried on the screens that carry one
# (a click that picks it up, then moves over these points).
GAMES = [
    ("town game", (171, 292), {"pick_up": (595, 449), "over": [(320, 252), (384, 201), (208, 265), (36, 252)]}),
    ("put in order A", (99, 304), {"pick_up": (79, 311), "over": [(150, 150), (300, 120), (450, 150), (550, 220)]}),
    ("put in order B", (484, 350), {"pick_up": (79, 311), "over": [(150, 150), (300, 120), (450, 150), (550, 220)]}),
    ("word pairs", (364, 305), None),
    ("who belongs, pictures A", (573, 130), None),
    ("who belongs, sounds", (517, 33), None),
    ("who is it A", (389, 99), None),
    ("who is it B", (355, 194), None),
    ("who belongs, pictures B", (446, 242), None),
    ("memory game", (244, 363), None),
]
SIMULATIONS = [
    ("plumber", (63, 243), None),
    ("firefighter", (234, 121), None),
    ("model", (331, 181), None),
    ("room painter", (544, 192), None),
    ("make-up", (413, 297), None),
]


class Screen(Session):
    """One run of the program, brought to one screen."""

    def __init__(self, args, log):
        self.args = args
        self.x = X(args.display)
        self.log = log
        self.report = {}
        env = dict(os.environ, VELAMO_PRESENT_LOG=log)
        self.process = subprocess.Popen([args.program], env=env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        self.args.pid = self.process.pid
        self.args.log = log
        self.program = Program(self.process.pid)
        self.window = None

    def end(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()

    def open(self, menu_button, entry):
        self.wait_for_window(timeout=60.0)  # a first start fills the font and path caches
        time.sleep(1.0)
        self.click_picture(*BLACK_POINT)  # the splash away
        time.sleep(1.5)
        self.click_picture(*menu_button)
        time.sleep(1.5)
        if entry:
            self.click_picture(*entry)
            time.sleep(2.0)
        self.move_picture(*PARK)
        time.sleep(0.5)

    def idle_cpu(self, seconds):
        cpu = self.program.cpu_seconds()
        start = len(read_presents(self.log))
        time.sleep(seconds)
        return {"cpu_percent": round(100 * (self.program.cpu_seconds() - cpu) / seconds, 2),
                "presents": len(read_presents(self.log)) - start}

    def moves(self, points, count, interval):
        """Move to frame for each move: latency to its first new frame, and
        the presents it made."""
        start = len(read_presents(self.log))
        sends = []
        for i in range(count):
            sends.append(now_ns())
            self.move_picture(*points[i % len(points)])
            time.sleep(interval)
        time.sleep(0.2)
        presents = read_presents(self.log)[start:]
        latencies, per_move, unchanged = frames_of_moves(sends, presents)
        per_move = [n for n in per_move if n]  # moves over what does not change make no frame
        return {"moves": count, "moves_with_a_frame": len(latencies),
                "p50_ms": percentile(latencies, 0.5), "p99_ms": percentile(latencies, 0.99),
                "max_ms": percentile(latencies, 1.0),
                "presents_per_move": round(sum(per_move) / len(per_move), 2) if per_move else None,
                "most_presents_of_a_move": max(per_move) if per_move else None,
                "presents_of_an_unchanged_frame": unchanged}

    def moving_cpu(self, seconds):
        wall, used = self.sweep(seconds)
        return round(100 * used / wall, 1)

    def measure(self, carry, seconds):
        self.report["idle"] = self.idle_cpu(seconds)
        self.report["hover"] = self.moves(HOVER_POINTS, int(seconds * 20), 0.05)
        self.move_picture(*PARK)
        time.sleep(0.3)
        if carry:
            self.click_picture(*carry["pick_up"])
            time.sleep(0.3)
            self.report["carried"] = self.moves(carry["over"], int(seconds * 20), 0.05)
        # Carrying, on the screens that carry a thing.
        self.report["moving_cpu_percent"] = self.moving_cpu(seconds)
        self.report["memory_mb"] = self.program.memory_mb()


def main():
    ap = argparse.ArgumentParser(description=__doc__)
    ap.add_argument("--display", required=True)
    ap.add_argument("--program", required=True)
    ap.add_argument("--work", required=True, help="a folder for the present logs")
    ap.add_argument("--seconds", type=float, default=3.0, help="idle and moving time per screen")
    ap.add_argument("--only", help="measure only the screens whose name contains this")
    args = ap.parse_args()
    args.splash_wait = 0
    args.shot = None

    screens = [("games menu", GAMES_BUTTON, None, None)]
    screens += [(name, GAMES_BUTTON, entry, carry) for name, entry, carry in GAMES]
    screens += [("simulations menu", SIMULATIONS_BUTTON, None, None)]
    screens += [(name, SIMULATIONS_BUTTON, entry, carry) for name, entry, carry in SIMULATIONS]
    results = {}
    for i, (name, button, entry, carry) in enumerate(screens):
        if args.only and args.only not in name:
            continue
        s = Screen(args, os.path.join(args.work, f"presents{i}.log"))
        try:
            s.open(button, entry)
            s.measure(carry, args.seconds)
            results[name] = s.report
        except SystemExit as e:
            results[name] = {"error": str(e)}
        finally:
            s.end()
        print(name, json.dumps(results[name]), file=sys.stderr, flush=True)

    # One row per screen and kind of move, as the table reads.
    print(f"{'screen':26} {'moves':8} {'p50 ms':>7} {'p99 ms':>7} {'pres/mv':>7} {'unchgd':>6} "
          f"{'idle %':>6} {'move %':>6} {'RSS MB':>6}")
    for name, r in results.items():
        if "error" in r:
            print(f"{name:26} error: {r['error']}")
            continue
        for kind in ("hover", "carried"):
            m = r.get(kind)
            if not m:
                continue
            fmt = lambda v: f"{v:7.2f}" if isinstance(v, (int, float)) else f"{'-':>7}"
            print(f"{name:26} {kind:8} {fmt(m['p50_ms'])} {fmt(m['p99_ms'])} {fmt(m['presents_per_move'])} "
                  f"{m['presents_of_an_unchanged_frame']:6d} {r['idle']['cpu_percent']:6.2f} "
                  f"{r['moving_cpu_percent']:6.1f} {r['memory_mb'].get('VmHWM', 0):6.1f}")
    print(json.dumps(results, indent=1), file=open(os.path.join(args.work, "screens.json"), "w"))


if __name__ == "__main__":
    sys.exit(main())
