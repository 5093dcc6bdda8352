// The renderer: every frame starts dark and lights the figures of the shown screen, the side
// scene of that screen and the score.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "engine_fixture.h"

using namespace karvan;
using namespace karvan::test;

namespace {

class Renderer : public EngineTest {
 protected:
  void SetUp() override { LoadRows(BlankRows(10, 8)); }

  // What the four score digits show after a frame: a digit, or '_' for a dark one.
  std::string ShownScore() {
    Frame();
    // Segment sets of the digits 0 to 9.
    constexpr std::array<int, 10> Patterns = {63, 6, 91, 79, 102, 109, 125, 7, 127, 111};
    std::string Shown;
    for (int First : {Form->Digit1, Form->Digit2, Form->Digit3, Form->Digit4}) {
      int Set = 0;
      for (int Segment = 0; Segment < 7; ++Segment)
        if (Lit(First + Segment)) Set |= 1 << Segment;
      char Shape = Set == 0 ? '_' : '?';
      for (int Digit = 0; Digit < 10; ++Digit)
        if (Patterns[Digit] == Set) Shape = static_cast<char>('0' + Digit);
      Shown += Shape;
    }
    return Shown;
  }
  bool AnyCellCrystalLit() {
    return !LitBetween(Form->CellCrystalNr, Form->StartSideCrystal - 1).empty();
  }
};

// A renderer that may not draw the figures of one cell, nor the side scene.
class TBlindRender : public TRender {
 public:
  using TRender::TRender;
  bool CanRender(int x, int y) override { return !(x == 1 && y == 1) && !(x == -1 && y == -1); }
};

}  // namespace

TEST_F(Renderer, ScoreShowsWithoutLeadingZeros) {
  Form->Score = 0;
  EXPECT_EQ(ShownScore(), "___0");
  Form->Score = 7;
  EXPECT_EQ(ShownScore(), "___7");
  Form->Score = 40;
  EXPECT_EQ(ShownScore(), "__40");
  Form->Score = 1005;
  EXPECT_EQ(ShownScore(), "1005");
  Form->Score = 9999;
  EXPECT_EQ(ShownScore(), "9999");
  EXPECT_EQ(Form->Score, 9999);
}

TEST_F(Renderer, ScoreAbove9999IsLoweredBy9999) {
  Form->Score = 10000;
  EXPECT_EQ(ShownScore(), "___1");
  EXPECT_EQ(Form->Score, 1);
  Form->Score = 12345;
  EXPECT_EQ(ShownScore(), "2346");
  EXPECT_EQ(Form->Score, 2346);
}

TEST_F(Renderer, NegativeScoreShowsNoDigit) {
  Form->Score = -5;
  EXPECT_EQ(ShownScore(), "____");
  Form->Score = -1234;
  EXPECT_EQ(ShownScore(), "____");
}

TEST_F(Renderer, MarksAndColonAreNeverLit) {
  for (int Score : {0, 8888, 1234}) {
    Form->Score = Score;
    Frame();
    EXPECT_FALSE(Lit(0));
    EXPECT_FALSE(Lit(1));
    EXPECT_FALSE(Lit(Form->TimeDot1));
    EXPECT_FALSE(Lit(Form->TimeDot2));
  }
}

TEST_F(Renderer, FrameStartsDark) {
  for (std::size_t Nr = 0; Nr < Form->CrystalArr.size(); ++Nr)
    Form->ShowCrystal(static_cast<int>(Nr));
  Form->Score = 1;
  Frame();
  EXPECT_EQ(LitBetween(0, static_cast<int>(Form->CrystalArr.size()) - 1),
            (std::vector<int>{Form->Digit4 + 1, Form->Digit4 + 2}));
}

TEST_F(Renderer, FiguresOfTheShownScreenLightAtTheirScreenCells) {
  At(2, 1, gcGold).SpriteVisible = true;
  At(7, 6, gcKey).SpriteVisible = true;
  At(4, 3, gcWallHorz).SpriteVisible = true;
  Frame();
  EXPECT_EQ(LitBetween(Form->CellCrystalNr, Form->StartSideCrystal - 1),
            (std::vector<int>{CellCrystal(2, 1, gcGold), CellCrystal(4, 3, gcWallHorz)}));
  Form->MapPos = {5, 4};
  Frame();
  EXPECT_EQ(LitBetween(Form->CellCrystalNr, Form->StartSideCrystal - 1),
            (std::vector<int>{CellCrystal(2, 2, gcKey)}));
}

TEST_F(Renderer, FrameWakesEveryFigureOfTheShownScreenOnly) {
  Frame();
  EXPECT_TRUE(At(0, 0, gcKey).Awake);
  EXPECT_TRUE(At(4, 3, gcScorpion).Awake) << "absent figures too";
  EXPECT_FALSE(At(5, 0, gcScorpion).Awake);
  EXPECT_FALSE(At(0, 4, gcScorpion).Awake);
}

TEST_F(Renderer, SideSceneOfTheShownScreenOnly) {
  Side(0, 0, scVase).SpriteVisible = true;
  Side(1, 0, scMap).SpriteVisible = true;
  Side(1, 1, scSpider1).SpriteVisible = true;
  Frame();
  EXPECT_EQ(LitBetween(Form->StartSideCrystal, Form->StartSideCrystal + SideCrystalCount - 1),
            std::vector<int>{SideCrystal(scVase)});
  Form->MapPos = {5, 0};
  Frame();
  EXPECT_EQ(LitBetween(Form->StartSideCrystal, Form->StartSideCrystal + SideCrystalCount - 1),
            std::vector<int>{SideCrystal(scMap)});
  Form->MapPos = {5, 4};
  Frame();
  EXPECT_EQ(LitBetween(Form->StartSideCrystal, Form->StartSideCrystal + SideCrystalCount - 1),
            std::vector<int>{SideCrystal(scSpider1)});
}

TEST_F(Renderer, WhileScrollingNoMapFigureButSideSceneAndScore) {
  At(2, 1, gcGold).SpriteVisible = true;
  Side(0, 0, scVase).SpriteVisible = true;
  Form->Score = 3;
  Form->Scrolling = true;
  Frame();
  EXPECT_FALSE(AnyCellCrystalLit());
  EXPECT_TRUE(Lit(SideCrystal(scVase)));
  EXPECT_EQ(ShownScore(), "___3");
  Form->Scrolling = false;
  Frame();
  EXPECT_TRUE(Lit(CellCrystal(2, 1, gcGold)));
}

TEST_F(Renderer, CellThatMayNotBeDrawnShowsNoneOfItsFigures) {
  LoadRows({"0,0,0,0,0", "0,2047,2047,0,0", "0,0,0,0,0", "0,0,0,0,0"});
  Side(0, 0, scVase).SpriteVisible = true;
  Form->Render = std::make_unique<TBlindRender>(*Form);
  Frame();
  for (int Kind = 0; Kind < GridCrystalCount; ++Kind) {
    EXPECT_FALSE(Lit(CellCrystal(1, 1, static_cast<TGridCrystal>(Kind)))) << "kind " << Kind;
    EXPECT_TRUE(Lit(CellCrystal(2, 1, static_cast<TGridCrystal>(Kind)))) << "kind " << Kind;
  }
  EXPECT_FALSE(Lit(SideCrystal(scVase)));
}

TEST_F(Renderer, SideSceneFollowsTheViewWhileItSlides) {
  Side(0, 0, scVase).SpriteVisible = true;
  Side(1, 0, scMap).SpriteVisible = true;
  At(2, 1, gcGold).SpriteVisible = true;
  At(7, 1, gcGold).SpriteVisible = true;
  struct TSeen {
    int MapX;
    bool Vase;
    bool Map;
    bool Cells;
  };
  std::vector<TSeen> Seen;
  Platform.OnPump = [&] {
    if (Seen.empty() || Seen.back().MapX != Form->MapPos.X)
      Seen.push_back(
          {Form->MapPos.X, Lit(SideCrystal(scVase)), Lit(SideCrystal(scMap)), AnyCellCrystalLit()});
  };

  Form->Scroll(PosRight);
  ASSERT_EQ(Seen.size(), 5U);
  for (int Step = 0; Step < 5; ++Step) {
    SCOPED_TRACE("right, step " + std::to_string(Step + 1));
    EXPECT_EQ(Seen[Step].MapX, Step + 1);
    EXPECT_FALSE(Seen[Step].Vase);
    EXPECT_TRUE(Seen[Step].Map) << "the new screen's scene shows from the first step";
    EXPECT_FALSE(Seen[Step].Cells);
  }

  Seen.clear();
  Form->Scroll(PosLeft);
  ASSERT_EQ(Seen.size(), 5U);
  for (int Step = 0; Step < 5; ++Step) {
    SCOPED_TRACE("left, step " + std::to_string(Step + 1));
    EXPECT_EQ(Seen[Step].MapX, 4 - Step);
    EXPECT_EQ(Seen[Step].Map, Step < 4) << "the old screen's scene stays until the last step";
    EXPECT_EQ(Seen[Step].Vase, Step == 4);
    EXPECT_FALSE(Seen[Step].Cells);
  }
}

TEST_F(Renderer, ViewOverTheEdgeOfAMapOfPartScreensShowsWhatIsThere) {
  LoadRows(BlankRows(7, 6));
  At(6, 5, gcKey).SpriteVisible = true;
  Form->MapPos = {5, 4};
  Frame();
  EXPECT_EQ(LitBetween(Form->CellCrystalNr, Form->StartSideCrystal - 1),
            std::vector<int>{CellCrystal(1, 1, gcKey)});
}

TEST_F(Renderer, FrameWithoutALevelShowsOnlyTheScore) {
  Form->FreeLevel();
  Form->CollectRetiredLevel();
  Form->Score = 5;
  EXPECT_EQ(ShownScore(), "___5");
  EXPECT_FALSE(AnyCellCrystalLit());
  EXPECT_TRUE(Platform.Messages.empty());
  Form->CheckMovement();
  EXPECT_FALSE(Form->HeroDying());
}

TEST_F(Renderer, FramesWithoutChangeLightTheSameCrystalsAndFollowEveryChange) {
  At(2, 1, gcGold).SpriteVisible = true;
  Side(0, 0, scVase).SpriteVisible = true;
  Frame();
  const std::vector<int> First = LitBetween(0, static_cast<int>(Form->CrystalArr.size()) - 1);
  for (int Pass = 0; Pass < 3; ++Pass) {
    ++Platform.Clock;
    Frame();
    EXPECT_EQ(LitBetween(0, static_cast<int>(Form->CrystalArr.size()) - 1), First);
  }
  // Whatever lit the display between frames is gone in the next one, as from a dark display.
  for (std::size_t Nr = 0; Nr < Form->CrystalArr.size(); ++Nr)
    Form->ShowCrystal(static_cast<int>(Nr));
  Frame();
  EXPECT_EQ(LitBetween(0, static_cast<int>(Form->CrystalArr.size()) - 1), First);
  // A figure that goes, a score, a scroll of the view: each shows in the very next frame.
  At(2, 1, gcGold).SpriteVisible = false;
  Frame();
  EXPECT_FALSE(Lit(CellCrystal(2, 1, gcGold)));
  Form->Score = 5;
  EXPECT_EQ(ShownScore(), "___5");
  At(7, 6, gcKey).SpriteVisible = true;
  Frame();
  EXPECT_FALSE(AnyCellCrystalLit());
  Form->MapPos = {5, 4};
  Frame();
  EXPECT_TRUE(Lit(CellCrystal(2, 2, gcKey)));
}

TEST_F(Renderer, ABlinkTurnsOnItsTickThroughFramesThatChangeNothingElse) {
  TSprite& Gold = At(2, 1, gcGold);
  Gold.SpriteVisible = true;
  Gold.HP = 0;  // dying: it blinks until it is taken away
  Platform.Clock = 1000;
  Gold.KillTime = 1000;
  ChangeWatch.Take(Platform.Clock);
  std::vector<std::int64_t> Turns;
  bool Shown = false;
  for (; Platform.Clock < 1700; ++Platform.Clock) {
    Frame();
    // What the game would tell a desktop about its next change.
    const std::int64_t Next = ChangeWatch.Take(Platform.Clock);
    EXPECT_LE(Next, (Platform.Clock / 200 + 1) * 200) << "at " << Platform.Clock;
    if (Lit(CellCrystal(2, 1, gcGold)) != Shown) {
      Shown = !Shown;
      Turns.push_back(Platform.Clock);
    }
  }
  EXPECT_EQ(Turns, (std::vector<std::int64_t>{1200, 1400, 1600}));
}
