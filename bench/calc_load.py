#!/usr/bin/python3
"""Times how long LibreOffice Calc takes to open an .xlsx workbook as it is and
with all its print set-up stripped: print titles and areas, page set-up, fit to
page, margins, print options, header and footer. Both files load in one
running soffice through UNO (loadComponentFromURL, hidden), in turns, and the
median of the loads of each is printed with their ratio, in wall-clock time
and in the processor time Calc spent, which other work on the machine
disturbs less.

    calc_load.py BOOK.xlsx [--loads N] [--profile DIR] [--also FILE]...

--also loads further files of the same book in the same turns, another
form of it such as OpenDocument, each timed against the stripped book.

Calc runs headless with its own profile (a fresh temporary one unless
--profile names a folder), so that it does not meet another running soffice.
Needs python3-uno (Debian's /usr/bin/python3)."""
import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
import zipfile

import uno
from com.sun.star.beans import PropertyValue

GOAL = 1.15
PRINT_NAMES = re.compile(rb'<definedName name="_xlnm\.Print_(?:Titles|Area)"[^>]*>[^<]*</definedName>')
PAGE_ELEMENTS = re.compile(rb'<pageSetUpPr[^>]*/>|<printOptions[^>]*/>|<pageMargins[^>]*/>|<pageSetup[^>]*/>'
                           rb'|<headerFooter[^>]*>.*?</headerFooter>|<headerFooter[^>]*/>', re.S)


def strip_print_setup(book, stripped):
    """Writes a copy of the book without print set-up; returns how many print
    names it removed and how many sheets carried page set-up."""
    names = sheets = 0
    with zipfile.ZipFile(book) as source, zipfile.ZipFile(stripped, "w", zipfile.ZIP_DEFLATED) as target:
        for item in source.infolist():
            data = source.read(item)
            if item.filename == "xl/workbook.xml":
                data, names = PRINT_NAMES.subn(b"", data)
                data = data.replace(b"<definedNames></definedNames>", b"")
            elif re.fullmatch(r"xl/worksheets/sheet\d+\.xml", item.filename):
                data, found = PAGE_ELEMENTS.subn(b"", data)
                data = data.replace(b"<sheetPr></sheetPr>", b"")
                sheets += found > 0
            target.writestr(item, data)
    return names, sheets


def office_process(launcher):
    """The soffice.bin below the launcher (soffice runs it from a script and oosplash)."""
    pending = [launcher]
    while pending:
        pid = pending.pop()
        with open(f"/proc/{pid}/comm") as comm:
            if comm.read().strip() == "soffice.bin":
                return pid
        for task in os.listdir(f"/proc/{pid}/task"):
            with open(f"/proc/{pid}/task/{task}/children") as children:
                pending += [int(child) for child in children.read().split()]
    sys.exit("calc_load: no soffice.bin process")


def processor_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")  # utime + stime


def start_calc(profile, pipe):
    calc = subprocess.Popen(["soffice", f"-env:UserInstallation={uno.systemPathToFileUrl(profile)}", "--headless",
                             "--invisible", "--norestore", "--nologo", f"--accept=pipe,name={pipe};urp;"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
    deadline = time.monotonic() + 120
    while True:
        try:
            remote = resolver.resolve(f"uno:pipe,name={pipe};urp;StarOffice.ComponentContext")
            break
        except Exception:
            if calc.poll() is not None or time.monotonic() > deadline:
                sys.exit("calc_load: soffice did not start")
            time.sleep(0.25)
    return calc, office_process(calc.pid), remote.ServiceManager.createInstanceWithContext(
        "com.sun.star.frame.Desktop", remote)


def load_seconds(desktop, office, path):
    """Wall-clock and processor seconds of one load, and the sheets loaded."""
    hidden = PropertyValue()
    hidden.Name, hidden.Value = "Hidden", True
    start, start_cpu = time.monotonic(), processor_seconds(office)
    document = desktop.loadComponentFromURL(uno.systemPathToFileUrl(os.path.abspath(path)), "_blank", 0, (hidden,))
    seconds, cpu = time.monotonic() - start, processor_seconds(office) - start_cpu
    if document is None:
        sys.exit(f"calc_load: Calc could not open {path}")
    sheets = document.Sheets.Count
    document.close(True)
    return seconds, cpu, sheets


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("book")
    parser.add_argument("--loads", type=int, default=3)
    parser.add_argument("--profile")
    parser.add_argument("--also", action="append", default=[])
    options = parser.parse_args()

    scratch = tempfile.mkdtemp(prefix="calc-load-")
    try:
        stripped = os.path.join(scratch, "stripped.xlsx")
        names, sheets = strip_print_setup(options.book, stripped)
        print(f"book: {options.book}: {names} print names, page set-up on {sheets} sheets; "
              f"stripped copy without either")
        sys.stdout.flush()
        calc, office, desktop = start_calc(options.profile or os.path.join(scratch, "profile"),
                                           f"calc-load-{os.getpid()}")
        try:
            # Calc's first load of a session pays for loading its own libraries
            # and the fonts; neither file should carry that.
            load_seconds(desktop, office, stripped)
            paths = {os.path.basename(options.book): options.book, "without print set-up": stripped}
            paths.update((os.path.basename(also), also) for also in options.also)
            times = {label: [] for label in paths}
            for _ in range(options.loads):
                for label, path in paths.items():
                    seconds, cpu, count = load_seconds(desktop, office, path)
                    times[label].append((seconds, cpu))
                    print(f"  {label}: {seconds:.2f} s, processor {cpu:.2f} s ({count} sheets)")
                    sys.stdout.flush()
        finally:
            try:
                desktop.terminate()
            except Exception:
                pass  # the bridge goes down with soffice
            calc.wait(60)
        for kind, index in (("wall-clock", 0), ("processor", 1)):
            medians = {label: statistics.median(t[index] for t in loads) for label, loads in times.items()}
            bare = medians.pop("without print set-up")
            shown = ", ".join(f"{label} {seconds:.2f} s, ratio {seconds / bare:.3f}" for label, seconds in medians.items())
            print(f"Calc load, median of {options.loads}, {kind}: without print set-up {bare:.2f} s; {shown} "
                  f"(goal <= {GOAL})")
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
