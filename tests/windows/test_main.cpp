// The Windows tests' entry. Sockets stay started for the whole run, so that the
// fake servers outlive each main window's own start and shut-down of them.

#include <gtest/gtest.h>

#include "platform/udp_socket.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!skelvane::StartNetworking()) {
        return 1;
    }
    const int result = RUN_ALL_TESTS();
    skelvane::StopNetworking();
    return result;
}
