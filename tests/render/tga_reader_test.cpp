// The TGA reader against small files: accepted layouts, and every refusal with its exact box.
#include "render/tga_reader.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "platform/fakes/recording_message_boxes.h"
#include "tests/render/picture_fixtures.h"

namespace aerolume::render {
namespace {

using testing::Bytes;
using testing::TgaBytes;
using testing::TgaTypeHeader;

const Bytes kType2 = TgaTypeHeader(2);
const Bytes kType10 = TgaTypeHeader(10);

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

struct Refusal {
  const char* name;
  Bytes file;  // empty: no file at all
  const char* caption;
  const char* text;
};

// B, G, R pixels for the packets below.
const Bytes kBlue = {255, 0, 0};
const Bytes kRed = {0, 0, 255};

Bytes WithByte(Bytes bytes, std::size_t at, unsigned char value) {
  bytes[at] = value;
  return bytes;
}

const Refusal kRefusals[] = {
    {"Missing", {}, "ERROR", "Could not open texture file"},
    {"ShortHeader", {0, 0, 2, 0, 0}, "ERROR", "Could not read file header"},
    {"ImageIdentifier", TgaBytes(WithByte(kType2, 0, 1), 1, 1, 24, kRed), "Invalid Image",
     "TGA file be type 2 or type 10 "},
    {"ColourMap", TgaBytes(WithByte(kType2, 1, 1), 1, 1, 24, kRed), "Invalid Image",
     "TGA file be type 2 or type 10 "},
    {"NonZeroOrigin", TgaBytes(WithByte(kType2, 8, 4), 1, 1, 24, kRed), "Invalid Image",
     "TGA file be type 2 or type 10 "},
    {"GreyType3", TgaBytes(TgaTypeHeader(3), 1, 1, 8, {7}), "Invalid Image",
     "TGA file be type 2 or type 10 "},
    {"ShortInfoHeader", Concat({kType2, {1, 0, 1}}), "ERROR", "Could not read info header"},
    {"ZeroWidth", TgaBytes(kType2, 0, 1, 24, kRed), "ERROR", "Invalid texture information"},
    {"ZeroHeight", TgaBytes(kType10, 1, 0, 24, {0x80, 0, 0, 255}), "ERROR",
     "Invalid texture information"},
    {"SixteenBits", TgaBytes(kType2, 1, 1, 16, {0, 0}), "ERROR", "Invalid texture information"},
    {"Type2DataShort", TgaBytes(kType2, 2, 1, 24, Concat({kRed, {0, 0}})), "ERROR",
     "Could not read image data"},
    // 65535 x 65535 x 4 bytes promised by 18 bytes: refused without trying to allocate 17 GB.
    {"Type2HugeHeader", TgaBytes(kType2, 65535, 65535, 32, {1, 2, 3, 4}), "ERROR",
     "Could not read image data"},
    {"Type10HugeHeader", TgaBytes(kType10, 65535, 65535, 32, {0xFF, 1, 2, 3, 4}), "ERROR",
     "Could not allocate memory for image"},
    {"Type10OnePacketEarly", TgaBytes(kType10, 4, 1, 24, Concat({{0x81}, kRed})), "ERROR",
     "Could not read RLE header"},
    {"Type10RunPastEnd",
     TgaBytes(kType10, 4, 1, 24, Concat({{0x81}, kRed, {0x82}, kBlue})), "ERROR",
     "Too many pixels read"},
    {"Type10RawPastEnd", TgaBytes(kType10, 2, 1, 24, Concat({{0x02}, kRed, kBlue, kRed})),
     "ERROR", "Too many pixels read"},
    {"Type10RawPixelMissing", TgaBytes(kType10, 3, 1, 24, Concat({{0x02}, kRed, kBlue, {1}})),
     "ERROR", "Could not read image data"},
    {"Type10RunPixelMissing", TgaBytes(kType10, 3, 1, 24, Concat({{0x82}, {1, 2}})), "ERROR",
     "Could not read from file"},
};

// Names the case in failure messages instead of dumping its bytes.
void PrintTo(const Refusal& c, std::ostream* os) { *os << c.name; }

class TgaRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(TgaRefusal, ShowsItsBoxAndLeavesNoPicture) {
  const Refusal& refusal = GetParam();
  testing::TempFolder folder;
  const std::string path = folder.File("sun.tga");
  if (!refusal.file.empty()) testing::WriteFile(path, refusal.file);
  platform::RecordingMessageBoxes boxes;
  TgaImage image;
  image.pixels = {1, 2, 3};  // left over from an earlier picture: must not survive a failure

  EXPECT_FALSE(ReadTga(path, image, boxes));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, refusal.caption);
  EXPECT_EQ(boxes.shown[0].text, refusal.text);
  EXPECT_EQ(boxes.shown[0].buttons, platform::Buttons::Ok);
  EXPECT_TRUE(image.pixels.empty());
}

INSTANTIATE_TEST_SUITE_P(Files, TgaRefusal, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

struct Accepted {
  const char* name;
  Bytes file;
  int width, height, bitsPerPixel;
  unsigned int format;
  Bytes pixels;  // file order, R, G, B (, A)
};

const Accepted kAccepted[] = {
    {"Type2Rgb", TgaBytes(kType2, 2, 1, 24, {1, 2, 3, 4, 5, 6}), 2, 1, 24, GL_RGB,
     {3, 2, 1, 6, 5, 4}},
    {"Type2Rgba", TgaBytes(kType2, 1, 2, 32, {1, 2, 3, 40, 5, 6, 7, 80}), 1, 2, 32, GL_RGBA,
     {3, 2, 1, 40, 7, 6, 5, 80}},
    // Odd width: rows of 9 bytes, no padding between them.
    {"Type2OddWidth", TgaBytes(kType2, 3, 2, 24, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}),
     3, 2, 24, GL_RGB, {3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10, 15, 14, 13, 18, 17, 16}},
    // Top-left origin (descriptor bit 5) is not interpreted: rows stay in file order.
    {"Type2TopLeftOrigin", TgaBytes(kType2, 1, 2, 24, {1, 1, 1, 2, 2, 2}, 0x20), 1, 2, 24, GL_RGB,
     {1, 1, 1, 2, 2, 2}},
    // A run of 3, then a raw packet of 2 that ends exactly at the last pixel.
    {"Type10RunThenRaw",
     TgaBytes(kType10, 5, 1, 24, {0x82, 10, 20, 30, 0x01, 1, 2, 3, 4, 5, 6}), 5, 1, 24, GL_RGB,
     {30, 20, 10, 30, 20, 10, 30, 20, 10, 3, 2, 1, 6, 5, 4}},
    {"Type10Rgba", TgaBytes(kType10, 2, 2, 32, {0x80, 1, 2, 3, 4, 0x82, 5, 6, 7, 8}), 2, 2, 32,
     GL_RGBA, {3, 2, 1, 4, 7, 6, 5, 8, 7, 6, 5, 8, 7, 6, 5, 8}},
};

// Names the case in failure messages instead of dumping its bytes.
void PrintTo(const Accepted& c, std::ostream* os) { *os << c.name; }

class TgaAccepted : public ::testing::TestWithParam<Accepted> {};

TEST_P(TgaAccepted, ReadsPixelsAsRgbInFileOrder) {
  const Accepted& expected = GetParam();
  testing::TempFolder folder;
  const std::string path = folder.File("sun.tga");
  testing::WriteFile(path, expected.file);
  platform::RecordingMessageBoxes boxes;
  TgaImage image;

  ASSERT_TRUE(ReadTga(path, image, boxes));
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(image.width, expected.width);
  EXPECT_EQ(image.height, expected.height);
  EXPECT_EQ(image.bitsPerPixel, expected.bitsPerPixel);
  EXPECT_EQ(image.format, expected.format);
  EXPECT_EQ(image.pixels, expected.pixels);
}

INSTANTIATE_TEST_SUITE_P(Files, TgaAccepted, ::testing::ValuesIn(kAccepted),
                         [](const auto& info) { return std::string(info.param.name); });

// One reader call must not leak sizes into the next: a small picture after a large refused one.
TEST(TgaReader, ReadsCorrectlyAfterARefusal) {
  testing::TempFolder folder;
  testing::WriteFile(folder.File("bad.tga"), TgaBytes(kType10, 300, 300, 32, {0x81, 1, 2, 3, 4}));
  testing::WriteFile(folder.File("good.tga"), TgaBytes(kType2, 1, 1, 24, {1, 2, 3}));
  platform::RecordingMessageBoxes boxes;
  TgaImage image;
  EXPECT_FALSE(ReadTga(folder.File("bad.tga"), image, boxes));
  ASSERT_TRUE(ReadTga(folder.File("good.tga"), image, boxes));
  EXPECT_EQ(image.width, 1);
  EXPECT_EQ(image.pixels, (Bytes{3, 2, 1}));
}

}  // namespace
}  // namespace aerolume::render
