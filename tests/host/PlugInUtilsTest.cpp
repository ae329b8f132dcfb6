#include "host/PlugInUtils.h"

#include <gtest/gtest.h>

#include <string>

namespace dux {
namespace {

TEST(PlugInUtils, SetHostStringReplacesAndFreeNulls) {
  char* ref = nullptr;
  SetHostString(ref, "first");
  ASSERT_NE(ref, nullptr);
  EXPECT_STREQ(ref, "first");
  SetHostString(ref, std::string("with\0zero", 9));  // the block is sized for the whole text
  EXPECT_EQ(std::string(ref, 9), std::string("with\0zero", 9));
  SetHostString(ref, "");
  EXPECT_STREQ(ref, "");
  FreeHostString(ref);
  EXPECT_EQ(ref, nullptr);
  FreeHostString(ref);  // freeing null is harmless
  EXPECT_EQ(HostStringText(nullptr), "");
}

}  // namespace
}  // namespace dux
