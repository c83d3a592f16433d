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

    Form1 form{platform, window};
};

}  // namespace taktora
