// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TESTS_UNDER_ADDRESS_SANITIZER is defined when the build runs under AddressSanitizer,
// whose shadow memory rules out a cap on the address space and whose own heap hides
// the program's allocations from glibc's counters. GCC and clang say so differently.
#if defined(__SANITIZE_ADDRESS__)
#define TESTS_UNDER_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TESTS_UNDER_ADDRESS_SANITIZER 1
#endif
#endif
