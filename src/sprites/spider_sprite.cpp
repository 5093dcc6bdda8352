#include "sprites/spider_sprite.h"

#include <cstdint>

#include "engine/level.h"
#include "engine/support.h"
#include "game/karvan_form.h"
#include "sprites/side_scene.h"

namespace karvan {

namespace {
// The number of the last built-in level: the spider there ends the game.
constexpr int LastLevelNr = 23;
}  // namespace

TSpiderSprite::TSpiderSprite(int xParam, int yParam, TSideCrystal Crystal, TLCDForm& ParentParam)
    : TSideSprite(xParam, yParam, Crystal, ParentParam) {
  HP = 5;
}

bool TSpiderSprite::Die() {
  if (!TSideSprite::Die()) return false;
  // Gone at once, without the death blink, and with it everything of its fight.
  SpriteVisible = false;
  const TSideScene Scene = TSideScene::Of(*this);
  Scene.Hide(scSpider1);
  Scene.Hide(scSpider2);
  Scene.Hide(scStoneLeft);

  auto& Form = static_cast<TKarvanForm&>(ParentForm);
  const bool LastLevel = Form.Level != nullptr && Form.Level->Nr == LastLevelNr;
  const std::uint64_t Generation = Form.GridGeneration();
  Form.ExitAnimation();
  // The animation may have replaced the level; the end of the game belongs to this one only.
  if (LastLevel && Form.GridGeneration() == Generation) Form.EndOfGame();
  return true;
}

bool TSpiderSprite::Move(TPos, bool) {
  const TSideScene Scene = TSideScene::Of(*this);
  if (Scene.Visible(scSpider2) && Scene.Visible(scHeroLeft)) {
    Scene.Figure(scHeroLeft)->Hit(false);
    return false;
  }
  if (Scene.Visible(scSpider1) && Scene.Visible(scHeroTop)) {
    Scene.Figure(scHeroTop)->Hit(false);
    return false;
  }
  if (Scene.Visible(scSpider2)) {
    Scene.Hide(scSpider2);
    return false;
  }
  // The stages of a descent follow each other within one step: the leg going in lets the
  // high spider drop only at the next step.
  if (Scene.Visible(scSpider1)) {
    if (!Scene.Visible(scSpiderLeg)) {
      Scene.Hide(scSpider1);
      Scene.Show(scSpider2);
    }
    Scene.Hide(scSpiderLeg);
    ParentForm.PlayWave("wvMove");
  }
  if (Scene.Visible(scSpiderLeg)) {
    Scene.Show(scSpider1);
    ParentForm.PlayWave("wvMove");
  }
  if (!Scene.Visible(scSpider1) && !Scene.Visible(scSpider2) && Random(4) == 0) {
    Scene.Show(scSpiderLeg);
    ParentForm.PlayWave("wvMove");
  }
  return false;
}

}  // namespace karvan
