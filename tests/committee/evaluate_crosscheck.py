#!/usr/bin/env python3
"""Measures a cross-check against the committee's truth that make_committee_contest.py wrote.

    evaluate_crosscheck.py CONTEST CHECKED [--strict] [--list 25]

CONTEST holds truth.csv and truth_logs.csv; CHECKED is the cross-check's --out folder
(checked.csv, results.csv, CALL.ubn). Prints label accuracy, precision and recall per verdict,
the confusion matrix, accuracy per fault class, the stations penalised for what they did not do,
clocks found, and which logs were ranked. Exit 0 however it scores; 1 with --strict when the
bar is missed (label accuracy 0.98; NIL and busted_call precision and recall 0.95; busted_exchange
precision 0.95; no QSO line dropped; at most 2% of the stations that made no error of their own
penalised); 2 when an input is missing.

A QSO line the cross-check gave no row counts as not_checked; a row it wrote for no QSO line of
the truth counts under truth "(none)". Rows pair up by log, band, mode and call as logged, in
time order, so a time rounded differently still finds its line.
"""
import argparse
import collections
import csv
import os
import re
import sys

PENALTIES = {"nil", "busted_call", "busted_exchange"}
COUNTING = {"ok", "no_log_credited"}
SHORT = {"ok": "ok", "dupe": "dupe", "nil": "nil", "busted_call": "bcall", "busted_exchange": "bexch",
         "time_mismatch": "time", "band_mismatch": "band", "unique": "uniq", "no_log_credited": "credit",
         "partner_error": "perr", "out_of_period": "period", "not_checked": "notchk", "(none)": "(none)"}
ORDER = list(SHORT)


def read_csv(path):
    try:
        with open(path, newline="", encoding="latin-1") as f:
            return list(csv.DictReader(f))
    except OSError as error:
        sys.stderr.write("evaluate_crosscheck: %s\n" % error)
        sys.exit(2)


def key(row):
    return (row["log"].upper(), row["band"].lower(), row["mode"].upper(), row["call"].upper())


def pair_rows(truth, checked):
    """[(truth row or None, checked row or None)], paired within each log, band, mode and call."""
    by_key = collections.defaultdict(lambda: ([], []))
    for row in truth:
        by_key[key(row)][0].append(row)
    for row in checked:
        by_key[key(row)][1].append(row)
    pairs = []
    for rows_truth, rows_checked in by_key.values():
        rows_truth.sort(key=lambda r: (r["time"], int(r["line"])))
        rows_checked.sort(key=lambda r: r["time"])  # stable: the checker's own order among ties
        for i in range(max(len(rows_truth), len(rows_checked))):
            pairs.append((rows_truth[i] if i < len(rows_truth) else None,
                          rows_checked[i] if i < len(rows_checked) else None))
    return pairs


def labels(pair):
    truth, checked = pair
    return (truth["verdict"] if truth else "(none)", checked["verdict"] if checked else "not_checked")


def ratio(a, b):
    return "%.3f" % (a / b) if b else "  -  "


def print_scores(pairs, out):
    confusion = collections.Counter(labels(p) for p in pairs)
    truths = collections.Counter(t for t, _ in confusion.elements())
    predictions = collections.Counter(p for _, p in confusion.elements())
    in_truth = sum(n for (t, _), n in confusion.items() if t != "(none)")
    right = sum(n for (t, p), n in confusion.items() if t == p)
    out.append("Label accuracy: %s (%d of %d QSO lines; %d rows for no line)"
               % (ratio(right, in_truth), right, in_truth, truths["(none)"]))
    out.append("")
    out.append("%-16s %7s %7s %9s %7s" % ("verdict", "truth", "given", "precision", "recall"))
    scores = {}
    for verdict in ORDER:
        if verdict == "(none)" or not (truths[verdict] or predictions[verdict]):
            continue
        hit = confusion[(verdict, verdict)]
        scores[verdict] = (hit / predictions[verdict] if predictions[verdict] else 0.0,
                           hit / truths[verdict] if truths[verdict] else 0.0)
        out.append("%-16s %7d %7d %9s %7s" % (verdict, truths[verdict], predictions[verdict],
                                             ratio(hit, predictions[verdict]), ratio(hit, truths[verdict])))
    for verdict in sorted(set(predictions) - set(ORDER)):
        out.append("%-16s %7d %7d   (a verdict the truth does not use)" % (verdict, 0, predictions[verdict]))
    used = [v for v in ORDER if truths[v] or predictions[v]] + sorted(set(predictions) - set(ORDER))
    out.append("")
    out.append("Confusion matrix (rows: truth, columns: given)")
    out.append("%-8s" % "" + "".join("%8s" % SHORT.get(v, v[:7]) for v in used))
    for t in used:
        if truths[t]:
            out.append("%-8s" % SHORT.get(t, t[:7]) + "".join("%8s" % (confusion[(t, p)] or ".") for p in used))
    return scores, right / in_truth if in_truth else 0.0


def print_fault_classes(pairs, out):
    rows = collections.Counter()
    wrong = collections.defaultdict(collections.Counter)
    for pair in pairs:
        if not pair[0]:
            continue
        truth, given = labels(pair)
        for tag in pair[0]["faults"].split():
            rows[tag] += 1
            if truth != given:
                wrong[tag][(truth, given)] += 1
    out.append("Fault classes (tags of the row's own log and QSO; partner: the other side's), most errors first")
    out.append("%-34s %7s %7s %9s  %s" % ("class", "rows", "wrong", "accuracy", "commonest wrong labels"))
    for tag in sorted(rows, key=lambda t: (-sum(wrong[t].values()), t)):
        n_wrong = sum(wrong[tag].values())
        common = ", ".join("%s>%s %d" % (SHORT.get(t, t), SHORT.get(g, g), n) for (t, g), n in wrong[tag].most_common(3))
        out.append("%-34s %7d %7d %9s  %s" % (tag, rows[tag], n_wrong, ratio(rows[tag] - n_wrong, rows[tag]), common))


def print_penalised(pairs, out, limit):
    """Stations the cross-check penalised for a QSO they did nothing wrong on."""
    at_fault = collections.Counter()
    wrongly = collections.defaultdict(collections.Counter)
    escaped = collections.Counter()
    for pair in pairs:
        truth, given = labels(pair)
        row = pair[0] or pair[1]
        if truth in PENALTIES:
            at_fault[row["log"]] += 1
            if given in COUNTING:
                escaped[truth] += 1
        elif given in PENALTIES:
            wrongly[row["log"]][(truth, given)] += 1
    innocent = [log for log in wrongly if not at_fault[log]]
    qsos = sum(sum(c.values()) for c in wrongly.values())
    checked_logs = {pair[0]["log"] for pair in pairs if pair[0] and pair[0]["verdict"] != "not_checked"}
    blameless = len(checked_logs - set(at_fault))
    out.append("Penalised wrongly: %d QSO(s) of %d station(s); %d of those stations made no error of their own"
               % (qsos, len(wrongly), len(innocent)))
    out.append("Innocent stations penalised: %d of %d (%s)" % (len(innocent), blameless,
                                                           "%.1f%%" % (100.0 * len(innocent) / blameless) if blameless else "-"))
    out.append("Own errors that escaped (counted as good): " +
               (", ".join("%s %d" % (v, n) for v, n in sorted(escaped.items())) or "none"))
    ranked = sorted(wrongly, key=lambda log: (bool(at_fault[log]), -sum(wrongly[log].values()), log))
    for log in ranked[:limit]:
        what = ", ".join("%s>%s %d" % (SHORT.get(t, t), SHORT.get(g, g), n) for (t, g), n in wrongly[log].most_common())
        out.append("  %-12s %s%s" % (log or "(no call)", what, "" if at_fault[log] else "   (innocent)"))
    if len(ranked) > limit:
        out.append("  ... %d more" % (len(ranked) - limit))
    return len(innocent) / blameless if blameless else 0.0


def print_logs(truth_logs, checked_dir, out):
    results = read_csv(os.path.join(checked_dir, "results.csv"))
    ranked = {r["call"].upper() for r in results}
    problems = []
    for log in truth_logs:
        call = log["log"].upper()
        if log["status"] == "checklog" and call in ranked:
            problems.append("checklog %s is ranked in results.csv" % call)
        if log["status"] in ("skip", "no_qsos") and call and call in ranked:
            problems.append("%s (%s, %s) is ranked in results.csv" % (call, log["faults"], log["file"]))
    out.append("Logs: %d files, %d ranked in results.csv" % (len(truth_logs), len(results)))
    out += ["  " + p for p in problems]

    found = collections.defaultdict(lambda: [0, 0])
    told_off = collections.defaultdict(lambda: [0, 0])
    for log in truth_logs:
        clock = re.fullmatch(r"([+-]\d+) min", log["clock"])
        kinds = [f for f in log["faults"].split() if f.startswith("clock_") or f in ("local_time", "date_not_rolled", "day_off")] or ["clock_none"]
        if not clock or log["status"] not in ("log", "checklog"):
            continue
        try:
            with open(os.path.join(checked_dir, log["log"].replace("/", "_") + ".ubn"), encoding="latin-1") as f:
                said = re.search(r"Clock offset: ([+-]?\d+) min", f.read())
        except OSError:
            said = None
        for kind in kinds:
            found[kind][0] += 1
            found[kind][1] += bool(said) and abs(int(said.group(1)) - int(clock.group(1))) <= 1
        if kinds == ["clock_none"] and "drift" not in log["faults"]:
            shape = "ADIF with seconds" if "adif_seconds" in log["faults"] else "others"
            told_off[shape][0] += 1
            told_off[shape][1] += bool(said) and said.group(1).lstrip("+-") != "0"
    out.append("Clock offsets in the UBN within a minute of the truth: " +
               ", ".join("%s %d of %d" % (k, v[1], v[0]) for k, v in sorted(found.items())))
    out.append("Right clocks (within 20 s) said to be off: " +
               ", ".join("%s %d of %d" % (k, v[1], v[0]) for k, v in sorted(told_off.items())))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("contest", help="folder with truth.csv and truth_logs.csv")
    parser.add_argument("checked", help="the cross-check's --out folder")
    parser.add_argument("--strict", action="store_true", help="exit 1 when the bar is missed")
    parser.add_argument("--list", type=int, default=25, help="stations to list by name (default 25)")
    args = parser.parse_args()
    truth = read_csv(os.path.join(args.contest, "truth.csv"))
    truth_logs = read_csv(os.path.join(args.contest, "truth_logs.csv"))
    checked = read_csv(os.path.join(args.checked, "checked.csv"))
    pairs = pair_rows(truth, checked)
    out = []
    scores, accuracy = print_scores(pairs, out)
    out.append("")
    innocent_share = print_penalised(pairs, out, args.list)
    dropped = sum(1 for t, c in pairs if t and not c and t["verdict"] != "not_checked")
    out.append("QSO lines given no row: %d" % dropped)
    out.append("")
    print_logs(truth_logs, args.checked, out)
    out.append("")
    print_fault_classes(pairs, out)
    bar = [("label accuracy", accuracy, 0.98), ("busted_exchange precision", scores.get("busted_exchange", (1.0, 1.0))[0], 0.95)]
    for verdict in ("nil", "busted_call"):
        precision, recall = scores.get(verdict, (0.0, 0.0))
        bar += [(verdict + " precision", precision, 0.95), (verdict + " recall", recall, 0.95)]
    missed = [name for name, value, least in bar if value < least]
    missed += ["at most 2% of the innocent penalised"] if innocent_share > 0.02 else []
    missed += ["no QSO line dropped"] if dropped else []
    out.append("")
    out.append("Bar: " + ("met" if not missed else "missed: " + ", ".join(missed)))
    print("\n".join(out))
    return 1 if args.strict and missed else 0


if __name__ == "__main__":
    sys.exit(main())
