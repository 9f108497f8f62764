#include <gtest/gtest.h>
TEST(Placeholder, Binary) { SUCCEED(); }
