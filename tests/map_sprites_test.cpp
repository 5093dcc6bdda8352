// Walls, moving walls, locks, scorpions, keys, gold and the factory that makes them, on the
// game's device form.
#include <gtest/gtest.h>

#include <typeinfo>
#include <vector>

#include "map_fixture.h"
#include "sprites/gold_sprite.h"
#include "sprites/key_sprite.h"
#include "sprites/lock_sprite.h"
#include "sprites/scorpion_sprite.h"
#include "sprites/wall_sprite.h"

namespace karvan::maptest {
namespace {

using Ints = std::vector<int>;

const std::type_info& ClassOf(const TSprite& S) {
  return typeid(S);
}

TEST_F(MapFigureTest, FactoryMakesEachKindsFigureAndKeepsAnExistingOne) {
  Grid(1, 1) = cHero;
  Start();
  TCellRec& Cell = Form->Map[2][2];
  const std::type_info* Expected[] = {
      &typeid(TWallSprite), &typeid(TLockSprite),     &typeid(TWallSprite), &typeid(TLockSprite),
      &typeid(THeroSprite), &typeid(TScorpionSprite), &typeid(TGoldSprite), &typeid(TSprite),
      &typeid(TSprite),     &typeid(TSprite),         &typeid(TKeySprite)};
  for (int Kind = 0; Kind < GridCrystalCount; ++Kind)
    EXPECT_EQ(ClassOf(*Cell.Sprites[Kind]), *Expected[Kind]) << Kind;
  EXPECT_EQ(static_cast<TLockSprite&>(*Cell.Sprites[gcLockVert]).Wall, gcWallVert);
  EXPECT_EQ(static_cast<TLockSprite&>(*Cell.Sprites[gcLockHorz]).Wall, gcWallHorz);

  const TSprite* Before = Cell.Sprites[gcScorpion].get();
  Form->CreateCrystal(gcScorpion, 2, 2);
  EXPECT_EQ(Cell.Sprites[gcScorpion].get(), Before);
  Form->CreateCrystal(gcScorpion, 10, 0);  // outside the map: no cell to fill
  Form->CreateCrystal(gcScorpion, 0, -1);
}

TEST_F(MapFigureTest, WallRuleLooksAtTheEdgeBetweenTheTwoCells) {
  Grid(2, 1) = cV | cH;    // left and top edges of (2, 1)
  Grid(2, 2) = cH;         // its bottom edge
  Grid(3, 1) = cLV | cLH;  // locks without their walls
  Grid(0, 0) = cHero;
  Start();
  TSprite& In21 = At(2, 1, gcKey);
  EXPECT_TRUE(In21.IsWall(1, 1));
  EXPECT_TRUE(In21.IsWall(2, 0));
  EXPECT_TRUE(In21.IsWall(2, 2));
  EXPECT_FALSE(In21.IsWall(3, 1));            // a lock alone blocks nothing
  EXPECT_TRUE(At(1, 1, gcKey).IsWall(2, 1));  // the shared edge, seen from the left
  EXPECT_TRUE(At(2, 0, gcKey).IsWall(2, 1));  // and from above
  EXPECT_FALSE(At(3, 1, gcKey).IsWall(2, 1));
  EXPECT_FALSE(At(3, 1, gcKey).IsWall(3, 0));
  EXPECT_TRUE(At(0, 0, gcKey).IsWall(-1, 0));
  EXPECT_TRUE(At(0, 0, gcKey).IsWall(0, -1));
  EXPECT_TRUE(At(9, 3, gcKey).IsWall(10, 3));
  EXPECT_TRUE(At(9, 3, gcKey).IsWall(9, 4));
}

TEST_F(MapFigureTest, LiftsTurnAtRowOneAndBelowWallsAndCarryTheHero) {
  Grid(2, 2) = cHero;
  Grid(2, 3) = cH;  // the lift the hero stands on
  Grid(4, 3) = cH;  // a second lift, under a standing wall
  Grid(4, 1) = cH;
  Start();
  ASSERT_TRUE(Form->AddMovingObject(2, gcWallHorz, PosTop, 1500, 0, 0, true, 3));
  ASSERT_TRUE(Form->AddMovingObject(4, gcWallHorz, PosTop, 1500, 0, 0, true, -1));
  Ints HeroRows{HeroAt().Y};
  Ints ShortLift{3};
  const Ints LiftRows = Trace(7000, [&] {
    if (HeroAt().Y != HeroRows.back()) HeroRows.push_back(HeroAt().Y);
    if (RowFrom(4, 3, gcWallHorz) != ShortLift.back())
      ShortLift.push_back(RowFrom(4, 3, gcWallHorz));
    return RowFrom(2, 3, gcWallHorz);
  });
  // Steps at 0, 1500, 3000 (turned at row 0, heading back at once), 4500, 6000.
  EXPECT_EQ(LiftRows, (Ints{3, 2, 1, 2, 3, 2}));
  EXPECT_EQ(HeroRows, (Ints{2, 1, 0, 1, 2, 1}));
  EXPECT_EQ(ShortLift, (Ints{3, 2, 3, 2, 3, 2}));
  EXPECT_EQ(Form->Lives, 3);
}

TEST_F(MapFigureTest, LiftComingDownPushesTheHeroUnderItDown) {
  Grid(2, 1) = cHero | cH;  // the lift is the ceiling of the hero's cell
  Grid(2, 3) = cH;          // where the hero lands
  Start();
  Form->AddMovingObject(2, gcWallHorz, PosBottom, 1500, 0, 0, true, 1);
  Pass();
  ASSERT_LT(Now(), 400) << "the hero must not have fallen on its own";
  EXPECT_EQ(HeroAt(), (TPoint{2, 2}));
  EXPECT_EQ(RowFrom(2, 1, gcWallHorz), 2);
  RunFor(1600);  // the floor below sends the lift back up without the hero
  EXPECT_EQ(RowFrom(2, 1, gcWallHorz), 1);
  EXPECT_EQ(HeroAt(), (TPoint{2, 2}));
}

TEST_F(MapFigureTest, SlidingFloorMovesTheGapToAndFroCarryingTheHero) {
  Grid.FloorUnder(2, 0, 4);
  Grid(2, 3) = 0;  // the gap
  Grid(1, 2) = cHero;
  Start();
  Form->AddMovingObject(1, gcWallHorz, PosRight, 1500, 0, 0, true, 3);
  Ints HeroColumns{HeroAt().X};
  const Ints Columns = Trace(5000, [&] {
    if (HeroAt().X != HeroColumns.back()) HeroColumns.push_back(HeroAt().X);
    return ColumnFrom(1, 3, gcWallHorz);
  });
  EXPECT_EQ(Columns, (Ints{1, 2, 1, 2, 1}));
  EXPECT_EQ(HeroColumns, Columns);
  EXPECT_FALSE(Shown(2, 3, gcWallHorz));
}

TEST_F(MapFigureTest, SlidingFloorTurnsOnlyAtAVerticalWallRunningThroughTheCorner) {
  Grid(0, 0) = cHero;
  Grid(0, 1) = cH;
  Grid(2, 1) = Grid(2, 2) = cV;  // a continuous wall through the corner ahead of (1, 2)
  Grid(1, 1) = cV;               // only the upper half of one at its own corner
  Grid(4, 3) = cV;               // only the lower half ahead of (3, 3)
  Start();
  Form->AddMovingObject(1, gcWallHorz, PosRight, 1500, 0, 0, true, 2);
  Form->AddMovingObject(3, gcWallHorz, PosRight, 1500, 0, 0, true, 3);
  // Turned at once, out to column 0, back off the map's edge, turned at the corner again.
  EXPECT_EQ(Trace(3500, [&] { return ColumnFrom(1, 2, gcWallHorz); }), (Ints{1, 0, 1, 0}));
  EXPECT_GE(ColumnFrom(3, 3, gcWallHorz), 5);
}

TEST_F(MapFigureTest, ScorpionWalksItsRowAndTurnsAtGapsAndWalls) {
  Grid(0, 0) = cHero;
  Grid(0, 1) = cH;
  Grid.FloorUnder(2, 1, 5);  // no floor under (0, 2)
  Grid(5, 2) = cV;
  Grid(3, 2) = cScorpion;
  Start();
  const Ints Columns = Trace(6000, [&] {
    const Ints Present = ColumnsIn(2, gcScorpion);
    return Present.size() == 1 ? Present[0] : -1;
  });
  EXPECT_EQ(Columns, (Ints{3, 2, 1, 2, 3, 4, 3, 2}));
}

TEST_F(MapFigureTest, ScorpionStepsEvery800msAndNeverOntoMovingFloor) {
  Grid(0, 0) = cHero;
  Grid(0, 1) = cH;
  Grid.FloorUnder(2, 0, 4);
  Grid(1, 2) = cH;  // pins the lift below in place: it turns at every pass
  Grid(2, 2) = cScorpion;
  Start();
  Form->AddMovingObject(1, gcWallHorz, PosTop, 1500, 0, 0, true, 3);
  ASSERT_TRUE(RunUntil([&] { return !Shown(2, 2, gcScorpion); }, 2000));
  EXPECT_NEAR(Now(), 800, 2);
  EXPECT_EQ(ColumnsIn(2, gcScorpion), (Ints{3}));  // turned away from the moving floor
  ASSERT_TRUE(RunUntil([&] { return Shown(4, 2, gcScorpion); }, 2000));
  EXPECT_NEAR(Now(), 1600, 3);
}

TEST_F(MapFigureTest, ScorpionsMeetingTurnBoth) {
  Grid(0, 0) = cHero;
  Grid(0, 1) = cH;
  Grid.FloorUnder(2, 0, 4);
  Grid(1, 2) = Grid(2, 2) = cScorpion;
  Start();
  At(1, 2, gcScorpion).SpriteDir = PosRight;
  RunUntil([&] { return ColumnsIn(2, gcScorpion) != Ints{1, 2}; }, 1000);
  EXPECT_EQ(ColumnsIn(2, gcScorpion), (Ints{0, 3}));
  EXPECT_LT(Now(), 820);
}

TEST_F(MapFigureTest, WallsCarryScorpionsStandingOnThem) {
  Grid(0, 0) = cHero;
  Grid(0, 1) = cH;
  Grid(2, 2) = cScorpion | cV;  // boxed in: it cannot walk off on its own
  Grid(3, 2) = cV;
  Grid(2, 3) = cH;
  Start();
  Form->AddMovingObject(2, gcWallHorz, PosTop, 1500, 0, 0, true, 3);
  const Ints Rows = Trace(5500, [&] {
    for (int y = 0; y < 4; ++y)
      if (Shown(2, y, gcScorpion)) return y;
    return -1;
  });
  EXPECT_EQ(Rows, (Ints{2, 1, 0, 1, 2}));
}

// A scorpion walking right towards a hero on the floor two cells away.
class ScorpionMeetsHero : public MapFigureTest {
 protected:
  void SetUp() override {
    Grid.FloorUnder(2, 0, 8);
    Grid(4, 2) = cHero;
    Grid(2, 2) = cScorpion;
  }
  void StartWalkingRight() {
    Platform.Clock = 0;
    Start();
    At(2, 2, gcScorpion).SpriteDir = PosRight;
  }
};

TEST_F(ScorpionMeetsHero, StingsTheHeroInTheNextCell) {
  StartWalkingRight();
  RunFor(1700);  // a step to (3, 2); then the hero bars the next one
  EXPECT_EQ(At(3, 2, gcScorpion).SpriteDir, PosRight);  // a sting, not a turn
  EXPECT_EQ(Form->Lives, 2);
  EXPECT_EQ(Count("wvDeath"), 1);
  EXPECT_TRUE(Form->HeroDying());
}

TEST_F(ScorpionMeetsHero, TurnsInsteadAtAnInvincibleHeroOrAcrossAWall) {
  for (const bool Invincible : {true, false}) {
    if (!Invincible) Grid(4, 2) |= cV;
    StartWalkingRight();
    Form->Invincible = Invincible;
    RunFor(1610);
    EXPECT_EQ(Form->Lives, 3) << Invincible;
    EXPECT_EQ(ColumnsIn(2, gcScorpion), (Ints{2})) << Invincible;
  }
}

TEST_F(ScorpionMeetsHero, WalkingLeftItEntersTheHerosCellAndStingsOnItsNextStep) {
  Grid(4, 2) = cScorpion;
  Grid(2, 2) = cHero;
  Start();
  RunFor(1650);
  EXPECT_TRUE(Shown(2, 2, gcScorpion));
  EXPECT_EQ(Form->Lives, 3);
  RunFor(800);
  EXPECT_EQ(Form->Lives, 2);
}

TEST_F(MapFigureTest, KeysAndGoldArePickedUpInTheHerosCell) {
  Grid.FloorUnder(2, 0, 8);
  Grid(1, 2) = cHero;
  Grid(2, 2) = cKey;
  Grid(3, 2) = cGold;
  Start();
  const int Coins = Form->Level->CoinsLeft;
  ASSERT_TRUE(Hero().Move(PosRight, false));
  Pass();
  EXPECT_EQ(Form->Key, 1);
  EXPECT_FALSE(Shown(2, 2, gcKey));
  EXPECT_EQ(Count("wvBonus"), 1);
  ASSERT_TRUE(Hero().Move(PosRight, false));
  Pass();
  Pass();
  EXPECT_EQ(Form->Score, 3);
  EXPECT_EQ(Form->Level->CoinsLeft, Coins - 1);
  EXPECT_EQ(Count("wvBonus"), 2);
  EXPECT_EQ(Form->Key, 1);
}

TEST_F(MapFigureTest, GoldUnderAScorpionStaysUntilTheHeroIsInvincible) {
  Grid.FloorUnder(2, 0, 8);
  Grid(1, 2) = cHero;
  Grid(2, 2) = cGold | cScorpion;
  Start();
  const int Coins = Form->Level->CoinsLeft;
  ASSERT_TRUE(Hero().Move(PosRight, false));
  Pass();
  EXPECT_TRUE(Shown(2, 2, gcGold));
  EXPECT_EQ(Form->Score, 0);
  EXPECT_EQ(Form->Level->CoinsLeft, Coins);
  EXPECT_EQ(Count("wvBonus"), 0);
  Form->Invincible = true;
  Pass();
  EXPECT_FALSE(Shown(2, 2, gcGold));
  EXPECT_EQ(Form->Score, 3);
  EXPECT_EQ(Form->Level->CoinsLeft, Coins - 1);
}

}  // namespace
}  // namespace karvan::maptest
