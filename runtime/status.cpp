#include "status.h"

namespace rt {

void check(Status status) {
    if (status == Status::controlUnloaded)
        throw RuntimeError(ErrorCode::controlUnloaded, "its form has been unloaded");
}

} // namespace rt
