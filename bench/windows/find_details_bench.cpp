// Prints what finding servers and a server's details cost in the real main
// window, for each run:
//   - 100 keystrokes in the find field over 16,384 listed servers of 8 players
//     each, sorted by host name: typing a text and deleting it again, each
//     keystroke timed from the key until the server list has painted the rows
//     the text finds (median and worst), against the list's bare repaint of a
//     page of rows with no find text (median of 100), what Wine itself spends
//     to show the list; for both also the UI thread's processor time, a mean;
//   - opening the details of a 64-player server with 64 server variables:
//     the first opening of the window the browser makes hidden at start, and
//     the median and worst of 20 later ones, each timed until it has painted,
//     with the UI thread's processor time, a mean; against the median of 20
//     openings of a server of 8 players and 4 variables, mostly what Wine
//     spends to show a window.
// The last lines are the medians over the runs.
//
//   find_details_bench.exe [RUNS]

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/browser_win32.h"
#include "app/main_dialog_win32.h"
#include "app/refresh_bridge_win32.h"
#include "app/server_details_win32.h"
#include "bench/windows/bench_support.h"
#include "engine/status_parser.h"
#include "res/resource.h"
#include "ui/server_list_view_win32.h"

namespace skelvane {
namespace {

constexpr int kServers = 16384;
constexpr int kPlayersEach = 8;
constexpr int kKeystrokes = 100;
constexpr int kRepaints = 100;
constexpr int kReopenings = 20;
// Typed, then deleted a character at a time, again and again.
constexpr char16_t kTyped[] = u"lantern 12";

// Words that host names and player names are made of, so that a text finds
// some servers by name and others by a player.
std::string Named(const char* const (&words)[8], int seed) {
    return std::string(words[seed % 8]) + " " + std::to_string(seed);
}
constexpr const char* kHostWords[] = {"Lantern", "Hollow", "Quiet", "Ember",
                                      "Salt",    "Harbor", "Fort",  "Arena"};
constexpr const char* kPlayerWords[] = {"Quill", "Tallow",  "Sprocket", "Moss",
                                        "Kite",  "Lantern", "Nimbus",   "Wren"};

// Server `index` as its answer gives it; the first is the details' server,
// with a full 64 players and 64 variables.
std::vector<std::uint8_t> Answer(int index) {
    const int players = index == 0 ? kMaxPlayers : kPlayersEach;
    std::string text = "\xFF\xFF\xFF\xFFstatusResponse\n\\sv_hostname\\" +
                       Named(kHostWords, index) + "\\mapname\\dm" + std::to_string(index % 30) +
                       "\\gamename\\arena\\sv_maxclients\\64";
    for (int rule = 4; index == 0 && rule < 64; ++rule) {
        text += "\\rule" + std::to_string(rule) + "\\value " + std::to_string(rule);
    }
    text += "\n";
    for (int p = 0; p < players; ++p) {
        text += std::to_string(p) + " " + std::to_string(p % 5 * 20) + " \"" +
                Named(kPlayerWords, index * kPlayersEach + p) + "\"\n";
    }
    return {text.begin(), text.end()};
}

// Every server answered and listed, as a refresh leaves them.
void ListServers(Browser& browser) {
    SendMessageW(browser.mainWindow, WM_APP_FORGET_TABLE, 0, 0);
    ServerTable& table = browser.engine->table;
    ReplaceTable(table);
    GrowTable(table, kServers);
    for (int i = 0; i < kServers; ++i) {
        AppendServer(table, 0x0100007F, static_cast<std::uint16_t>(20000 + i));
    }
    SendMessageW(browser.mainWindow, WM_APP_TAKE_TABLE, 0, 0);
    for (int i = 0; i < kServers; ++i) {
        const std::vector<std::uint8_t> answer = Answer(i);
        table[i].sendTime = 1;
        ParseStatusAnswer(answer, table[i], 1 + static_cast<std::uint32_t>(i % 300));
        browser.bridge->KeptLines().Keep(i, answer);
        browser.bridge->Mailbox().PutParsed(i);
    }
    DeliverMailbox(browser);
    RepaintServerListNow(browser.view);
    PumpMessages();
}

struct Figures {
    double keystrokeMedian;
    double keystrokeWorst;
    // The UI thread's own processor time, a mean: on a busy machine the wall
    // times hold whatever the other processes take.
    double keystrokeCpu;
    double repaintMedian;
    double repaintCpu;
    double firstDetails;
    double detailsMedian;
    double detailsWorst;
    double detailsCpu;
    double smallDetailsMedian;
};

double Worst(const std::vector<double>& times) {
    double worst = 0;
    for (const double time : times) {
        worst = time > worst ? time : worst;
    }
    return worst;
}

double TimedMs(void (*run)(Browser&), Browser& browser) {
    const double start = NowMs();
    run(browser);
    return NowMs() - start;
}

void BareRepaint(Browser& browser) {
    InvalidateRect(browser.view.serverList, nullptr, TRUE);
    UpdateWindow(browser.view.serverList);
}

// One keystroke as the field takes it from the keyboard, and the list's paint.
void Keystroke(HWND field, HWND list, wchar_t key) {
    SendMessageW(field, WM_CHAR, key, 1);
    UpdateWindow(list);
}

std::vector<double> TypeAndDelete(Browser& browser) {
    SendMessageW(browser.mainWindow, WM_COMMAND, IDM_FIND, 0);
    HWND field = GetDlgItem(browser.mainWindow, IDC_FIND);
    const std::u16string typed = kTyped;
    std::vector<double> times;
    std::size_t length = 0;
    bool typing = true;
    while (static_cast<int>(times.size()) < kKeystrokes) {
        const wchar_t key = typing ? static_cast<wchar_t>(typed[length]) : L'\b';
        const double start = NowMs();
        Keystroke(field, browser.view.serverList, key);
        times.push_back(NowMs() - start);
        length = typing ? length + 1 : length - 1;
        typing = typing ? length < typed.size() : length == 0;
    }
    return times;
}

void OpenDetails(Browser& browser) {
    SendMessageW(browser.mainWindow, WM_COMMAND, IDM_SERVER_DETAILS, 0);
    UpdateWindow(browser.details.window);
}

void SelectRecord(Browser& browser, std::int32_t record) {
    const std::vector<std::int32_t>& rows = browser.view.rows;
    const int row = static_cast<int>(std::find(rows.begin(), rows.end(), record) - rows.begin());
    ListView_SetItemState(browser.view.serverList, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(browser.view.serverList, row, LVIS_SELECTED, LVIS_SELECTED);
}

struct Openings {
    std::vector<double> times;
    double cpu;
};

// The selected server's details opened again and again, each from hidden.
Openings Reopen(Browser& browser) {
    Openings openings{{}, 0};
    for (int i = 0; i < kReopenings; ++i) {
        ShowWindow(browser.details.window, SW_HIDE);
        PumpMessages();
        const double cpuStart = ThreadCpuMs();
        openings.times.push_back(TimedMs(OpenDetails, browser));
        openings.cpu += (ThreadCpuMs() - cpuStart) / kReopenings;
    }
    ShowWindow(browser.details.window, SW_HIDE);
    return openings;
}

Figures RunOnce(Browser& browser) {
    Figures figures{};
    std::vector<double> repaints;
    const double repaintsStart = ThreadCpuMs();
    for (int i = 0; i < kRepaints; ++i) {
        repaints.push_back(TimedMs(BareRepaint, browser));
    }
    figures.repaintCpu = (ThreadCpuMs() - repaintsStart) / kRepaints;
    figures.repaintMedian = Median(repaints);
    const double keystrokesStart = ThreadCpuMs();
    const std::vector<double> keystrokes = TypeAndDelete(browser);
    figures.keystrokeCpu = (ThreadCpuMs() - keystrokesStart) / kKeystrokes;
    figures.keystrokeMedian = Median(keystrokes);
    figures.keystrokeWorst = Worst(keystrokes);

    // The server with 64 players is record 0; record 1 has 8.
    SelectRecord(browser, 0);
    // A window made afresh, as the browser makes it at start, and never shown.
    DestroyWindow(browser.details.window);
    browser.details.window = nullptr;
    PrepareDetailsWindow(browser);
    PumpMessages();
    figures.firstDetails = TimedMs(OpenDetails, browser);
    const Openings large = Reopen(browser);
    figures.detailsMedian = Median(large.times);
    figures.detailsWorst = Worst(large.times);
    figures.detailsCpu = large.cpu;
    SelectRecord(browser, 1);
    figures.smallDetailsMedian = Median(Reopen(browser).times);
    return figures;
}

void Print(const char* what, const Figures& f) {
    std::printf(
        "%s: find keystroke over %d servers median %.2f ms, worst %.2f ms (UI thread %.2f ms); "
        "bare list repaint %.2f ms (UI thread %.2f ms), ratio %.2f; details of a 64-player "
        "server with 64 variables: first %.2f ms, then median %.2f ms, worst %.2f ms (UI thread "
        "%.2f ms); of an 8-player server with 4 variables %.2f ms, ratio %.2f\n",
        what, kServers, f.keystrokeMedian, f.keystrokeWorst, f.keystrokeCpu, f.repaintMedian,
        f.repaintCpu, f.keystrokeMedian / f.repaintMedian, f.firstDetails, f.detailsMedian,
        f.detailsWorst, f.detailsCpu, f.smallDetailsMedian, f.detailsMedian / f.smallDetailsMedian);
}

int Run(int runs) {
    const QuietMainWindow opened = OpenQuietMainWindow();
    Browser* browser = opened.browser.get();
    if (browser == nullptr) {
        return 1;
    }
    WaitForQuietRefresh(*browser);
    ListServers(*browser);
    OnServerColumnClick(browser->view, 0);
    std::vector<Figures> all;
    for (int run = 1; run <= runs; ++run) {
        all.push_back(RunOnce(*browser));
        Print(("run " + std::to_string(run)).c_str(), all.back());
    }
    const auto median = [&all](double Figures::*field) {
        std::vector<double> values;
        for (const Figures& f : all) {
            values.push_back(f.*field);
        }
        return Median(values);
    };
    Print("medians", Figures{median(&Figures::keystrokeMedian), median(&Figures::keystrokeWorst),
                             median(&Figures::keystrokeCpu), median(&Figures::repaintMedian),
                             median(&Figures::repaintCpu), median(&Figures::firstDetails),
                             median(&Figures::detailsMedian), median(&Figures::detailsWorst),
                             median(&Figures::detailsCpu), median(&Figures::smallDetailsMedian)});
    ForgetBrowser(browser->mainWindow);
    DestroyWindow(browser->mainWindow);
    return 0;
}

}  // namespace
}  // namespace skelvane

int main(int argc, char** argv) {
    return skelvane::Run(argc > 1 ? std::max(1, std::atoi(argv[1])) : 5);
}
