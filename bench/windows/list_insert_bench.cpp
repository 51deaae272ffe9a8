// Prints what it costs to keep the server list sorted as answers arrive: each
// answer placed at its sorted position, against a full re-sort of the list
// after every answer (both insert with redrawing paused). Runs the real main window; the master is
// a silent loopback socket, so the window's own first refresh ends at once.

#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <random>

#include "app/browser_win32.h"
#include "app/browser_entry_win32.h"
#include "app/refresh_bridge_win32.h"
#include "platform/udp_socket.h"
#include "ui/server_columns.h"
#include "ui/server_list_view_win32.h"

namespace skelvane {
namespace {

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

void HandOverRandomTable(HWND window, int count, std::mt19937& random) {
    SendMessageW(window, WM_APP_TABLE_REPLACED, 0, 0);
    ServerTable& table = gBrowser.engine.table;
    ReplaceTable(table);
    GrowTable(table, count);
    for (int i = 0; i < count; ++i) {
        AppendServer(
            table,
            LoopbackAddress(static_cast<std::uint8_t>(i >> 8), static_cast<std::uint8_t>(i), 1),
            static_cast<std::uint16_t>(20000 + i % 1000));
        ServerRecord& record = table[i];
        record.ping = random() % 400;
        record.playerCount = static_cast<std::int32_t>(random() % 9);
        record.maxClients = 8;
        record.responded = 1;
    }
    SendMessageW(window, WM_APP_HAND_OVER, 0, 0);
}

int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM order) {
    const ServerTable& table = gBrowser.engine.table;
    return CompareServers(table[static_cast<std::int32_t>(first)],
                          table[static_cast<std::int32_t>(second)],
                          static_cast<std::uint32_t>(order));
}

double Milliseconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
        .count();
}

double SortedInsertion(int count) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) {
        AddParsedServer(gBrowser.view, i);
    }
    return Milliseconds(start);
}

double ResortAfterEachAnswer(HWND list, int count) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = i;
        item.pszText = LPSTR_TEXTCALLBACKW;
        item.lParam = i;
        SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        ListView_InsertItem(list, &item);
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        ListView_SortItems(list, CompareRows, gBrowser.settings.sortOrder);
    }
    return Milliseconds(start);
}

}  // namespace
}  // namespace skelvane

int main() {
    using namespace skelvane;
    StartNetworking();
    UdpSocket silent = UdpSocket::Open();
    silent.Bind(Ipv4Endpoint{LoopbackAddress(), 0});
    gBrowser.engine.master = MasterServer{"127.0.0.1", silent.LocalEndpoint()->port};
    gBrowser.engine.timing.masterAttempts = 1;
    gBrowser.engine.timing.masterAnswerWaitMs = 30;
    HWND window = CreateMainWindow(GetModuleHandleW(nullptr));
    while (IsRefreshInProgress(gBrowser.engine)) {
        Pump();
        Sleep(5);
    }
    Pump();
    std::mt19937 random(1);
    std::printf("%8s %22s %26s\n", "answers", "sorted insertion (ms)", "re-sort every answer (ms)");
    for (const int count : {500, 1000, 2000, 4000, 16000}) {
        HandOverRandomTable(window, count, random);
        const double sorted = SortedInsertion(count);
        std::printf("%8d %22.0f", count, sorted);
        if (count <= 4000) {
            HandOverRandomTable(window, count, random);
            std::printf(" %26.0f\n", ResortAfterEachAnswer(gBrowser.view.serverList, count));
        } else {
            std::printf(" %26s\n", "(too slow to run)");
        }
        std::fflush(stdout);
    }
    DestroyWindow(window);
    return 0;
}
