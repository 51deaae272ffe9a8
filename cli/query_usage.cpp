#include "cli/query_options.h"

namespace skelvane {

const char kQueryUsage[] =
    "Usage: skelvane-query [options]\n"
    "Asks the master server for every game server, queries each one and prints\n"
    "the servers that pass the filters, sorted like the browser sorts them.\n"
    "Progress goes to stderr, the table to stdout.\n"
    "\n"
    "  --master HOST[:PORT]  master server (default master.skelvane.net:30710)\n"
    "  --full, --no-full     list full servers or not (default: list them)\n"
    "  --empty, --no-empty   list empty servers or not (default: list them)\n"
    "  --rate N              status queries per second, a positive integer (default 10)\n"
    "  --sort COLUMN         Host Name, IP Address, Map, Mod, Players or Ping,\n"
    "                        by title or index 0-5 (default Ping)\n"
    "  --reverse             the other direction of the sort column\n"
    "  --players             list each server's players below it\n"
    "  --json                print every field of every server as JSON\n"
    "  --help                this text\n"
    "\n"
    "Exit status: 0 completed, 1 aborted (Ctrl-C), 2 master query failed,\n"
    "3 status sweep could not start, 64 bad command line.\n";

}  // namespace skelvane
