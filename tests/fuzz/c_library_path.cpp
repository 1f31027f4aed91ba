// SPDX-License-Identifier: GPL-3.0-or-later
// The number texts as the browser builds them (C's strtod and printf), under
// names of their own, so the fuzzer holds them to the <charconv> ones.
#define CYLINDER_C_NUMBER_TEXT
#define readNumber readNumberThroughC
#define toNumber toNumberThroughC
#define toText toTextThroughC
#include "platform/numbertext.cpp"
