"""README's "What is where" against the code's folders: every unit of them named under its folder, and
every unit named there still in the tree, so that a newcomer who reads it finds what is there."""
import pathlib
import re
import sys
import unittest

ROOT = pathlib.Path(sys.argv.pop(1))
CODE_FOLDERS = ["core", "workbook", "shell", "qt", "win32"]
SOURCE_SUFFIXES = {".h", ".cpp"}
# A unit is a header and the sources named after it; a name in backticks may carry either suffix.
NAME = re.compile(r"`([a-z0-9_]+)(?:\.h|\.cpp)?`")
FOLDER_ENTRY = re.compile(r"^- `([a-z0-9_]+)/`:", re.MULTILINE)


def folder_entries(readme):
    """Each code folder's entry of the section: its text up to the next folder's."""
    section = readme.split("## What is where", 1)[1].split("\n## ", 1)[0]
    starts = list(FOLDER_ENTRY.finditer(section))
    entries = {}
    for start, following in zip(starts, starts[1:] + [None]):
        end = following.start() if following else len(section)
        entries[start.group(1)] = section[start.start():end]
    return entries


def units_of(folder):
    """The units under a folder, its subfolders' included, by the stem of their files."""
    return {path.stem for path in (ROOT / folder).rglob("*") if path.suffix in SOURCE_SUFFIXES}


def subfolders_of(folder):
    return {path.name for path in (ROOT / folder).iterdir() if path.is_dir()}


class TReadmeUnits(unittest.TestCase):
    def setUp(self):
        self.entries = folder_entries((ROOT / "README.md").read_text(encoding="utf-8"))

    def test_every_unit_is_named_under_its_folder(self):
        for folder in CODE_FOLDERS:
            with self.subTest(folder=folder):
                named = set(NAME.findall(self.entries[folder]))
                self.assertEqual(sorted(units_of(folder) - named), [])

    def test_every_subfolder_is_named_under_its_folder(self):
        for folder in CODE_FOLDERS:
            with self.subTest(folder=folder):
                entry = self.entries[folder]
                self.assertEqual(sorted(s for s in subfolders_of(folder) if f"`{s}/`" not in entry), [])

    def test_every_file_name_named_is_in_the_tree(self):
        # Only names that read as file names are held to the tree: library names and the words of the
        # HTML that the entries quote are other things.
        for folder in CODE_FOLDERS:
            with self.subTest(folder=folder):
                written = re.findall(r"`([a-z0-9_]+\.(?:h|cpp))`", self.entries[folder])
                stems = {name.rsplit(".", 1)[0] for name in written}
                self.assertEqual(sorted(stems - units_of(folder)), [])
                snake = {name for name in NAME.findall(self.entries[folder])
                         if "_" in name and not name.startswith("tabulor")}
                self.assertEqual(sorted(snake - units_of(folder)), [])


if __name__ == "__main__":
    unittest.main()
