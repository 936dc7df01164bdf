"""The command line's cost per source: twenty sources of about a kilobyte converted by one call of
`tabulor -c`, against one such source by one call, printed as a Markdown table's row. The process's
start (the program, its libraries) is paid once per call; what each further source adds should be
small beside it.

    python3 bench/command_line.py --program build/qt/tabulor [--repeat N] [--work-dir DIR]

Times are whole-process wall times, best of several rounds, both calls run in each round. On a
disk, each destination's flush to it (the core's safe replacement) weighs on the twenty sources.
"""
import argparse
import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from contenders import bounded_row, remove, run_once  # noqa: E402

SOURCES = 20
SOURCE_BYTES = 1000


def write_source(path, number):
    """A sheet of typical rows, a label, a date and amounts, cut at the row that passes the size."""
    lines = ['Article\tDate\tQuantité\tPrix\tTotal']
    row = 0
    while sum(len(line.encode('cp1252')) + 2 for line in lines) < SOURCE_BYTES:
        row += 1
        lines.append(f'Article {number}-{row}\t{row % 28 + 1:02}/03/2025\t{row * 3}\t{row * 1.25:.2f}\t'
                     f'{row * row * 3.75:.2f}')
    with open(path, 'w', encoding='cp1252', newline='\r\n') as file:
        file.write('\n'.join(lines) + '\n')


def best_time(argv, destinations, rounds_times):
    for destination in destinations:
        remove(destination)
    elapsed, _ = run_once(argv)
    rounds_times.append(elapsed)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--program', required=True, help='the tabulor program')
    parser.add_argument('--repeat', type=int, default=30, help='rounds (default 30)')
    parser.add_argument('--work-dir', help='parent folder of the sources (default: /dev/shm where it can '
                        'be written, as run.sh picks, else the temporary folder)')
    args = parser.parse_args()
    if args.work_dir is None and os.access('/dev/shm', os.W_OK):
        args.work_dir = '/dev/shm'
    # No display: the command line must not need one.
    for name in ('DISPLAY', 'WAYLAND_DISPLAY', 'QT_QPA_PLATFORM'):
        os.environ.pop(name, None)
    with tempfile.TemporaryDirectory(dir=args.work_dir) as folder:
        sources = [os.path.join(folder, f'source{n:02}.txt') for n in range(1, SOURCES + 1)]
        for number, source in enumerate(sources, 1):
            write_source(source, number)
        destinations = [source[:-len('.txt')] + '.html' for source in sources]
        one = [os.path.abspath(args.program), '-c', sources[0]]
        twenty = [os.path.abspath(args.program), '-c', *sources]
        one_times, twenty_times = [], []
        best_time(one, destinations[:1], [])  # the program and its libraries in the page cache
        for _ in range(args.repeat):
            best_time(one, destinations[:1], one_times)
            best_time(twenty, destinations, twenty_times)
        size_kb = sum(os.path.getsize(source) for source in sources) / SOURCES / 1000
    best_one, best_twenty = min(one_times), min(twenty_times)
    row = bounded_row(f'Time, {SOURCES} sources of {size_kb:.1f} KB in one call of tabulor -c, vs one '
                      f'source in one call', f'{best_twenty * 1000:.2f} ms', f'{best_one * 1000:.2f} ms',
                      best_twenty / best_one, 2)
    print(f'Whole-process wall times, best of {args.repeat} rounds.')
    print()
    print('| Measure | Tabulor | Yardstick | Ratio | Target | Met |')
    print('|---|---:|---:|---:|:-:|:-:|')
    print('| ' + ' | '.join(row) + ' |')


if __name__ == '__main__':
    main()
