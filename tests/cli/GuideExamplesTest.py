#!/usr/bin/env python3
"""The user guide's worked examples, run: each is marked in its chapter by a comment
    <!-- revora-calc CALCULATOR OPTIONS | FIGURE; FIGURE; ... -->
and every figure must be printed by that command line and quoted in the guide's text after the
mark, up to the next heading (a figure without cents stands for one printed with cents of 0).
Every revora-calc line of a code block must run too, unless it holds a placeholder (CALCULATOR);
a json code block is the cars.json the lines read.
    GuideExamplesTest.py REVORA-CALC HELP-FOLDER
"""
import os, pathlib, re, shlex, subprocess, sys, tempfile

MARK = re.compile(r'<!--\s*revora-calc\s+(.*?)\s*\|\s*(.*?)\s*-->')
WORK = tempfile.TemporaryDirectory()  # beside cars.json, and where the lines write their reports
CODE = re.compile(r'^```(json)?\n(.*?)^```', re.M | re.S)


def find(figure, text, printed):
    # Whole numbers only: "1 784.64" is not found inside "11 784.64" or "1 784.645".
    body = re.escape(figure) + ((r'0*' if '.' in figure else r'(?:\.0+)?') if printed else '')
    return re.search(r'(?<![\d.])(?<!\d )' + body + r'(?!\d)(?!\.\d)(?! \d{3}(?!\d))', text)


def run(calc, arguments):
    with tempfile.TemporaryDirectory() as data:
        return subprocess.run([calc] + shlex.split(arguments) + ['--data-dir', data], cwd=WORK.name, text=True,
                              env=dict(os.environ, QT_QPA_PLATFORM='offscreen'), capture_output=True, timeout=120)


def main():
    calc, folder = os.path.abspath(sys.argv[1]), pathlib.Path(sys.argv[2])
    failures, examples, lines = [], 0, 0
    chapters = {chapter.name: chapter.read_text(encoding='utf-8') for chapter in sorted(folder.glob('*.md'))}
    for json, block in CODE.findall(''.join(chapters.values())):
        if json:
            pathlib.Path(WORK.name, 'cars.json').write_text(block, encoding='utf-8')
    for name, text in chapters.items():
        for mark in MARK.finditer(text):
            examples += 1
            guide = re.split(r'^#', text[mark.end():], maxsplit=1, flags=re.M)[0]
            figures = [f.strip() for f in mark.group(2).split(';') if f.strip()]
            done = run(calc, mark.group(1))
            where = f'{name}: revora-calc {mark.group(1)}'
            if done.returncode != 0 or not figures:
                failures.append(f'{where}: status {done.returncode}, {len(figures)} figures {done.stderr.strip()}')
            failures += [f'{where}: {figure} not in {side}' for figure in figures
                         for side, found in (('the guide', find(figure, guide, False)),
                                             ('the output', find(figure, done.stdout, True))) if not found]
        for json, block in CODE.findall(text):
            for line in block.replace('\\\n', ' ').splitlines():
                if line.startswith('revora-calc ') and not re.search(r'\b[A-Z]{3,}\b', line):
                    lines += 1
                    shown = run(calc, line[len('revora-calc '):])
                    if shown.returncode != 0 or not shown.stdout:
                        failures.append(f'{name}: {line}: status {shown.returncode} {shown.stderr.strip()}')
    if examples == 0:
        failures.append(f'no worked example is marked in {folder}')
    print(''.join(f'FAIL {failure}\n' for failure in failures) + f'{examples} worked examples, {lines} command lines')
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
