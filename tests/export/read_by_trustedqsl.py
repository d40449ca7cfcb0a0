"""Reads the exported ADIF and Cabrillo files with TrustedQSL's own readers, from its library
libtqsllib (Debian's trustedqsl), and checks that they take every record and read CALL,
QSO_DATE, TIME_ON, BAND, MODE and, on VHF, GRIDSQUARE as the file means them.

Debian ships the library without its headers, so the few functions of its public C API that
are called here are declared below.

Usage: python3 read_by_trustedqsl.py LIBRARY FILE_OR_FOLDER...
Exits 77 (skipped) when the library cannot be loaded, 1 on any difference."""

import ctypes
import os
import sys
import tempfile

import export_meaning

# tqsl_getCabrilloField's answers (TQSL_CABRILLO_ERROR_TYPE).
CABRILLO_FIELD, CABRILLO_END_OF_FILE, CABRILLO_END_OF_RECORD = 0, 1, 6
# The contest types of tqsl_setCabrilloMapEntry (TQSL_CABRILLO_FREQ_TYPE).
CABRILLO_HF, CABRILLO_VHF = 0, 1
# The worked station's callsign is the eighth field after "QSO:" in both rounds: frequency,
# mode, date, time, own callsign, sent report, sent exchange, callsign.
CALLSIGN_FIELD = 8
# tqsl_getADIFField's answers (TQSL_ADIF_GET_FIELD_ERROR).
ADIF_FIELD, ADIF_UNDECLARED_FIELD, ADIF_END_OF_FILE = 0, 1, 11

ADIF_FIELDS = ["CALL", "QSO_DATE", "TIME_ON", "BAND", "MODE", "GRIDSQUARE"]
CABRILLO_FIELDS = ["CALL", "QSO_DATE", "TIME_ON", "BAND", "MODE"]


class CabrilloField(ctypes.Structure):  # tqsl_cabrilloField
    _fields_ = [("name", ctypes.c_char * 65), ("value", ctypes.c_char * 41)]


class AdifFieldDefinition(ctypes.Structure):  # tqsl_adifFieldDefinitions
    _fields_ = [
        ("name", ctypes.c_char * 65),
        ("type", ctypes.c_char * 2),
        ("range_type", ctypes.c_int),
        ("max_length", ctypes.c_uint),
        ("min_value", ctypes.c_long),
        ("max_value", ctypes.c_long),
        ("enum_strings", ctypes.c_void_p),
        ("user_pointer", ctypes.c_void_p),
    ]


class AdifFieldResults(ctypes.Structure):  # tqsl_adifFieldResults
    _fields_ = [
        ("name", ctypes.c_char * 65),
        ("size", ctypes.c_char * 11),
        ("type", ctypes.c_char * 2),
        ("data", ctypes.c_void_p),
        ("name_index", ctypes.c_uint),
        ("user_pointer", ctypes.c_void_p),
        ("line_number", ctypes.c_int),
    ]


class Date(ctypes.Structure):  # tQSL_Date
    _fields_ = [("year", ctypes.c_int), ("month", ctypes.c_int), ("day", ctypes.c_int)]


class Time(ctypes.Structure):  # tQSL_Time
    _fields_ = [("hour", ctypes.c_int), ("minute", ctypes.c_int), ("second", ctypes.c_int)]


def declare(library):
    """The prototypes of the functions called here; each answers 0 on success."""
    c = ctypes
    prototypes = {
        "tqsl_init": ([], c.c_int),
        "tqsl_getErrorString": ([], c.c_char_p),
        "tqsl_setCabrilloMapEntry": ([c.c_char_p, c.c_int, c.c_int], c.c_int),
        "tqsl_beginCabrillo": ([c.POINTER(c.c_void_p), c.c_char_p], c.c_int),
        "tqsl_getCabrilloContest": ([c.c_void_p, c.c_char_p, c.c_int], c.c_int),
        "tqsl_getCabrilloField": (
            [c.c_void_p, c.POINTER(CabrilloField), c.POINTER(c.c_int)], c.c_int),
        "tqsl_getCabrilloLine": ([c.c_void_p, c.POINTER(c.c_int)], c.c_int),
        "tqsl_endCabrillo": ([c.POINTER(c.c_void_p)], c.c_int),
        "tqsl_beginADIF": ([c.POINTER(c.c_void_p), c.c_char_p], c.c_int),
        "tqsl_getADIFField": (
            [c.c_void_p, c.POINTER(AdifFieldResults), c.POINTER(c.c_int),
             c.POINTER(AdifFieldDefinition), c.POINTER(c.c_char_p), c.c_void_p], c.c_int),
        "tqsl_endADIF": ([c.POINTER(c.c_void_p)], c.c_int),
        "tqsl_adifGetError": ([c.c_int], c.c_char_p),
        "tqsl_getADIFMode": ([c.c_char_p, c.c_char_p, c.c_int], c.c_int),
        "tqsl_getNumBand": ([c.POINTER(c.c_int)], c.c_int),
        "tqsl_getBand": (
            [c.c_int, c.POINTER(c.c_char_p), c.POINTER(c.c_char_p), c.POINTER(c.c_int),
             c.POINTER(c.c_int)], c.c_int),
        "tqsl_initDate": ([c.POINTER(Date), c.c_char_p], c.c_int),
        "tqsl_isDateValid": ([c.POINTER(Date)], c.c_int),
        "tqsl_initTime": ([c.POINTER(Time), c.c_char_p], c.c_int),
        "tqsl_isTimeValid": ([c.POINTER(Time)], c.c_int),
    }
    for name, (arguments, result) in prototypes.items():
        function = getattr(library, name)
        function.argtypes = arguments
        function.restype = result


class TrustedQsl:
    def __init__(self, library):
        self.tqsl = library
        if self.tqsl.tqsl_init() != 0:
            raise RuntimeError(self.error())
        count = ctypes.c_int()
        self.tqsl.tqsl_getNumBand(ctypes.byref(count))
        self.bands = set()
        for index in range(count.value):
            name, spectrum = ctypes.c_char_p(), ctypes.c_char_p()
            low, high = ctypes.c_int(), ctypes.c_int()
            self.tqsl.tqsl_getBand(index, ctypes.byref(name), ctypes.byref(spectrum),
                                   ctypes.byref(low), ctypes.byref(high))
            self.bands.add(name.value.decode())
        self.libc = ctypes.CDLL(None)
        self.libc.free.argtypes = [ctypes.c_void_p]

    def error(self):
        return self.tqsl.tqsl_getErrorString().decode("latin-1")

    def date(self, text):
        """The date TrustedQSL reads in a text, or None where it takes none."""
        date = Date()
        if self.tqsl.tqsl_initDate(ctypes.byref(date), text.encode()) != 0:
            return None
        if not self.tqsl.tqsl_isDateValid(ctypes.byref(date)):
            return None
        return (date.year, date.month, date.day)

    def time(self, text):
        time = Time()
        if self.tqsl.tqsl_initTime(ctypes.byref(time), text.encode()) != 0:
            return None
        if not self.tqsl.tqsl_isTimeValid(ctypes.byref(time)):
            return None
        return (time.hour, time.minute, time.second)

    def adif_mode(self, adif_mode):
        """TrustedQSL's mode for an ADIF mode, or None where it knows none."""
        mode = ctypes.create_string_buffer(64)
        if self.tqsl.tqsl_getADIFMode(adif_mode.encode(), mode, len(mode)) != 0:
            return None
        return mode.value.decode()

    def read_cabrillo(self, path, contest_type):
        """The records TrustedQSL's Cabrillo reader makes of a file, or the reason it stopped.
        The contest is declared first, under the name the reader takes from the CONTEST line."""
        cabrillo = ctypes.c_void_p()
        if self.tqsl.tqsl_beginCabrillo(ctypes.byref(cabrillo), bytes(path)) != 0:
            return None, self.error()
        contest = ctypes.create_string_buffer(256)
        self.tqsl.tqsl_getCabrilloContest(cabrillo, contest, len(contest))
        self.tqsl.tqsl_endCabrillo(ctypes.byref(cabrillo))
        if self.tqsl.tqsl_setCabrilloMapEntry(contest.value, CALLSIGN_FIELD, contest_type) != 0:
            return None, self.error()
        if self.tqsl.tqsl_beginCabrillo(ctypes.byref(cabrillo), bytes(path)) != 0:
            return None, self.error()
        records, fields = [], {}
        try:
            while True:
                field, status = CabrilloField(), ctypes.c_int()
                if self.tqsl.tqsl_getCabrilloField(cabrillo, ctypes.byref(field),
                                                   ctypes.byref(status)) != 0:
                    line = ctypes.c_int()
                    self.tqsl.tqsl_getCabrilloLine(cabrillo, ctypes.byref(line))
                    return None, f"line {line.value}: {self.error()}"
                if status.value == CABRILLO_END_OF_FILE:
                    return records, None
                fields[field.name.decode("latin-1")] = field.value.decode("latin-1")
                if status.value == CABRILLO_END_OF_RECORD:
                    records.append(fields)
                    fields = {}
        finally:
            self.tqsl.tqsl_endCabrillo(ctypes.byref(cabrillo))

    def read_adif(self, path):
        """The records TrustedQSL's ADIF reader makes of a file, with the fields checked here,
        or the reason it stopped."""
        names = ADIF_FIELDS + ["EOR"]
        definitions = (AdifFieldDefinition * (len(names) + 1))()
        for definition, name in zip(definitions, names):
            definition.name = name.encode()
            definition.max_length = 64
        types = (ctypes.c_char_p * 1)(b"")
        adif = ctypes.c_void_p()
        if self.tqsl.tqsl_beginADIF(ctypes.byref(adif), bytes(path)) != 0:
            return None, self.error()
        records, fields = [], {}
        try:
            while True:
                field, status = AdifFieldResults(), ctypes.c_int()
                answer = self.tqsl.tqsl_getADIFField(
                    adif, ctypes.byref(field), ctypes.byref(status), definitions, types,
                    ctypes.cast(self.libc.malloc, ctypes.c_void_p))
                if answer != 0:
                    return None, self.error()
                if status.value == ADIF_END_OF_FILE:
                    return records, None
                if status.value == ADIF_UNDECLARED_FIELD:
                    continue
                if status.value != ADIF_FIELD:
                    reason = self.tqsl.tqsl_adifGetError(status.value).decode("latin-1")
                    return None, f"line {field.line_number}: {reason}"
                name = field.name.decode("latin-1").upper()
                if name == "EOR":
                    records.append(fields)
                    fields = {}
                    continue
                size = int(field.size or b"0")
                value = ctypes.string_at(field.data, size) if field.data else b""
                self.libc.free(field.data)
                fields[name] = value.decode("latin-1")
        finally:
            self.tqsl.tqsl_endADIF(ctypes.byref(adif))


def check_cabrillo(reader, path, problems):
    contest, qsos = export_meaning.cabrillo_log(path.read_bytes())
    if not contest:
        problems.append(f"{path}: no contest name, which TrustedQSL needs to read the file")
        return 0
    vhf = any(qso["BAND"] == "2M" for qso in qsos)
    records, reason = reader.read_cabrillo(path, CABRILLO_VHF if vhf else CABRILLO_HF)
    if records is None:
        problems.append(f"{path}: TrustedQSL refused it: {reason}")
        return 0
    if len(records) != len(qsos):
        problems.append(f"{path}: TrustedQSL read {len(records)} QSOs, the file has {len(qsos)}")
    for number, (record, qso) in enumerate(zip(records, qsos), start=1):
        meant = {
            "CALL": qso["CALL"],
            "QSO_DATE": reader.date(qso["QSO_DATE"]),
            "TIME_ON": reader.time(qso["TIME_ON"]),
            "BAND": qso["BAND"],
            "MODE": qso["MODE"],
        }
        read = {
            "CALL": record.get("CALL"),
            "QSO_DATE": reader.date(record.get("QSO_DATE", "")),
            "TIME_ON": reader.time(record.get("TIME_ON", "")),
            "BAND": record.get("BAND"),
            "MODE": record.get("MODE"),
        }
        for name in CABRILLO_FIELDS:
            if meant[name] is None or read[name] != meant[name]:
                problems.append(f"{path} QSO {number} {name}: TrustedQSL read "
                                f"{record.get(name)!r}, the file means {meant[name]!r}")
    return len(records)


def check_adif(reader, path, problems):
    expected = export_meaning.adif_records(path.read_bytes())
    records, reason = reader.read_adif(path)
    if records is None:
        problems.append(f"{path}: TrustedQSL refused it: {reason}")
        return 0
    if len(records) != len(expected):
        problems.append(f"{path}: TrustedQSL read {len(records)} records, the file has "
                        f"{len(expected)}")
    for number, (record, wanted) in enumerate(zip(records, expected), start=1):
        def complain(name, meant):
            problems.append(f"{path} record {number} {name}: TrustedQSL read "
                            f"{record.get(name)!r}, the file means {meant!r}")

        if record.get("CALL") != wanted.get("CALL"):
            complain("CALL", wanted.get("CALL"))
        # The date and the time as TrustedQSL takes them apart, against ADIF's YYYYMMDD and
        # HHMMSS.
        date, time = wanted.get("QSO_DATE", ""), wanted.get("TIME_ON", "")
        meant_date = (int(date[0:4]), int(date[4:6]), int(date[6:8])) if len(date) == 8 else None
        if meant_date is None or reader.date(record.get("QSO_DATE", "")) != meant_date:
            complain("QSO_DATE", date)
        meant_time = (int(time[0:2]), int(time[2:4]), int(time[4:6])) if len(time) == 6 else None
        if meant_time is None or reader.time(record.get("TIME_ON", "")) != meant_time:
            complain("TIME_ON", time)
        band = record.get("BAND")
        if band != wanted.get("BAND") or band is None or band.upper() not in reader.bands:
            complain("BAND", wanted.get("BAND"))
        # A record without a mode has none to read; one that has it must be a mode TrustedQSL
        # knows, under its ADIF name.
        mode = record.get("MODE")
        if mode != wanted.get("MODE") or (mode is not None and reader.adif_mode(mode) is None):
            complain("MODE", wanted.get("MODE"))
        if band == "2M" and record.get("GRIDSQUARE") != wanted.get("GRIDSQUARE"):
            complain("GRIDSQUARE", wanted.get("GRIDSQUARE"))
    return len(records)


def main(arguments):
    if len(arguments) < 2:
        print("usage: python3 read_by_trustedqsl.py LIBRARY FILE_OR_FOLDER...", file=sys.stderr)
        return 2
    library_path, names = arguments[0], arguments[1:]
    try:
        library = ctypes.CDLL(library_path)
        declare(library)
    except (OSError, AttributeError) as error:
        print(f"TrustedQSL's library cannot be loaded ({error}); check skipped")
        return export_meaning.SKIPPED
    # The library keeps its configuration in TQSLDIR: a folder of this run's, not the user's.
    with tempfile.TemporaryDirectory() as configuration:
        os.environ["TQSLDIR"] = configuration
        reader = TrustedQsl(library)
        problems = []
        adif_files = export_meaning.export_files(names, ".adi")
        cabrillo_files = export_meaning.export_files(names, ".cbr")
        records = sum(check_adif(reader, path, problems) for path in adif_files)
        qsos = sum(check_cabrillo(reader, path, problems) for path in cabrillo_files)

    for problem in problems:
        print(problem, file=sys.stderr)
    if problems:
        print(f"{len(problems)} differences between TrustedQSL's reading and the files",
              file=sys.stderr)
        return 1
    print(f"TrustedQSL read {records} records in {len(adif_files)} ADIF files and {qsos} QSOs in "
          f"{len(cabrillo_files)} Cabrillo files as the files mean them")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
