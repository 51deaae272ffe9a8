#include "platform/lock.h"

#include <windows.h>

#include <new>

namespace skelvane {

static_assert(sizeof(CRITICAL_SECTION) <= 48);

namespace {
CRITICAL_SECTION* Section(unsigned char* storage) {
    return std::launder(reinterpret_cast<CRITICAL_SECTION*>(storage));
}
}  // namespace

Lock::Lock() {
    InitializeCriticalSection(new (storage_) CRITICAL_SECTION);
}
Lock::~Lock() {
    DeleteCriticalSection(Section(storage_));
}
void Lock::Enter() {
    EnterCriticalSection(Section(storage_));
}
void Lock::Leave() {
    LeaveCriticalSection(Section(storage_));
}

}  // namespace skelvane
