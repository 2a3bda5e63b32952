// Values of the settings file: how integers and booleans are read back and
// how they are written.
#include "settings_value.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

namespace tintspot {
namespace {

constexpr int kDefault = 12345;

int Read(const std::string& text) { return SettingIntegerOr(text, kDefault); }

TEST(SettingInteger, DecimalWithOptionalSign) {
  EXPECT_EQ(Read("7"), 7);
  EXPECT_EQ(Read("-3"), -3);
  EXPECT_EQ(Read("+5"), 5);
  EXPECT_EQ(Read("0"), 0);
  EXPECT_EQ(Read("007"), 7);
  EXPECT_EQ(Read("2147483647"), INT_MAX);
  EXPECT_EQ(Read("-2147483648"), INT_MIN);
}

TEST(SettingInteger, MalformedDecimalGivesTheDefault) {
  for (const char* text : {"abc", "", "-", "+", " 5", "5 ", "5x", "1.5", "--3", "+-3", "-0x4"})
    EXPECT_EQ(Read(text), kDefault) << '"' << text << '"';
}

TEST(SettingInteger, DecimalOutsideThirtyTwoBitsGivesTheDefault) {
  EXPECT_EQ(Read("2147483648"), kDefault);
  EXPECT_EQ(Read("-2147483649"), kDefault);
  EXPECT_EQ(Read("99999999999999999999999"), kDefault);
}

TEST(SettingInteger, HexadecimalAfterZeroXOrDollar) {
  EXPECT_EQ(Read("0x4"), 4);
  EXPECT_EQ(Read("0X1f"), 31);
  EXPECT_EQ(Read("0x1F"), 31);
  EXPECT_EQ(Read("$1F"), 31);
  EXPECT_EQ(Read("$1f"), 31);
  EXPECT_EQ(Read("$0"), 0);
  EXPECT_EQ(Read("0x00"), 0);
}

TEST(SettingInteger, ZeroXNeedsMoreThanTwoCharacters) {
  // "0x" alone is read as a decimal number and does not parse.
  EXPECT_EQ(Read("0x"), kDefault);
  EXPECT_EQ(Read("0X"), kDefault);
  EXPECT_EQ(Read("$"), kDefault);
}

TEST(SettingInteger, MalformedHexadecimalGivesTheDefault) {
  for (const char* text : {"0xg", "$G", "$-1", "0x-1", "$ 1", "0x1 ", "$$1", "0x0x1"})
    EXPECT_EQ(Read(text), kDefault) << '"' << text << '"';
}

TEST(SettingInteger, HexadecimalIsThirtyTwoBitTwosComplement) {
  EXPECT_EQ(Read("$FFFFFFFF"), -1);
  EXPECT_EQ(Read("0x80000000"), INT_MIN);
  EXPECT_EQ(Read("$7FFFFFFF"), INT_MAX);
  // Leading zeros are not significant digits.
  EXPECT_EQ(Read("$00000000FFFFFFFE"), -2);
  EXPECT_EQ(Read("0x000000001"), 1);
  // A ninth significant digit does not fit.
  EXPECT_EQ(Read("$100000000"), kDefault);
  EXPECT_EQ(Read("0x1FFFFFFFF"), kDefault);
}

TEST(SettingInteger, ValuesLongerThanTheProfileReaderHandsOver) {
  // The longest value read is 2,047 characters.
  EXPECT_EQ(Read(std::string(2046, '0') + "9"), 9);
  EXPECT_EQ(Read("$" + std::string(2045, '0') + "A"), 10);
  EXPECT_EQ(Read(std::string(2047, '0') + "9"), kDefault);
  EXPECT_EQ(Read(std::string(2048, '0')), kDefault);
}

TEST(SettingInteger, AbsentKeyGivesTheDefault) {
  EXPECT_EQ(SettingIntegerOr(std::nullopt, kDefault), kDefault);
  EXPECT_EQ(SettingIntegerOr(std::nullopt, -7), -7);
}

TEST(SettingBoolean, AnyNonZeroIntegerIsTrue) {
  EXPECT_TRUE(SettingBooleanOr(std::string("1"), false));
  EXPECT_TRUE(SettingBooleanOr(std::string("2"), false));
  EXPECT_TRUE(SettingBooleanOr(std::string("-1"), false));
  EXPECT_TRUE(SettingBooleanOr(std::string("0x10"), false));
  EXPECT_FALSE(SettingBooleanOr(std::string("0"), true));
  EXPECT_FALSE(SettingBooleanOr(std::string("$0"), true));
}

TEST(SettingBoolean, MalformedOrAbsentGivesTheDefault) {
  for (bool fallback : {false, true}) {
    EXPECT_EQ(SettingBooleanOr(std::string("abc"), fallback), fallback);
    EXPECT_EQ(SettingBooleanOr(std::string(""), fallback), fallback);
    EXPECT_EQ(SettingBooleanOr(std::string("0x"), fallback), fallback);
    EXPECT_EQ(SettingBooleanOr(std::nullopt, fallback), fallback);
  }
}

TEST(SettingText, IntegersInDecimalBooleansAsOneOrZero) {
  EXPECT_EQ(SettingIntegerText(584), "584");
  EXPECT_EQ(SettingIntegerText(-1280), "-1280");
  EXPECT_EQ(SettingIntegerText(INT_MIN), "-2147483648");
  EXPECT_EQ(SettingBooleanText(true), "1");
  EXPECT_EQ(SettingBooleanText(false), "0");
}

TEST(SettingText, WrittenValuesReadBack) {
  for (int value : {0, 1, -1, 874, -32000, INT_MAX, INT_MIN})
    EXPECT_EQ(Read(SettingIntegerText(value)), value);
  for (bool value : {false, true})
    EXPECT_EQ(SettingBooleanOr(SettingBooleanText(value), !value), value);
}

}  // namespace
}  // namespace tintspot
