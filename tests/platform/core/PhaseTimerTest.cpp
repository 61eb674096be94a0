// The phase clock that splits a document run for the benchmark.

#include "PhaseTimer.h"

#include <gtest/gtest.h>

#include <thread>

namespace phase_timer = platform::phase_timer;
using phase_timer::Phase;
using namespace std::chrono_literals;

TEST(PhaseTimerTest, ScopesAddTheirLifetimeToTheirOwnPhaseUntilReset)
{
    phase_timer::reset();
    for (int i = 0; i < 2; ++i) {
        const phase_timer::Scope timing(Phase::Export);
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_GE(phase_timer::total(Phase::Export), 10ms);
    EXPECT_EQ(phase_timer::total(Phase::Database), 0ns);

    phase_timer::reset();
    EXPECT_EQ(phase_timer::total(Phase::Export), 0ns);
}
