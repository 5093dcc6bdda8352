// The rules of the game on its device form: the keys, map mode, the Z key's actions, the side
// scenes' entrances, picking up gold and keys, completing a level, dying and coming back, and
// the main loop.
#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "engine/platform.h"
#include "engine/render.h"
#include "engine/support.h"
#include "forms/intro_form.h"
#include "forms/level_select_form.h"
#include "game/karvan_form.h"
#include "levels/custom_level.h"
#include "sprites/hero_sprite.h"

namespace karvan {

namespace {

THeroSprite* AsHero(TSprite* Sprite) {
  return static_cast<THeroSprite*>(Sprite);
}

bool Visible(const TSideCellRec& Side, TSideCrystal Kind) {
  return Side.Sprites.Visible(Kind);
}

}  // namespace

void TKarvanForm::Run() {
  GetPlatform().ShowDeviceForm(*this);
  int LevelNr = 0;
  for (;;) {
    if (!StartMainLoopPass()) return;
    GetPlatform().SetCursor(TCursorShape::crArrow);
    LevelNr = 0;
    if (StartLevelFile) {
      const std::string File = *std::exchange(StartLevelFile, std::nullopt);
      FreeLevel();
      if (LoadLevelFile(File, true)) LevelNr = -1;
    }
    if (LevelNr == 0) LevelNr = ChooseLevel(*this);
    if (LevelNr != 0) {
      WaitTicks(1000);
      Lives = MaxLives;
      Score = 0;
      Init(LevelNr);
      GameRunning = true;
      do {
        // Between two passes nothing of the old level is on the call stack any more.
        CollectRetiredLevel();
        StartPendingLevel();
        if (Render) Render->Run();
        CheckMovement();
        Draw();
        PumpMessages();
      } while (!Quit && !Restart);
      GameRunning = false;
      CustomLevelPending = false;
      PendingCustomLines.clear();
    }
    CollectRetiredLevel();
    if (LevelNr == 0) return;
    if (Restart || Lives <= 0) continue;
    return;
  }
}

void TKarvanForm::StartPendingLevel() {
  if (!CustomLevelPending) return;
  CustomLevelPending = false;
  std::vector<std::string> Lines = std::move(PendingCustomLines);
  PendingCustomLines.clear();
  FreeLevel();
  BuildCustomLevel(Lines);
  Lives = MaxLives;
  Score = 0;
  Init(-1);
}

void TKarvanForm::Init(int LevelNr) {
  HasMap = false;
  Key = 0;
  TLCDForm::Init(LevelNr);
  JumpKeyDown = false;
  MoveInAir = false;
  // A new level never starts in map mode (the map of the previous game is gone).
  MapMode = false;
  if (Level) Resurrect(true);
}

bool TKarvanForm::HeroDying() {
  const TSprite* Hero = HeroSprite();
  bool Dying = Hero != nullptr && Hero->KillTime != -1;
  if (!Dying && !SideArr.empty() && !SideArr[0].empty() && InMapRange(HeroPos.X, HeroPos.Y)) {
    const TSideCellRec& Side = GetSideArr(HeroPos.X, HeroPos.Y);
    Dying = Side.Sprites[scHeroLeft]->KillTime > 0 || Side.Sprites[scHeroPlatform]->KillTime > 0;
  }
  return Dying && !Invincible;
}

void TKarvanForm::ClearResurrect() {
  if (TSprite* Scorpion = SpriteAt(HeroPos.X, HeroPos.Y, gcScorpion))
    Scorpion->SpriteVisible = false;
  if (TSprite* Scorpion = SpriteAt(HeroPos.X - 1, HeroPos.Y, gcScorpion))
    Scorpion->SpriteVisible = false;
}

void TKarvanForm::CheckInventory() {
  if (TSprite* Gold = SpriteAt(HeroPos.X, HeroPos.Y, gcGold)) Gold->CheckPickUp();
  if (TSprite* KeyFigure = SpriteAt(HeroPos.X, HeroPos.Y, gcKey)) KeyFigure->CheckPickUp();
  CheckExit();
}

bool TKarvanForm::CheckExit() {
  // Once the game is ending (the level was completed in this pass, or a restart or quit was
  // asked for), the same completion must not be counted again.
  if (Restart || Quit) return false;
  if (!TLCDForm::CheckExit()) return false;
  if ((GetSideCrystals() & (SideBit(scDiamondSnake) | SideBit(scSpiderBig))) != 0) return false;
  PlayWave("wvUnlockExit");
  LevelAnimation();
  if (dynamic_cast<TCustomLevel*>(Level.get()) != nullptr) {
    Restart = true;
  } else if (Level) {
    const int Next = Level->Nr + 1;
    std::string Setting;
    ReadSetting("LEVEL", "", Setting);
    if (StrToIntLoose(Setting) < Next) {
      std::string Text;
      IntToStrPad(0, Text, Next);
      WriteSetting("LEVEL", Text);
    }
    Init(Next);
  }
  return true;
}

void TKarvanForm::LCDKeyDown(Word& KeyParam, TShiftState Shift) {
  const bool GameKey = KeyParam == VK_LEFT || KeyParam == VK_UP || KeyParam == VK_RIGHT ||
                       KeyParam == VK_DOWN || KeyParam == VK_Z;
  if (GameKey && Level && !Animation && !HeroDying() && !HeroActing) {
    // A key that arrives while this one is still being handled (the sounds of a step or of a
    // lock pump messages) waits for nobody: it is dropped, like a key during a pause.
    const THeroActingScope Acting(*this);
    THeroSprite* Hero = AsHero(HeroSprite());
    // On the ground the keyboard's repeat cannot outrun the move delay; in the air after a
    // jump the hero can be steered at once.
    const bool Ready = Hero != nullptr && (MoveInAir || Now() - Hero->MoveTime >= Hero->MoveDelay);
    switch (KeyParam) {
      case VK_LEFT:
        if (MapMode)
          Scroll(PosLeft);
        else if (Ready)
          Hero->Move(PosLeft, false);
        break;
      case VK_UP:
        if (MapMode)
          Scroll(PosTop);
        else if (Ready && !Hero->Unlock(PosTop) && HasMap)
          MapMode = true;
        break;
      case VK_RIGHT:
        if (MapMode) {
          Scroll(PosRight);
        } else if (Ready) {
          if (JumpKeyDown)
            Hero->Move(PosRight, false);
          else if (!Hero->CheckSwitch())
            Hero->Move(PosRight, false);
        }
        break;
      case VK_DOWN:
        if (MapMode)
          Scroll(PosBottom);
        else if (Ready)
          Hero->Unlock(PosBottom);
        break;
      case VK_Z:
        ZAction();
        break;
      default:
        break;
    }
  }
  TLCDForm::LCDKeyDown(KeyParam, Shift);
}

void TKarvanForm::FormKeyUp(Word& KeyParam, TShiftState) {
  if (KeyParam == VK_RIGHT || KeyParam == VK_Z) JumpKeyDown = false;
}

void TKarvanForm::ZAction() {
  TSprite* Hero = HeroSprite();
  if (Hero == nullptr) return;
  TSideCellRec& Side = GetSideArr(HeroPos.X, HeroPos.Y);
  if (JumpKeyDown) return;
  if (MapMode) {
    MapMode = false;
    MapPos = {HeroPos.X - HeroPos.X % 5, HeroPos.Y - HeroPos.Y % 4};
    Hero->JumpTime = Now();
  }
  JumpKeyDown = true;
  if (Visible(Side, scHeroPlatform)) {
    // The stone drops from the platform; it hurts the snake only while its head is low left.
    TSprite& Stone = *Side.Sprites[scStoneRight];
    Stone.SpriteVisible = true;
    Stone.SpriteDir = PosBottom;
    Stone.MoveTime = Now();
    if (Visible(Side, scSnake1)) Side.Sprites[scDiamondSnake]->Hit(false);
  } else if (Visible(Side, scHeroLeft) && !Visible(Side, scSpider2)) {
    // The hero climbs up beside the maze and takes the map if it lies there.
    TSprite& Top = *Side.Sprites[scHeroTop];
    Top.SpriteVisible = true;
    Top.SpriteDir = PosBottom;
    Top.MoveTime = Now();
    Side.Sprites[scHeroLeft]->SpriteVisible = false;
    Side.Sprites[scMap]->CheckPickUp();
  } else if (Visible(Side, scHeroTop) && !Visible(Side, scStoneLeft)) {
    TSprite& Stone = *Side.Sprites[scStoneLeft];
    Stone.SpriteVisible = true;
    Stone.SpriteDir = PosRight;
    Stone.MoveTime = Now();
  } else if (Hero->JumpTime == -1 && Hero->IsVisible(gcWallHorz, HeroPos.X, HeroPos.Y + 1)) {
    Hero->JumpTime = Now();
    Hero->Move(PosTop, false);
    MoveInAir = true;
  }
}

bool TKarvanForm::CheckSideArr(TPos MoveDir) {
  const int c = HeroPos.X - MapPos.X;
  const int r = HeroPos.Y - MapPos.Y;
  const auto WallVisible = [this](int x, int y) {
    const TSprite* Wall = SpriteAt(x, y, gcWallVert);
    return Wall != nullptr && Wall->SpriteVisible;
  };
  const bool NoWallRight = !WallVisible(HeroPos.X + 1, HeroPos.Y);
  const bool NoWallLeft = !WallVisible(HeroPos.X, HeroPos.Y);
  TSideCellRec& Side = GetSideArr(HeroPos.X, HeroPos.Y);
  bool Result = false;

  // The platform of the right-hand scene. Stepping left is the scene's only while the hero
  // stands on the platform; otherwise it is an ordinary step in the maze.
  if (c == 4 && r == 1 && Visible(Side, scVerticalLine) && NoWallRight) {
    if (MoveDir == PosLeft && Visible(Side, scHeroPlatform)) {
      Side.Sprites[scHeroPlatform]->SpriteVisible = false;
      Result = true;
    } else if (MoveDir == PosRight) {
      Side.Sprites[scHeroPlatform]->SpriteVisible = true;
      Side.Sprites[scHeroPlatform]->MoveTime = Now();
      Side.Sprites[scDiamondSnake]->SpriteDir = PosTop;
      Result = true;
    }
  }
  // The left-hand scene beside the maze.
  if (c == 0 && r == 1 && (Visible(Side, scSpiderBig) || Visible(Side, scMap)) && NoWallLeft) {
    if (MoveDir == PosLeft) {
      Side.Sprites[scHeroLeft]->SpriteVisible = true;
      Result = true;
    } else if (MoveDir == PosRight && Visible(Side, scHeroLeft)) {
      Side.Sprites[scHeroLeft]->SpriteVisible = false;
      Side.Sprites[scHeroLeft]->MoveTime = Now();
      Result = true;
    }
  }
  // The vase at the bottom right: each push of the right arrow reaches into it once.
  if (c == 4 && r == 3 && MoveDir == PosRight && NoWallRight &&
      (Visible(Side, scVase) || Visible(Side, scAmulet) || Visible(Side, scAnkh))) {
    if (!JumpKeyDown) {
      JumpKeyDown = true;
      Side.Sprites[scAnkh]->CheckPickUp();
      Side.Sprites[scAmulet]->CheckPickUp();
      Side.Sprites[scVase]->CheckPickUp();
      if (TSprite* Hero = HeroSprite()) Hero->MoveTime = Now();
    }
    Result = true;
  }
  return Result;
}

}  // namespace karvan
