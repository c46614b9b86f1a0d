#pragma once

// The application as the model tests see it: the test double shared with the engine tests.
#include "support/TestWaveApp.h"

using CFakeWaveApp = CTestWaveApp;
