#!/usr/bin/env python3
"""Times whole refreshes of a large local test network and prints a table.

Each run starts a fresh skelvane-testnet (all servers well-behaved), runs one
refresh with skelvane-query at the given rates, and, as the baseline in the
same run, queries the same network with qstat at its fastest reasonable
settings. skelvane-query also sweeps the network's list given with --servers
(no master phase), head to head with qstat, which is given the same list.
Reported per configuration, as medians over the runs:

  wall s       from process start to exit
  sweep s      the status phase: from "Querying servers..." to the summary
               text (for qstat, which is given the server list, its wall time)
  vs qstat     sweep s against qstat's
  tail s       from the last query's pacing to the summary text
  pass 1       share of servers that answered their first query
  parsed/sent  answers parsed by the browser / answers the network sent
  cpu s        user + system CPU seconds of the querying process
  peak MB      its peak resident memory
"""

import argparse
import json
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(ROOT, "build", "native-release")
QUERY = os.path.join(BUILD, "cli", "skelvane-query")
TESTNET = os.path.join(BUILD, "testnet", "skelvane-testnet")
UNLIMITED = 1000000


def build():
    subprocess.run(["cmake", "--preset", "native-release"], cwd=ROOT, check=True,
                   stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", "--preset", "native-release", "-j", "2",
                    "--target", "skelvane-query", "skelvane-testnet"], cwd=ROOT, check=True,
                   stdout=subprocess.DEVNULL)


class Testnet:
    """One skelvane-testnet process; stopped by its process id."""

    def __init__(self, servers, seed):
        self.dir = tempfile.mkdtemp(prefix="skelvane-bench-")
        self.list_file = os.path.join(self.dir, "servers.txt")
        self.err = open(os.path.join(self.dir, "summary.txt"), "w+")
        self.process = subprocess.Popen(
            [TESTNET, "--mix", "plain", "--servers", str(servers), "--seed", str(seed),
             "--master-port", "0", "--list-file", self.list_file],
            stdout=subprocess.PIPE, stderr=self.err, text=True)
        self.master = self.process.stdout.readline().split()[1]
        if self.process.stdout.readline().strip() != "ready":
            raise RuntimeError("skelvane-testnet did not start")

    def servers(self):
        with open(self.list_file) as listing:
            return [line.split()[1] for line in listing if line.startswith("server ")]

    def stop(self):
        """Stops the network and gives the number of answers it sent."""
        self.process.terminate()
        self.process.wait()
        self.err.seek(0)
        summary = self.err.read()
        shutil.rmtree(self.dir)
        match = re.search(r"^servers .*\banswers=(\d+)", summary, re.M)
        return int(match.group(1)) if match else None


def timed(command):
    """Runs a command under GNU time; gives its output, stderr lines with the
    moment each arrived, and (wall, cpu, peak MB)."""
    start = time.monotonic()
    process = subprocess.Popen(["/usr/bin/time", "-f", "@@time %e %U %S %M"] + command,
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                               errors="replace")
    lines = []
    out_file = tempfile.TemporaryFile(mode="w+")

    reader = threading.Thread(target=lambda: shutil.copyfileobj(process.stdout, out_file))
    reader.start()
    for line in process.stderr:
        lines.append((time.monotonic() - start, line.rstrip("\n")))
    reader.join()
    process.wait()
    out_file.seek(0)
    wall, user, system, peak_kb = lines.pop()[1].split()[1:]
    return out_file.read(), lines, (float(wall), float(user) + float(system), int(peak_kb) / 1024)


class ServerList:
    """The network's servers in a file, one ADDRESS:PORT a line, as both
    programs take a list of servers."""

    def __init__(self, net):
        self.file = tempfile.NamedTemporaryFile("w", suffix=".txt")
        self.file.write("\n".join(net.servers()) + "\n")
        self.file.flush()
        self.name = self.file.name

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.file.close()


def run_browser(net, servers, rate, given_list=False):
    with ServerList(net) as listing:
        source = ["--servers", listing.name] if given_list else ["--master", net.master]
        out, lines, (wall, cpu, peak) = timed(
            [QUERY] + source + ["--rate", str(rate), "--json"])
    sent = net.stop()
    records = json.loads(out)

    def moment(pattern, last=False):
        found = [t for t, text in lines if re.match(pattern, text)]
        return (found[-1] if last else found[0]) if found else None

    sweep_start = moment(r"Querying servers\.\.\.$")
    last_query = moment(r"(Querying|Retrying) \d", last=True)
    summary = moment(r"(Completed|Aborted)\. ")
    return {
        "wall": wall,
        "sweep": summary - sweep_start,
        "tail": summary - last_query,
        "pass1": sum(1 for r in records if r["attempts"] == 1) / servers,
        "parsed": len(records),
        "sent": sent,
        "cpu": cpu,
        "peak": peak,
    }


def qstat_binary():
    listing = subprocess.run(["dpkg", "-L", "qstat"], capture_output=True, text=True).stdout
    return next(line for line in listing.split() if re.match(r"^/usr/bin/.*stat$", line))


def answering_rows(output):
    """The rows of qstat's raw output whose server answered."""
    return [line for line in output.splitlines()
            if line.count(",") >= 3 and line.split(",")[2] not in ("DOWN", "TIMEOUT", "ERROR")]


def qstat_server_type(qstat, net):
    """The qstat server type that understands the test network's servers: each
    server type qstat lists is tried against one of them (on loopback), in
    parallel, and the first that reads an answer is taken."""
    help_text = subprocess.run([qstat, "-h"], capture_output=True, text=True).stdout
    types = re.findall(r"^\s+-(\w+)\s+Query (?!.*Master server).* server$", help_text, re.M)
    server = net.servers()[0]
    probes = {t: subprocess.Popen([qstat, "-raw", ",", "-timeout", "2", "-retry", "1",
                                   "-" + t, server], stdout=subprocess.PIPE,
                                  stderr=subprocess.DEVNULL, text=True, errors="replace")
              for t in types}
    answering = [t for t, probe in probes.items() if answering_rows(probe.communicate()[0])]
    if not answering:
        raise RuntimeError("no qstat server type understands the test network")
    return answering[0]


def run_qstat(qstat, server_type, net):
    """The status phase by qstat: every server of the network's list, queried at
    qstat's fastest reasonable settings. qstat is given the list directly; it
    has no master phase."""
    with ServerList(net) as listing:
        out, _, (wall, cpu, peak) = timed(
            [qstat, "-default", server_type, "-f", listing.name, "-raw", ",", "-P",
             "-maxsim", "1000", "-sendinterval", "0", "-retry", "2", "-interval", "0.5"])
    sent = net.stop()
    return {"wall": wall, "sweep": wall, "tail": None, "pass1": None,
            "parsed": len(answering_rows(out)), "sent": sent, "cpu": cpu, "peak": peak}


def median(values, digits=2):
    values = [v for v in values if v is not None]
    return f"{statistics.median(values):.{digits}f}" if values else "-"


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--servers", type=int, default=5000)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--no-build", action="store_true")
    args = parser.parse_args()
    if not args.no_build:
        build()

    qstat = qstat_binary()
    probe = Testnet(1, 1)
    server_type = qstat_server_type(qstat, probe)
    probe.stop()

    configurations = [
        ("skelvane-query, 1000/s", lambda net: run_browser(net, args.servers, 1000)),
        ("skelvane-query, unlimited", lambda net: run_browser(net, args.servers, UNLIMITED)),
        ("skelvane-query --servers, unlimited",
         lambda net: run_browser(net, args.servers, UNLIMITED, given_list=True)),
        ("qstat baseline", lambda net: run_qstat(qstat, server_type, net)),
    ]
    results = {name: [] for name, _ in configurations}
    for run in range(args.runs):
        for name, measure in configurations:
            results[name].append(measure(Testnet(args.servers, run + 1)))
            print(f"run {run + 1}/{args.runs}: {name}: {results[name][-1]}", file=sys.stderr)

    baseline = statistics.median(r["sweep"] for r in results["qstat baseline"])
    print(f"{args.servers} servers, {args.runs} runs each, medians")
    header = ["configuration", "wall s", "sweep s", "vs qstat", "tail s", "pass 1",
              "parsed/sent", "cpu s", "peak MB"]
    rows = []
    for name, runs in results.items():
        sweep = statistics.median(r["sweep"] for r in runs)
        rows.append([name, median([r["wall"] for r in runs]), f"{sweep:.2f}",
                     f"{sweep / baseline:.2f}", median([r["tail"] for r in runs]),
                     median([r["pass1"] for r in runs], 3),
                     f"{median([r['parsed'] for r in runs], 0)}/"
                     f"{median([r['sent'] for r in runs], 0)}",
                     median([r["cpu"] for r in runs]), median([r["peak"] for r in runs], 1)])
    widths = [max(len(str(row[i])) for row in [header] + rows) for i in range(len(header))]
    for row in [header] + rows:
        print("  ".join(str(cell).ljust(width) for cell, width in zip(row, widths)))

    # Both given the same list, no master phase: whole runs, process start to exit.
    given = results["skelvane-query --servers, unlimited"]
    qstat_runs = results["qstat baseline"]
    given_wall = statistics.median(r["wall"] for r in given)
    qstat_wall = statistics.median(r["wall"] for r in qstat_runs)
    print()
    print(f"given list head to head: skelvane-query --servers {given_wall:.2f} s, "
          f"qstat {qstat_wall:.2f} s, ratio {given_wall / qstat_wall:.2f}; "
          f"servers answered in every run: skelvane-query "
          f"{min(r['parsed'] for r in given)}/{args.servers}, "
          f"qstat {min(r['parsed'] for r in qstat_runs)}/{args.servers}")


if __name__ == "__main__":
    main()
