#!/usr/bin/env python3
"""revora's command line, run as a user runs it: --help and --version answer and exit 0 before
any window system is reached; a bad argument is one line and status 2, before any window or
file; --data-dir DIR puts the three databases in DIR, made when missing.
    CommandLineTest.py REVORA
"""
import os, shutil, subprocess, sys, tempfile, time

REVORA = sys.argv[1]
# A platform Qt does not have: a run that reached for a window would stop at once.
NO_WINDOWS = dict(os.environ, QT_QPA_PLATFORM='none')
OFFSCREEN = dict(os.environ, QT_QPA_PLATFORM='offscreen')
DATABASES = {'Settings.db', 'bcdv.db', 'Crysprin.db'}
VERSION = 'Revora 2016 Ver: 1.05.000\n'


def main():
    failures = []
    scratch = tempfile.mkdtemp()
    # Texts the answer holds, or the whole of it.
    answers = [
        (['--help'], ['--data-dir <DIR>', 'the folder of the databases', '--version', '--help']),
        (['-h'], ['--data-dir <DIR>']),
        (['--help-all'], ['--data-dir <DIR>']),
        (['--version'], VERSION),
        (['--data-dir', scratch, '--version'], VERSION),
    ]
    for arguments, texts in answers:
        done = subprocess.run([REVORA] + arguments, env=NO_WINDOWS, capture_output=True, text=True, timeout=60)
        shown = done.stdout == texts if isinstance(texts, str) else all(text in done.stdout for text in texts)
        if done.returncode != 0 or not shown:
            failures.append(f'{arguments}: status {done.returncode}, {done.stdout!r} {done.stderr!r}')

    refusals = [
        (['--bogus'], "Unknown option 'bogus'."),
        (['--data-dir'], "Missing value after '--data-dir'."),
        (['--data-dir', ''], '--data-dir: an empty name is no folder; give the folder of the databases'),
        (['--data-dir='], '--data-dir: an empty name is no folder; give the folder of the databases'),
        (['--data-dir', os.fsencode(scratch) + b'/d\xff'], '--data-dir: byte '),
        (['june.csv'], "'june.csv': the program takes no file or other argument; try revora --help"),
    ]
    for arguments, line in refusals:
        done = subprocess.run([REVORA] + arguments, env=OFFSCREEN, capture_output=True, timeout=60)
        said = done.stderr.decode(errors='replace').splitlines()
        if done.returncode != 2 or done.stdout or len(said) != 1 or not said[0].startswith('revora: ' + line):
            failures.append(f'{arguments}: status {done.returncode}, not 2 with the line {line!r}: {said}')
    if os.listdir(scratch):
        failures.append(f'a refusal left {os.listdir(scratch)}')

    # The window starts over a folder that does not exist yet and makes its databases there.
    folder = os.path.join(scratch, 'new', 'data')
    window = subprocess.Popen([REVORA, '--data-dir', folder], env=OFFSCREEN,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    made = lambda: set(os.listdir(folder)) if os.path.isdir(folder) else set()
    deadline = time.monotonic() + 60
    while time.monotonic() < deadline and window.poll() is None and not DATABASES <= made():
        time.sleep(0.2)
    time.sleep(0.5)  # the last database written to its end
    window.terminate()
    window.wait(timeout=30)
    if not DATABASES <= made():
        failures.append(f'--data-dir {folder}: the folder holds {sorted(made())}, not the three databases')

    shutil.rmtree(scratch, ignore_errors=True)
    print(''.join(f'FAIL {failure}\n' for failure in failures) + f'{len(answers)} answers, {len(refusals)} refusals')
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
