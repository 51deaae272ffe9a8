#include "testnet/testnet_report.h"

#include "testnet/loopback_address.h"
#include "testnet/server_knobs.h"

namespace skelvane {

namespace {

std::string Field(const char* name, std::uint64_t value) {
    return std::string(" ") + name + "=" + std::to_string(value);
}

bool AnsweredFromListedPort(const ServerTraffic& traffic) {
    return traffic.answers > traffic.otherPortAnswers;
}

std::string ServerTotals(const TrafficCounters& counters) {
    ServerTraffic total;
    std::uint64_t queried = 0;
    std::uint64_t answered = 0;
    for (const ServerTraffic& server : counters.servers) {
        total.queries += server.queries;
        total.answers += server.answers;
        total.datagrams += server.datagrams;
        total.otherPortAnswers += server.otherPortAnswers;
        total.withheld += server.withheld;
        queried += server.queries > 0 ? 1 : 0;
        answered += AnsweredFromListedPort(server) ? 1 : 0;
    }
    return "servers" + Field("count", counters.servers.size()) + Field("queried", queried) +
           Field("answered", answered) + Field("queries", total.queries) +
           Field("answers", total.answers) + Field("datagrams", total.datagrams) +
           Field("other_port_answers", total.otherPortAnswers) + Field("withheld", total.withheld) +
           Field("ignored", counters.ignored) + Field("send_failures", counters.sendFailures) +
           "\n";
}

}  // namespace

std::string MasterLine(const Ipv4Endpoint& master) {
    return "master " + FormatEndpoint(master) + "\n";
}

std::string ServerLine(const Ipv4Endpoint& server, const ServerBehaviour& behaviour) {
    return "server " + FormatEndpoint(server) + " " + DescribeBehaviour(behaviour) + "\n";
}

std::string FormatSummary(const TrafficCounters& counters, std::span<const Ipv4Endpoint> servers) {
    const MasterTraffic& master = counters.master;
    std::string text = "master" + Field("requests", master.requests) +
                       Field("answered", master.answered) + Field("datagrams", master.datagrams) +
                       "\n" + ServerTotals(counters);
    for (std::size_t i = 0; i < counters.servers.size() && i < servers.size(); ++i) {
        const ServerTraffic& server = counters.servers[i];
        if (server.queries == 0) {
            continue;
        }
        text += "server " + FormatEndpoint(servers[i]) + Field("queries", server.queries) +
                Field("answers", server.answers) + Field("datagrams", server.datagrams) +
                Field("withheld", server.withheld) + "\n";
    }
    return text;
}

}  // namespace skelvane
