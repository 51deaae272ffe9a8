#include "app/server_commands_win32.h"

#include "app/browser_win32.h"
#include "app/clipboard_win32.h"
#include "app/join_server_win32.h"
#include "browse/server_columns.h"
#include "ui/server_list_view_win32.h"

namespace skelvane {

void JoinSelectedServer(Browser& browser) {
    JoinServer(browser, SelectedServerRow(browser.view));
}

void CopySelectedAddress(Browser& browser) {
    const ServerRecord* record = RecordAtRow(browser.view, SelectedServerRow(browser.view));
    if (record == nullptr) {
        return;
    }
    char16_t address[kStatusTextCapacity];
    FormatServerAddress(*record, address);
    PutClipboardText(browser.mainWindow, address);
}

}  // namespace skelvane
