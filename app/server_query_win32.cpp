#include "app/server_query_win32.h"

#include <memory>

#include "app/browser_win32.h"
#include "app/server_details_win32.h"
#include "browse/server_columns.h"
#include "platform/thread.h"
#include "ui/server_list_view_win32.h"

namespace skelvane {

namespace {

// The thread's own hold on the job, released as its last act.
void RunServerQuery(void* argument) {
    const std::unique_ptr<std::shared_ptr<ServerQueryJob>> hold(
        static_cast<std::shared_ptr<ServerQueryJob>*>(argument));
    ServerQueryJob& job = **hold;
    job.answer = QueryOneServer(job.server, job.timing);
    job.done.store(true, std::memory_order_release);
    HWND notify = job.notify.load();
    if (notify != nullptr) {
        PostMessageW(notify, WM_APP_SERVER_ANSWERED, 0, 0);
    }
}

// A record may be written on this thread only while no refresh runs (no
// other thread touches the table then) and it is still the record the query
// was for.
bool IsStillWritable(const Browser& browser, const ServerQueryJob& job) {
    const Presentation& view = browser.view;
    return !IsRefreshInProgress(*browser.engine) && view.tableReadable &&
           view.tablesForgotten == job.tablesForgotten && job.record >= 0 &&
           job.record < browser.engine->table.Count();
}

// The details window speaks only of the server it shows; a query started
// from the server list's menu may be of another.
bool IsDetailsServer(const Browser& browser, const ServerQueryJob& job) {
    return browser.details.record == job.record &&
           browser.details.tablesForgotten == job.tablesForgotten;
}

}  // namespace

bool StartServerQuery(Browser& browser, std::int32_t index) {
    const Presentation& view = browser.view;
    if (browser.serverQuery != nullptr || IsRefreshInProgress(*browser.engine) ||
        !view.tableReadable || index < 0 || index >= browser.engine->table.Count()) {
        return false;
    }
    const ServerRecord& record = browser.engine->table[index];
    auto job = std::make_shared<ServerQueryJob>();
    job->server = Ipv4Endpoint{record.address, record.port};
    job->timing = browser.engine->timing;
    job->record = index;
    job->tablesForgotten = view.tablesForgotten;
    job->notify.store(browser.mainWindow);
    auto hold = std::make_unique<std::shared_ptr<ServerQueryJob>>(job);
    if (!StartDetachedThread(RunServerQuery, hold.get())) {
        return false;
    }
    hold.release();
    browser.serverQuery = std::move(job);
    return true;
}

bool IsServerQueryRunning(const Browser& browser) {
    return browser.serverQuery != nullptr;
}

void OnServerQueryDone(Browser& browser) {
    const std::shared_ptr<ServerQueryJob> job = browser.serverQuery;
    if (job == nullptr || !job->done.load(std::memory_order_acquire)) {
        return;
    }
    browser.serverQuery.reset();
    const bool writable = IsStillWritable(browser, *job);
    if (writable && job->answer) {
        ApplyServerAnswer(browser.engine->table[job->record], *job->answer);
        browser.bridge->KeptLines().Keep(job->record, job->answer->bytes);
        ServerRecordChanged(browser.view, job->record);
    }
    ShowDetailsOfTarget(browser);
    if (!IsDetailsServer(browser, *job)) {
        return;
    }
    if (!writable) {
        SayInDetails(browser, u"", {});
    } else if (!job->answer) {
        char16_t address[kAddressTextCapacity];
        FormatEndpoint(job->server, address);
        SayInDetails(browser, u"No answer from %s.", {address});
    } else {
        const auto ping = static_cast<std::int32_t>(browser.engine->table[job->record].ping);
        SayInDetails(browser, u"Answered in %d ms.", {ping});
    }
}

}  // namespace skelvane
