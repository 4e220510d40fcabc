#include "core/FormatCode.h"

#include <gtest/gtest.h>

namespace sondex {
namespace {

TEST(FormatCodeTest, RateChannelsAndBitsMakeFiveCharacters) {
    EXPECT_EQ(formatCode(44100, 2, 16), QStringLiteral("44S16"));
    EXPECT_EQ(formatCode(22050, 1, 8), QStringLiteral("22M 8"));
    EXPECT_EQ(formatCode(8000, 1, 8), QStringLiteral(" 8M 8"));
    EXPECT_EQ(formatCode(11025, 1, 8), QStringLiteral("11M 8"));
    EXPECT_EQ(formatCode(48000, 3, 16), QStringLiteral("48 16"));
    EXPECT_EQ(formatCode(50, 1, 8), QStringLiteral("  M 8"));  // absurd rates keep five characters
}

}  // namespace
}  // namespace sondex
