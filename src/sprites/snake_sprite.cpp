#include "sprites/snake_sprite.h"

#include "engine/lcd_form.h"
#include "engine/support.h"
#include "sprites/side_scene.h"

namespace karvan {

TSnakeSprite::TSnakeSprite(int xParam, int yParam, TSideCrystal Crystal, TLCDForm& ParentParam)
    : TSideSprite(xParam, yParam, Crystal, ParentParam) {
  HP = 5;
  ScoreVal = 20;
}

bool TSnakeSprite::Hit(bool AllHP) {
  const bool Result = TSideSprite::Hit(AllHP);
  if (Result) {
    SpriteDir = PosTop;
    const TSideScene Scene = TSideScene::Of(*this);
    if (TSideSprite* Star = Scene.Figure(scStarStone)) {
      Star->SpriteVisible = true;
      Star->Hit(false);
    }
  }
  return Result;
}

bool TSnakeSprite::Die() {
  return false;
}

bool TSnakeSprite::DoBlink() {
  return false;
}

bool TSnakeSprite::Move(TPos, bool) {
  const TSideScene Scene = TSideScene::Of(*this);
  if (Scene.Visible(scStarStone)) return false;  // stunned
  if (Scene.Visible(scSnake2) && Scene.Visible(scHeroPlatform)) {
    Scene.Figure(scHeroPlatform)->Hit(false);
    return false;
  }
  const bool HeadLow = Scene.Visible(scSnake1) || Scene.Visible(scSnake3);
  if (SpriteDir == PosTop) {
    if (HeadLow) {
      Scene.Hide(scSnake1);
      Scene.Hide(scSnake3);
      Scene.Show(scSnake2);
      ParentForm.PlayWave("wvMove");
    } else if (Scene.Visible(scSnake2)) {
      Scene.Hide(scSnake2);
      Scene.Show(Random(2) == 0 ? scSnake1 : scSnake3);
      SpriteDir = PosBottom;
      ParentForm.PlayWave("wvMove");
    } else if (Random(8) == 0) {
      Scene.Show(scSnake1);
      ParentForm.PlayWave("wvMove");
    } else if (Random(8) == 0) {
      Scene.Show(scSnake3);
      ParentForm.PlayWave("wvMove");
    }
  } else if (HeadLow) {
    Scene.Hide(scSnake1);
    Scene.Hide(scSnake3);
    SpriteDir = PosTop;
    ParentForm.PlayWave("wvMove");
  }
  return false;
}

}  // namespace karvan
