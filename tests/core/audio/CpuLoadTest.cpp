#include "core/audio/CpuLoad.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(CpuLoad, TitleShowsTheTruncatedPercentage)
{
    EXPECT_EQ(quom::cpuLoadTitle(0.075), "Quom 1.1  -  CPU load: 7%");
    EXPECT_EQ(quom::cpuLoadTitle(0.999), "Quom 1.1  -  CPU load: 99%");
    EXPECT_EQ(quom::cpuLoadTitle(1.25), "Quom 1.1  -  CPU load: 125%");
}

TEST(CpuLoad, NoStreamOrAnErrorCodeShowsZero)
{
    EXPECT_EQ(quom::cpuLoadTitle(0.0), "Quom 1.1  -  CPU load: 0%");
    EXPECT_EQ(quom::cpuLoadPercent(-9999.0), 0);
    EXPECT_EQ(quom::cpuLoadPercent(std::nan("")), 0);
}

} // namespace
