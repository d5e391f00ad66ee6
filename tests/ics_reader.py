#!/usr/bin/python3
"""Reads the calendar test_reports exported with Python's icalendar, a reader of its own."""
import datetime
import sys

import icalendar

with open(sys.argv[1], "rb") as f:
    calendar = icalendar.Calendar.from_ical(f.read())

events = {str(e["UID"]): e for e in calendar.walk("VEVENT")}
expected = [  # UID suffix, start, summary, reminder days before
    ("service", datetime.date(2026, 12, 20), "Service: Pump 7, north at Hall 2; Bay\nB", 7),
    ("order", datetime.date(2026, 12, 6), "Order parts: Pump 7, north from Acme, Inc; Ødegård", None),
    ("service", datetime.date(2027, 1, 5), "Service: Fan", None),
]
problems = []
if len(events) != len(expected):
    problems.append(f"{len(events)} events, expected {len(expected)}")
for kind, start, summary, alarm in expected:
    matches = [e for uid, e in events.items()
               if uid.endswith(f"-{kind}@tarvo") and e.decoded("DTSTART") == start]
    if len(matches) != 1:
        problems.append(f"no single {kind} event on {start}")
        continue
    event = matches[0]
    if str(event["SUMMARY"]) != summary:
        problems.append(f"summary {str(event['SUMMARY'])!r}, expected {summary!r}")
    if event.decoded("DTEND") != start + datetime.timedelta(days=1):
        problems.append(f"{summary!r} is no all-day event")
    if event.decoded("DTSTAMP") != datetime.datetime(2026, 12, 6, 10, 0, tzinfo=datetime.timezone.utc):
        problems.append(f"DTSTAMP {event['DTSTAMP'].to_ical()!r}")
    triggers = [a.decoded("TRIGGER") for a in event.walk("VALARM")]
    if triggers != ([] if alarm is None else [datetime.timedelta(days=-alarm)]):
        problems.append(f"{summary!r} reminders {triggers}")
print("\n".join(problems) or f"{len(events)} events read as written")
sys.exit(1 if problems else 0)
