#!/usr/bin/env python3
"""The README's and the user guide's commands, run as written from the root of a fresh clone.

The guide's worked examples are marked in its chapters by a comment
    <!-- revora-calc CALCULATOR OPTIONS | FIGURE; FIGURE; ... -->
and every figure must be printed by that command line and quoted in the text after the mark, up to
the next heading (a figure without cents stands for one printed with cents of 0).
Every revora-calc command line of the README's and the guide's code blocks must run too: status 0
and something printed (a line ending `> FILE` prints into FILE).
These are left out:
  - a line holding a placeholder, a word of three capitals or more (CALCULATOR, COLUMN=VALUE): it is
    the form of a command, not one;
  - a line with --print: it needs a printer (the printing tests send to the CUPS test printer);
  - the program `revora`, which opens a window, and the build and install lines (./scripts,
    cmake, apt): they make and start the programs and are no calculation.
The commands run in a scratch folder holding a copy of the tree's docs/ and nothing else, so every
file a command reads must be shipped there (docs/examples/). `build/bin/revora-calc` and
`revora-calc` are the revora-calc under test, and each command gets a --data-dir of its own, so no
command reads or changes the build tree's databases. A json code block of the guide must be one of
the files of docs/examples/ as it stands there.
    GuideExamplesTest.py REVORA-CALC SOURCE-ROOT
"""
import functools, json, os, pathlib, re, shlex, shutil, subprocess, sys, tempfile

MARK = re.compile(r'<!--\s*revora-calc\s+(.*?)\s*\|\s*(.*?)\s*-->')
CODE = re.compile(r'^```(json)?\n(.*?)^```', re.M | re.S)
PROGRAM = re.compile(r'(?:build/bin/)?revora-calc ')
SCRATCH = tempfile.TemporaryDirectory()  # the fresh clone's root: its docs/, and the files the commands write
CALC = ''


def find(figure, text, printed):
    # Whole numbers only: "1 784.64" is not found inside "11 784.64" or "1 784.645".
    body = re.escape(figure) + ((r'0*' if '.' in figure else r'(?:\.0+)?') if printed else '')
    return re.search(r'(?<![\d.])(?<!\d )' + body + r'(?!\d)(?!\.\d)(?! \d{3}(?!\d))', text)


def commands(text):
    # The lines of fenced and indented code blocks that start with the program's name, a line ended
    # by a backslash joined to the next.
    text = text.replace('\\\n', ' ')
    code = ''.join(block for _, block in CODE.findall(text)) + '\n'.join(re.findall(r'^ {4}(.*)', text, re.M))
    return [line.strip() for line in code.splitlines() if PROGRAM.match(line.strip())]


@functools.cache
def run(command):
    words = shlex.split(command, comments=True)
    into = words.index('>') if '>' in words else len(words)  # the one redirection the README uses
    with tempfile.TemporaryDirectory() as data:
        done = subprocess.run([CALC] + words[1:into] + ['--data-dir', data], cwd=SCRATCH.name, text=True,
                              env=dict(os.environ, QT_QPA_PLATFORM='offscreen'), capture_output=True, timeout=120)
    if into < len(words):
        pathlib.Path(SCRATCH.name, words[into + 1]).write_text(done.stdout, encoding='utf-8')
    return done


def main():
    global CALC
    CALC, root = os.path.abspath(sys.argv[1]), pathlib.Path(sys.argv[2])
    shutil.copytree(root / 'docs', pathlib.Path(SCRATCH.name, 'docs'))
    shipped = [json.loads(file.read_text(encoding='utf-8')) for file in (root / 'docs/examples').glob('*.json')]
    failures, examples, lines = [], 0, set()
    texts = {chapter.name: chapter.read_text(encoding='utf-8') for chapter in sorted(root.glob('docs/help/*.md'))}
    texts['README.md'] = (root / 'README.md').read_text(encoding='utf-8')
    for name, text in texts.items():
        for mark in MARK.finditer(text):
            examples += 1
            guide = re.split(r'^#', text[mark.end():], maxsplit=1, flags=re.M)[0]
            figures = [f.strip() for f in mark.group(2).split(';') if f.strip()]
            done = run('revora-calc ' + mark.group(1))
            where = f'{name}: revora-calc {mark.group(1)}'
            if done.returncode != 0 or not figures:
                failures.append(f'{where}: status {done.returncode}, {len(figures)} figures {done.stderr.strip()}')
            failures += [f'{where}: {figure} not in {side}' for figure in figures
                         for side, found in (('the text', find(figure, guide, False)),
                                             ('the output', find(figure, done.stdout, True))) if not found]
        for line in commands(text):
            if re.search(r'\b[A-Z]{3,}\b', line) or '--print' in shlex.split(line, comments=True):
                continue
            lines.add(line)
            shown = run(line)
            if shown.returncode != 0 or not shown.stdout:
                failures.append(f'{name}: {line}: status {shown.returncode} {shown.stderr.strip()}')
        failures += [f'{name}: a json block that is no file of docs/examples: {" ".join(block.split())[:60]}'
                     for kind, block in CODE.findall(text) if kind and json.loads(block) not in shipped]
    if examples == 0 or not commands(texts['README.md']):
        failures.append(f'no worked example is marked in {root}/docs/help, or no command found in its README.md')
    print(''.join(f'FAIL {failure}\n' for failure in failures) + f'{examples} worked examples, {len(lines)} command lines')
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
