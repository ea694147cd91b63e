#!/usr/bin/env python3
"""Writes an RDAC contest as a committee receives it, and the verdict a committee gives each QSO.

It shares nothing with the cross-check it measures: its own stations, its own faults, its own
rules for the truth, all below. Standard library only; the same seed gives the same contest.

    make_committee_contest.py OUT [--logs 400] [--seed 1] [--districts examples/rda_sample.dat]
                                  [--without CLASS,...]

OUT/logs/          what the committee got by mail: Cabrillo 3.0 and ADIF files, plus stray files
OUT/truth.csv      one row per QSO line of every file: file,line,log,time,band,mode,call,
                   verdict,partner_call,faults (line: of a Cabrillo file from 1, of an ADIF file the
                   record's number; log: the header's call, or the file's when the header gives only
                   its prefix; time as logged, to the minute; faults: classes, space-separated)
OUT/truth_logs.csv one row per file: file,log,kind,status,qsos,clock,faults
OUT/period.txt     the contest period, start and end, UTC

The contest
- 24 hours from 2017-08-19 12:00 UTC; bands 160 to 10 m (no WARC), CW and SSB. Russian stations
  send their RDA district (codes of the districts file; a few mobiles change district at half
  time), all others a serial number that counts every QSO they made, in time order.
- Stations: several hundred send a log; about 12% as many are busy but send none, 8% make one or
  two QSOs and send none. QSOs per log are log-normal (median about 80, a few over 1,000); big
  stations are on most of the day, small ones for a few spans of hours, at most one QSO a
  minute. Who works whom: any two stations on the air at the same minute that share a mode; the
  band follows the hour (160 and 80 m at night, 15 and 10 m by day). Two stations work each
  other once per band and mode, except the dupes below.
- About 40% are Russian (areas 1, 3, 4, 6, 9, 0). Some sign /P, /M or /QRP; some sign /N away
  from home (RZ3XX/1), some add their own area (R3AA/3). Their headers give the call they sign.

Faults, each its own class (the faults column names them; partner: marks a fault of the other
log, so a row shows what both sides did):
- per log (shares of the logs: 2.5% whole hours, 1% half hours, 1.5% any, 3% drift, 8% minutes):
  its clock is off by a whole hour or two, by a half hour, by any amount up to 2 hours,
  or by a few minutes; it drifts a minute every two to four hours; every time in it is one and
  the same minute; ADIF with seconds in the time; Cabrillo with byte 0xA0 between the fields;
  an empty CALLSIGN:; a header and no QSO; a call that is only a prefix (the file name is the
  station's call); CATEGORY-OPERATOR: CHECKLOG; most QSO lines unreadable (dates as DD-MM-YYYY);
  and files that are no log at all (a zip under a log's name, a text under .log).
- per QSO, one side or both: a busted call; a busted call logged five minutes off; both sides
  busting each other's call; a busted call whose victim busted the buster's exchange; a busted
  exchange; both exchanges busted; a QSO missing from one log (NIL); a time ten to 25 minutes
  off; a wrong band; a wrong mode; a second QSO on a band and mode (logged by both or by the one
  who called again); a QSO before the start or after the end. Partners of a station signing
  /N away from home drop the /N one time in five; /P, /M, /QRP and a redundant /N are dropped
  (and sometimes added) just as often.

Habits of real entrants (classes too; --without leaves any of them out):
- local_time (6% of logs): the log is kept in its zone's time, not UTC: Moscow (+3) most
  often, any Russian zone from +2 to +12, the Americas from -3 to -10, and the half-hour zones
  (+3:30, +4:30, +5:30, +9:30, -3:30); its PC clock is seconds off on top.
- date_not_rolled (1.5%): kept in local time as above, but its date stayed on the local date
  of the start: every QSO after local midnight carries a date a day early.
- day_off (1%): the right times, the whole log's date a day early or late.
- prefix_form (6% of Russian stations): the station signs away from home in the prefix form
  (UA9/RA3AAA); its header and its partners write that or the suffix form (RA3AAA/9), which
  name the same station, as does any Russian prefix with that area (R9/, RA9/); a partner who
  drops the area (RA3AAA) busted the call, as for /N.
- small_burst (a few small logs): four to seven QSOs, three or four of them in one minute, and
  one QSO a few minutes before the start (out_of_period on both sides, as any such QSO).
- timeless_bust: a log whose times are all one minute busts a call (busted_call, partner
  partner_error), its partner's copy wherever in the partner's log it lies.
- own_call_variant: a station logs its own call with another area (SM5XVC/P works SM5XVC/1),
  a station that sent no log: unique, never a QSO with its own log.
- dropped_away_band: the partner of a station away from home drops its /N and logs another
  band or mode: band_mismatch on both sides (the QSO is in both logs).
- coincidental_mutual: two stations each log an unrelated station, minutes apart on one band
  and mode, whose calls happen to be one slip from the other's (RW4ER logs RN3D, RN3I logs
  R4ER): each QSO is unique; no bust.
- exchange_spelling (4% of the districts copied, on either side): a district written another
  way that means the same (MA-3, ma03, Cyrillic look-alike letters in Windows-1251, and in
  ADIF "599 MA-03"): ok.
Several fall on one QSO at once: a local-time log's QSO with a prefix-form station, copied in
another spelling, busted on the other side, and so on; the truth is always the rules above.

The verdict a committee gives (names as checked.csv writes them):
- ok: both logged it, calls naming the same station, band and mode agree, times agree once each
  log's clock error (offset, drift, zone, day, a date that did not roll over) is taken out,
  exchanges right (in any spelling of the same district). A clock error is the
  computer's, corrected and never punished; a log whose times are all one minute is paired by
  call, band, mode and order and its partners keep their QSOs. /P, /M, /QRP and a redundant /N
  name the station without them; a /N that differs from the call's own area names another
  station, so the partner who drops it busted the call.
- busted_call for the side that logged a wrong call, partner_call the right one, also when its
  time was off too (but band_mismatch when it dropped a /N and logged another band or mode) or when the other side busted as well (each its own busted_call);
  partner_error for the side whose call or exchange the other busted, unless its own exchange
  copy was wrong too: then busted_exchange.
- busted_exchange for the side that copied the exchange wrong (both, when both did).
- nil for the side that has a QSO the other log lacks.
- time_mismatch (both sides) when one side's time is off by more than the tolerance;
  band_mismatch (both sides) when one side logged another band or mode.
- dupe: a second QSO with a station on a band and mode, on each side that logged it.
- out_of_period: a QSO made (by the corrected clock) before the start or after the end; both
  sides.
- With a station whose log the committee cannot use (none sent, an empty CALLSIGN:, a header
  only, mostly unreadable): no_log_credited when logs of at least three stations hold its call,
  else unique. Such a log's own QSO lines are not_checked.
"""
import argparse
import collections
import datetime
import math
import os
import random
import sys

START = datetime.datetime(2017, 8, 19, 12, 0, 0)
CONTEST_SECONDS = 24 * 3600
BANDS = ["160m", "80m", "40m", "20m", "15m", "10m"]
# (low, high) kHz per band for CW and for SSB
BAND_KHZ = {"160m": ((1810, 1838), (1845, 1990)), "80m": ((3510, 3580), (3600, 3790)),
            "40m": ((7005, 7040), (7060, 7195)), "20m": ((14005, 14070), (14150, 14345)),
            "15m": ((21005, 21070), (21150, 21440)), "10m": ((28005, 28070), (28320, 28690))}
# band weights by UTC hour: night favours 160/80, day 20/15/10
DAY_WEIGHTS = [1, 3, 6, 9, 6, 3]
NIGHT_WEIGHTS = [6, 8, 7, 3, 0.5, 0.2]
MODES = ["CW", "SSB"]
RUSSIAN_PREFIXES = ["RA", "RK", "RN", "RU", "RW", "RZ", "UA", "R", "RV", "UB"]
RUSSIAN_AREAS = "13469" + "0"
EUROPEAN_AREAS = "1346"
OTHER_PREFIXES = ["DL", "OK", "SP", "LY", "YL", "ES", "UR", "EW", "UN", "4X", "JA", "I", "F", "G",
                  "EA", "HA", "YO", "LZ", "OH", "SM", "S5", "9A", "OM", "YU", "K", "W", "N", "VE",
                  "ON", "PA", "OZ", "LA", "SV", "UT", "4L"]
PORTABLE = ["/P", "/M", "/QRP"]
CALL_CHARACTERS = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
PENALTY_FREE_LOG_FAULTS = {"clock_small", "clock_whole_hour", "clock_half_hour", "clock_any", "drift", "local_time",
                           "date_not_rolled", "day_off"}
LOG_CLASSES = ["clock_small", "clock_whole_hour", "clock_half_hour", "clock_any", "drift",
               "one_minute", "adif_seconds", "cabrillo_nbsp", "blank_callsign", "header_only",
               "prefix_call", "checklog", "unreadable", "stray_file", "local_time", "date_not_rolled",
               "day_off", "prefix_form", "small_burst", "timeless_bust", "own_call_variant",
               "dropped_away_band", "coincidental_mutual", "exchange_spelling"]
RUSSIAN_ZONES = [3, 3, 3, 3, 2, 4, 5, 5, 6, 7, 7, 8, 9, 10, 10, 11, 12]
OTHER_ZONES = [-3, -4, -5, -5, -6, -7, -8, -10, 1, 2, 3.5, 4.5, 5.5, 9.5, -3.5]
# Windows-1251 Cyrillic letters that look like Latin ones, as operators type them by mistake
CYRILLIC_LOOKALIKES = {"A": "\xc0", "B": "\xc2", "C": "\xd1", "E": "\xc5", "H": "\xcd", "K": "\xca",
                       "M": "\xcc", "O": "\xce", "P": "\xd0", "T": "\xd2", "X": "\xd5"}


class Station:
    def __init__(self, index):
        self.index = index
        self.base = ""
        self.signs = ""          # on the air, suffix included
        self.suffix_kind = ""    # "", "portable", "away", "redundant", "prefix_form"
        self.suffix_form = ""    # a prefix-form station's call in the suffix form (RA3AAA/9)
        self.header = ""         # the call its own log writes for itself
        self.russian = False
        self.area = ""
        self.has_log = False
        self.rare = False
        self.districts = ("", "")  # first and second half of the contest
        self.modes = ("CW", "SSB")
        self.spans = []          # (first, last) minute on the air
        self.target = 0
        self.used_minutes = set()
        self.serial_order = []   # (seconds, qso index) of every QSO made
        self.log = None          # its LogFile when it sends one
        self.away_area = ""


class LogFile:
    def __init__(self, station):
        self.station = station
        self.faults = set()
        self.offset = 0.0        # seconds ahead
        self.drift = 0.0         # seconds per second
        self.one_minute = None   # the one time every QSO carries
        self.date_stays = False  # kept in local time, its date not rolled over at local midnight
        self.format = "cabrillo"
        self.adif_seconds = False
        self.usable = True       # the committee can pair against it
        self.rows = []           # logged QSOs

    def clock(self, seconds):
        logged = seconds + self.offset + self.drift * seconds
        if self.date_stays and moment(logged).date() > moment(self.offset).date():
            logged -= 86400
        return logged


class TrueQso:
    def __init__(self, a, b, seconds, band, mode):
        self.a, self.b = a, b
        self.seconds = seconds
        self.band, self.mode = band, mode
        self.combo = ""          # the QSO's fault combination, if any
        self.side_a = {}         # what side a got wrong
        self.side_b = {}
        self.dupe_of = None      # the first QSO when this is a repeat
        self.repeated = False
        self.serials = {}        # station index -> serial sent
        self.freq = 0


class Contest:
    def __init__(self, args):
        self.rng = random.Random(args.seed)
        self.args = args
        self.without = set(args.without.split(",")) if args.without else set()
        self.districts = read_districts(args.districts)
        self.stations = []
        self.calls = set()
        self.qsos = []
        self.slots = set()

    def chance(self, p):
        return self.rng.random() < p

    # -- stations --------------------------------------------------------------------------------
    def new_call(self, russian):
        rng = self.rng
        while True:
            if russian:
                prefix = rng.choice(RUSSIAN_PREFIXES)
                area = rng.choice(RUSSIAN_AREAS)
                letters = rng.choice([1, 2, 2, 3, 3]) if prefix != "R" else rng.choice([2, 3])
            else:
                prefix = rng.choice(OTHER_PREFIXES)
                area = str(rng.randint(1, 9))
                letters = rng.choice([2, 3, 3])
            suffix = "".join(rng.choice("ABCDEGHIJKLNOPRSTUVWXYZ") for _ in range(letters))
            call = prefix + area + suffix
            if call not in self.calls:
                self.calls.add(call)
                return call, area

    def make_stations(self):
        n_logs = self.args.logs
        busy_without = max(2, n_logs * 12 // 100)
        rare_without = max(2, n_logs * 8 // 100)
        for i in range(n_logs + busy_without + rare_without):
            s = Station(i)
            s.russian = self.chance(0.4)
            s.base, s.area = self.new_call(s.russian)
            s.signs = s.base
            roll = self.rng.random()
            if s.russian and self.chance(0.06) and "prefix_form" not in self.without:
                s.suffix_kind = "prefix_form"
                s.away_area = self.rng.choice([a for a in RUSSIAN_AREAS if a != s.area])
                s.signs = self.rng.choice(["UA", "R", "RA"]) + s.away_area + "/" + s.base
                s.suffix_form = s.base + "/" + s.away_area
            elif s.russian and s.area in EUROPEAN_AREAS and roll < 0.04:
                s.suffix_kind = "away"
                s.signs = s.base + "/" + self.rng.choice([a for a in EUROPEAN_AREAS if a != s.area])
            elif s.russian and roll < 0.07:
                s.suffix_kind = "redundant"
                s.signs = s.base + "/" + s.area
            elif roll < 0.12:
                s.suffix_kind = "portable"
                s.signs = s.base + self.rng.choice(PORTABLE)
            s.header = s.signs if s.suffix_kind != "prefix_form" or self.chance(0.5) else s.suffix_form
            s.has_log = i < n_logs
            s.rare = i >= n_logs + busy_without
            if s.russian:
                first = self.rng.choice(self.districts)
                second = self.rng.choice(self.districts) if self.chance(0.04) else first
                s.districts = (first, second)
            style = self.rng.random()
            s.modes = ("CW",) if style < 0.3 else ("SSB",) if style < 0.5 else ("CW", "SSB")
            if s.rare:
                s.target = self.rng.randint(1, 2)
            else:
                s.target = int(min(1100, max(6, self.rng.lognormvariate(math.log(80), 0.9))))
                if not s.has_log:
                    s.target = max(6, s.target // 2)
            s.spans = self.on_air(s.target)
            self.stations.append(s)

    def on_air(self, target):
        # Enough time on the air for the QSOs at a rate of 20 to 60 an hour, in spans of hours.
        need = min(1380, int(target * self.rng.uniform(1.5, 3.5)) + 30)
        spans = []
        while need > 0:
            length = min(need, self.rng.randint(60, 360))
            first = self.rng.randint(0, 1440 - length)
            spans.append((first, first + length - 1))
            need -= length
        return spans

    # -- QSOs ------------------------------------------------------------------------------------
    def band_at(self, minute):
        hour = (12 + minute // 60) % 24
        night = hour >= 18 or hour < 4
        return self.rng.choices(range(6), NIGHT_WEIGHTS if night else DAY_WEIGHTS)[0]

    def free_minute(self, a, b):
        sa, sb = self.stations[a], self.stations[b]
        for attempt in range(40):
            first, last = self.rng.choice(sa.spans)
            minute = self.rng.randint(first, last)
            on_b = attempt > 25 or any(f <= minute <= l for f, l in sb.spans)
            if on_b and minute not in sa.used_minutes and minute not in sb.used_minutes:
                return minute
        return None

    def add_qso(self, a, b, minute=None, band=None, mode=None, seconds=None):
        sa, sb = self.stations[a], self.stations[b]
        modes = [m for m in sa.modes if m in sb.modes]
        if a == b or not modes:
            return None
        if minute is None:
            minute = self.free_minute(a, b)
            if minute is None:
                return None
        band = self.band_at(minute) if band is None else band
        mode = self.rng.choice(modes) if mode is None else mode
        key = (min(a, b), max(a, b), band, mode)
        if key in self.slots:
            return None
        self.slots.add(key)
        sa.used_minutes.add(minute)
        sb.used_minutes.add(minute)
        q = TrueQso(a, b, minute * 60 + self.rng.randint(0, 59) if seconds is None else seconds, band, mode)
        low, high = BAND_KHZ[BANDS[band]][MODES.index(mode)]
        q.freq = self.rng.randint(low, high)
        self.qsos.append(q)
        return q

    def make_qsos(self):
        rng = self.rng
        tickets = []
        for s in self.stations:
            if not s.rare:
                tickets += [s.index] * s.target
        for _ in range(3):  # the configuration model: pair tickets, retry the leftovers
            rng.shuffle(tickets)
            left = []
            for i in range(0, len(tickets) - 1, 2):
                if self.add_qso(tickets[i], tickets[i + 1]) is None:
                    left += [tickets[i], tickets[i + 1]]
            tickets = left
        with_log = [s.index for s in self.stations if s.has_log]
        for s in self.stations:
            if s.rare:
                made = 0
                for _ in range(20):
                    if made == s.target:
                        break
                    made += self.add_qso(s.index, rng.choice(with_log)) is not None

    def number_serials(self):
        for i, q in enumerate(self.qsos):
            self.stations[q.a].serial_order.append((q.seconds, i))
            self.stations[q.b].serial_order.append((q.seconds, i))
        for s in self.stations:
            s.serial_order.sort()
            for n, (_, i) in enumerate(s.serial_order, 1):
                self.qsos[i].serials[s.index] = n

    # -- logs ------------------------------------------------------------------------------------
    def make_logs(self):
        rng = self.rng
        senders = [s for s in self.stations if s.has_log]
        for s in senders:
            s.log = LogFile(s)
            log = s.log
            log.format = "adif" if self.chance(0.3) else "cabrillo"
            if log.format == "adif" and self.chance(0.8) and "adif_seconds" not in self.without:
                log.adif_seconds = True
                log.faults.add("adif_seconds")
            log.offset = rng.uniform(-20, 20)  # every PC clock is some seconds off
            roll = rng.random()
            if roll < 0.025:
                log.faults.add("clock_whole_hour")
                log.offset += 60 * rng.choice([-120, -60, 60, 120, 60, -60])
            elif roll < 0.035:
                log.faults.add("clock_half_hour")
                log.offset += 60 * rng.choice([-90, -30, 30, 90])
            elif roll < 0.05:
                log.faults.add("clock_any")
                log.offset += 60 * rng.choice([-1, 1]) * rng.randint(5, 120)
            elif roll < 0.08:
                log.faults.add("drift")
                log.drift = rng.choice([-1, 1]) * 60.0 / (rng.uniform(2, 4) * 3600)
                log.offset += rng.choice([0, -60 * log.drift * 720])  # set right at the start or the middle
            elif roll < 0.16:
                log.faults.add("clock_small")
                log.offset += 60 * rng.choice([-1, 1]) * rng.randint(1, 7)
            elif roll < 0.235:
                zone = rng.choice(RUSSIAN_ZONES if s.russian else OTHER_ZONES)
                if roll < 0.22:
                    log.faults.add("local_time")
                else:
                    log.faults.add("date_not_rolled")
                    log.date_stays = True
                    zone = zone if zone not in (12, 1, 2) else 7  # its local midnight falls in the contest
                log.offset += 3600 * zone
            elif roll < 0.245:
                log.faults.add("day_off")
                log.offset += rng.choice([-1, 1]) * 86400
        # Logs of one kind each, picked among the middle-sized ones so each matters but none rules.
        middle = [s for s in senders if 20 <= s.target <= 200 and not s.suffix_kind]
        rng.shuffle(middle)
        small = [s for s in senders if s.russian and 5 <= s.target <= 40 and not s.suffix_kind]
        rng.shuffle(small)
        special = {"one_minute": 2, "cabrillo_nbsp": 2, "blank_callsign": 1, "header_only": 1,
                   "prefix_call": 1, "checklog": 3, "unreadable": 1}
        for kind, count in special.items():
            if kind in self.without:
                continue
            for _ in range(count):
                # A Russian prefix alone reads as a place, which is how such a log passes unnoticed.
                fits = [m for m in (small if kind == "prefix_call" else middle) if m in middle or m in small]
                if not fits:
                    sys.exit("make_committee_contest: no log left for " + kind + "; try more --logs")
                s = fits[-1]
                for pool in (middle, small):
                    if s in pool:
                        pool.remove(s)
                log = s.log
                log.faults.add(kind)
                log.format = "cabrillo"  # each of these is a Cabrillo fault
                log.adif_seconds = False
                log.faults.discard("adif_seconds")
                if kind == "one_minute":
                    log.faults -= PENALTY_FREE_LOG_FAULTS
                    log.offset, log.drift, log.date_stays = 0.0, 0.0, False
                    log.one_minute = rng.choice([0 - 12 * 3600, 0])  # 0000 of the first day, or the start
                if kind in ("blank_callsign", "header_only", "unreadable"):
                    log.usable = False
        for kind in ("clock_whole_hour", "clock_half_hour", "clock_any", "drift", "clock_small", "local_time",
                     "date_not_rolled", "day_off"):
            if kind in self.without:
                for s in senders:
                    if kind in s.log.faults:
                        s.log.faults.discard(kind)
                        s.log.offset, s.log.drift, s.log.date_stays = rng.uniform(-20, 20), 0.0, False

    def usable_log(self, index):
        s = self.stations[index]
        return s.has_log and s.log.usable

    # -- faults ----------------------------------------------------------------------------------
    def bust(self, call):
        """One edit of the bare call: a letter changed, added, lost, or two swapped."""
        rng = self.rng
        base, _, suffix = call.partition("/")
        if suffix and base[-1].isdigit() and len(base) <= 3:
            # A prefix form: any prefix of the country with that area names the station, so the
            # slip goes into the call itself.
            return base + "/" + self.bust(suffix)
        while True:
            at = rng.randrange(len(base))
            kind = rng.randrange(4)
            if kind == 0:
                busted = base[:at] + rng.choice(CALL_CHARACTERS) + base[at + 1:]
            elif kind == 1:
                busted = base[:at] + rng.choice(CALL_CHARACTERS) + base[at:]
            elif kind == 2 and len(base) > 4:
                busted = base[:at] + base[at + 1:]
            elif at + 1 < len(base):
                busted = base[:at] + base[at + 1] + base[at] + base[at + 2:]
            else:
                continue
            if busted != base and busted not in self.calls and any(c.isdigit() for c in busted):
                return busted + ("/" + suffix if suffix else "")

    def bust_exchange(self, text):
        rng = self.rng
        while True:
            at = max(0, len(text) - 1 - rng.randrange(2))
            busted = text[:at] + str(rng.randrange(10)) + text[at + 1:]
            if busted != text and busted.lstrip("0") and busted.replace("-", "")[-2:] != "00":
                return busted

    def faultable(self, q):
        return (self.usable_log(q.a) and self.usable_log(q.b) and not q.repeated and q.dupe_of is None
                and 0 <= q.seconds < CONTEST_SECONDS)

    def add_dupes(self):
        for q in list(self.qsos):
            if not self.chance(0.006) or not self.faultable(q) or q.repeated:
                continue
            for _ in range(10):
                minute = q.seconds // 60 + self.rng.choice([-1, 1]) * self.rng.randint(30, 300)
                sa, sb = self.stations[q.a], self.stations[q.b]
                if 0 <= minute < 1440 and minute not in sa.used_minutes and minute not in sb.used_minutes:
                    break
            else:
                continue
            sa.used_minutes.add(minute)
            sb.used_minutes.add(minute)
            repeat = TrueQso(q.a, q.b, minute * 60 + self.rng.randint(0, 59), q.band, q.mode)
            repeat.freq = q.freq + self.rng.randint(-3, 3)
            q.repeated = repeat.repeated = True
            first, later = (q, repeat) if q.seconds < repeat.seconds else (repeat, q)
            later.dupe_of = first
            # The one who called again logs it; the other, told "QSO before", one time in three not.
            if self.chance(0.33):
                later.side_b["missing"] = True
                later.combo = "dupe_one_side"
            else:
                later.combo = "dupe"
            self.qsos.append(repeat)

    def add_out_of_period(self):
        # Stations start a few minutes early or go on after the end; both log those QSOs.
        with_log = [s for s in self.stations if s.has_log and s.log.one_minute is None and not s.rare]
        for _ in range(max(3, len(with_log) // 25)):
            a = self.rng.choice(with_log)
            b = self.rng.choice(self.stations)
            before = self.chance(0.5)
            seconds = (-self.rng.randint(60, 1200) if before else CONTEST_SECONDS + self.rng.randint(0, 1200))
            q = self.add_qso(a.index, b.index, minute=seconds // 60, band=self.band_at(0 if before else 1439),
                             seconds=seconds)
            if q is not None and not (b.has_log and b.log.one_minute is not None):
                q.combo = "out_of_period"
            elif q is not None:
                self.qsos.pop()

    def ghost(self, call, like, modes):
        """A station that makes the odd QSO and sends no log, with the given call."""
        g = Station(len(self.stations))
        g.base = g.signs = call
        g.russian = like.russian
        district = self.rng.choice(self.districts)
        g.districts = (district, district) if like.russian else ("", "")
        g.modes = modes
        g.rare = True
        self.calls.add(call)
        self.stations.append(g)
        return g

    def timed_senders(self):
        return [s for s in self.stations if s.has_log and s.log.usable and s.log.one_minute is None
                and s.log.rows == [] and not s.log.date_stays]

    def add_bursts(self):
        """Small logs that made three or four of their QSOs in one minute, and one before the start."""
        if "small_burst" in self.without:
            return
        count = collections.Counter(i for q in self.qsos for i in (q.a, q.b))
        small = sorted(self.timed_senders(), key=lambda s: count[s.index])[:max(2, self.args.logs // 100)]
        for s in small:
            mine = [q for q in self.qsos if s.index in (q.a, q.b)]
            if any(q.combo or q.repeated or q.dupe_of is not None for q in mine):
                continue
            # A small station: it made only a few of the QSOs it was given.
            keep = self.rng.randint(4, 6)
            gone = set(map(id, mine[keep:]))
            self.qsos = [q for q in self.qsos if id(q) not in gone]
            mine = mine[:keep]
            burst = 3 if keep < 6 else 4
            minute = mine[0].seconds // 60
            for q in mine[1:burst]:
                other = self.stations[q.b if q.a == s.index else q.a]
                if minute in other.used_minutes:
                    continue
                other.used_minutes.add(minute)
                q.seconds = minute * 60 + self.rng.randint(0, 59)
                q.combo = "small_burst"
            mine[0].combo = "small_burst"
            partner = self.rng.choice([p for p in self.stations if p.has_log and p is not s and p.log.one_minute is None])
            early = self.add_qso(s.index, partner.index, minute=-self.rng.randint(3, 15), band=self.band_at(0),
                                 seconds=None)
            if early is not None:
                early.seconds = min(early.seconds, -30)
                early.combo = "out_of_period"

    def add_own_call_variants(self):
        """A station logs its own call as signed elsewhere: another station, not its own log."""
        if "own_call_variant" in self.without:
            return
        senders = [s for s in self.timed_senders() if s.suffix_kind in ("", "portable")]
        for s in self.rng.sample(senders, min(len(senders), max(1, self.args.logs // 200))):
            area = self.rng.choice([a for a in "1234567890" if a != s.area])
            if s.base + "/" + area in self.calls:
                continue
            g = self.ghost(s.base + "/" + area, s, s.modes)
            q = self.add_qso(s.index, g.index, minute=self.free_minute(s.index, s.index))
            if q is not None:
                q.combo = "own_call_variant"

    def add_coincidental(self):
        """Two unrelated QSOs, minutes apart, each with a station one slip from the other log's."""
        if "coincidental_mutual" in self.without:
            return
        rng = self.rng
        senders = [s for s in self.timed_senders() if not s.suffix_kind and s.target >= 20]
        for _ in range(max(1, self.args.logs // 150)):
            a, b = rng.sample(senders, 2)
            modes = [m for m in a.modes if m in b.modes]
            if not modes:
                continue
            mode = rng.choice(modes)
            first, last = rng.choice(a.spans)
            minute = rng.randint(first, last)
            band = self.band_at(minute)
            later = minute + rng.choice([1, 2, 3])
            if (minute in a.used_minutes or later in b.used_minutes or minute >= 1436
                    or (min(a.index, b.index), max(a.index, b.index), band, mode) in self.slots):
                continue
            self.slots.add((min(a.index, b.index), max(a.index, b.index), band, mode))
            x, y = self.ghost(self.bust(b.signs), b, (mode,)), self.ghost(self.bust(a.signs), a, (mode,))
            for own, other, at in ((a, x, minute), (b, y, later)):
                q = self.add_qso(own.index, other.index, minute=at, band=band, mode=mode)
                if q is not None:
                    q.combo = "coincidental_mutual"

    def inject_faults(self):
        rng = self.rng
        combos = [("bust", 0.015), ("bust_time5", 0.003), ("bust_both", 0.002), ("bust_and_exchange", 0.002),
                  ("exchange", 0.015), ("exchange_both", 0.002), ("nil", 0.015), ("time", 0.004),
                  ("band", 0.003), ("mode", 0.002), ("dropped_away_band", 0.04), ("timeless_bust", 0.05)]
        for q in self.qsos:
            if not self.faultable(q) or q.combo:
                continue
            timeless = [i for i in (q.a, q.b) if self.stations[i].log.one_minute is not None]
            away = [i for i in (q.a, q.b) if self.stations[i].suffix_kind in ("away", "prefix_form")]
            roll = rng.random()
            for combo, share in combos:
                if combo == "dropped_away_band" and len(away) != 1:
                    continue  # its share is of the QSOs with a station away from home
                if combo == "timeless_bust" and len(timeless) != 1:
                    continue
                if roll < share:
                    break
                roll -= share
            else:
                continue
            if combo in self.without:
                continue
            if timeless and combo not in ("exchange", "exchange_both", "nil", "timeless_bust"):
                continue  # a log without times is paired by order; keep its QSOs to faults order can tell
            if combo == "timeless_bust":
                if q.a != timeless[0]:
                    q.a, q.b = q.b, q.a
            elif combo == "dropped_away_band":
                if q.b != away[0]:
                    q.a, q.b = q.b, q.a  # side a drops the /N of side b and slips the band
                q.side_a["forced_call"] = self.stations[q.b].base
                if not self.move(q, rng.choice(["band", "mode"])):
                    q.side_a.pop("forced_call")
                    continue
            elif rng.random() < 0.5:
                q.a, q.b = q.b, q.a  # side a is the one at fault
            a_call, b_call = self.stations[q.a].signs, self.stations[q.b].signs
            if combo in ("bust", "bust_time5", "bust_both", "bust_and_exchange", "timeless_bust"):
                q.side_a["call"] = self.bust(b_call)
            if combo == "bust_time5":
                q.side_a["shift"] = rng.choice([-1, 1]) * rng.randint(300, 330)
            if combo == "bust_both":
                q.side_b["call"] = self.bust(a_call)
            if combo in ("bust_and_exchange", "exchange_both"):
                q.side_b["exchange"] = True
            if combo in ("exchange", "exchange_both"):
                q.side_a["exchange"] = True
            if combo == "nil":
                q.side_b["missing"] = True
            if combo == "time":
                q.side_a["shift"] = rng.choice([-1, 1]) * rng.randint(600, 1500)
            if combo == "band" and not self.move(q, "band"):
                continue
            if combo == "mode" and not self.move(q, "mode"):
                continue
            q.combo = combo

    def move(self, q, what):
        if what == "mode" and len(set(self.stations[q.a].modes) & set(self.stations[q.b].modes)) < 2:
            what = "band"
        for _ in range(8):
            band = self.rng.randrange(6) if what == "band" else q.band
            mode = MODES[1 - MODES.index(q.mode)] if what == "mode" else q.mode
            key = (min(q.a, q.b), max(q.a, q.b), band, mode)
            if (band, mode) != (q.band, q.mode) and key not in self.slots:
                self.slots.add(key)
                q.side_a["band"] = band
                q.side_a["mode"] = mode
                return True
        return False

    # -- what each side logged, and its verdict --------------------------------------------------
    def logged_call(self, other):
        """The call a partner writes for a station, its suffix dropped or added now and then."""
        if other.suffix_kind and self.chance(0.2):
            return other.base, other.suffix_kind in ("away", "prefix_form")
        if other.suffix_kind == "prefix_form" and self.chance(0.4):
            return other.suffix_form, False
        if not other.suffix_kind and other.russian and self.chance(0.01):
            return other.base + "/" + other.area, False  # a redundant /N, added by the partner
        return other.signs, False

    def exchange(self, station, q):
        if station.russian:
            return station.districts[0 if q.seconds < CONTEST_SECONDS // 2 else 1]
        return str(q.serials[station.index])

    def credited_counts(self):
        holders = {}
        for q in self.qsos:
            for own, other in ((q.a, q.b), (q.b, q.a)):
                side = q.side_a if own == q.a else q.side_b
                if self.usable_log(own) and "missing" not in side and "call" not in side:
                    holders.setdefault(other, set()).add(own)
        return {station: len(logs) for station, logs in holders.items()}

    def verdict(self, q, own, other, side, other_side, dropped_away, credited):
        s_other = self.stations[other]
        if not 0 <= q.seconds < CONTEST_SECONDS:
            return "out_of_period", s_other.signs
        if q.dupe_of is not None:
            return "dupe", s_other.signs
        if not self.usable_log(other):
            return ("no_log_credited" if credited.get(other, 0) >= 3 else "unique"), ""
        if "call" in side:
            return "busted_call", s_other.signs
        if "missing" in other_side:
            return "nil", ""
        if "band" in side or "band" in other_side:
            return "band_mismatch", s_other.signs
        if dropped_away:
            return "busted_call", s_other.signs
        if "shift" in side or "shift" in other_side:
            if "call" in other_side:
                return "partner_error", s_other.signs
            return "time_mismatch", s_other.signs
        if "exchange" in side:
            return "busted_exchange", s_other.signs
        if "call" in other_side or "exchange" in other_side or other_side.get("dropped_away"):
            return "partner_error", s_other.signs
        return "ok", s_other.signs

    def side_rows(self):
        """Every logged QSO, with its truth; the portable choices fixed first, since the other
        side's verdict depends on them."""
        for q in self.qsos:
            for own, other, side in ((q.a, q.b, q.side_a), (q.b, q.a, q.side_b)):
                if "forced_call" in side:
                    side["logged_call"] = side["forced_call"]
                    side["dropped_away"] = True
                elif "call" not in side:
                    call, dropped_away = self.logged_call(self.stations[other])
                    if dropped_away and (q.combo or q.dupe_of is not None or not self.faultable(q)):
                        call, dropped_away = self.stations[other].signs, False
                    side["logged_call"] = call
                    if dropped_away:
                        side["dropped_away"] = True
        credited = self.credited_counts()
        for q in self.qsos:
            for own, other, side, other_side in ((q.a, q.b, q.side_a, q.side_b), (q.b, q.a, q.side_b, q.side_a)):
                s_own, s_other = self.stations[own], self.stations[other]
                if not s_own.has_log or side.get("missing"):
                    continue
                verdict, partner_call = self.verdict(q, own, other, side, other_side, side.get("dropped_away"),
                                                     credited)
                if not s_own.log.usable:
                    verdict, partner_call = "not_checked", ""
                band = side.get("band", q.band)
                mode = side.get("mode", q.mode)
                freq = q.freq if band == q.band else self.rng.randint(*BAND_KHZ[BANDS[band]][MODES.index(mode)])
                received, sent = self.exchange(s_other, q), self.exchange(s_own, q)
                if side.get("exchange"):
                    received = self.bust_exchange(received)
                elif s_other.russian and "exchange_spelling" not in self.without and self.chance(0.04):
                    received = self.respell(received, s_own.log.format)
                    side["spelling"] = True
                if s_own.russian and "exchange_spelling" not in self.without and self.chance(0.02):
                    sent = self.respell(sent, s_own.log.format)
                    side["spelling"] = True
                faults = self.row_faults(q, own, other, side, other_side)
                s_own.log.rows.append({
                    "seconds": s_own.log.clock(q.seconds + side.get("shift", 0)), "true": q.seconds,
                    "band": BANDS[band], "mode": mode, "freq": freq, "call": side.get("call") or side["logged_call"],
                    "sent": sent, "received": received, "verdict": verdict,
                    "partner_call": partner_call, "faults": faults})

    def respell(self, district, log_format):
        """The same district as another logger or operator writes it."""
        region, number = district.split("-")
        ways = ["lower", "one_digit" if number.startswith("0") else "lower"]
        if all(c in CYRILLIC_LOOKALIKES for c in region):
            ways.append("cyrillic")
        if log_format == "adif":
            ways.append("with_report")
        way = self.rng.choice(ways)
        if way == "lower":
            return (region + number).lower()
        if way == "one_digit":
            return region + "-" + number[1:]
        if way == "cyrillic":
            return "".join(CYRILLIC_LOOKALIKES[c] for c in region) + "-" + number
        return "599 " + district

    def side_tags(self, own, other, side, q):
        """What this side did, seen from its own log."""
        tags = ["exchange_spelling"] if side.get("spelling") else []
        if q.combo in ("bust_both", "exchange_both", "dupe", "dupe_one_side", "out_of_period", "small_burst",
                       "coincidental_mutual", "own_call_variant"):
            tags.append(q.combo)
        elif q.combo:
            tags.append(q.combo + (":self" if side is q.side_a else ":other"))
        s_own, s_other = self.stations[own], self.stations[other]
        if s_own.suffix_kind:
            tags.append("signs_" + s_own.suffix_kind)
        logged = side.get("logged_call", "")
        if s_other.suffix_kind and logged == s_other.base:
            tags.append("dropped_" + s_other.suffix_kind + "_suffix")
        elif s_other.suffix_kind == "prefix_form" and logged == s_other.suffix_form:
            tags.append("prefix_form_as_suffix")
        elif not s_other.suffix_kind and logged != s_other.signs and logged:
            tags.append("added_redundant_suffix")
        return tags

    def row_faults(self, q, own, other, side, other_side):
        s_own, s_other = self.stations[own], self.stations[other]
        faults = self.side_tags(own, other, side, q) + sorted(s_own.log.faults)
        partner = [t for t in self.side_tags(other, own, other_side, q) if ":" not in t and t != q.combo]
        if s_other.has_log:
            partner += sorted(s_other.log.faults)
        else:
            partner.append("no_log")
        return faults + ["partner:" + t for t in partner]


def read_districts(path):
    codes = []
    with open(path, "rb") as f:
        for raw in f:
            word = raw.decode("latin-1").split()
            if word and len(word[0]) == 5 and word[0][2] == "-" and word[0][3:].isdigit():
                codes.append(word[0])
    if not codes:
        sys.exit("make_committee_contest: no district codes in " + path)
    return codes


# -- writing -------------------------------------------------------------------------------------
def moment(seconds):
    return START + datetime.timedelta(seconds=math.floor(seconds))


def file_name(call, ext, lower):
    name = call.replace("/", "_") + ext
    return name.lower() if lower else name


# Made-up programs: what matters is that each writes its own shape.
CREATED_BY = ["QuickLog 1.0.7000", "FieldBook 3.1", "ContestPad 3.2", "RunLog 4.51", "Keyer Log 4.27",
              "RDA-Log 2.0"]


def cabrillo(contest, log, header_call):
    rng = contest.rng
    s = log.station
    newline = "\r\n" if rng.random() < 0.8 else "\n"
    aligned = rng.random() < 0.7
    lines = ["START-OF-LOG: 3.0", "CONTEST: " + rng.choice(["RDAC", "RDA-CONTEST", "RDAC-CW-SSB"]),
             ("CALLSIGN: " + header_call).strip(),
             "CATEGORY-OPERATOR: " + ("CHECKLOG" if "checklog" in log.faults else rng.choice(["SINGLE-OP", "MULTI-OP"])),
             "CATEGORY-BAND: ALL", "CATEGORY-MODE: " + ("MIXED" if len(s.modes) == 2 else s.modes[0]),
             "CATEGORY-POWER: " + rng.choice(["HIGH", "LOW", "QRP"]),
             "CREATED-BY: " + rng.choice(CREATED_BY), "NAME: Operator of " + s.base]
    if "checklog" not in log.faults:
        lines.append("CLAIMED-SCORE: %d" % (len(log.rows) * 7))
    body = []
    if "header_only" not in log.faults:
        own = header_call if "prefix_call" in log.faults else s.signs
        for row in sorted(log.rows, key=lambda r: r["seconds"]):
            t = moment(log.one_minute if log.one_minute is not None else row["seconds"])
            date = t.strftime("%Y-%m-%d")
            if "unreadable" in log.faults and len(body) % 7 != 0:
                date = t.strftime("%d-%m-%Y")
            sent_rst, rcvd_rst = ("599", "599") if row["mode"] == "CW" else ("59", "59")
            sent, received = row["sent"], row["received"]
            if not s.russian and aligned:
                sent = "%03d" % int(sent)
            fields = ["%5d" % row["freq"] if aligned else str(row["freq"]), "CW" if row["mode"] == "CW" else "PH",
                      date, t.strftime("%H%M"), "%-13s" % own if aligned else own, sent_rst,
                      "%-6s" % sent if aligned else sent, "%-13s" % row["call"] if aligned else row["call"],
                      rcvd_rst, received]
            separator = "\xa0" if "cabrillo_nbsp" in log.faults else " "
            body.append(("QSO: " + separator.join(fields)).rstrip())
            row["line"] = len(lines) + len(body)
            row["logged_time"] = t
    text = newline.join(lines + body + ["END-OF-LOG:", ""])
    return text.encode("latin-1")


def adif(contest, log):
    rng = contest.rng
    s = log.station
    lower = rng.random() < 0.3
    mode_usb = rng.random() < 0.2
    with_freq = rng.random() < 0.8

    def field(name, value):
        return "<%s:%d>%s" % (name.lower() if lower else name, len(value), value)

    out = ["ADIF export from " + rng.choice(CREATED_BY) + "\r\n" + field("ADIF_VER", "3.1.0") + "\r\n"
           + field("PROGRAMID", rng.choice(["FieldBook", "ContestPad", "RDA-Log"])) + "\r\n<EOH>\r\n"]
    for row in sorted(log.rows, key=lambda r: r["seconds"]):
        t = moment(row["seconds"])
        mode = row["mode"]
        if mode == "SSB" and mode_usb:
            mode = "USB" if row["band"] in ("20m", "15m", "10m") else "LSB"
        record = [field("CALL", row["call"]), field("QSO_DATE", t.strftime("%Y%m%d")),
                  field("TIME_ON", t.strftime("%H%M%S" if log.adif_seconds else "%H%M")),
                  field("BAND", row["band"].upper() if lower else row["band"]), field("MODE", mode)]
        if with_freq:
            record.append(field("FREQ", "%.3f" % (row["freq"] / 1000.0)))
        rst = "599" if row["mode"] == "CW" else "59"
        record += [field("RST_SENT", rst), field("RST_RCVD", rst)]
        if s.russian:
            record.append(field("STX_STRING", row["sent"]))
        else:
            record.append(field("STX", row["sent"]))
        received = row["received"]
        record.append(field("SRX_STRING" if not received.isdigit() or rng.random() < 0.5 else "SRX", received))
        record.append(field("STATION_CALLSIGN", s.signs))
        out.append(" ".join(record) + " <EOR>\r\n")
        row["line"] = len(out) - 1  # the record's number: an ADIF file's lines mean nothing
        row["logged_time"] = t
    return "".join(out).encode("latin-1")


STRAY = [("RN6AA.cbr", b"PK\x03\x04\x14\x00\x00\x00\x08\x00" + bytes(range(256)) * 4),
         ("ftp_upload.log", b"Fri Aug 25 10:02:11 2017 upload started\r\n226 Transfer complete\r\n"),
         ("rules.pdf", b"%PDF-1.4\n%\xe2\xe3\xcf\xd3\n")]


def write_contest(contest, out):
    folder = os.path.join(out, "logs")
    os.makedirs(folder, exist_ok=True)
    for old in os.listdir(folder):
        os.remove(os.path.join(folder, old))
    truth_rows, log_rows = [], []
    names = set()
    for s in contest.stations:
        if not s.has_log:
            continue
        log = s.log
        header_call = s.signs
        if "blank_callsign" in log.faults:
            header_call = ""
        if "prefix_call" in log.faults:
            header_call = s.base[:next(i for i, c in enumerate(s.base) if c.isdigit()) + 1]
        lower = contest.rng.random() < 0.2
        if log.format == "adif":
            name = file_name(s.signs, contest.rng.choice([".adi", ".adif"]), lower)
            data = adif(contest, log)
        else:
            name = file_name(s.signs, contest.rng.choice([".log", ".cbr", ".log"]), lower)
            data = cabrillo(contest, log, header_call)
        assert name.lower() not in names
        names.add(name.lower())
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
        if log.drift:
            clock = "drift %+.1f min/24h from %+.1f min" % (log.drift * CONTEST_SECONDS / 60, log.offset / 60)
        elif log.one_minute is not None:
            clock = "one minute"
        else:
            clock = "%+d min" % round(log.offset / 60)
        status = "checklog" if "checklog" in log.faults else "log" if log.usable else "skip"
        if "header_only" in log.faults:
            status = "no_qsos"
        shown = [r for r in log.rows if "line" in r]
        # The committee knows whose log it is: a prefix alone in the header stands for the file's call.
        station = s.signs if "prefix_call" in log.faults else header_call
        log_rows.append([name, station, log.format, status, str(len(shown)), clock, " ".join(sorted(log.faults))])
        for r in sorted(shown, key=lambda r: r["line"]):
            truth_rows.append([name, r["line"], station, r["logged_time"].strftime("%Y-%m-%d %H%M"), r["band"],
                               r["mode"], r["call"], r["verdict"], r["partner_call"], " ".join(r["faults"]) or "clean"])
    if "stray_file" not in contest.without:
        for name, data in STRAY:
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)
            log_rows.append([name, "", "stray", "skip", "0", "", "stray_file"])
    write_csv(os.path.join(out, "truth.csv"),
              ["file", "line", "log", "time", "band", "mode", "call", "verdict", "partner_call", "faults"], truth_rows)
    write_csv(os.path.join(out, "truth_logs.csv"), ["file", "log", "kind", "status", "qsos", "clock", "faults"], log_rows)
    end = START + datetime.timedelta(seconds=CONTEST_SECONDS)
    with open(os.path.join(out, "period.txt"), "w") as f:
        f.write(START.strftime("%Y-%m-%d %H:%M") + "\n" + end.strftime("%Y-%m-%d %H:%M") + "\n")
    return len(log_rows), len(truth_rows)


def csv_cell(value):
    text = str(value)
    return '"' + text.replace('"', '""') + '"' if any(c in text for c in ',"\n') else text


def write_csv(path, header, rows):
    with open(path, "w", newline="") as f:
        for row in [header] + rows:
            f.write(",".join(csv_cell(v) for v in row) + "\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("out", help="folder for logs/, truth.csv, truth_logs.csv and period.txt")
    parser.add_argument("--logs", type=int, default=400, help="stations that send a log (default 400)")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--districts", default="examples/rda_sample.dat", help="RDA district table")
    parser.add_argument("--without", default="", help="leave out these classes of faults: " + ",".join(LOG_CLASSES))
    args = parser.parse_args()
    if args.logs < 30:
        parser.error("--logs: at least 30, so every kind of log has room")
    unknown = set(filter(None, args.without.split(","))) - set(LOG_CLASSES)
    if unknown:
        parser.error("--without: unknown " + ",".join(sorted(unknown)))
    contest = Contest(args)
    contest.make_stations()
    contest.make_qsos()
    contest.make_logs()
    contest.add_dupes()
    contest.add_out_of_period()
    contest.add_bursts()
    contest.add_own_call_variants()
    contest.add_coincidental()
    contest.number_serials()
    contest.inject_faults()
    contest.side_rows()
    files, rows = write_contest(contest, args.out)
    print("%d files, %d QSO lines in %s" % (files, rows, os.path.join(args.out, "logs")))


if __name__ == "__main__":
    main()
