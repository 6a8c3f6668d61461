#include "xml/expression_value.h"

#include <gtest/gtest.h>

#include <limits>

#include "support/test_support.h"

namespace {

TEST(ExpressionValue, ConversionToSignedExtendsFromSizeOrBitWidth) {
  EXPECT_EQ(ExpressionValue::boolean(true).toSigned(), 1);
  EXPECT_EQ(ExpressionValue::signedInteger(0xFF, 1).toSigned(), -1);
  EXPECT_EQ(ExpressionValue::unsignedInteger(0xFFFF, 2).toSigned(), -1);  // unsigned ones too
  EXPECT_EQ(ExpressionValue::unsignedInteger(0x1FFFFFFFF, 4).toSigned(), -1);
  EXPECT_EQ(ExpressionValue::unsignedInteger(std::numeric_limits<uint64_t>::max()).toSigned(), -1);
  EXPECT_EQ(ExpressionValue::signedInteger(0x1E, 4, 5).toSigned(), -2);  // bit field of 5 bits
  EXPECT_EQ(ExpressionValue::floating(-2.9).toSigned(), -2);
  EXPECT_EQ(ExpressionValue::floating(1e300).toSigned(), std::numeric_limits<int64_t>::max());
  EXPECT_EQ(ExpressionValue::floating(std::numeric_limits<double>::quiet_NaN()).toSigned(), 0);
  EXPECT_EQ(ExpressionValue::string("12").toSigned(), 0);
  EXPECT_EQ(ExpressionValue().toSigned(), 0);
}

TEST(ExpressionValue, ConversionToUnsignedZeroExtendsAndTakesFloatingBits) {
  EXPECT_EQ(ExpressionValue::signedInteger(-1, 1).toUnsigned(), 0xFFu);
  EXPECT_EQ(ExpressionValue::signedInteger(-1, 4).toUnsigned(), 0xFFFFFFFFu);
  EXPECT_EQ(ExpressionValue::signedInteger(-1).toUnsigned(), std::numeric_limits<uint64_t>::max());
  EXPECT_EQ(ExpressionValue::floating(1.0, 4).toUnsigned(), 0x3F800000u);
  EXPECT_EQ(ExpressionValue::floating(1.0).toUnsigned(), 0x3FF0000000000000u);
  EXPECT_EQ(ExpressionValue::floating(1e300, 4).toUnsigned(), 0x7F800000u);  // beyond float: infinity
  EXPECT_EQ(ExpressionValue::marker(std::make_shared<int>(1)).toUnsigned(), 0u);
}

}  // namespace
