// The interludes of the game, played on the side scene of the hero's screen by switching its
// figures in timed steps. Each runs its own frame loop inside the current pass of the game
// loop; the sprites stand still meanwhile and the game keys are ignored.
#include <array>
#include <cstdint>

#include "engine/level.h"
#include "engine/render.h"
#include "engine/support.h"
#include "game/karvan_form.h"
#include "sprites/side_scene.h"

namespace karvan {

namespace {

void SetHeroVisible(TLCDForm& Form, bool On) {
  if (TSprite* Hero = Form.HeroSprite()) Hero->SpriteVisible = On;
}

// The side scene of the hero's screen; none when the grid has no side scenes (no level), so
// that the animation plays without figures instead of reporting a missing grid.
TSideScene HeroScene(TLCDForm& Form) {
  if (Form.SideArr.empty() || Form.SideArr[0].empty()) return TSideScene(nullptr);
  return TSideScene(&Form.GetSideArr(Form.HeroPos.X, Form.HeroPos.Y));
}

void Frame(TLCDForm& Form) {
  if (Form.Render) Form.Render->Run();
  Form.Draw();
  PumpMessages();
}

// Counts Points into the score one at a time, with Step run every half second before a frame.
// The points added are counted here rather than read back from the score, because showing a
// score above 9999 wraps it, and a loop waiting for the score to grow would never end. At
// least one point is always counted: the test comes after the first.
template <class TStep>
void CountBonus(TLCDForm& Form, int Points, TStep Step) {
  std::int64_t T = Now();
  int Counted = 0;
  do {
    if (TimePassed(T, 500)) {
      Step();
      Form.PlayWave("wvMove");
    }
    Frame(Form);
    Form.IncScore(1);
    ++Counted;
  } while (Counted < Points);
}

}  // namespace

void TKarvanForm::LevelAnimation() {
  Animation = true;
  WaitTicks(500);
  const TSideScene Scene = HeroScene(*this);
  SetHeroVisible(*this, false);
  Scene.Hide(scHeroPlatform);
  Scene.Show(scHandsUnderDiamond);
  Scene.Show(scHeroDiamond);

  // The cheering hero holds his hands close above his head and spreads them, in turn.
  if (Level)
    CountBonus(*this, Level->LevelVal, [&Scene] {
      const bool Spread = Scene.Visible(scHands);
      Scene.SetVisible(scHandsUnderDiamond, Spread);
      Scene.SetVisible(scHands, !Spread);
    });

  Scene.Hide(scHandsUnderDiamond);
  Scene.Hide(scHeroDiamond);
  Scene.Hide(scHands);
  Animation = false;
}

void TKarvanForm::ExitAnimation() {
  Animation = true;
  const TSideScene Scene = HeroScene(*this);
  SetHeroVisible(*this, false);
  Scene.Hide(scExitDoor);
  Scene.Hide(scHeroLeft);
  Scene.Hide(scHeroTop);
  Draw();

  // The door is open: a second later the hero with his hat stands in the doorway, after
  // another second only the hat is left, and a second later that is gone too.
  std::int64_t T = Now();
  int i = 0;
  do {
    if (TimePassed(T, 1000)) {
      switch (i) {
        case 0:
          Scene.Show(scHeroExit);
          Scene.Show(scHatExit);
          break;
        case 1:
          Scene.Hide(scHeroExit);
          break;
        default:
          Scene.Hide(scHatExit);
          break;
      }
      PlayWave("wvMove");
      ++i;
    }
    Frame(*this);
  } while (i < 3);

  LevelAnimation();
  // The hero is back in the maze: were gold still to be found, a hidden hero could never
  // move again.
  SetHeroVisible(*this, true);
  Animation = false;
}

void TKarvanForm::DiamondAnimation() {
  DiamondAnimation(HeroScene(*this).Record());
}

void TKarvanForm::DiamondAnimation(TSideCellRec* SnakeScene) {
  Animation = true;
  const TSideScene Scene(SnakeScene);
  WaitTicks(1000);

  // The knocked-out snake sees stars twinkling over it.
  Scene.Hide(scStoneRight);
  Scene.Show(scSnake3);
  Scene.Hide(scSnakeStarLeft);
  Scene.Show(scSnakeStarRight);
  enum class TChange : std::uint8_t { Keep, Show, Hide };
  struct TStarStep {
    TChange Left;
    TChange Right;
  };
  using enum TChange;
  static constexpr std::array<TStarStep, 7> StarSteps = {{{Show, Keep},
                                                          {Keep, Show},
                                                          {Hide, Keep},
                                                          {Show, Hide},
                                                          {Keep, Show},
                                                          {Hide, Keep},
                                                          {Keep, Hide}}};
  const auto Apply = [&Scene](TSideCrystal Kind, TChange Change) {
    if (Change != Keep) Scene.SetVisible(Kind, Change == Show);
  };
  std::int64_t T = Now();
  int i = 0;
  do {
    if (TimePassed(T, 500)) {
      Apply(scSnakeStarLeft, StarSteps[i].Left);
      Apply(scSnakeStarRight, StarSteps[i].Right);
      PlayWave("wvMove");
      ++i;
    }
    Frame(*this);
  } while (i < static_cast<int>(StarSteps.size()));

  // The snake is gone; the hero tosses the diamond while its value is counted.
  SetHeroVisible(*this, false);
  for (TSideCrystal Kind :
       {scSnake3, scSnakeStarLeft, scHeroPlatform, scArmsUp, scDiamondSnake, scArmsDown})
    Scene.Hide(Kind);
  Scene.Show(scHeroDiamond);
  Scene.Show(scDiamondHands);
  Scene.Show(scHandsUnderDiamond);
  Draw();

  const TSideSprite* Snake = Scene.Figure(scDiamondSnake);
  CountBonus(*this, Snake != nullptr ? Snake->ScoreVal : 0, [&Scene] {
    const bool Held = !Scene.Visible(scDiamondHands);
    Scene.SetVisible(scHandsUnderDiamond, Held);
    Scene.SetVisible(scDiamondHands, Held);
    Scene.SetVisible(scHands, !Held);
    Scene.SetVisible(scDiamond, !Held);
  });

  SetHeroVisible(*this, true);
  for (TSideCrystal Kind : {scHeroDiamond, scDiamondHands, scHandsUnderDiamond, scDiamond, scHands})
    Scene.Hide(Kind);
  // The hero is back on the platform only where he fought; had he walked on to another
  // screen, putting him on this platform would take him off the map.
  if (SnakeScene != nullptr && SnakeScene == HeroScene(*this).Record()) {
    Scene.Show(scHeroPlatform);
    Scene.Show(scArmsDown);
  }
  Animation = false;
}

}  // namespace karvan
