// SPDX-License-Identifier: GPL-3.0-or-later
#include "checked.h"

namespace platform {

// Out of line so the throw stays off the fast path.
void fail(Failure failure) {
    throw CalculationError(failure);
}

}  // namespace platform
