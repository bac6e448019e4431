#!/usr/bin/python3
"""Kills `revora-calc settings --set ...` with SIGKILL at random moments, many times, while it
saves the employer's settings. After every kill the Setup row must be wholly the old row or
wholly the new one, never a mixture, and the file must pass SQLite's integrity check.

usage: SettingsCrashTest.py REVORA_CALC [ROUNDS]
"""
import os
import random
import signal
import sqlite3
import subprocess
import sys
import tempfile
import time

COLUMNS = ["PensionCont", "EmployerPenCont", "ProvCont", "EmployerProvCont", "EmployeeUIF", "EmployerUIF",
           "SkillLevy", "UIFLimit", "TAIncRate8020", "CompCarFBRate8020", "CompCarMPYesNo"]
# Two rows that differ in every column, so half of one beside half of the other shows.
OLD = [7.5, 10, 0, 0, 1, 1, 1, 14872, 0.8, 0.8, "no"]
NEW = [0, 0, 5.5, 8, 1.25, 1.5, 0.75, 17712, 0.2, 0.2, "yes"]


def set_arguments(row):
    arguments = []
    for column, value in zip(COLUMNS, row):
        arguments += ["--set", f"{column}={value}"]
    return arguments


def stored_form(row):
    # The maintenance-plan flag is kept as -1 for yes and 0 for no.
    return [(-1.0 if v == "yes" else 0.0) if c == "CompCarMPYesNo" else float(v) for c, v in zip(COLUMNS, row)]


def main():
    calc = sys.argv[1]
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 150
    seed = int(os.environ.get("REVORA_CRASH_SEED", time.time_ns() % 1_000_000))
    rng = random.Random(seed)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    quiet = {"stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL, "env": env}
    with tempfile.TemporaryDirectory() as folder:
        database = os.path.join(folder, "Settings.db")

        def run(row):
            return [calc, "settings", "--data-dir", folder] + set_arguments(row)

        subprocess.run(run(OLD), check=True, **quiet)
        # A whole run's length, so the kills fall all through it, start-up and saving alike: the
        # quickest of three, as a run slowed by other work on the machine would aim too late.
        length = None
        for row in (NEW, OLD, NEW):
            started = time.monotonic()
            subprocess.run(run(row), check=True, **quiet)
            took = time.monotonic() - started
            length = took if length is None else min(length, took)

        expected = {tuple(stored_form(OLD)), tuple(stored_form(NEW))}
        killed = 0
        round_number = 0
        # Every round is checked; rounds go on past the planned number, up to four times it,
        # until half of them have been cut short.
        while round_number < rounds or (killed < rounds // 2 and round_number < 4 * rounds):
            process = subprocess.Popen(run(OLD if round_number % 2 else NEW), **quiet)
            delay = rng.uniform(0.2 * length, 1.1 * length)
            time.sleep(delay)
            if process.poll() is not None:
                # It ended before the kill: runs are quicker now than when timed, so aim earlier.
                length = min(length, delay)
            else:
                process.send_signal(signal.SIGKILL)
            process.wait()
            killed += process.returncode == -signal.SIGKILL
            connection = sqlite3.connect(database)
            try:
                check = connection.execute("PRAGMA integrity_check").fetchone()[0]
                rows = connection.execute(f"SELECT {', '.join(COLUMNS)} FROM Setup ORDER BY rowid").fetchall()
            finally:
                connection.close()
            where = f"round {round_number} (seed {seed})"
            if check != "ok":
                sys.exit(f"FAIL {where}: integrity check says {check}")
            if len(rows) != 1:
                sys.exit(f"FAIL {where}: table Setup holds {len(rows)} rows")
            if tuple(float(v) for v in rows[0]) not in expected:
                sys.exit(f"FAIL {where}: the Setup row is neither the old nor the new one: {rows[0]}")
            round_number += 1
        # Unless many runs were cut short, the test has not tested anything.
        if killed < rounds // 2:
            sys.exit(f"FAIL: only {killed} of {round_number} runs were killed before they ended (seed {seed})")
        print(f"{round_number} runs, {killed} killed part-way (seed {seed}): the Setup row was whole every time")


if __name__ == "__main__":
    main()
