// A game device on a fake platform with a one-screen level whose side scenes the test fills,
// and a game loop the test runs pass by pass on the virtual clock.
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
#include "engine/lcd_form.h"
#include "engine/platform.h"
#include "engine/render.h"
#include "engine/support.h"
#include "game/karvan_form.h"
#include "levels/karvan_level.h"

namespace karvan::test {

// The outside world of a scene test: a clock that each pump advances by 1 ms (so waits end),
// an optional callback inside each pump (input arriving in the middle of a wait), and a
// record of the sounds and dialogs the game asked for.
class SceneTestPlatform : public Platform {
 public:
  struct TSound {
    std::string Name;
    std::int64_t Time;  // clock when it was asked for
  };

  std::int64_t Clock = 0;
  std::function<void()> OnPump;  // not run inside a pump that the callback itself causes
  std::vector<TSound> Sounds;
  std::vector<std::string> Messages;
  int Dialogs = 0;

  std::int64_t GetTickCount() override { return Clock; }
  void PumpMessages() override {
    ++Clock;
    if (OnPump && !InPump) {
      InPump = true;
      OnPump();
      InPump = false;
    }
  }
  void PlaySound(std::string_view Name) override { Sounds.push_back({std::string(Name), Clock}); }
  void ShowMessage(std::string_view Text) override { Messages.emplace_back(Text); }
  TOpenResult OpenDocument(std::string_view) override { return {}; }
  std::optional<std::string> ExecuteOpenDialog() override { return std::nullopt; }
  TModalResult ShowModal(TDialogForm& Form) override {
    ++Dialogs;
    Form.ModalResult = TModalResult::mrOk;
    return Form.ModalResult;
  }
  void ShowDeviceForm(TLCDForm&) override {}
  void CrystalsChanged(std::span<const int>) override {}
  void SetCursor(TCursorShape) override {}
  void SetHint(std::string_view) override {}
  void PopupMenu(TPopupMenu&, int, int) override {}
  std::string ProgramDirectory() override { return "."; }

 private:
  bool InPump = false;
};

// What a scene level holds: its rows and the side figures of its one screen.
struct TSceneSetup {
  std::vector<std::string> Rows;
  std::vector<TSideCrystal> Side;
  bool SpiderActs = false;  // the big spider gets its direction, as the built-in levels do
  int LevelVal = 15;
};

class TSceneLevel : public TKarvanLevel {
 public:
  TSceneLevel(TLCDForm& ParentParam, int LevelNr, TSceneSetup SetupParam)
      : TKarvanLevel(ParentParam, LevelNr), Setup(std::move(SetupParam)) {}

  void Create() override {
    TKarvanLevel::Create();
    for (const std::string& Row : Setup.Rows) AddRow(Row);
    for (TSideCrystal Kind : Setup.Side) ShowSide(0, 0, Kind);
    if (Setup.SpiderActs) ParentForm.SideArr[0][0].Sprites[scSpiderBig]->SpriteDir = PosBottom;
    LevelVal = Setup.LevelVal;
  }

  TSceneSetup Setup;
};

// Rows of a map one screen wide and two screens high, with the column beyond the screen that
// the display draws only the walls of. Cell codes: 4 a floor (the wall on the cell's top edge),
// 16 the hero, 64 gold. The hero stands at (HeroColumn, HeroRow) on a floor that spans the
// map; the gold lies out of reach in the lower screen, so the level never completes by itself.
inline std::vector<std::string> SceneRows(int HeroColumn, int HeroRow) {
  std::vector<std::string> Rows;
  for (int y = 0; y < 8; ++y) {
    std::string Row;
    for (int x = 0; x < 6; ++x) {
      int Code = 0;
      if (x == HeroColumn && y == HeroRow) Code |= 16;
      if (y == HeroRow + 1) Code |= 4;
      if (x == 2 && y == 7) Code |= 64;
      Row += (x == 0 ? "" : ",") + std::to_string(Code);
    }
    Rows.push_back(Row);
  }
  return Rows;
}

class KarvanSceneTest : public ::testing::Test {
 protected:
  SceneTestPlatform Platform;
  PlatformScope Scope{Platform};
  std::unique_ptr<TKarvanForm> Form = MakeForm<TKarvanForm>();

  // Starts a game on a scene level, the way Init starts a level.
  void Start(TSceneSetup Setup, int LevelNr = 5) {
    Platform.Clock = 10000;
    Form->Lives = Form->MaxLives;
    Form->Score = 0;
    Form->FreeLevel();
    Form->CollectRetiredLevel();
    Form->HeroPos = {0, 0};
    Form->MapPos = {0, 0};
    Form->SetLevel(MakeLevel<TSceneLevel>(*Form, LevelNr, std::move(Setup)));
    Form->Resurrect(true);
  }

  TSideSprite& Side(TSideCrystal Kind) { return *Form->SideArr[0][0].Sprites[Kind]; }
  bool Shown(TSideCrystal Kind) { return Side(Kind).SpriteVisible; }
  void Show(TSideCrystal Kind) { Side(Kind).SpriteVisible = true; }
  bool Lit(TSideCrystal Kind) { return Form->CrystalArr[Form->StartSideCrystal + Kind].Visible; }
  TSprite* Hero() { return Form->HeroSprite(); }

  // One pass of the game loop.
  void Pass() {
    Form->CollectRetiredLevel();
    Form->Render->Run();
    Form->CheckMovement();
    Form->Draw();
    PumpMessages();
  }
  // Runs passes for Ms and records each change of State() with the clock at which the pass
  // that made it began.
  template <class TState>
  void Record(TState State, std::int64_t Ms, std::size_t MaxChanges,
              std::vector<decltype(State())>& States, std::vector<std::int64_t>& Times) {
    States.assign(1, State());
    Times.assign(1, Platform.Clock);
    const std::int64_t End = Platform.Clock + Ms;
    while (Platform.Clock < End && States.size() < MaxChanges) {
      const std::int64_t Began = Platform.Clock;
      Pass();
      if (!(State() == States.back())) {
        States.push_back(State());
        Times.push_back(Began);
      }
    }
  }
  void RunFor(std::int64_t Ms) {
    const std::int64_t End = Platform.Clock + Ms;
    while (Platform.Clock < End) Pass();
  }
  // Runs passes until the condition holds; false when it did not within Ms.
  template <class TCondition>
  bool RunUntil(TCondition Condition, std::int64_t Ms) {
    const std::int64_t End = Platform.Clock + Ms;
    while (!Condition()) {
      if (Platform.Clock >= End) return false;
      Pass();
    }
    return true;
  }

  void Press(Word Key) {
    Form->KeyDown(Key, 0);
    Form->KeyUp(Key, 0);
  }

  int Sounds(const std::string& Name, std::int64_t From = 0) {
    return static_cast<int>(std::count_if(
        Platform.Sounds.begin(), Platform.Sounds.end(),
        [&](const SceneTestPlatform::TSound& S) { return S.Name == Name && S.Time >= From; }));
  }
};

}  // namespace karvan::test
