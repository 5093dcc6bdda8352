// A game device on a fake platform with a level built from a grid of cell codes, for the
// suites of the map figures and the hero.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/dialog_form.h"
#include "engine/level.h"
#include "engine/platform.h"
#include "engine/render.h"
#include "game/karvan_form.h"
#include "levels/karvan_level.h"
#include "sprites/hero_sprite.h"

namespace karvan::maptest {

// Cell-code bits, one per figure kind.
inline constexpr int cV = 1 << gcWallVert;
inline constexpr int cLV = 1 << gcLockVert;
inline constexpr int cH = 1 << gcWallHorz;
inline constexpr int cLH = 1 << gcLockHorz;
inline constexpr int cHero = 1 << gcHero;
inline constexpr int cScorpion = 1 << gcScorpion;
inline constexpr int cGold = 1 << gcGold;
inline constexpr int cSwitchUp = 1 << gcSwitchUp;
inline constexpr int cKey = 1 << gcKey;

// A map under construction: cell codes by (column, row).
struct TGrid {
  TGrid(int W, int H) : Width(W), Height(H), Codes(W * H, 0) {}
  int& operator()(int x, int y) { return Codes[y * Width + x]; }
  // Gives the cells x0..x1 of row y a floor: the top-edge walls of the row below.
  void FloorUnder(int y, int x0, int x1) {
    for (int x = x0; x <= x1; ++x) (*this)(x, y + 1) |= cH;
  }
  std::vector<std::string> Rows() const {
    std::vector<std::string> Result(Height);
    for (int y = 0; y < Height; ++y)
      for (int x = 0; x < Width; ++x)
        Result[y] += (x == 0 ? "" : ",") + std::to_string(Codes[y * Width + x]);
    return Result;
  }
  int Width;
  int Height;
  std::vector<int> Codes;
};

// A clock that only the test and the pumps of the waits advance (1 ms per pump), and a
// record of the sounds played.
class TMapTestPlatform : public Platform {
 public:
  std::int64_t Clock = 0;
  std::vector<std::string> Sounds;
  std::function<void()> OnPump;

  std::int64_t GetTickCount() override { return Clock; }
  void PumpMessages() override {
    ++Clock;
    if (OnPump) OnPump();
  }
  void PlaySound(std::string_view Name) override { Sounds.emplace_back(Name); }
  void ShowMessage(std::string_view Text) override { ADD_FAILURE() << "message: " << Text; }
  TOpenResult OpenDocument(std::string_view) override { return {}; }
  std::optional<std::string> ExecuteOpenDialog() override { return std::nullopt; }
  TModalResult ShowModal(TDialogForm& Dialog) override {
    return Dialog.ModalResult = TModalResult::mrOk;
  }
  void ShowDeviceForm(TLCDForm&) override {}
  void CrystalsChanged(std::span<const int>) override {}
  void SetCursor(TCursorShape) override {}
  void SetHint(std::string_view) override {}
  void PopupMenu(TPopupMenu&, int, int) override {}
  std::string ProgramDirectory() override { return "."; }
};

class TGridLevel : public TKarvanLevel {
 public:
  TGridLevel(TLCDForm& ParentParam, std::vector<std::string> RowsParam)
      : TKarvanLevel(ParentParam, -1), Rows(std::move(RowsParam)) {}
  void Create() override {
    TKarvanLevel::Create();
    for (const std::string& Row : Rows) AddRow(Row);
  }
  std::vector<std::string> Rows;
};

class MapFigureTest : public ::testing::Test {
 protected:
  TMapTestPlatform Platform;
  PlatformScope Scope{Platform};
  std::unique_ptr<TKarvanForm> Form = MakeForm<TKarvanForm>();
  // Two screens across, one down: row 3 is the map's last row, column 9 its last column.
  TGrid Grid{10, 4};

  // Builds the level from Grid and places the hero at its cell. A gold piece out of reach
  // keeps the level from being complete.
  void Start() {
    Grid(Grid.Width - 1, 0) |= cGold;
    Form->FreeLevel();
    Form->CollectRetiredLevel();
    Form->SetLevel(MakeLevel<TGridLevel>(*Form, Grid.Rows()));
    Form->Lives = 3;
    Form->Resurrect(true);
  }

  TSprite& At(int x, int y, TGridCrystal Kind) { return *Form->Map[x][y].Sprites[Kind]; }
  bool Shown(int x, int y, TGridCrystal Kind) { return At(x, y, Kind).SpriteVisible; }
  THeroSprite& Hero() { return static_cast<THeroSprite&>(*Form->HeroSprite()); }
  TPoint HeroAt() const { return Form->HeroPos; }
  std::int64_t Now() const { return Platform.Clock; }
  long Count(const std::string& Sound) {
    return std::count(Platform.Sounds.begin(), Platform.Sounds.end(), Sound);
  }

  // One pass of the game loop: draw the shown screen, then let everything move.
  void Pass() {
    Form->Render->Run();
    Form->CheckMovement();
  }
  // One pass per millisecond until Done holds (true) or Limit ms have gone by (false).
  bool RunUntil(const std::function<bool()>& Done, std::int64_t Limit) {
    for (const std::int64_t End = Now() + Limit; Now() < End; ++Platform.Clock) {
      Pass();
      if (Done()) return true;
    }
    return false;
  }
  void RunFor(std::int64_t Duration) {
    RunUntil([] { return false; }, Duration);
  }
  // Runs for Duration ms and answers every value Probe took, starting with the current one.
  std::vector<int> Trace(std::int64_t Duration, const std::function<int()>& Probe) {
    std::vector<int> Values{Probe()};
    RunUntil(
        [&] {
          if (Probe() != Values.back()) Values.push_back(Probe());
          return false;
        },
        Duration);
    return Values;
  }
  // Column or row of the present figure of a kind that started moving at (x, y); -1 if none.
  int ColumnFrom(int x, int y, TGridCrystal Kind) { return Started(x, y, Kind, true); }
  int RowFrom(int x, int y, TGridCrystal Kind) { return Started(x, y, Kind, false); }
  // Columns of the present figures of a kind in a row, left to right.
  std::vector<int> ColumnsIn(int y, TGridCrystal Kind) {
    std::vector<int> Result;
    for (int x = 0; x < Grid.Width; ++x)
      if (Shown(x, y, Kind)) Result.push_back(x);
    return Result;
  }

 private:
  int Started(int x, int y, TGridCrystal Kind, bool Column) {
    for (const auto& Cells : Form->Map)
      for (TCellRec& Cell : Cells) {
        const TSprite& S = *Cell.Sprites[Kind];
        if (S.SpriteVisible && S.StartX == x && S.StartY == y) return Column ? S.x : S.y;
      }
    return -1;
  }
};

}  // namespace karvan::maptest
