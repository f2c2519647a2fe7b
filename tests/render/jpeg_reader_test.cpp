// The JPEG reader against JPEGs written here with libjpeg's compressor: orientation, greyscale,
// and damaged files that must be reported without ending the process.
#include "render/jpeg_reader.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/fakes/recording_message_boxes.h"
#include "tests/render/picture_fixtures.h"

namespace aerolume::render {
namespace {

using testing::Bytes;
using testing::JpegBytes;

// Each channel of actual within a few levels of expected (JPEG is lossy even at quality 100).
void ExpectNear(const Bytes& actual, const Bytes& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    EXPECT_NEAR(actual[i], expected[i], 8) << "byte " << i;
  }
}

TEST(JpegReader, ThreeByTwoComesBottomRowFirst) {
  testing::TempFolder folder;
  const Bytes top = {255, 0, 0, 0, 255, 0, 0, 0, 255};
  const Bytes bottom = {255, 255, 255, 0, 0, 0, 128, 128, 128};
  Bytes topFirst = top;
  topFirst.insert(topFirst.end(), bottom.begin(), bottom.end());
  testing::WriteFile(folder.File("a.jpg"), JpegBytes(3, 2, 3, topFirst));
  platform::RecordingMessageBoxes boxes;

  const auto image = ReadJpeg(folder.File("a.jpg"), boxes);
  ASSERT_TRUE(image.has_value());
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(image->width, 3);
  EXPECT_EQ(image->height, 2);
  EXPECT_EQ(image->rowBytes, 9);
  Bytes bottomFirst = bottom;
  bottomFirst.insert(bottomFirst.end(), top.begin(), top.end());
  ExpectNear(image->pixels, bottomFirst);
}

TEST(JpegReader, GreyscaleIsExpandedToRgb) {
  testing::TempFolder folder;
  testing::WriteFile(folder.File("g.jpg"), JpegBytes(2, 2, 1, {0, 85, 170, 255}));
  platform::RecordingMessageBoxes boxes;

  const auto image = ReadJpeg(folder.File("g.jpg"), boxes);
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(image->rowBytes, 6);
  ExpectNear(image->pixels, {170, 170, 170, 255, 255, 255, 0, 0, 0, 85, 85, 85});
}

// A 64 x 64 picture with some detail, so that its compressed data spans many bytes.
Bytes DetailedJpeg() {
  Bytes pixels;
  for (int i = 0; i < 64 * 64; ++i) {
    pixels.insert(pixels.end(), {static_cast<unsigned char>(i * 7), static_cast<unsigned char>(i / 16),
                                 static_cast<unsigned char>(i % 64 * 4)});
  }
  return JpegBytes(64, 64, 3, pixels);
}

Bytes Truncated(Bytes bytes, std::size_t size) {
  bytes.resize(size);
  return bytes;
}

// Sets the frame header's height and width fields (big-endian, after length and precision).
Bytes WithFrameSize(Bytes jpeg, int height, int width) {
  const std::size_t sof = testing::FrameHeaderOffset(jpeg);
  jpeg[sof + 5] = static_cast<unsigned char>(height >> 8);
  jpeg[sof + 6] = static_cast<unsigned char>(height & 0xFF);
  jpeg[sof + 7] = static_cast<unsigned char>(width >> 8);
  jpeg[sof + 8] = static_cast<unsigned char>(width & 0xFF);
  return jpeg;
}

struct Unreadable {
  const char* name;
  Bytes file;  // empty: no file at all
};

const Unreadable kUnreadable[] = {
    {"Missing", {}},
    {"NotAJpeg", {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0}},
    {"CutInsideHeader", Truncated(DetailedJpeg(), 40)},
    {"ZeroWidth", WithFrameSize(DetailedJpeg(), 64, 0)},
    {"Cmyk", JpegBytes(2, 2, 4, testing::Solid(2, 2, {0, 255, 255, 0}))},
    // 60000 x 60000 promised by a few hundred bytes: refused, nothing of that size allocated.
    {"ImplausiblyLarge", WithFrameSize(DetailedJpeg(), 60000, 60000)},
};

// Names the case in failure messages instead of dumping its bytes.
void PrintTo(const Unreadable& c, std::ostream* os) { *os << c.name; }

class JpegUnreadable : public ::testing::TestWithParam<Unreadable> {};

TEST_P(JpegUnreadable, ShowsTheBoxAndCarriesOn) {
  testing::TempFolder folder;
  const std::string path = folder.File("back.jpg");
  if (!GetParam().file.empty()) testing::WriteFile(path, GetParam().file);
  platform::RecordingMessageBoxes boxes;

  EXPECT_FALSE(ReadJpeg(path, boxes).has_value());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, path);
  EXPECT_EQ(boxes.shown[0].text, "Unable to load JPG File!");
  EXPECT_EQ(boxes.shown[0].buttons, platform::Buttons::Ok);

  // The reader holds nothing over: a good picture reads normally right after.
  testing::WriteFile(folder.File("good.jpg"), JpegBytes(1, 1, 3, {9, 9, 9}));
  EXPECT_TRUE(ReadJpeg(folder.File("good.jpg"), boxes).has_value());
  EXPECT_EQ(boxes.shown.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Files, JpegUnreadable, ::testing::ValuesIn(kUnreadable),
                         [](const auto& info) { return std::string(info.param.name); });

// A file cut inside its compressed data is libjpeg's warning, not an error: the library fills the
// missing rows and the picture keeps its size.
TEST(JpegReader, CutInsideTheDataStillGivesTheWholePicture) {
  testing::TempFolder folder;
  const Bytes whole = DetailedJpeg();
  testing::WriteFile(folder.File("cut.jpg"), Truncated(whole, whole.size() / 2));
  platform::RecordingMessageBoxes boxes;

  const auto image = ReadJpeg(folder.File("cut.jpg"), boxes);
  ASSERT_TRUE(image.has_value());
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(image->width, 64);
  EXPECT_EQ(image->height, 64);
  EXPECT_EQ(image->pixels.size(), 64u * 64u * 3u);
}

}  // namespace
}  // namespace aerolume::render
