"""The programs under measurement, run and timed one at a time, and the rows of the table that
compare them; shared by the whole-file measurements of text and of workbooks."""
import os
import sys
import time

MB = 1000 * 1000
MIB = 1024 * 1024


def run_once(argv):
    """Wall time in seconds and peak resident size in bytes of one run of argv."""
    start = time.perf_counter()
    pid = os.posix_spawn(argv[0], argv, os.environ)
    _, status, usage = os.wait4(pid, 0)
    elapsed = time.perf_counter() - start
    code = os.waitstatus_to_exitcode(status)
    if code != 0:
        sys.exit(f'{os.path.basename(argv[0])} failed with exit code {code}')
    return elapsed, usage.ru_maxrss * 1024  # Linux counts kibibytes


def remove(path):
    if os.path.exists(path):
        os.remove(path)


class Contender:
    """One program under measurement; its destination is removed before each run so that every
    run writes a new file, as a first conversion does."""

    def __init__(self, argv, dest):
        self.argv, self.dest = argv, dest
        self.times, self.peak = [], 0

    def run(self):
        remove(self.dest)
        elapsed, peak = run_once(self.argv)
        self.times.append(elapsed)
        self.peak = max(self.peak, peak)

    @property
    def best(self):
        return min(self.times)


def side_by_side(contenders, rounds):
    for _ in range(rounds):
        for contender in contenders:
            contender.run()
    return contenders


def warmed(contenders):
    """The contenders after one uncounted run each."""
    for contender in contenders:
        contender.run()
        contender.times = []
    return contenders


def converter(args, source, name, *options):
    dest = os.path.join(args.work_dir, name)
    return Contender([os.path.join(args.bin_dir, 'tabulor_bench_convert'), source, dest, *options], dest)


def ratio_row(measure, ours, yardstick, ratio, target, met):
    return [measure, ours, yardstick, f'{ratio:.2f}×', target, 'yes' if met else '**no**']


def bounded_row(measure, ours, yardstick, ratio, most):
    """A row whose target is a ratio of at most `most`."""
    return ratio_row(measure, ours, yardstick, ratio, f'≤ {most}×', ratio <= most)
