#!/usr/bin/env python3
"""Makes the example RDAC contest log, district table and hint file of this folder.

Callsigns are real ones, from the master callsign list of Debian's hamradio-files package;
districts, serial numbers, times and frequencies are made up. The same seed gives the same
files, so the committed examples can be checked by running this again.

    python3 examples/make_sample.py             # rewrites the examples
    python3 examples/make_sample.py --qsos 100000 --log /tmp/big.adi   # a large log only
"""
import argparse
import datetime
import os
import random

MASTER = "/usr/share/hamradio-files/MASTER.SCP"
HERE = os.path.dirname(os.path.abspath(__file__))

# Two-letter RDA region codes; the sample table numbers districts under each of them.
REGIONS = (
    "SP LO AR VO MU NV PS KL NO KA KO BO BR VL VR IV KG KS KU LP MA MO OR RA SM TB TV TL YR AD "
    "DA CN KR RK SE IN KB KM KC SO AO ST RO VG NN BA OB MR MD PE TA PM UD SR CU SA UL KI KN CB "
    "SV HM TN JN GA KE NS AL OM TO BU TU HA ZK KK AB IR UO YA PK HK AM KT MG EA KJ CK SL"
).split()

CONTEST_START = datetime.datetime(2017, 8, 19, 12, 0)
CONTEST_HOURS = 24

# band: (weight, CW segment start kHz, SSB segment start kHz, SSB sideband)
BANDS = {
    "160m": (8, 1810, 1840, "LSB"),
    "80m": (22, 3510, 3620, "LSB"),
    "40m": (25, 7005, 7080, "LSB"),
    "20m": (25, 14010, 14150, "USB"),
    "15m": (12, 21010, 21200, "USB"),
    "10m": (8, 28010, 28400, "USB"),
}
OFF_CONTEST_BANDS = {"30m": 10110, "17m": 18075}


def master_calls():
    with open(MASTER, encoding="ascii", errors="replace") as f:
        return [line.strip() for line in f if line.strip() and not line.startswith("#")]


def is_russian(call):
    """Russian callsign blocks: R, and UA to UI, followed by an optional letter and a digit."""
    base, _, suffix = call.partition("/")
    if suffix in ("P", "M") or (len(suffix) == 1 and suffix.isdigit()):
        call = base
    if "/" in call or len(call) < 3:
        return False
    if call[0] == "R":
        return call[1].isdigit() or (call[1].isalpha() and call[2].isdigit())
    return call[0] == "U" and "A" <= call[1] <= "I" and call[2].isdigit()


def district_table(rng):
    return {region: rng.randint(8, 45) for region in REGIONS}


def code(region, number):
    return "%s-%02d" % (region, number)


def adif_field(name, value):
    return "<%s:%d>%s" % (name, len(value.encode("ascii")), value)


def frequency(rng, band, mode):
    _, cw, ssb, _ = BANDS[band]
    khz = (cw + rng.uniform(0, 40)) if mode == "CW" else (ssb + rng.uniform(0, 120))
    return "%.5f" % (khz / 1000.0)


def make_log(rng, calls, districts, size, own_call):
    russians = [c for c in calls if is_russian(c) and c != own_call]
    others = [c for c in calls if not is_russian(c)]
    station_district = {}
    serials = {}
    worked = set()
    qsos = []
    minutes = CONTEST_HOURS * 60
    for index in range(size):
        at = CONTEST_START + datetime.timedelta(seconds=int(index * minutes * 60 / size) + rng.randint(0, 20))
        if qsos and rng.random() < 0.015:  # a dupe: the same station, band and mode again
            earlier = rng.choice(qsos)
            qsos.append(dict(earlier, time=at, serial_sent=index + 1))
            continue
        while True:  # dupes come only from the branch above, as often as operators make them
            band = rng.choices(list(BANDS), weights=[b[0] for b in BANDS.values()])[0]
            mode = "CW" if rng.random() < 0.55 else "SSB"
            russian = rng.random() < 0.65
            call = rng.choice(russians if russian else others)
            if (call, band, mode) not in worked:
                break
        worked.add((call, band, mode))
        if russian:
            if call not in station_district:
                region = rng.choice(REGIONS)
                station_district[call] = code(region, rng.randint(1, districts[region]))
            received = station_district[call]
            if rng.random() < 0.2:
                received = received.replace("-", "")  # typed without the dash
            if rng.random() < 0.004:
                received = rng.choice(["ZZ-01", "MA-99", "KL77"])  # not in the table
        else:
            serials[call] = serials.get(call, rng.randint(1, 300)) + rng.randint(1, 5)
            received = "%03d" % serials[call]
        qsos.append(dict(call=call, band=band, mode=mode, time=at, freq=frequency(rng, band, mode),
                         received=received, serial_sent=index + 1))
    # A few QSOs that the contest does not count: bands and a mode outside it, a lost exchange.
    for index in rng.sample(range(size), 8):
        q = qsos[index]
        kind = index % 4
        if kind == 0:
            band = rng.choice(list(OFF_CONTEST_BANDS))
            q.update(band=band, mode="CW", freq="%.5f" % ((OFF_CONTEST_BANDS[band] + 5) / 1000.0))
        elif kind == 1:
            q.update(mode="FT8", band="20m", freq="14.07400")
        elif kind == 2:
            q.update(received="")
    return qsos, station_district


def adif_text(qsos, own_call, own_district):
    out = [
        "RDAC 2017 sample log, made by examples/make_sample.py from real callsigns\r\n",
        "with made-up districts and serial numbers.\r\n",
        adif_field("ADIF_VER", "3.1.0") + "\r\n",
        adif_field("PROGRAMID", "make_sample.py") + "\r\n",
        "<EOH>\r\n",
    ]
    for q in qsos:
        mode = q["mode"]
        fields = [
            adif_field("CALL", q["call"]),
            adif_field("QSO_DATE", q["time"].strftime("%Y%m%d")),
            adif_field("TIME_ON", q["time"].strftime("%H%M%S")),
            adif_field("BAND", q["band"]),
            adif_field("FREQ", q["freq"]),
            adif_field("MODE", mode),
        ]
        if mode == "SSB":
            fields.append(adif_field("SUBMODE", BANDS.get(q["band"], (0, 0, 0, "USB"))[3]))
        report = "599" if mode == "CW" else "59"
        fields += [adif_field("RST_SENT", report), adif_field("RST_RCVD", report),
                   adif_field("STX_STRING", own_district)]
        if q["received"]:
            fields.append(adif_field("SRX_STRING", q["received"]))
        fields += [adif_field("STATION_CALLSIGN", own_call), adif_field("OPERATOR", own_call)]
        out.append(" ".join(fields) + " <EOR>\r\n")
    return "".join(out)


def write(name, text):
    with open(os.path.join(HERE, name), "w", encoding="ascii", newline="") as f:
        f.write(text)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--qsos", type=int, default=3000)
    parser.add_argument("--log", help="write only the log, to this file")
    parser.add_argument("--seed", type=int, default=2017)
    args = parser.parse_args()

    rng = random.Random(args.seed)
    calls = master_calls()
    districts = district_table(rng)
    own_call = next(c for c in calls if c.startswith("RA3") and len(c) == 5 and c[3:].isalpha())
    own_district = code("MA", 3)
    qsos, station_district = make_log(rng, calls, districts, args.qsos, own_call)
    log = adif_text(qsos, own_call, own_district)
    if args.log:
        with open(args.log, "w", encoding="ascii", newline="") as f:
            f.write(log)
        return
    write("sample.adi", log)
    table = ["Sample RDA district table for the rdac demo: made up codes, not the official list\r\n"]
    for region in REGIONS:
        for number in range(1, districts[region] + 1):
            table.append("%s Sample district %d of region %s\r\n" % (code(region, number), number, region))
    write("rda_sample.dat", "".join(table))
    hinted = sorted(station_district)[::3]
    write("RDAC_sample.hlp", "".join("%s %s\r\n" % (c, station_district[c].replace("-", "")) for c in hinted))


if __name__ == "__main__":
    main()
