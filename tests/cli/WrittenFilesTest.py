#!/usr/bin/python3
"""revora-calc and the files it is told to write.

Where the bytes run out (a file-size limit, ulimit -f, with SIGXFSZ ignored so that a write past
the limit is cut short rather than the program killed) a report is not written: exit 1, one
line naming the file and the reason, and the file that was there before byte for byte as it
was. A run that writes two files (the summary and the payslips) writes both or neither.

Names that would lead a run elsewhere than the user meant are refused with exit 2 and one line.

usage: WrittenFilesTest.py REVORA_CALC
"""
import os
import resource
import shutil
import signal
import subprocess
import sys
import tempfile

CALC = sys.argv[1]
ENV = dict(os.environ, QT_QPA_PLATFORM="offscreen")


def calc(arguments, limit=None):
    def limited():
        signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
        resource.setrlimit(resource.RLIMIT_FSIZE, (limit, limit))

    run = subprocess.run([CALC, *arguments], capture_output=True, env=ENV, timeout=300,
                         preexec_fn=limited if limit else None)
    return run.returncode, run.stderr.decode(errors="replace")


def read(path):
    with open(path, "rb") as file:
        return file.read()


def sizes(folder):
    return [os.path.getsize(os.path.join(folder, name)) for name in os.listdir(folder)]


# Short writes: the run, the files it writes ({dir}/...), and the one the limit cuts. Each runs
# once unlimited over other figures, to leave the earlier files, then under a limit between the
# largest file it must write whole (its databases, a summary that fits) and the one to cut.
SHORT_WRITES = [
    ("odt", ["--report", "{dir}/summary.odt"], "summary.odt"),
    ("html", ["--report", "{dir}/summary.html"], "summary.html"),
    ("payslips", ["--report", "{dir}/summary.html", "--payslips", "{dir}/slips.html"], "slips.html"),
]


def employees(folder, count, salary):
    path = os.path.join(folder, f"employees-{salary}.csv")
    with open(path, "w") as file:
        file.write("employee,age,salary\n")
        file.writelines(f"Employee {i},40,{salary + i}\n" for i in range(count))
    return path


def short_writes(scratch, failures):
    for name, files, cut in SHORT_WRITES:
        folder = os.path.join(scratch, name)
        data = os.path.join(folder, "data")
        os.makedirs(data)
        outputs = [f.replace("{dir}", folder) for f in files]
        # Enough employees that the summary outgrows the report database that lists them.
        count = 300 if name != "html" else 2000
        run = ["payroll", "--period", "monthly", "--data-dir", data, *outputs]
        code, err = calc(run + ["--csv", employees(folder, count, 20000)])
        assert code == 0, f"{name}: the first run failed: {err}"
        written = [o for o in outputs if o.startswith(folder)]
        before = {path: read(path) for path in written}
        whole = max(sizes(data) + [len(before[p]) for p in before if not p.endswith(cut)])
        limit = (whole + len(before[os.path.join(folder, cut)])) // 2
        if limit < whole * 1.2:
            failures.append(f"{name}: no room for a limit between {whole} and the file to cut")
            continue
        code, err = calc(run + ["--csv", employees(folder, count, 30000)], limit)
        lines = err.strip().splitlines()
        target = os.path.join(folder, cut)
        print(f"{name} (limit {limit} bytes): {lines[0] if lines else ''}")
        if code != 1:
            failures.append(f"{name}: exit status {code}, not 1 ({err.strip()})")
        elif len(lines) != 1 or target not in lines[0] or "File too large" not in lines[0]:
            failures.append(f"{name}: the message does not name {target} and the reason on one line: {err!r}")
        for path, bytes_before in before.items():
            if read(path) != bytes_before:
                failures.append(f"{name}: {os.path.basename(path)} is not the file that was there before")
        left = sorted(set(os.listdir(folder)) - {os.path.basename(p) for p in before} - {"data"})
        if any(not f.endswith(".csv") for f in left):
            failures.append(f"{name}: left behind {left}")


def refused_names(scratch, failures):
    quicktax = ["quicktax", "--income", "400000", "--age", "40"]
    link = os.path.join(scratch, "link.pdf")
    os.symlink("summary.pdf", link)  # to a file not yet written
    slips = ["payroll", "--period", "monthly", "--csv", employees(scratch, 2, 20000), "--data-dir",
             os.path.join(scratch, "data"), "--report", os.path.join(scratch, "summary.pdf")]
    rows = [
        ("a data folder whose name is not UTF-8",
         quicktax + ["--report", os.path.join(scratch, "q.pdf"), "--data-dir", os.fsencode(scratch) + b"/d\xff"],
         "--data-dir: byte "),
        ("an empty data folder", quicktax + ["--report", os.path.join(scratch, "q.pdf"), "--data-dir", ""],
         "--data-dir: an empty name is no folder"),
        ("an empty data folder, inline", quicktax + ["--data-dir="], "--data-dir: an empty name is no folder"),
        ("payslips through a link to the summary", slips + ["--payslips", link],
         f"--payslips: '{link}' is the file of --report as well"),
    ]
    for name, arguments, words in rows:
        before = sorted(os.listdir(scratch))
        code, err = calc(arguments)
        lines = err.strip().splitlines()
        print(f"{name}: {lines[0] if lines else ''}")
        if code != 2 or len(lines) != 1 or words not in lines[0]:
            failures.append(f"{name}: exit {code}, not 2 with one line saying '{words}': {err!r}")
        if sorted(os.listdir(scratch)) != before:
            failures.append(f"{name}: a file was written")


def main():
    scratch = tempfile.mkdtemp()
    failures = []
    try:
        short_writes(scratch, failures)
        refused_names(scratch, failures)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    if failures:
        sys.exit("\n".join("FAIL: " + f for f in failures))
    print("every short write left the earlier files whole, and every misleading name was refused")


if __name__ == "__main__":
    main()
