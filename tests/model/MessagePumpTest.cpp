#include "model/MessagePump.h"
#include "support/ScriptedWindowServices.h"

#include <gtest/gtest.h>

TEST(MessagePump, PumpsThroughTheWindowServices)
{
    CScriptedWindowServices services;
    EXPECT_TRUE(pelko_wave::PumpMessages());
    EXPECT_TRUE(pelko_wave::PumpMessages());
    EXPECT_EQ(services.PumpCount, 2);
}
