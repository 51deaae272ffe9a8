#pragma once

namespace skelvane {

// The one lock of the program: a critical section around the server table.
class Lock {
  public:
    Lock();
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

    void Enter();
    void Leave();

  private:
#if defined(_WIN32)
    alignas(8) unsigned char storage_[48];
#else
    alignas(8) unsigned char storage_[64];
#endif
};

class LockGuard {
  public:
    explicit LockGuard(Lock& lock) : lock_(lock) { lock_.Enter(); }
    ~LockGuard() { lock_.Leave(); }
    LockGuard(const LockGuard&) = delete;
    LockGuard& operator=(const LockGuard&) = delete;

  private:
    Lock& lock_;
};

}  // namespace skelvane
