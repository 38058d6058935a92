#include <gtest/gtest.h>

#include "app/message_loop_exit.h"

TEST(MessageLoopExit, AFailedGetMessageEndsTheRunWithAnErrorWhateverCameLast) {
  EXPECT_EQ(MessageLoopExitCode(0, 0), 0);
  EXPECT_NE(MessageLoopExitCode(-1, 0), 0);
}
