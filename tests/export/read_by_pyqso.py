"""Reads the exported ADIF files with PyQSO's ADIF reader (Debian's pyqso) and checks that it
takes every record and that every field it keeps holds what the file holds.

Usage: python3 read_by_pyqso.py FILE_OR_FOLDER...
Exits 77 (skipped) when PyQSO is not installed, 1 on any difference."""

import logging
import sys

import export_meaning

# The fields PyQSO keeps of this program's records.
KEPT_FIELDS = ["CALL", "QSO_DATE", "TIME_ON", "BAND", "MODE", "RST_SENT", "RST_RCVD", "GRIDSQUARE"]


def main(arguments):
    try:
        from pyqso.adif import ADIF
    except ImportError:
        print("PyQSO is not installed (Debian: pyqso); check skipped")
        return export_meaning.SKIPPED
    # PyQSO reports each file it reads; only the differences matter here.
    logging.disable(logging.WARNING)

    problems = []
    record_count = 0
    files = export_meaning.export_files(arguments, ".adi")
    for path in files:
        expected = export_meaning.adif_records(path.read_bytes())
        try:
            records = ADIF().read(str(path))
        except Exception as error:  # the reader refusing the file is what the check looks for
            problems.append(f"{path}: PyQSO could not read it: {error!r}")
            continue
        if len(records) != len(expected):
            problems.append(
                f"{path}: PyQSO read {len(records)} records, the file has {len(expected)}")
        for number, (record, wanted) in enumerate(zip(records, expected), start=1):
            for name in KEPT_FIELDS:
                value = wanted.get(name)
                read = record.get(name)
                # PyQSO keeps bands in lower case; ADIF's bands are the same in either case.
                if name == "BAND" and read is not None:
                    read = read.upper()
                    value = value.upper() if value is not None else None
                if read != value:
                    problems.append(f"{path} record {number} {name}: PyQSO read {read!r}, "
                                    f"the file holds {value!r}")
        record_count += len(records)

    for problem in problems:
        print(problem, file=sys.stderr)
    if problems:
        print(f"{len(problems)} differences between PyQSO's reading and the files", file=sys.stderr)
        return 1
    print(f"PyQSO read {record_count} records in {len(files)} ADIF files as the files hold them")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
