#include <windows.h>

#include "engine/refresh_engine.h"
#include "platform/udp_socket.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (!skelvane::StartNetworking()) {
        return 1;
    }
    skelvane::StopNetworking();
    return 0;
}
