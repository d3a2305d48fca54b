#pragma once

#include <gtest/gtest.h>

#include <span>

// Rendered sound compared as the values it holds. Every value that is not NaN must
// match bit for bit, so 0 and -0 differ; any NaN equals any NaN, because the sign and
// payload an operation passes on follow the compiler's operand order and
// vectorisation (which differ between build types), not the definition.
//
// Success when both hold as many values and every pair matches; otherwise names the
// first pair that differs, with its bits, and how many differ.
testing::AssertionResult sameSamples(std::span<const float> actual, std::span<const float> expected);
