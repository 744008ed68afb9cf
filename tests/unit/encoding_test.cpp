#include <gtest/gtest.h>

#include <string>

#include "framework/Encoding.h"

namespace {

const std::string kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

struct TextPair {
  std::string_view cp932;  // as the compiler encodes narrow literals
  std::string_view utf8;
};

TEST(Encoding, GameTextsConvertBothWays) {
  const TextPair texts[] = {
      {"ブルーギル", AsChars(u8"ブルーギル")},
      {"￥１０，０００", AsChars(u8"￥１０，０００")},
      {"ﾄｰﾀﾙのひき数", AsChars(u8"ﾄｰﾀﾙのひき数")},
      {"～", AsChars(u8"～")},
      {"Ver2.11 ポムル", AsChars(u8"Ver2.11 ポムル")},
      {"①―＼", AsChars(u8"①―＼")},
  };
  for (const auto& t : texts) {
    EXPECT_EQ(Cp932ToUtf8(t.cp932), t.utf8);
    EXPECT_EQ(Utf8ToCp932(t.utf8), t.cp932);
    EXPECT_EQ(Utf8ToCp932(Cp932ToUtf8(t.cp932)), t.cp932);
  }
}

TEST(Encoding, TheTwoByteFormsHaveTheExpectedBytes) {
  // Half-width katakana are one byte, the yen sign and the wave dash two.
  EXPECT_EQ(std::string("ﾄｰﾀﾙ"), "\xC4\xB0\xC0\xD9");
  EXPECT_EQ(Utf8ToCp932(AsChars(u8"￥")), "\x81\x8F");
  EXPECT_EQ(Utf8ToCp932(AsChars(u8"〜")), "\x81\x60");  // U+301C, as other systems write it
}

TEST(Encoding, EmptyStaysEmpty) {
  EXPECT_EQ(Cp932ToUtf8(""), "");
  EXPECT_EQ(Utf8ToCp932(""), "");
}

TEST(Encoding, LoneLeadByteAtTheEndBecomesOneReplacement) {
  EXPECT_EQ(Cp932ToUtf8("\x82"), kReplacement);
  EXPECT_EQ(Cp932ToUtf8("ab\x82"), "ab" + kReplacement);
  EXPECT_EQ(Cp932ToUtf8("ブ\x83"), std::string(AsChars(u8"ブ")) + kReplacement);
}

TEST(Encoding, LeadByteFollowedByAsciiKeepsTheAscii) {
  EXPECT_EQ(Cp932ToUtf8("\x82 x"), kReplacement + " x");
  EXPECT_EQ(Cp932ToUtf8("a\x83\x0A" "b"), "a" + kReplacement + "\nb");
  // A pair that is well formed but unassigned: the lead is replaced and the trail, a letter, kept.
  EXPECT_EQ(Cp932ToUtf8("\x82" "A"), kReplacement + "A");
}

TEST(Encoding, BytesThatAreNeverValidAreReplacedOneByOne) {
  EXPECT_EQ(Cp932ToUtf8("\x80" "1\xFD" "2\xA0"), kReplacement + "1" + kReplacement + "2" + kReplacement);
}

TEST(Encoding, ManyBrokenBytesDoNotTruncateTheOutput) {
  // Each bad byte grows into three output bytes; nothing may be lost on the way.
  std::string in;
  std::string expected;
  for (int i = 0; i < 5000; ++i) {
    in += "\x80\xB1";
    expected += kReplacement;
    expected += AsChars(u8"ｱ");
  }
  EXPECT_EQ(Cp932ToUtf8(in), expected);
}

TEST(Encoding, UnmappableCharactersBecomeOneQuestionMarkEach) {
  // Kept out of the assertion macros: they quote their arguments as narrow (CP932) strings.
  const auto accented = AsChars(u8"aéb");
  const auto withEmoji = AsChars(u8"魚🐟魚");
  EXPECT_EQ(Utf8ToCp932(accented), "a?b");
  EXPECT_EQ(Utf8ToCp932(withEmoji), "魚?魚");
}

TEST(Encoding, BrokenUtf8BecomesQuestionMarks) {
  EXPECT_EQ(Utf8ToCp932("a\xFF" "b"), "a?b");
  EXPECT_EQ(Utf8ToCp932("a\xE3\x81"), "a?");        // truncated at the end
  EXPECT_EQ(Utf8ToCp932("\xE3\x81" "a"), "?" "?a");  // a truncated character in the middle
}

TEST(Encoding, ConversionsAfterAFailureStartClean) {
  // A converter left mid-sequence by a broken input must not taint the next call.
  EXPECT_EQ(Cp932ToUtf8("\x82"), kReplacement);
  EXPECT_EQ(Cp932ToUtf8("A"), "A");
  EXPECT_EQ(Utf8ToCp932("\xE3\x81"), "?");
  EXPECT_EQ(Utf8ToCp932(AsChars(u8"あ")), "あ");
}

}  // namespace
