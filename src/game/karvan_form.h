// The device window of Karvan Mirk: the engine's device form with the game's crystal layout,
// hit test and menu, its rules and keys, its animations and custom level files.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/lcd_form.h"
#include "engine/level.h"
#include "engine/types.h"

namespace karvan {

class TCustomLevel;
struct TCustomLevelRows;

// A switch cell and the platform it drives.
struct TSwitchRec {
  TPoint SwitchPos;
  TPoint PlatformPos;
  TPos Dir = PosNone;
};

class TKarvanForm : public TLCDForm {
 public:
  TKarvanForm();
  ~TKarvanForm() override;

  void Create() override;

  // Fields, in declaration order.
  std::int64_t Key = 0;
  int Pyramid = 0;
  int MapCrystal = 0;
  int VerticalLineCrystal = 0;
  int SunCrystal = 0;
  int MoonCrystal = 0;
  int PyramidLineCrystal = 0;
  int KeyCrystal = 0;
  int PyramidsCrystal = 0;
  int SmallHeroCrystal = 0;
  int HeartCrystal1 = 0;
  int HeartCrystal2 = 0;
  int HeartCrystal3 = 0;
  bool MapMode = false;
  bool Invincible = false;
  bool HasMap = false;
  bool MoveInAir = false;
  bool JumpKeyDown = false;
  std::vector<TSwitchRec> SwitchArr;
  // True while a game key or an unlock is being handled; keys arriving meanwhile are dropped.
  bool HeroActing = false;

  // Overrides of the engine's virtual operations.
  bool HeroDying() override;
  void Init(int LevelNr) override;
  void InitLevel(int LevelNr) override;
  void CheckInventory() override;
  void CreateCrystal(TGridCrystal Crystal, int x, int y) override;
  void CreateSideCrystal(TSideCrystal Crystal, int x, int y) override;
  TGridCrystal CoinSprite() override;
  void ClearResurrect() override;
  bool InScreenRange(int x, int y) override;
  void Run() override;
  bool AddMovingObject(int xParam, TGridCrystal Sprite, TPos ObjectDir, std::int64_t Speed,
                       std::int64_t Wait, std::int64_t Start, bool RepeatingParam,
                       int yParam) override;
  const TImage* GetGameImage() override;
  const TPanel* GetACLPanel() override;
  const TPanel* GetGamePanel() override;
  void LCDKeyDown(Word& Key, TShiftState Shift) override;
  const TImage* GetDisplay() override;
  int TimePos() override;
  bool CheckExit() override;
  int GetCrystalIndex(int x, int y, TGridCrystal Sprite) override;
  int WMNCHitTest(int X, int Y) override;

  // The form's creation event: the "Load custom level" menu entry.
  void FormCreate();
  // Key release.
  void FormKeyUp(Word& Key, TShiftState Shift);

  // Game rules.
  bool CheckSideArr(TPos MoveDir);
  void AddSwitch(int xSwitch, int ySwitch, int xPlatForm, int yPlatForm, TPos DirParam);
  void AddPlatform(int xPlatForm, int yPlatForm, TGridCrystal Sprite, TPos Dir, bool Reverse);

  // Animations.
  void LevelAnimation();
  void ExitAnimation();
  void DiamondAnimation();
  // The diamond animation on the scene of the knocked-out snake, which need not be the scene
  // of the hero's screen any more (the hero may have walked on while the snake was stunned).
  void DiamondAnimation(TSideCellRec* SnakeScene);

  // Custom level files: the file dialog, checking and loading.
  void LoadClick();
  // Checks and loads one level file, as a choice in the file dialog does; true when its level
  // was built (or, during a game, will take over). A file that does not exist gets a message
  // only when ReportMissing is set.
  bool LoadLevelFile(const std::string& Path, bool ReportMissing);
  // Checks and loads the lines of a level file that has been read (Name names it in the
  // message for lines that make no level), as LoadLevelFile does after reading the file.
  bool LoadLevelLines(const std::vector<std::string>& Lines, const std::string& Name);

  // A level file named when the program was started (an absolute path): the first level
  // choice is not shown and the file is played; a file that cannot be played gets its
  // message and the level choice follows.
  std::optional<std::string> StartLevelFile;

  // The hint the hit test last chose for the photograph.
  std::string GameImageHint;

 private:
  // The Z key's actions.
  void ZAction();
  // A custom level file loaded from the menu while a game runs: it takes over between two
  // passes of the loop, never while figures of the running level are on the call stack.
  std::vector<std::string> PendingCustomLines;
  bool CustomLevelPending = false;
  void StartPendingLevel();
  // Builds the custom level of a checked file's lines into the form.
  void BuildCustomLevel(const std::vector<std::string>& Lines);
  void BuildCustomLevel(const std::vector<std::string>& Lines, const TCustomLevelRows& Read);
  // Whether the game loop's inner passes run (a level is being played).
  bool GameRunning = false;
};

// Marks the hero as acting for as long as it lives, also when a stop unwinds through it.
class THeroActingScope {
 public:
  explicit THeroActingScope(TKarvanForm& FormParam) : Form(FormParam), Was(FormParam.HeroActing) {
    Form.HeroActing = true;
  }
  ~THeroActingScope() { Form.HeroActing = Was; }
  THeroActingScope(const THeroActingScope&) = delete;
  THeroActingScope& operator=(const THeroActingScope&) = delete;

 private:
  TKarvanForm& Form;
  bool Was;
};

}  // namespace karvan
