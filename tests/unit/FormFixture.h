#pragma once

#include <gtest/gtest.h>

#include "tests/fakes/FakeMachine.h"

namespace taktora {

using fake::FakeMachine;
using fake::kRunKey;
using fake::kSettingsKey;

class FormTest : public ::testing::Test, public FakeMachine {
protected:
    void Start() {
        form.Load();
        form.ShowAfterLoad();
    }

    // Sampling ticks at a load in whole percent, measured through the kernel counters as the window's timer does.
    void Sample(int ticks, int percent) {
        for (int i = 0; i < ticks; ++i) {
            kernel.currentTime += 1000000;
            kernel.idleTime += 10000 * (100 - percent);
            form.TimerCTick();
        }
    }

    Form1 form{platform, window};
};

}  // namespace taktora
