"""Whole-file measurements of the conversion, each against its yardstick in the same run, printed
as a Markdown table. Called by run.sh, which builds the programs and picks the work folder; the
workbooks' rows are workbook_rows.py's.

Times are whole-process wall times, best of several rounds; in each round the programs compared
run one after the other, so that a slow spell of the machine weighs on both. Peak memory is the
largest resident size the kernel saw over all rounds."""
import argparse
import os
import sys
import time

from contenders import MB, MIB, Contender, bounded_row, converter, run_once, remove, side_by_side, warmed
from workbook_rows import measure_workbooks, workbook_rows

HERE = os.path.dirname(os.path.abspath(__file__))


def generate(args, kind, size, name, *options):
    path = os.path.join(args.work_dir, name)
    argv = [os.path.join(args.bin_dir, 'tabulor_bench_generate'), kind, str(size), path, *options]
    run_once(argv)
    return path


def floor_for(args, source, output_size):
    dest = os.path.join(args.work_dir, 'floor.out')
    argv = [os.path.join(args.bin_dir, 'tabulor_bench_floor'), source, dest, str(output_size)]
    return Contender(argv, dest)


def measure_typical(args, source):
    """The conversion and the floor; a first, uncounted conversion gives the output's size."""
    driver = converter(args, source, 'typical.html')
    driver.run()
    output_size = os.path.getsize(driver.dest)
    driver.times, driver.peak = [], 0
    floor = floor_for(args, source, output_size)
    return side_by_side([driver, floor], args.repeat) + [output_size]


def measure_widths(args, wide_source, narrow_source):
    wide = converter(args, wide_source, 'wide.html')
    narrow = converter(args, narrow_source, 'narrow.html')
    return side_by_side(warmed([wide, narrow]), args.repeat)


# The same sheet in the other forms a spreadsheet saves it in, each with the request that reads it
# and its target against the Windows-1252 tab text: (generator form, converter options, what it
# is, the most time it may take as a multiple, None for a figure without a target).
FORMS = [
    ('utf-8-tab', ['--encoding', 'utf-8'], 'UTF-8 tab text', 1.15),
    ('windows-1252-semicolon', ['--separator', 'semicolon'], 'semicolon CSV with quoted fields', 1.1),
    ('utf-16-tab', ['--encoding', 'utf-16'], 'UTF-16 Unicode text', None),
]


def measure_forms(args, typical):
    """Each form against the Windows-1252 tab text of the same sheet, typical, in the same rounds."""
    contenders = {'windows-1252-tab': converter(args, typical, 'form.html')}
    for form, options, _, _ in FORMS:
        source = generate(args, 'typical', args.size_mb * MB, f'form-{form}.txt', '--form', form)
        contenders[form] = converter(args, source, 'form.html', *options)
    side_by_side(warmed(list(contenders.values())), args.repeat)
    return contenders


def form_rows(forms):
    base = forms['windows-1252-tab']
    rows = []
    for form, _, description, most in FORMS:
        ours = forms[form]
        ratio = ours.best / base.best
        cells = [f'Time, same sheet as {description} vs Windows-1252 tab text', f'{ours.best:.3f} s',
                 f'{base.best:.3f} s']
        if most is None:
            rows.append(cells + [f'{ratio:.2f}×', 'reference', '—'])
        else:
            rows.append(bounded_row(*cells, ratio, most))
    for form, contender in forms.items():
        source_size = os.path.getsize(contender.argv[1])
        limit = source_size + 64 * MIB
        rows.append(bounded_row(f'Peak memory, {form} source of {source_size / MB:.0f} MB, vs source + 64 MiB',
                                f'{contender.peak / MIB:.0f} MiB', f'{limit / MIB:.0f} MiB',
                                contender.peak / limit, 1))
    return rows


def measure_small(args):
    """A sheet of about a kilobyte, where starting and ending the process is most of the work, by
    this build and by the baseline build, in the same rounds."""
    source = generate(args, 'typical', 1000, 'small.tsv')
    baseline_dest = os.path.join(args.work_dir, 'small-baseline.html')
    baseline = Contender([args.baseline_convert, source, baseline_dest], baseline_dest)
    return side_by_side(warmed([converter(args, source, 'small.html'), baseline]), args.small_repeat)


def small_row(args, figures):
    ours, baseline = figures
    size_kb = os.path.getsize(ours.argv[1]) / 1000
    return bounded_row(f'Time, a {size_kb:.0f} KB sheet of typical data, whole process, vs the build of '
                       f'{args.baseline_label}', f'{ours.best * 1000:.2f} ms', f'{baseline.best * 1000:.2f} ms',
                       ours.best / baseline.best, 1.05)


# The header counts of each comparison of linked headers against the same request without them:
# (header rows, header columns). One header row makes a simple table, whose header cells take a
# scope; two header rows and a header column give every cell an id or a headers list.
LINKED = {'simple': ('1', '0'), 'complex': ('2', '1')}


def measure_linked(args, typical):
    """For each set of header counts, the sheet with its cells tied to their headers and without,
    in the same rounds; each output's size is kept before it is removed (the linked ones run to
    several hundred megabytes)."""
    figures = {}
    for key, (rows, cols) in LINKED.items():
        counts = ['--header-rows', rows, '--header-cols', cols]
        contenders = [converter(args, typical, f'{key}-{answer}.html', *counts, '--link-headers', answer)
                      for answer in ('yes', 'no')]
        side_by_side(warmed(contenders), args.repeat)
        sizes = [os.path.getsize(contender.dest) for contender in contenders]
        for contender in contenders:
            remove(contender.dest)
        figures[key] = contenders + sizes
    return figures


def linked_rows(figures):
    linked, plain, _, _ = figures['simple']
    rows = [bounded_row('Time, same sheet with its header row linked to its cells (scope, row groups), vs without',
                        f'{linked.best:.3f} s', f'{plain.best:.3f} s', linked.best / plain.best, 1.05)]
    linked, plain, linked_size, plain_size = figures['complex']
    per_byte = [linked.best / linked_size * 1e9, plain.best / plain_size * 1e9]
    rows.append(bounded_row(f'Time per output byte, same sheet with two header rows and a header column, '
                            f'every cell\'s headers listed ({linked_size / MB:.0f} MB), vs without '
                            f'({plain_size / MB:.0f} MB)', f'{per_byte[0]:.2f} ns', f'{per_byte[1]:.2f} ns',
                            per_byte[0] / per_byte[1], 1.2))
    return rows


def measure_pandas(args, source):
    dest = os.path.join(args.work_dir, 'pandas.html')
    script = os.path.join(HERE, 'pandas_reference.py')
    return side_by_side([Contender([sys.executable, script, source, dest], dest)], args.pandas_repeat)[0]


def table_rows(args, figures):
    driver, floor, output_size = figures['typical']
    wide, narrow = figures['widths']
    source_size = os.path.getsize(driver.argv[1])
    per_byte = [c.best / os.path.getsize(c.argv[1]) * 1e9 for c in (wide, narrow)]
    memory_limit = source_size + 64 * MIB
    rows = [
        bounded_row(f'Time, {source_size / MB:.0f} MB of typical data, vs the floor (read it, '
                    f'write {output_size / MB:.0f} MB)', f'{driver.best:.3f} s', f'{floor.best:.3f} s',
                    driver.best / floor.best, 1.1),
        bounded_row(f'Time per source byte, rows of 16,384 cells vs rows of 12 '
                    f'({args.rows_mb} MB each)', f'{per_byte[0]:.1f} ns', f'{per_byte[1]:.1f} ns',
                    per_byte[0] / per_byte[1], 1.2),
        bounded_row(f'Peak memory, {source_size / MB:.0f} MB of typical data, vs source + 64 MiB',
                    f'{driver.peak / MIB:.0f} MiB', f'{memory_limit / MIB:.0f} MiB',
                    driver.peak / memory_limit, 1),
    ]
    rows += form_rows(figures['forms'])
    rows += linked_rows(figures['linked'])
    if 'small' in figures:
        rows.append(small_row(args, figures['small']))
    if 'workbooks' in figures:
        rows += workbook_rows(args, figures['workbooks'])
    pandas = figures.get('pandas')
    if pandas is not None:
        rows.append([f'Time, same {source_size / MB:.0f} MB, vs pandas read_csv + to_html',
                     f'{driver.best:.3f} s', f'{pandas.best:.1f} s',
                     f'{driver.best / pandas.best:.3f}× (pandas {pandas.best / driver.best:.0f}× slower)',
                     'reference', '—'])
        rows.append([f'Peak memory, same {source_size / MB:.0f} MB, vs pandas',
                     f'{driver.peak / MIB:.0f} MiB', f'{pandas.peak / MIB:.0f} MiB',
                     f'{driver.peak / pandas.peak:.3f}×', 'reference', '—'])
    return rows


def print_table(args, figures, elapsed):
    small_rounds = f', the small sheet {args.small_repeat}' if 'small' in figures else ''
    pandas_rounds = f', pandas {args.pandas_repeat}' if 'pandas' in figures else ''
    print(f'Whole-process wall times, best of {args.repeat} rounds{small_rounds}{pandas_rounds}; sources and '
          f'outputs in {os.path.dirname(args.work_dir)} ({args.work_fs}); {args.machine}.')
    if 'workbooks' in figures and args.workbook_baseline_convert is not None:
        print(f'Before: the build of {args.workbook_baseline_label} on the same workbook, its figure and its '
              'ratio to the same yardstick.')
    print()
    print('| Measure | Tabulor | Yardstick | Ratio | Target | Met | Before |')
    print('|---|---:|---:|---:|:-:|:-:|---:|')
    for row in table_rows(args, figures):
        print('| ' + ' | '.join(row + [''] * (7 - len(row))) + ' |')
    print()
    print(f'Measured in {elapsed:.0f} s.')


def progress(text):
    print(text, file=sys.stderr, flush=True)


def measure_all(args):
    progress(f'Generating the sources in {args.work_dir}')
    typical = generate(args, 'typical', args.size_mb * MB, 'typical.tsv')
    wide = generate(args, 'short-cells', args.rows_mb * MB, 'wide.tsv', '--cells', '16384')
    narrow = generate(args, 'short-cells', args.rows_mb * MB, 'narrow.tsv', '--cells', '12')
    progress('Measuring the conversion against the floor')
    figures = {'typical': measure_typical(args, typical)}
    progress('Measuring wide rows against narrow rows')
    figures['widths'] = measure_widths(args, wide, narrow)
    progress('Measuring the sheet in its other forms against its Windows-1252 tab text')
    figures['forms'] = measure_forms(args, typical)
    progress('Measuring the sheet with its cells tied to their headers against the same without')
    figures['linked'] = measure_linked(args, typical)
    if args.baseline_convert is not None and args.small_repeat > 0:
        progress(f'Measuring a small sheet against the build of {args.baseline_label}')
        figures['small'] = measure_small(args)
    if args.workbook_rows > 0:
        progress('Measuring the sheet as .xlsx and .ods against inflating the part of its cells')
        figures['workbooks'] = measure_workbooks(args)
    if args.pandas_repeat > 0:
        progress('Measuring pandas (this takes a while)')
        figures['pandas'] = measure_pandas(args, typical)
    return figures


def parse_args():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--bin-dir', required=True, help='folder holding the tabulor_bench_* programs')
    parser.add_argument('--work-dir', required=True, help='folder for the sources and outputs')
    parser.add_argument('--work-fs', default='file system unknown', help='how to describe that folder')
    parser.add_argument('--machine', default='machine unknown', help='how to describe the machine')
    parser.add_argument('--repeat', type=int, default=7, help='rounds per comparison (default 7)')
    parser.add_argument('--baseline-convert', help='tabulor_bench_convert of an earlier build, the small '
                        'sheet\'s yardstick; without it that row is left out')
    parser.add_argument('--baseline-label', default='the baseline', help='how to name that build')
    parser.add_argument('--workbook-baseline-convert', help='tabulor_bench_convert of an earlier build, whose '
                        'figures the workbook rows show beside their own; without it they show none')
    parser.add_argument('--workbook-baseline-label', default='the workbooks\' baseline',
                        help='how to name that build')
    parser.add_argument('--small-repeat', type=int, default=30,
                        help='rounds of the small sheet, 0 for none (default 30)')
    parser.add_argument('--pandas-repeat', type=int, default=1, help='pandas runs, 0 for none (default 1)')
    parser.add_argument('--size-mb', type=int, default=100, help='typical source size (default 100)')
    parser.add_argument('--rows-mb', type=int, default=64, help='size of each wide/narrow source (default 64)')
    parser.add_argument('--workbook-rows', type=int, default=200000,
                        help='rows of the workbooks\' sheet, 0 for none (default 200000)')
    args = parser.parse_args()
    if args.repeat < 1:
        parser.error('--repeat must be at least 1')
    if args.baseline_convert is None and args.small_repeat > 0:
        print('warning: no --baseline-convert; the small sheet\'s row is left out', file=sys.stderr)
    return args


def main():
    args = parse_args()
    started = time.perf_counter()
    figures = measure_all(args)
    print_table(args, figures, time.perf_counter() - started)


if __name__ == '__main__':
    main()
