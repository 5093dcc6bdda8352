// The interludes: their timing on the virtual clock, the figures they switch, the points they
// count, and the keys they keep from acting.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "karvan_scene_fixture.h"

using namespace karvan;
using namespace karvan::test;

namespace {

// Thrown from the pump when an animation runs far longer than it can.
struct TRunaway {};

class Animations : public KarvanSceneTest {
 protected:
  // The hero on the platform over a living snake, with the exit of the screen closed.
  void StartScene(int LevelVal = 15) {
    Start({SceneRows(4, 1),
           {scVerticalLine, scDiamondSnake, scHeroPlatform, scExit, scExitDoor},
           false,
           LevelVal});
    Pass();
  }
  // Samples the figures at every pump; stops a run that goes on for more than Cap ms.
  template <class TSample>
  void Watch(TSample Sample, std::int64_t Cap = 60000) {
    const std::int64_t Limit = Platform.Clock + Cap;
    Platform.OnPump = [this, Sample, Limit] {
      Sample();
      if (Platform.Clock > Limit) throw TRunaway{};
    };
  }
  std::vector<std::int64_t> SoundTimes(const std::string& Name) {
    std::vector<std::int64_t> Times;
    for (const SceneTestPlatform::TSound& S : Platform.Sounds)
      if (S.Name == Name) Times.push_back(S.Time);
    return Times;
  }
};

TEST_F(Animations, LevelAnimationCountsTheBonusOnePointAtATimeWhileTheHeroCheers) {
  StartScene(15);
  Form->Score = 40;
  const std::int64_t Begin = Platform.Clock;
  bool AnimationFlag = false;
  bool HandsSpread = false;
  bool HandsClose = false;
  Watch([&] {
    AnimationFlag = AnimationFlag || Form->Animation;
    if (Shown(scHeroDiamond)) {
      HandsSpread = HandsSpread || (Shown(scHands) && !Shown(scHandsUnderDiamond));
      HandsClose = HandsClose || (!Shown(scHands) && Shown(scHandsUnderDiamond));
    }
  });
  Form->LevelAnimation();
  EXPECT_TRUE(AnimationFlag);
  EXPECT_FALSE(Form->Animation);
  EXPECT_EQ(Form->Score, 55);
  const auto Points = SoundTimes("wvScore");
  ASSERT_EQ(Points.size(), 15U);
  EXPECT_GT(Points.front(), Begin + 500) << "half a second of stillness first";
  for (std::size_t i = 1; i < Points.size(); ++i) EXPECT_GE(Points[i] - Points[i - 1], 100);
  // The hands change every half second while the points are counted.
  const auto Steps = SoundTimes("wvMove");
  ASSERT_GE(Steps.size(), 2U);
  for (std::size_t i = 1; i < Steps.size(); ++i) EXPECT_GE(Steps[i] - Steps[i - 1], 500);
  EXPECT_LE(static_cast<std::int64_t>(Steps.size()), (Points.back() - Points.front()) / 500 + 1);
  EXPECT_TRUE(HandsSpread);
  EXPECT_TRUE(HandsClose);

  for (TSideCrystal Kind : {scHeroDiamond, scHands, scHandsUnderDiamond, scHeroPlatform})
    EXPECT_FALSE(Shown(Kind)) << SideCrystalNames[Kind];
  EXPECT_FALSE(Hero()->SpriteVisible) << "the hero stays hidden after the level animation";
}

TEST_F(Animations, ALevelWithoutValueStillCountsOnePoint) {
  StartScene(0);
  Form->LevelAnimation();
  EXPECT_EQ(Form->Score, 1);
}

TEST_F(Animations, WithoutALevelNoBonusIsCounted) {
  Platform.Clock = 10000;
  Form->Score = 12;
  Watch([] {}, 10000);
  Form->LevelAnimation();
  EXPECT_EQ(Form->Score, 12);
  EXPECT_FALSE(Form->Animation);
  EXPECT_TRUE(Platform.Messages.empty());
}

TEST_F(Animations, CountingPastTheHighestScoreEnds) {
  StartScene(15);
  Form->Score = 9990;
  Watch([] {});
  ASSERT_NO_THROW(Form->LevelAnimation());
  EXPECT_EQ(Sounds("wvScore"), 15);
  EXPECT_EQ(Form->Score, 9990 + 15 - 9999) << "the display wraps the score as it shows it";
}

TEST_F(Animations, ExitAnimationOpensTheDoorAndWalksTheHeroOutBeforeTheBonus) {
  StartScene(3);
  Show(scHeroLeft);
  const std::int64_t Begin = Platform.Clock;
  // Figures of the doorway, sampled at each pump: hero, hat.
  std::vector<std::pair<std::int64_t, std::pair<bool, bool>>> Doorway;
  bool DoorClosedDuringAnimation = false;
  bool HeroShownDuringAnimation = false;
  Watch([&] {
    Doorway.push_back({Platform.Clock - Begin, {Shown(scHeroExit), Shown(scHatExit)}});
    DoorClosedDuringAnimation = DoorClosedDuringAnimation || Shown(scExitDoor);
    HeroShownDuringAnimation = HeroShownDuringAnimation || Hero()->SpriteVisible;
  });
  Form->ExitAnimation();
  EXPECT_FALSE(DoorClosedDuringAnimation);
  EXPECT_FALSE(HeroShownDuringAnimation);
  EXPECT_FALSE(Form->Animation);

  auto At = [&](std::int64_t T) {
    for (const auto& [Time, State] : Doorway)
      if (Time >= T) return State;
    return std::pair<bool, bool>{};
  };
  EXPECT_EQ(At(900), (std::pair<bool, bool>{false, false}));
  EXPECT_EQ(At(1100), (std::pair<bool, bool>{true, true}));
  EXPECT_EQ(At(1900), (std::pair<bool, bool>{true, true}));
  EXPECT_EQ(At(2100), (std::pair<bool, bool>{false, true}));
  EXPECT_EQ(At(2900), (std::pair<bool, bool>{false, true}));
  EXPECT_EQ(At(3100), (std::pair<bool, bool>{false, false}));

  const auto Steps = SoundTimes("wvMove");
  ASSERT_GE(Steps.size(), 3U);
  EXPECT_GE(Steps[0] - Begin, 1000);
  EXPECT_GE(Steps[2] - Begin, 3000);
  const auto Points = SoundTimes("wvScore");
  ASSERT_EQ(Points.size(), 3U);
  EXPECT_GE(Points.front() - Begin, 3500) << "three seconds in the doorway, then the bonus";
  EXPECT_EQ(Form->Score, 3);
  EXPECT_FALSE(Shown(scHeroLeft));
  EXPECT_FALSE(Shown(scExitDoor));
  EXPECT_TRUE(Shown(scExit));
  // Back in the maze afterwards, so that gold still left can be fetched.
  EXPECT_TRUE(Hero()->SpriteVisible);
}

TEST_F(Animations, DiamondAnimationShowsStarsThenTossesTheDiamondForTheSnakesValue) {
  StartScene();
  Show(scStoneRight);
  Show(scSnakeStarLeft);
  const std::int64_t Begin = Platform.Clock;
  // The two stars over the snake, sampled at each pump.
  std::vector<std::pair<std::int64_t, std::pair<bool, bool>>> Stars;
  bool Tossed = false;
  bool Held = false;
  Watch([&] {
    Stars.push_back({Platform.Clock - Begin, {Shown(scSnakeStarLeft), Shown(scSnakeStarRight)}});
    if (Shown(scHeroDiamond)) {
      Tossed = Tossed || (Shown(scDiamond) && Shown(scHands) && !Shown(scDiamondHands));
      Held = Held || (!Shown(scDiamond) && !Shown(scHands) && Shown(scDiamondHands) &&
                      Shown(scHandsUnderDiamond));
    }
  });
  Form->DiamondAnimation();

  auto At = [&](std::int64_t T) {
    for (const auto& [Time, State] : Stars)
      if (Time >= T) return State;
    return std::pair<bool, bool>{};
  };
  // One second of stillness, then seven half-second steps.
  EXPECT_EQ(At(500), (std::pair<bool, bool>{true, false})) << "nothing changes before a second";
  const std::vector<std::pair<bool, bool>> Expected{{false, true}, {true, true},  {true, true},
                                                    {false, true}, {true, false}, {true, true},
                                                    {false, true}, {false, false}};
  // The stars are set once the second is over; each step then comes half a second later.
  constexpr std::int64_t Settled = 1040;
  for (std::size_t i = 0; i < Expected.size(); ++i)
    EXPECT_EQ(At(Settled + 500 * static_cast<std::int64_t>(i)), Expected[i]) << "step " << i;

  const auto Steps = SoundTimes("wvMove");
  ASSERT_GE(Steps.size(), 7U);
  EXPECT_GE(Steps[0] - Begin, 1500);
  const auto Points = SoundTimes("wvScore");
  ASSERT_EQ(Points.size(), 20U);
  EXPECT_GE(Points.front(), Steps[6]) << "the toss starts after the seventh star step";
  EXPECT_EQ(Form->Score, 20);
  EXPECT_TRUE(Tossed);
  EXPECT_TRUE(Held);

  EXPECT_TRUE(Hero()->SpriteVisible) << "the diamond animation gives the hero back";
  EXPECT_TRUE(Shown(scHeroPlatform));
  EXPECT_TRUE(Shown(scArmsDown));
  for (TSideCrystal Kind :
       {scStoneRight, scSnake3, scSnakeStarLeft, scSnakeStarRight, scDiamondSnake, scArmsUp,
        scHeroDiamond, scDiamondHands, scHandsUnderDiamond, scDiamond, scHands})
    EXPECT_FALSE(Shown(Kind)) << SideCrystalNames[Kind];
  EXPECT_FALSE(Form->Animation);
}

TEST_F(Animations, KeysDuringAnAnimationDoNothingAndEscapeWaitsForItsEnd) {
  StartScene();
  const std::int64_t Begin = Platform.Clock;
  bool Pressed = false;
  bool StoneDropped = false;
  Watch([&] {
    // In the middle of the stars, the hero still stands on the platform.
    if (!Pressed && Platform.Clock - Begin >= 2000) {
      Pressed = true;
      Press(VK_Z);
      Press(VK_ESCAPE);
    }
    StoneDropped = StoneDropped || Shown(scStoneRight);
  });
  Form->DiamondAnimation();
  ASSERT_TRUE(Pressed);
  EXPECT_FALSE(StoneDropped) << "Z on the platform would have dropped a stone";
  EXPECT_TRUE(Form->Restart);
  EXPECT_EQ(Form->Score, 20) << "the animation ran to its end";
}

}  // namespace
