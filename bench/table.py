#!/usr/bin/env python3
"""Prints bench/run.sh's results as the Markdown table of bench/README.md.

    bench/table.py RESULTS_DIR SIZE...
"""
import json
import os
import re
import sys


def load(path):
    if not os.path.exists(path):
        return {}
    with open(path) as f:
        data = json.load(f)
    rows = {}
    for b in data.get("benchmarks", []):
        name = re.sub(r"/(iterations:\d+|manual_time)", "", b["name"])
        rows[name] = b
    return rows


def ms(row, key):
    if not row or key not in row:
        return "–"
    value = row[key]
    return f"{value:.3f}" if value < 1 else f"{value:.1f}"


def main():
    folder, sizes = sys.argv[1], sys.argv[2:]
    print("| Guide | Search | before: program | before: SQLite | after: program | after: SQLite "
          "| after ratio | hits | after peak kB |")
    print("|---:|---|---:|---:|---:|---:|---:|---:|---:|")
    for size in sizes:
        before = load(os.path.join(folder, f"before-{size}.json"))
        after = load(os.path.join(folder, f"after-{size}.json"))
        for name, row in after.items():
            old = before.get(name)
            ratio = f"{row['ratio']:.2f}" if "ratio" in row else "–"
            print(f"| {int(size):,} | {name} | {ms(old, 'program_ms')} | {ms(old, 'sqlite_ms')} "
                  f"| {ms(row, 'program_ms')} | {ms(row, 'sqlite_ms')} | {ratio} "
                  f"| {int(row.get('hits', 0)):,} | {row.get('peak_kB', 0):.0f} |")


if __name__ == "__main__":
    main()
