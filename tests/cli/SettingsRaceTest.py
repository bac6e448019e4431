#!/usr/bin/python3
"""Starts pairs of `revora-calc settings --set ...` at the same moment, each pair changing two
different columns, in a new data folder (both runs create the file) and in one that holds it.
Every run must end with exit 0 and both columns must hold what their run gave them: neither
change may be lost to the other.

usage: SettingsRaceTest.py REVORA_CALC [PAIRS]
"""
import os
import sqlite3
import subprocess
import sys
import tempfile


def main():
    calc = sys.argv[1]
    pairs = int(sys.argv[2]) if len(sys.argv) > 2 else 24
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    failures = []
    with tempfile.TemporaryDirectory() as scratch:
        kept = os.path.join(scratch, "kept")
        for pair in range(pairs):
            # Every other pair starts in a folder of its own, where no settings file is yet.
            folder = os.path.join(scratch, f"new{pair}") if pair % 2 else kept
            levy, limit = f"{1 + pair / 100:.2f}", str(15000 + pair)
            runs = [subprocess.Popen([calc, "settings", "--set", change, "--data-dir", folder],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True, env=env)
                    for change in (f"SkillLevy={levy}", f"UIFLimit={limit}")]
            for run in runs:
                _, err = run.communicate(timeout=60)
                if run.returncode != 0:
                    failures.append(f"pair {pair}: exit {run.returncode}: {err.strip()}")
            connection = sqlite3.connect(os.path.join(folder, "Settings.db"))
            try:
                rows = connection.execute("SELECT SkillLevy, UIFLimit FROM Setup").fetchall()
            finally:
                connection.close()
            if rows != [(float(levy), float(limit))]:
                failures.append(f"pair {pair}: the row holds {rows}, not SkillLevy {levy} and UIFLimit {limit}")
    if failures:
        print("\n".join("FAIL: " + f for f in failures))
        sys.exit(1)
    print(f"{pairs} pairs of changes at once: every change was kept")


if __name__ == "__main__":
    main()
