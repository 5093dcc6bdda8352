// The files the game carries: the sound recordings, the device photograph and title pictures,
// the icon and the two documents. They are made by the generators in tools/; these tests read
// them back the way a loader would and check the formats and sizes the game relies on.
#include <gtest/gtest.h>

#include "karvan_version.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

const std::filesystem::path ResourceDir =
    std::filesystem::path(KARVAN_TEST_DATA_DIR) / ".." / "resources";

Bytes ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t Le16(const Bytes& b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t Le32(const Bytes& b, std::size_t at) {
  return Le16(b, at) | (Le16(b, at + 2) << 16);
}

std::uint32_t Be16(const Bytes& b, std::size_t at) {
  return static_cast<std::uint32_t>((b[at] << 8) | b[at + 1]);
}

std::uint32_t Be32(const Bytes& b, std::size_t at) {
  return (Be16(b, at) << 16) | Be16(b, at + 2);
}

bool TagAt(const Bytes& b, std::size_t at, const char* tag) {
  for (std::size_t i = 0; tag[i] != 0; ++i) {
    if (at + i >= b.size() || b[at + i] != static_cast<std::uint8_t>(tag[i])) return false;
  }
  return true;
}

// ------------------------------------------------------------------------ WAVE

struct WaveInfo {
  std::uint32_t Rate = 0;
  std::uint32_t Bits = 0;
  std::uint32_t Channels = 0;
  std::size_t DataOffset = 0;
  std::size_t DataSize = 0;
  double Seconds() const { return static_cast<double>(DataSize) / (Rate * Channels * Bits / 8); }
};

// Reads a RIFF/WAVE file's format and data chunks; nothing unless it is well-formed PCM.
std::optional<WaveInfo> ParseWave(const Bytes& b) {
  if (b.size() < 12 || !TagAt(b, 0, "RIFF") || !TagAt(b, 8, "WAVE")) return std::nullopt;
  if (Le32(b, 4) + 8 > b.size()) return std::nullopt;
  WaveInfo info;
  bool haveFormat = false;
  bool haveData = false;
  std::size_t at = 12;
  while (at + 8 <= b.size()) {
    const std::size_t size = Le32(b, at + 4);
    const std::size_t body = at + 8;
    if (body + size > b.size()) return std::nullopt;
    if (TagAt(b, at, "fmt ")) {
      if (size < 16 || Le16(b, body) != 1) return std::nullopt;  // 1: uncompressed PCM
      info.Channels = Le16(b, body + 2);
      info.Rate = Le32(b, body + 4);
      const std::uint32_t byteRate = Le32(b, body + 8);
      const std::uint32_t align = Le16(b, body + 12);
      info.Bits = Le16(b, body + 14);
      if (info.Channels == 0 || info.Rate == 0 || (info.Bits != 8 && info.Bits != 16))
        return std::nullopt;
      if (align != info.Channels * info.Bits / 8 || byteRate != info.Rate * align)
        return std::nullopt;
      haveFormat = true;
    } else if (TagAt(b, at, "data")) {
      info.DataOffset = body;
      info.DataSize = size;
      haveData = true;
    }
    at = body + size + (size & 1);
  }
  if (!haveFormat || !haveData || info.DataSize % (info.Channels * info.Bits / 8) != 0)
    return std::nullopt;
  return info;
}

// One sample as a fraction of full scale, -1 to 1.
double Sample(const Bytes& b, const WaveInfo& w, std::size_t index) {
  if (w.Bits == 8) return (b[w.DataOffset + index] - 128) / 128.0;
  const auto raw = static_cast<std::int16_t>(Le16(b, w.DataOffset + 2 * index));
  return raw / 32768.0;
}

Bytes MakeWave(std::uint16_t format, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
               std::uint32_t dataBytes) {
  Bytes b;
  auto put = [&b](std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  auto tag = [&b](const char* t) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(t[i]));
  };
  const std::uint16_t align = static_cast<std::uint16_t>(channels * bits / 8);
  tag("RIFF");
  put(36 + dataBytes, 4);
  tag("WAVE");
  tag("fmt ");
  put(16, 4);
  put(format, 2);
  put(channels, 2);
  put(rate, 4);
  put(rate * align, 4);
  put(align, 2);
  put(bits, 2);
  tag("data");
  put(dataBytes, 4);
  b.insert(b.end(), dataBytes, 128);
  return b;
}

struct SoundFormat {
  const char* Name;
  std::uint32_t Rate;
  std::uint32_t Bits;
  std::uint32_t Channels;
  double Seconds;
};

// Every recording the game carries, and the two it plays under the names "wvScore" and "wvCoin".
const SoundFormat Sounds[] = {
    {"WVBONUS", 22050, 8, 1, 0.02},      {"WVDEATH", 22050, 8, 1, 1.0},
    {"WVDEATHENEMY", 44100, 16, 1, 0.5}, {"WVDEFEND", 44100, 16, 1, 0.2},
    {"WVGAMEOVER", 22050, 8, 1, 0.4},    {"WVLEVEL", 22050, 8, 1, 1.6},
    {"WVMOVE", 22050, 8, 2, 0.06},       {"WVMOVEENEMY", 22050, 8, 1, 0.01},
    {"WVUNLOCKEXIT", 22050, 8, 2, 1.2},  {"WVSCORE", 22050, 8, 1, 0.03},
    {"WVCOIN", 22050, 8, 1, 0.2},
};

void PrintTo(const SoundFormat& format, std::ostream* os) {
  *os << format.Name;
}

class AssetSound : public ::testing::TestWithParam<SoundFormat> {};

TEST_P(AssetSound, IsPcmWaveOfItsFormatAndLength) {
  const SoundFormat& format = GetParam();
  const auto path = ResourceDir / "sounds" / (std::string(format.Name) + ".wav");
  ASSERT_TRUE(std::filesystem::is_regular_file(path)) << path;
  const Bytes bytes = ReadAll(path);
  const auto wave = ParseWave(bytes);
  ASSERT_TRUE(wave.has_value()) << path << " is not a PCM WAVE file";
  EXPECT_EQ(wave->Rate, format.Rate);
  EXPECT_EQ(wave->Bits, format.Bits);
  EXPECT_EQ(wave->Channels, format.Channels);
  EXPECT_NEAR(wave->Seconds(), format.Seconds, format.Seconds * 0.3);
}

TEST_P(AssetSound, IsAudibleAndDoesNotClip) {
  const SoundFormat& format = GetParam();
  const Bytes bytes = ReadAll(ResourceDir / "sounds" / (std::string(format.Name) + ".wav"));
  const auto wave = ParseWave(bytes);
  ASSERT_TRUE(wave.has_value());
  const std::size_t count = wave->DataSize / (wave->Bits / 8);
  ASSERT_GT(count, 0u);
  double peak = 0.0;
  std::size_t atFullScale = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const double s = Sample(bytes, *wave, i);
    peak = std::max(peak, s < 0 ? -s : s);
    if (s <= -0.99 || s >= 0.99) ++atFullScale;
  }
  EXPECT_GT(peak, 0.1) << "nearly silent";
  EXPECT_EQ(atFullScale, 0u) << "samples at full scale: the recording clips";
}

INSTANTIATE_TEST_SUITE_P(AssetRecordings, AssetSound, ::testing::ValuesIn(Sounds),
                         [](const ::testing::TestParamInfo<SoundFormat>& info) {
                           return std::string(info.param.Name);
                         });

TEST(AssetWaveReader, ReadsWellFormedPcm) {
  const auto wave = ParseWave(MakeWave(1, 2, 22050, 8, 2646));
  ASSERT_TRUE(wave.has_value());
  EXPECT_EQ(wave->Channels, 2u);
  EXPECT_NEAR(wave->Seconds(), 0.06, 1e-9);
}

TEST(AssetWaveReader, RejectsCompressedTruncatedAndForeignFiles) {
  EXPECT_FALSE(ParseWave(MakeWave(3, 1, 44100, 16, 100)).has_value());  // floating point
  Bytes truncated = MakeWave(1, 1, 22050, 8, 100);
  truncated.resize(truncated.size() - 10);
  EXPECT_FALSE(ParseWave(truncated).has_value());
  Bytes odd = MakeWave(1, 1, 44100, 16, 101);  // half a sample
  EXPECT_FALSE(ParseWave(odd).has_value());
  EXPECT_FALSE(ParseWave(Bytes{'R', 'I', 'F', 'X'}).has_value());
}

// ------------------------------------------------------------------------ pictures

struct PictureSize {
  std::uint32_t Width = 0;
  std::uint32_t Height = 0;
};

// Walks a JPEG's markers to its first baseline, extended or progressive frame header.
std::optional<PictureSize> JpegSize(const Bytes& b) {
  if (b.size() < 4 || b[0] != 0xFF || b[1] != 0xD8) return std::nullopt;
  std::size_t at = 2;
  while (at + 4 <= b.size()) {
    if (b[at] != 0xFF) return std::nullopt;
    const std::uint8_t marker = b[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0xD9 || marker == 0xDA) return std::nullopt;  // end or scan before a frame
    const std::size_t length = Be16(b, at + 2);
    if (length < 2 || at + 2 + length > b.size()) return std::nullopt;
    if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2) {
      if (length < 7) return std::nullopt;
      return PictureSize{Be16(b, at + 7), Be16(b, at + 5)};
    }
    at += 2 + length;
  }
  return std::nullopt;
}

std::optional<PictureSize> PngSize(const Bytes& b) {
  static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (b.size() < 24 || !std::equal(signature, signature + 8, b.begin()) || !TagAt(b, 12, "IHDR"))
    return std::nullopt;
  return PictureSize{Be32(b, 16), Be32(b, 20)};
}

struct PictureSpec {
  const char* File;
  std::uint32_t Width;
  std::uint32_t Height;
};

void PrintTo(const PictureSpec& format, std::ostream* os) {
  *os << format.File;
}

class AssetJpeg : public ::testing::TestWithParam<PictureSpec> {};

TEST_P(AssetJpeg, HasItsPixelSize) {
  const PictureSpec& format = GetParam();
  const auto path = ResourceDir / "images" / format.File;
  ASSERT_TRUE(std::filesystem::is_regular_file(path)) << path;
  const Bytes bytes = ReadAll(path);
  ASSERT_GE(bytes.size(), 3u);
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0xD8);
  EXPECT_EQ(bytes[2], 0xFF);
  const auto size = JpegSize(bytes);
  ASSERT_TRUE(size.has_value()) << "no frame header in " << path;
  EXPECT_EQ(size->Width, format.Width);
  EXPECT_EQ(size->Height, format.Height);
}

INSTANTIATE_TEST_SUITE_P(AssetPictures, AssetJpeg,
                         ::testing::Values(PictureSpec{"device.jpg", 800, 481},
                                           PictureSpec{"title.jpg", 203, 41},
                                           PictureSpec{"title_small.jpg", 195, 35}),
                         [](const ::testing::TestParamInfo<PictureSpec>& info) {
                           std::string name = info.param.File;
                           return name.substr(0, name.find('.'));
                         });

TEST(AssetJpegReader, FindsTheFrameHeaderAfterOtherSegments) {
  // SOI, an APP0 segment of 4 bytes, a progressive frame header of 11 bytes, EOI.
  const Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04, 0x00, 0x00, 0xFF, 0xC2, 0x00, 0x0B,
                      0x08, 0x01, 0xE1, 0x03, 0x20, 0x01, 0x01, 0x11, 0x00, 0xFF, 0xD9};
  const auto size = JpegSize(jpeg);
  ASSERT_TRUE(size.has_value());
  EXPECT_EQ(size->Width, 800u);
  EXPECT_EQ(size->Height, 481u);
}

TEST(AssetJpegReader, RejectsFilesWithoutAFrameHeader) {
  EXPECT_FALSE(JpegSize(Bytes{0xFF, 0xD8, 0xFF, 0xD9}).has_value());
  EXPECT_FALSE(JpegSize(Bytes{0x89, 'P', 'N', 'G'}).has_value());
  // a segment whose length runs past the end of the file
  EXPECT_FALSE(JpegSize(Bytes{0xFF, 0xD8, 0xFF, 0xE0, 0x01, 0x00, 0x00}).has_value());
}

std::string ReadText(const std::filesystem::path& path) {
  const Bytes b = ReadAll(path);
  return std::string(b.begin(), b.end());
}

TEST(AssetIcon, IsA256PixelSquarePng) {
  const auto size = PngSize(ReadAll(ResourceDir / "images" / "icon.png"));
  ASSERT_TRUE(size.has_value());
  EXPECT_EQ(size->Width, 256u);
  EXPECT_EQ(size->Height, 256u);
}

// The icon theme's copies of the game's and the editor's icons: one square PNG per size in its
// size's folder, the largest the same picture as the program's window icon, and a scalable
// drawing.
TEST(AssetIcon, ThemeHasEverySizeAndAScalableDrawingOfEachProgram) {
  const auto theme = ResourceDir / "icons" / "hicolor";
  const std::pair<std::string, std::filesystem::path> programs[] = {
      {"karvan-mirk", ResourceDir / "images" / "icon.png"},
      {"karvan-edit", ResourceDir / "icons" / "karvan-edit.png"}};
  for (const auto& [name, windowIcon] : programs) {
    for (const unsigned side : {16u, 22u, 24u, 32u, 48u, 64u, 128u, 256u}) {
      const auto folder = std::to_string(side) + "x" + std::to_string(side);
      const auto size = PngSize(ReadAll(theme / folder / "apps" / (name + ".png")));
      ASSERT_TRUE(size.has_value()) << name << " " << folder;
      EXPECT_EQ(size->Width, side) << name << " " << folder;
      EXPECT_EQ(size->Height, side) << name << " " << folder;
    }
    EXPECT_EQ(ReadAll(theme / "256x256" / "apps" / (name + ".png")), ReadAll(windowIcon)) << name;
    const std::string svg = ReadText(theme / "scalable" / "apps" / (name + ".svg"));
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u) << name;
    EXPECT_NE(svg.find("viewBox=\"0 0 256 256\""), std::string::npos) << name;
    EXPECT_NE(svg.find("</svg>"), std::string::npos) << name;
  }
}

// ------------------------------------------------------------------------ documents

TEST(AssetDocuments, ExistAndAreNotEmpty) {
  for (const char* name : {"README.TXT", "WHATSNEW.TXT"}) {
    const auto path = ResourceDir / "docs" / name;
    ASSERT_TRUE(std::filesystem::is_regular_file(path)) << path;
    EXPECT_GT(std::filesystem::file_size(path), 200u) << path;
  }
}

TEST(AssetDocuments, ReadmeDescribesTheLevelFileStatementsAndDirections) {
  const std::string readme = ReadText(ResourceDir / "docs" / "README.TXT");
  for (const char* word : {"AddRow('", "AddSwitch(", "PosTop", "PosBottom", "PosLeft", "PosRight",
                           "1024", "Alt+F4", "team@karvan-mirk.example"}) {
    EXPECT_NE(readme.find(word), std::string::npos) << "README.TXT lacks " << word;
  }
}

// The documents name the version the program reports; the package's release notes are made
// from WHATSNEW.TXT, so its newest entry is this version, dated.
TEST(AssetDocuments, NameTheProgramsVersion) {
  const std::string version = std::string("Version ") + karvan::KarvanVersion;
  const std::string news = ReadText(ResourceDir / "docs" / "WHATSNEW.TXT");
  const auto last = news.rfind("\nVersion ");
  ASSERT_NE(last, std::string::npos);
  const std::string entry = news.substr(last + 1, news.find_first_of("\r\n", last + 1) - last - 1);
  EXPECT_EQ(entry.rfind(version + " (", 0), 0u) << entry;
  EXPECT_EQ(entry.size(), version.size() + 13) << "a date (YYYY-MM-DD) follows: " << entry;
  const std::string readme = ReadText(ResourceDir / "docs" / "README.TXT");
  const std::string first = readme.substr(0, readme.find_first_of("\r\n"));
  EXPECT_NE(first.find(version), std::string::npos) << first;
}

}  // namespace
