"""The same conversion done with pandas, as a yardstick from a widely used tool:
    pandas_reference.py SOURCE DEST
Every cell is read as text, unquoted and kept as it stands, as Tabulor reads it; no index column
is written, as Tabulor writes none."""
import csv
import sys

import pandas


def main(source, dest):
    frame = pandas.read_csv(source, sep='\t', header=None, encoding='cp1252', dtype=str,
                            keep_default_na=False, quoting=csv.QUOTE_NONE)
    frame.to_html(dest, index=False, encoding='cp1252')


if __name__ == '__main__':
    if len(sys.argv) != 3:
        sys.exit('usage: pandas_reference.py SOURCE DEST')
    main(sys.argv[1], sys.argv[2])
