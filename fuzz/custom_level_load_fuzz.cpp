// libFuzzer target: arbitrary bytes as the contents of a custom level file, read as the game
// reads a file's bytes, checked, and built into a game form the way the level choice builds
// it, up to the hero standing at his start; no file and no play, so that the reading and
// building run many thousands of times a second. A broken promise of the loader aborts, so that
// the fuzzer keeps the input:
// - a refused file gets the game's message and leaves no level behind; a built one got no
//   message, holds one screen at least and no more cells than a level may have;
// - the map is what the rows say: as many rows as rows with cells, as many columns as the
//   longest row, every cell with its figures, the side scenes one per whole screen;
// - the level starts with the hero shown at his start and the game's invariants holding
//   (hero and view in the map, on screen boundaries).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/level.h"
#include "engine/platform.h"
#include "engine/support.h"
#include "game/custom_level_file.h"
#include "game/karvan_form.h"
#include "sim/checked_run.h"
#include "sim/sim_platform.h"
#include "sprites/sprite.h"

namespace {

using namespace karvan;

class NullBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type Char) override { return traits_type::not_eof(Char); }
};

// The headless platform without a script; messages are counted, not kept, since one process
// refuses millions of files.
class LoaderPlatform : public sim::SimPlatform {
 public:
  explicit LoaderPlatform(std::ostream& Out)
      : SimPlatform(sim::TScript{}, sim::TSimOptions{}, Out) {}
  void ShowMessage(std::string_view) override { ++Messages; }
  int Messages = 0;
};

[[noreturn]] void Fail(const std::string& What) {
  std::fprintf(stderr, "karvan-fuzz-load: %s\n", What.c_str());
  std::abort();
}

// The map the rows describe, counted from the lines as the check counts them.
struct TExpectedMap {
  std::size_t Columns = 0;
  std::size_t Rows = 0;
};

// The fields of a row's text up to its first empty one, counted without reading the numbers.
std::size_t FieldCount(std::string_view Text) {
  std::size_t Count = 0;
  while (!Text.empty() && Text.front() != ',') {
    ++Count;
    const std::size_t Comma = Text.find(',');
    if (Comma == std::string_view::npos) break;
    Text.remove_prefix(Comma + 1);
  }
  return Count;
}

TExpectedMap ExpectedMap(const std::vector<std::string>& Lines) {
  TExpectedMap Map;
  for (const std::string& Line : Lines) {
    if (StartsWithText(Line, "AddSwitch(", -1)) continue;
    const std::size_t Codes = FieldCount(RowText(Line));
    if (Codes == 0) continue;
    ++Map.Rows;
    if (Codes > Map.Columns) Map.Columns = Codes;
  }
  return Map;
}

void CheckBuiltMap(const TKarvanForm& Form, const TExpectedMap& Expected) {
  const TMap& Map = Form.Map;
  if (Map.size() != Expected.Columns)
    Fail(std::to_string(Map.size()) + " columns built of " + std::to_string(Expected.Columns));
  if (Map.RowCount() != Expected.Rows)
    Fail(std::to_string(Map.RowCount()) + " rows built of " + std::to_string(Expected.Rows));
  // The cells are kept screen by screen, and a screen nothing asked for holds no figures.
  for (std::size_t x0 = 0; x0 < Map.size(); x0 += 5)
    for (std::size_t y0 = 0; y0 < Map.RowCount(); y0 += 4) {
      if (Map.Made(x0, y0) == nullptr) continue;
      for (std::size_t x = x0; x < x0 + 5 && x < Map.size(); ++x)
        for (std::size_t y = y0; y < y0 + 4 && y < Map.RowCount(); ++y) {
          const TCellRec* Cell = Map.Made(x, y);
          if (Cell == nullptr)
            Fail("cell " + std::to_string(x) + "," + std::to_string(y) +
                 " missing from a screen made");
          for (int Kind = 0; Cell->Sprites.AnyMade() && Kind < GridCrystalCount; ++Kind) {
            const TSprite* Sprite = Cell->Sprites.Made(Kind);
            if (Sprite != nullptr && (Sprite->x != static_cast<int>(x) ||
                                      Sprite->y != static_cast<int>(y) || Sprite->SpriteNr != Kind))
              Fail("cell " + std::to_string(x) + "," + std::to_string(y) + " holds another figure");
          }
        }
    }
  // Figures not present are made when first asked for: the cells rows of unequal length leave
  // unnamed are the ones that could fail to make them.
  for (const auto& [x, y] :
       {std::pair{Map.size() - 1, std::size_t{0}}, std::pair{std::size_t{0}, Expected.Rows - 1},
        std::pair{Map.size() - 1, Expected.Rows - 1}})
    for (int Kind = 0; Kind < GridCrystalCount; ++Kind) {
      const auto& Sprite = Map[x][y].Sprites[Kind];
      if (!Sprite || Sprite->x != static_cast<int>(x) || Sprite->y != static_cast<int>(y))
        Fail("cell " + std::to_string(x) + "," + std::to_string(y) + " makes no figure");
    }
  if (Form.SideArr.size() != Expected.Columns / 5)
    Fail(std::to_string(Form.SideArr.size()) + " columns of side scenes");
  if (Form.SideArr.RowCount() != Expected.Rows / 4)
    Fail(std::to_string(Form.SideArr.RowCount()) + " rows of side scenes");
  // The scene of the last screen is the one a grid grown row by row could fail to make.
  if (!Form.SideArr.empty() && Form.SideArr.RowCount() > 0) {
    const std::size_t sx = Form.SideArr.size() - 1;
    const std::size_t sy = Form.SideArr.RowCount() - 1;
    const auto& Side = Form.SideArr[sx][sy];
    for (int Kind = 0; Kind < SideCrystalCount; ++Kind) {
      const auto& Sprite = Side.Sprites[Kind];
      if (!Sprite || Sprite->x != static_cast<int>(sx) || Sprite->y != static_cast<int>(sy))
        Fail("side scene makes no figure");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  // One game form for the process, as the game keeps one form for file after file: building
  // the form's display is no part of loading. Each input's level is freed before the next.
  static NullBuffer Discard;
  static std::ostream Null(&Discard);
  static LoaderPlatform Platform(Null);
  static PlatformScope Scope(Platform);
  static const std::unique_ptr<TKarvanForm> Form = [] {
    auto Made = MakeForm<TKarvanForm>();
    Platform.Attach(*Made);
    return Made;
  }();
  Platform.Messages = 0;
  // The level goes before the input ends: what an input allocates it frees, so that libFuzzer's
  // leak check stays quiet unless something leaks.
  struct TFreeLevel {
    TKarvanForm& Form;
    ~TFreeLevel() {
      Form.FreeLevel();
      Form.CollectRetiredLevel();
    }
  } FreeLevelAtEnd{*Form};

  const std::vector<std::string> Lines =
      LevelFileLinesFromBytes(std::string_view(reinterpret_cast<const char*>(Data), Size));
  if (!Form->LoadLevelLines(Lines, "input")) {
    if (Platform.Messages != 1 || Form->Level || !Form->Map.empty())
      Fail("a refused file left a level or no message");
    return 0;
  }
  if (Platform.Messages != 0) Fail("a message for a playable file");
  const TExpectedMap Expected = ExpectedMap(Lines);
  if (Expected.Columns < 5 || Expected.Rows < 4 ||
      Expected.Columns * Expected.Rows > MaxCustomLevelCells)
    Fail("a map of " + std::to_string(Expected.Columns) + " x " + std::to_string(Expected.Rows) +
         " was built");
  CheckBuiltMap(*Form, Expected);
  // The level choice's start of a game.
  Form->Lives = Form->MaxLives;
  Form->Score = 0;
  Form->Init(-1);
  if (!Form->Level) Fail("the custom level was replaced at its start");
  const TSprite* Hero = Form->HeroSprite();
  if (Hero == nullptr || !Hero->SpriteVisible) Fail("no hero at the start");
  if (auto Problem = sim::CheckInvariants(*Form)) Fail(*Problem);
  return 0;
}
