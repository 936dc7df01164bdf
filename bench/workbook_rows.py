"""The workbook rows of the whole-file measurements: the invoice sheet as .xlsx and .ods, each
conversion against inflating the part that holds its cells, and each figure beside the one of the
workbooks' baseline build (the Before column) where run.sh built one."""
import hashlib
import os
import re
import shutil
import subprocess
import sys
import zipfile

from contenders import MB, MIB, Contender, bounded_row, ratio_row, remove, side_by_side, warmed

# The forms the sheet is measured in: (generator arguments, what the table says of the form, the
# part holding its cells, the most its conversion may take as a multiple of inflating that part,
# whether the sheet's variants and expat alone are measured too).
FORMS = [
    (['xlsx'], ', shared strings and styles', 'xl/worksheets/sheet1.xml', 3, True),
    (['xlsx', '--inline-strings'], ', inline strings', 'xl/worksheets/sheet1.xml', 3, False),
    (['ods'], '', 'content.xml', 4, True),
]

# The same sheet with formatting that runs to the grid's end, and with a last value that the fast
# path leaves to the general parser, which then reads the whole part again.
VARIANTS = {'far': ['--far-reaching'], 'unusual': ['--unusual-end']}


def generate_workbook(args, generator, name, *options, rows=None):
    """The workbook's path and the bytes of its sheet's text, which the generator prints."""
    path = os.path.join(args.work_dir, name)
    rows = args.workbook_rows if rows is None else rows
    argv = [os.path.join(args.bin_dir, 'tabulor_bench_workbook'), generator[0], str(rows), path, *generator[1:],
            *options]
    return path, int(subprocess.run(argv, check=True, capture_output=True, text=True).stdout)


def instructions(argv):
    """The instructions one run of argv executes, as callgrind counts them: the same count each
    time, whatever else the machine is doing."""
    run = subprocess.run(['valgrind', '--tool=callgrind', '--callgrind-out-file=/dev/null', *argv],
                         check=True, capture_output=True, text=True)
    return int(re.search(r'Collected : (\d+)', run.stderr).group(1))


def count_against_baseline(args, generator):
    """The instructions of this build's conversion of a tenth of the sheet and the baseline's, or
    None where valgrind is missing."""
    if shutil.which('valgrind') is None:
        return None
    source, _ = generate_workbook(args, generator, f'tenth.{generator[0]}', rows=max(args.workbook_rows // 10, 1))
    dest = os.path.join(args.work_dir, 'tenth.html')
    ours = instructions([os.path.join(args.bin_dir, 'tabulor_bench_convert'), source, dest])
    theirs = instructions([args.workbook_baseline_convert, source, dest])
    for path in (source, dest):
        remove(path)
    return ours, theirs


def first_runs(conversions, digests):
    """Runs each conversion once, uncounted, and checks that it writes what every conversion of
    the sheet by this build writes, whatever its form: a reading that lost cells would otherwise
    only look fast. The baseline build differing is only worth a warning."""
    for (build, variant), contender in conversions.items():
        contender.run()
        contender.times = []
        with open(contender.dest, 'rb') as html:
            digest = hashlib.file_digest(html, 'sha256').hexdigest()
        expected = digests.setdefault('ours', digest)
        if digest == expected:
            continue
        source = os.path.basename(contender.argv[1])
        if build == 'ours':
            sys.exit(f'the conversion of {source} ({variant}) writes other HTML than the sheet\'s other forms')
        print(f'warning: the baseline build writes other HTML for {source} ({variant})', file=sys.stderr)


def measure_form(args, form, digests):
    """The conversions of the sheet in one form, and of its variants where asked, by this build and
    the baseline build, and the yardsticks on the plain sheet, in the same rounds."""
    generator, _, part, _, full = form
    extension = generator[0]
    sources = {'plain': generate_workbook(args, generator, f'sheet.{extension}')}
    for variant, options in VARIANTS.items() if full else []:
        sources[variant] = generate_workbook(args, generator, f'sheet-{variant}.{extension}', *options)
    programs = {'ours': os.path.join(args.bin_dir, 'tabulor_bench_convert')}
    if args.workbook_baseline_convert is not None:
        programs['before'] = args.workbook_baseline_convert
    dest = os.path.join(args.work_dir, 'workbook.html')  # a few hundred megabytes: one at a time
    conversions = {(build, variant): Contender([program, path, dest], dest)
                   for build, program in programs.items() for variant, (path, _) in sources.items()}
    plain = sources['plain'][0]
    yardsticks = [Contender([os.path.join(args.bin_dir, 'tabulor_bench_inflate'), plain, part, *options],
                            os.path.join(args.work_dir, 'inflated.none'))
                  for options in [[]] + ([['--parse']] if full else [])]
    first_runs(conversions, digests)
    side_by_side(warmed(yardsticks) + list(conversions.values()), args.repeat)
    remove(dest)
    with zipfile.ZipFile(plain) as archive:
        part_size = archive.getinfo(part).file_size
    builds = {build: {variant: conversions[build, variant] for variant in sources} for build in programs}
    counts = count_against_baseline(args, generator) if 'before' in programs else None
    return {'builds': builds, 'yardsticks': yardsticks, 'text_bytes': sources['plain'][1],
            'source_size': os.path.getsize(plain), 'part_size': part_size, 'counts': counts}


def measure_workbooks(args):
    digests = {}
    return [measure_form(args, form, digests) for form in FORMS]


def time_against(variant, yardstick):
    """A build's best time for a variant of the sheet against the yardstick's: a contender that
    both builds share, or the name of the same build's conversion to compare with."""
    def figure(runs):
        theirs = runs[yardstick] if isinstance(yardstick, str) else yardstick
        ratio = runs[variant].best / theirs.best
        return f'{runs[variant].best:.3f} s', f'{theirs.best:.3f} s', ratio
    return figure


def memory_against(variant, limit):
    """A build's peak memory for a variant of the sheet against the limit in bytes."""
    def figure(runs):
        return f'{runs[variant].peak / MIB:.0f} MiB', f'{limit / MIB:.0f} MiB', runs[variant].peak / limit
    return figure


def compared_row(measure, builds, figure, target=None):
    """This build's figure against its yardstick, then the baseline build's with its ratio against
    the same yardstick: figure gives a build's (figure, yardstick, ratio) from its conversions;
    target is (its text, the most ratio that meets it), or None for a reference."""
    ours, yardstick, ratio = figure(builds['ours'])
    if target is None:
        row = [measure, ours, yardstick, f'{ratio:.2f}×', 'reference', '—']
    else:
        row = ratio_row(measure, ours, yardstick, ratio, target[0], ratio <= target[1])
    if 'before' not in builds:
        return row + ['—']
    theirs, _, their_ratio = figure(builds['before'])
    return row + [f'{theirs}, {their_ratio:.2f}×']


def form_rows(args, form, figures):
    generator, kind, _, most, full = form
    builds, (inflate, *parse) = figures['builds'], figures['yardsticks']
    same = f'same .{generator[0]}'
    limit = figures['text_bytes'] + 64 * MIB
    rows = [compared_row(f'Time, .{generator[0]} of {args.workbook_rows:,} rows × 12{kind} '
                         f'({figures["source_size"] / MB:.0f} MB), vs inflating its cells\' part '
                         f'({figures["part_size"] / MB:.0f} MB) with zlib', builds, time_against('plain', inflate),
                         (f'≤ {most}×', most))]
    if full:
        rows.append(compared_row(f'Time, {same}, vs inflating its cells\' part and parsing it with expat alone',
                                 builds, time_against('plain', parse[0])))
    rows.append(compared_row(f'Peak memory, {same}, vs its sheet\'s text ({figures["text_bytes"] / MB:.0f} MB) '
                             '+ 64 MiB', builds, memory_against('plain', limit), ('≤ 1×', 1)))
    if full:
        rows += [
            compared_row(f'Time, {same} with formatting to row 1,048,576, vs without', builds,
                         time_against('far', 'plain'), ('≈ 1×', 1.1)),
            compared_row(f'Time, {same} with a CDATA section in its last cell, read by the fast path to there, '
                         'then whole by the general parser, vs without', builds, time_against('unusual', 'plain')),
            compared_row(f'Peak memory, {same} read twice, vs its sheet\'s text + 64 MiB', builds,
                         memory_against('unusual', limit), ('≤ 1×', 1)),
        ]
    counts = figures['counts']
    if counts is not None:
        # What the code added since the baseline costs this sheet: wall times on a shared machine
        # wander by a few percent, the instructions do not.
        rows.append(bounded_row(f'Instructions, .{generator[0]} of a tenth as many rows{kind}, vs the build of '
                                f'{args.workbook_baseline_label}', f'{counts[0] / 1e9:.3f} G',
                                f'{counts[1] / 1e9:.3f} G', counts[0] / counts[1], 1.02) + ['—'])
    return rows


def workbook_rows(args, figures):
    return [row for form, form_figures in zip(FORMS, figures) for row in form_rows(args, form, form_figures)]
