// One refresh of a local test network by the engine alone under Wine, with no
// window: what the Windows build's sockets, threads and events cost, as a
// baseline for the same refresh in the real window.
//
//   engine_refresh_bench.exe MASTER_HOST:PORT

#include <windows.h>

#include <mmsystem.h>

#include <cstdio>
#include <memory>

#include "engine/host_and_port.h"
#include "engine/refresh_engine.h"
#include "platform/udp_socket.h"

int main(int argc, char** argv) {
    using namespace skelvane;
    const auto master = argc == 2 ? ParseHostAndPort(argv[1], kMasterPort) : std::nullopt;
    if (!master) {
        std::fprintf(stderr, "usage: engine_refresh_bench MASTER_HOST:PORT\n");
        return 64;
    }
    timeBeginPeriod(1);
    StartNetworking();
    RefreshState engine;
    engine.masters = {MasterServer{master->host, master->port}};
    engine.settings.packetsPerSecond = 1000000;
    engine.refreshInProgress = 1;
    const DWORD start = timeGetTime();
    const RefreshResult result = RunRefresh(engine);
    std::printf("engine_ms=%lu engine_responded=%d\n",
                static_cast<unsigned long>(timeGetTime() - start), result.responded);
    return 0;
}
