#include "platform/thread.h"

#include <windows.h>

#include <new>

namespace skelvane {

namespace {

struct Start {
    ThreadEntry entry;
    void* argument;
};

DWORD WINAPI RunThread(void* raw) {
    const Start start = *static_cast<Start*>(raw);
    delete static_cast<Start*>(raw);
    start.entry(start.argument);
    return 0;
}

HANDLE Launch(ThreadEntry entry, void* argument) {
    auto* start = new (std::nothrow) Start{entry, argument};
    if (start == nullptr) {
        return nullptr;
    }
    const HANDLE thread = CreateThread(nullptr, 0, RunThread, start, 0, nullptr);
    if (thread == nullptr) {
        delete start;
    }
    return thread;
}

}  // namespace

bool StartDetachedThread(ThreadEntry entry, void* argument) {
    const HANDLE thread = Launch(entry, argument);
    if (thread == nullptr) {
        return false;
    }
    CloseHandle(thread);
    return true;
}

JoinableThread::~JoinableThread() {
    Join();
}

bool JoinableThread::Start(ThreadEntry entry, void* argument) {
    handle_ = Launch(entry, argument);
    return handle_ != nullptr;
}

void JoinableThread::Join() {
    if (handle_ != nullptr) {
        WaitForSingleObject(handle_, INFINITE);
        CloseHandle(handle_);
        handle_ = nullptr;
    }
}

}  // namespace skelvane
