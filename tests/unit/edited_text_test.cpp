#include "platform/edited_text.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <random>

namespace stats {
namespace {

// The system's converter as the reference for every byte of the code page, and a random text
// of every character it can spell for the round trips through UTF-8 and UTF-16.
std::string iconvUtf8Of(const std::string& windows1251) {
  iconv_t convert = iconv_open("UTF-8", "CP1251");
  std::string in = windows1251, out(in.size() * 4, '\0');
  char* from = in.data();
  char* to = out.data();
  size_t left = in.size(), room = out.size();
  const size_t done = iconv(convert, &from, &left, &to, &room);
  iconv_close(convert);
  return done == static_cast<size_t>(-1) ? "<refused>" : out.substr(0, out.size() - room);
}

TEST(EditedText, Windows1251AgreesWithTheSystemsConverterAndRoundTripsEveryEncoding) {
  for (int b = 1; b < 256; ++b) {
    if (b == 0x98) continue;  // undefined in the code page; the system refuses it
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(utf8OfWindows1251(byte), iconvUtf8Of(byte)) << b;
  }
  std::mt19937 random(23);
  std::string text;
  for (int i = 0; i < 5000; ++i) text += static_cast<char>(1 + random() % 255);
  const std::string utf8 = utf8OfWindows1251(text);
  EXPECT_EQ(windows1251OfUtf8(utf8), text);
  for (TextEncoding encoding : {TextEncoding::utf8Bom, TextEncoding::utf16Le, TextEncoding::utf16Be}) {
    const std::string file = fileOfUtf8(utf8, encoding);
    EXPECT_EQ(byteOrderMarkOf(file), encoding);
    EXPECT_EQ(utf8OfFile(file, encoding), utf8);
    EXPECT_EQ(windows1251OfEditedFile(file), text);
  }
  EXPECT_EQ(windows1251OfEditedFile(utf8), text);  // UTF-8 without a mark
  EXPECT_EQ(windows1251OfEditedFile(text), text);  // Windows-1251 is never taken for UTF-8
  // What the code page cannot spell, and broken sequences, become "?".
  EXPECT_EQ(windows1251OfUtf8("\xE4\xB8\xAD|\xF0\x9F\x93\xBB|\xC3|\xED\xA0\x80"), "?|?|?|???");
  const std::string pairAndLoneSurrogate("\xFF\xFE\x3D\xD8\xFB\xDC\x00\xD8", 8);
  EXPECT_EQ(utf8OfFile(pairAndLoneSurrogate, TextEncoding::utf16Le), "\xF0\x9F\x93\xBB\xEF\xBF\xBD");
}

TEST(EditedText, LinesEndAtCrLfLfOrALoneCr) {
  EXPECT_EQ(editedTextLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(editedTextLines("a\r\r\n\n\rb\r"), (std::vector<std::string>{"a", "", "", "", "b"}));
  EXPECT_EQ(editedTextLines(std::string("x\0y\n", 4)), (std::vector<std::string>{std::string("x\0y", 3)}));
  EXPECT_TRUE(editedTextLines("").empty());
}

}  // namespace
}  // namespace stats
