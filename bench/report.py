#!/usr/bin/env python3
"""The proxy/floor table from proxy_bench's JSON output.

    proxy_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
        --benchmark_out=bench.json --benchmark_out_format=json
    python3 bench/report.py bench.json

Every figure is the median over the repetitions (or the single run without
repetitions) of a benchmark's per-call counters. A row meets its target when
the proxy costs at most 1.10 x its floor; the local shortcut when it is within
2 ns of the direct virtual call. The targets are about logging off; the
level-5 rows say what the records cost on top.
"""
import json
import sys

RATIO_LIMIT = 1.10
LOCAL_LIMIT_NS = 2.0
LOCAL_SHORTCUT = "getData_local"


def medians(benchmarks):
    """{(operation, logging): counters, or None when it did not run}"""
    has_aggregates = any(b.get("run_type") == "aggregate" for b in benchmarks)
    found = {}
    for b in benchmarks:
        if has_aggregates and b.get("aggregate_name") != "median":
            continue
        key = tuple(b.get("run_name", b["name"]).split("/"))
        found[key] = None if b.get("error_occurred") else b
    # In the order the benchmarks were registered, whatever order they ran in.
    order = {tuple(b.get("run_name", b["name"]).split("/")): b.get("family_index", 0) for b in benchmarks}
    return dict(sorted(found.items(), key=lambda item: order[item[0]]))


def cpu_model():
    try:
        with open("/proc/cpuinfo") as info:
            for line in info:
                if line.startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return "unknown"


def verdict(operation, logging, row):
    if logging != "log_off":
        return ""
    if operation == LOCAL_SHORTCUT:
        return "met" if row["diff_ns"] <= LOCAL_LIMIT_NS else "MISSED"
    return "met" if row["ratio"] <= RATIO_LIMIT else "MISSED"


def main(path):
    with open(path) as source:
        run = json.load(source)
    found = medians(run["benchmarks"])
    context = run.get("context", {})
    load = ", ".join(f"{x:.2f}" for x in context.get("load_avg", []))
    print(f"{cpu_model()}, {context.get('num_cpus', '?')} cores; load average at start {load}")
    print()
    print("| operation | logging | proxy ns | floor ns | proxy/floor | proxy − floor ns "
          "| proxy allocs | floor allocs | target (logging off) |")
    print("|---|---|---:|---:|---:|---:|---:|---:|---|")
    for (operation, logging), row in found.items():
        label = "off" if logging == "log_off" else "level 5"
        if row is None:
            print(f"| {operation} | {label} | | | | | | | not measured |")
            continue
        print(f"| {operation} | {label} | {row['proxy_ns']:.1f} | {row['floor_ns']:.1f} | {row['ratio']:.3f} "
              f"| {row['diff_ns']:+.1f} | {row['proxy_allocs']:g} | {row['floor_allocs']:g} "
              f"| {verdict(operation, logging, row)} |")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
