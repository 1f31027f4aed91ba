#include "checked.h"

namespace platform {

// Out of line so the throw stays off the fast path.
void fail(Failure failure) {
    throw CalculationError(failure);
}

}  // namespace platform
