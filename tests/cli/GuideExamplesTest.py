#!/usr/bin/env python3
"""The user guide's worked examples, run through revora-calc: every figure the guide quotes for
an example must be among the figures revora-calc prints for it, so guide and program cannot
drift apart.

An example is marked by a comment just before it in its chapter:
    <!-- revora-calc CALCULATOR OPTIONS | FIGURE; FIGURE; ... -->
Each figure is written as the guide writes it ("118 326.00", "279.6", "-43 086") and must also
appear in the guide's own text from the mark to the next heading (several marks may stand
before one paragraph). A figure written
without cents stands for a printed one whose cents are 0.
    GuideExamplesTest.py REVORA-CALC HELP-FOLDER
"""
import os
import pathlib
import re
import shlex
import subprocess
import sys
import tempfile

MARK = re.compile(r'<!--\s*revora-calc\s+(.*?)\s*\|\s*(.*?)\s*-->')
CODE = re.compile(r'^```\n(.*?)^```', re.M | re.S)


def find(figure, text, printed):
    # Whole numbers only: "1 784.64" is not found inside "11 784.64" or "1 784.645".
    body = re.escape(figure) + ((r'0*' if '.' in figure else r'(?:\.0+)?') if printed else '')
    return re.search(r'(?<![\d.])(?<!\d )' + body + r'(?!\d)(?!\.\d)(?! \d{3}(?!\d))', text)


def run(calc, arguments, env):
    with tempfile.TemporaryDirectory() as data:
        return subprocess.run([calc] + shlex.split(arguments) + ['--data-dir', data], cwd=data, env=env,
                              capture_output=True, text=True, timeout=120)


def main():
    calc, folder = os.path.abspath(sys.argv[1]), pathlib.Path(sys.argv[2])
    env = dict(os.environ, QT_QPA_PLATFORM='offscreen')
    failures = examples = lines = 0
    for chapter in sorted(folder.glob('*.md')):
        text = chapter.read_text(encoding='utf-8')
        for mark in MARK.finditer(text):
            examples += 1
            guide = re.split(r'^#', text[mark.end():], maxsplit=1, flags=re.M)[0]
            figures = [f.strip() for f in mark.group(2).split(';') if f.strip()]
            where = f'{chapter.name}: revora-calc {mark.group(1)}'
            done = run(calc, mark.group(1), env)
            if done.returncode != 0 or not figures:
                print(f'FAIL {where}: status {done.returncode}, {len(figures)} figures {done.stderr.strip()}')
                failures += 1
                continue
            for figure in figures:
                missing = [side for side, found in (('the guide', find(figure, guide, False)),
                                                    ('the output', find(figure, done.stdout, True))) if not found]
                if missing:
                    print(f'FAIL {where}: {figure} not in {" or ".join(missing)}')
                    failures += 1
        for block in CODE.findall(text):
            for line in block.replace('\\\n', ' ').splitlines():
                if line.startswith('revora-calc ') and not re.search(r'\b[A-Z]{3,}\b|--vehicles', line):
                    lines += 1
                    shown = run(calc, line[len('revora-calc '):], env)
                    if shown.returncode != 0 or not shown.stdout:
                        print(f'FAIL {chapter.name}: {line}: status {shown.returncode} {shown.stderr.strip()}')
                        failures += 1
    if examples == 0:
        print(f'FAIL no worked example is marked in {folder}')
        return 1
    print(f'{examples} worked examples, {lines} command lines, {failures} failure(s)')
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
