#include "platform/console.h"

namespace skelvane {

void UseUtf8Console() {}

}  // namespace skelvane
