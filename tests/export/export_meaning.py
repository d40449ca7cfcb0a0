"""What an exported file means, read by the format's own definition, for the checks that compare
it with what a third-party reader makes of the file: an ADIF file by its tags and their lengths,
a Cabrillo file of this program by the columns of its QSO lines.

The files are single-byte text; values are decoded as Latin-1 so that one byte stays one
character."""

import pathlib
import re

SKIPPED = 77  # ctest's code for a check whose reader is not installed

_TAG = re.compile(rb"<([A-Za-z0-9_]+)(?::(\d+)(?::[A-Za-z])?)?>")


def adif_records(data):
    """The records of an ADIF file, each a dict from the upper-case field name to its value."""
    records = []
    fields = {}
    position = 0
    # A file that does not open with a tag has a header, which ends at <EOH>.
    if not data.startswith(b"<"):
        end_of_header = re.search(rb"<eoh>", data, re.IGNORECASE)
        position = end_of_header.end() if end_of_header else len(data)
    while True:
        tag = _TAG.search(data, position)
        if not tag:
            break
        name = tag.group(1).decode("ascii").upper()
        length = int(tag.group(2) or 0)
        value = data[tag.end() : tag.end() + length]
        position = tag.end() + length
        if name == "EOR":
            records.append(fields)
            fields = {}
        else:
            fields[name] = value.decode("latin-1")
    return records


# The QSO line of this program's Cabrillo files: 1-based first and last columns.
_CABRILLO_COLUMNS = {
    "FREQ": (7, 11),
    "MODE": (12, 13),
    "QSO_DATE": (15, 24),
    "TIME_ON": (26, 29),
    "MYCALL": (31, 43),
}
# The worked station's callsign follows the sent exchange, which is longer on VHF.
_CABRILLO_CALL = {"3500": (56, 71), "144": (62, 77)}
_CABRILLO_BAND = {"3500": "80M", "144": "2M"}
_CABRILLO_MODE = {"CW": "CW", "PH": "SSB", "FM": "FM"}


def _columns(line, first_last):
    first, last = first_last
    return line[first - 1 : last].strip()


def cabrillo_log(data):
    """The contest name and the QSOs of a Cabrillo file, each QSO a dict with CALL, QSO_DATE,
    TIME_ON, BAND (the band its frequency field names) and MODE (as Cabrillo's mode means it)."""
    contest = None
    qsos = []
    for raw in data.decode("latin-1").splitlines():
        if raw.startswith("CONTEST:"):
            contest = raw[len("CONTEST:") :].strip()
        if not raw.startswith("QSO:"):
            continue
        fields = {name: _columns(raw, columns) for name, columns in _CABRILLO_COLUMNS.items()}
        frequency = fields.pop("FREQ")
        fields["CALL"] = _columns(raw, _CABRILLO_CALL[frequency])
        fields["BAND"] = _CABRILLO_BAND[frequency]
        fields["MODE"] = _CABRILLO_MODE[fields["MODE"]]
        qsos.append(fields)
    return contest, qsos


def export_files(arguments, suffix):
    """The files named on the command line and those in the folders named there that end in
    `suffix`, in a stable order. A name that does not exist is an error, so a check never passes
    on files it did not find."""
    files = []
    for argument in arguments:
        path = pathlib.Path(argument)
        if path.is_dir():
            files += sorted(path.glob("*" + suffix))
        elif path.is_file():
            if path.suffix == suffix:
                files.append(path)
        else:
            raise FileNotFoundError(argument)
    return files
