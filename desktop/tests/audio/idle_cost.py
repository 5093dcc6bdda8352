#!/usr/bin/env python3
"""Processor time a waiting program costs, thread by thread, and the sound server's.

    idle_cost.py SECONDS PID [SERVER_PID]

Prints, over SECONDS, each thread's share of one core and how often it woke (voluntary
context switches), then the totals. Reads /proc only; a measuring aid, not a test.
"""

import os
import sys
import time

TICK = os.sysconf("SC_CLK_TCK")


def threads(pid):
    found = {}
    for tid in os.listdir("/proc/%s/task" % pid):
        base = "/proc/%s/task/%s/" % (pid, tid)
        try:
            with open(base + "stat") as f:
                stat = f.read()
            with open(base + "status") as f:
                status = f.read()
        except OSError:
            continue  # the thread ended meanwhile
        name = stat[stat.index("(") + 1:stat.rindex(")")]
        fields = stat[stat.rindex(")") + 2:].split()
        ticks = int(fields[11]) + int(fields[12])
        wakes = int(status.split("voluntary_ctxt_switches:")[1].split()[0])
        found[tid] = (name, ticks, wakes)
    return found


def main(argv):
    if len(argv) not in (3, 4):
        print(__doc__, file=sys.stderr)
        return 2
    seconds, pids = float(argv[1]), argv[2:]
    before = [threads(p) for p in pids]
    start = time.monotonic()
    time.sleep(seconds)
    after = [threads(p) for p in pids]
    elapsed = time.monotonic() - start
    for label, pid, a, b in zip(("program", "server"), pids, before, after):
        total_ticks = total_wakes = 0
        for tid, (name, ticks, wakes) in sorted(b.items()):
            ticks -= a.get(tid, (name, 0, 0))[1]
            wakes -= a.get(tid, (name, 0, 0))[2]
            total_ticks += ticks
            total_wakes += wakes
            if ticks or wakes:
                print("  %-8s %-16s %6.2f %% of a core %8.1f wakes/s" %
                      (label, name, ticks / TICK / elapsed * 100, wakes / elapsed))
        print("%-10s %-16s %6.2f %% of a core %8.1f wakes/s" %
              (label, "(all threads)", total_ticks / TICK / elapsed * 100, total_wakes / elapsed))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
