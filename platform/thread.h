#pragma once

namespace skelvane {

using ThreadEntry = void (*)(void* argument);

// Starts a thread that nobody waits for. False when it could not be started.
bool StartDetachedThread(ThreadEntry entry, void* argument);

// A thread that its starter waits for before it releases what the thread uses.
class JoinableThread {
  public:
    JoinableThread() = default;
    ~JoinableThread();
    JoinableThread(const JoinableThread&) = delete;
    JoinableThread& operator=(const JoinableThread&) = delete;

    bool Start(ThreadEntry entry, void* argument);
    void Join();

  private:
#if defined(_WIN32)
    void* handle_ = nullptr;
#else
    unsigned long handle_ = 0;
    bool running_ = false;
#endif
};

}  // namespace skelvane
