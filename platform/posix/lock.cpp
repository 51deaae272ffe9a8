#include "platform/lock.h"

#include <pthread.h>

#include <new>

namespace skelvane {

static_assert(sizeof(pthread_mutex_t) <= 64);

namespace {
pthread_mutex_t* Mutex(unsigned char* storage) {
    return std::launder(reinterpret_cast<pthread_mutex_t*>(storage));
}
}  // namespace

Lock::Lock() {
    pthread_mutex_init(new (storage_) pthread_mutex_t, nullptr);
}
Lock::~Lock() {
    pthread_mutex_destroy(Mutex(storage_));
}
void Lock::Enter() {
    pthread_mutex_lock(Mutex(storage_));
}
void Lock::Leave() {
    pthread_mutex_unlock(Mutex(storage_));
}

}  // namespace skelvane
