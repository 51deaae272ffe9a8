#include "platform/thread.h"

#include <pthread.h>

#include <new>

namespace skelvane {

namespace {

struct Start {
    ThreadEntry entry;
    void* argument;
};

void* RunThread(void* raw) {
    const Start start = *static_cast<Start*>(raw);
    delete static_cast<Start*>(raw);
    start.entry(start.argument);
    return nullptr;
}

bool Launch(pthread_t* thread, ThreadEntry entry, void* argument) {
    auto* start = new (std::nothrow) Start{entry, argument};
    if (start == nullptr) {
        return false;
    }
    if (pthread_create(thread, nullptr, RunThread, start) != 0) {
        delete start;
        return false;
    }
    return true;
}

}  // namespace

bool StartDetachedThread(ThreadEntry entry, void* argument) {
    pthread_t thread{};
    if (!Launch(&thread, entry, argument)) {
        return false;
    }
    pthread_detach(thread);
    return true;
}

JoinableThread::~JoinableThread() {
    Join();
}

bool JoinableThread::Start(ThreadEntry entry, void* argument) {
    pthread_t thread{};
    running_ = Launch(&thread, entry, argument);
    handle_ = static_cast<unsigned long>(thread);
    return running_;
}

void JoinableThread::Join() {
    if (running_) {
        pthread_join(static_cast<pthread_t>(handle_), nullptr);
        running_ = false;
    }
}

}  // namespace skelvane
