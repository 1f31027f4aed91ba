// SPDX-License-Identifier: GPL-3.0-or-later
// The one main() of every doctest program.
#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include <doctest/doctest.h>
