// The device form during play: scrolling the view, the hero's return to life and the end of
// the game, counting points, sound, pauses, and the keys, mouse clicks and menu every device
// shares.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/support.h"
#include "engine_fixture.h"
#include "forms/end_of_level_form.h"
#include "forms/intro_form.h"

using namespace karvan;
using namespace karvan::test;

namespace {

class GameLoop : public EngineTest {
 protected:
  void SetUp() override {
    LoadRows(BlankRows(10, 8));
    Platform.Clock = 5000;
    Form->Lives = 3;
  }
  std::vector<std::string> MenuCaptions() {
    std::vector<std::string> Captions;
    for (const TMenuItem& Item : Form->PopupMenu.Items) Captions.push_back(Item.Caption);
    return Captions;
  }
  void ChooseMenu(const std::string& Caption) {
    const TMenuItem* Item = Form->PopupMenu.FindByCaption(Caption);
    ASSERT_NE(Item, nullptr) << Caption;
    Item->Click();
  }
  // A repeating scorpion from (1, 1) that has walked to (3, 1).
  void WalkAScorpion() {
    ASSERT_TRUE(Form->AddMovingObject(1, gcScorpion, PosRight, 100, 0, 0, true, 1));
    At(1, 1, gcScorpion).CopyTo(3, 1);
    At(1, 1, gcScorpion).SpriteVisible = false;
  }
  void ExpectScorpionBackAtItsStart() {
    EXPECT_TRUE(At(1, 1, gcScorpion).SpriteVisible);
    EXPECT_FALSE(At(3, 1, gcScorpion).SpriteVisible);
  }
};

}  // namespace

// ---- Scrolling ------------------------------------------------------------------------------

TEST_F(GameLoop, ScrollRightSlidesFiveColumnsOverHalfASecond) {
  bool ScrollingSeen = false;
  Platform.OnPump = [&] { ScrollingSeen = ScrollingSeen || Form->Scrolling; };
  Form->Scroll(PosRight);
  EXPECT_EQ(Form->MapPos, (TPoint{5, 0}));
  EXPECT_GE(Platform.Clock - 5000, 500) << "five pauses of at least 100 ms";
  EXPECT_TRUE(ScrollingSeen);
  EXPECT_FALSE(Form->Scrolling);
  EXPECT_FALSE(Form->Animation);

  const std::int64_t Before = Platform.Clock;
  Form->Scroll(PosRight);
  EXPECT_EQ(Form->MapPos, (TPoint{5, 0})) << "no screen further right";
  EXPECT_EQ(Platform.Clock, Before) << "no slide, no pause";

  Form->Scroll(PosLeft);
  EXPECT_EQ(Form->MapPos, (TPoint{0, 0}));
}

TEST_F(GameLoop, VerticalScrollJumpsAtOnceAndStopsAtTheMapEdge) {
  Form->Scroll(PosBottom);
  EXPECT_EQ(Form->MapPos, (TPoint{0, 4}));
  Form->Scroll(PosBottom);
  EXPECT_EQ(Form->MapPos, (TPoint{0, 4})) << "already on the last screen row";
  Form->Scroll(PosTop);
  EXPECT_EQ(Form->MapPos, (TPoint{0, 0}));
  Form->Scroll(PosTop);
  EXPECT_EQ(Form->MapPos, (TPoint{0, 0}));
  EXPECT_EQ(Platform.Clock, 5000);
  EXPECT_FALSE(Form->Scrolling);
}

TEST_F(GameLoop, ScrollSetsTheReturnPointAndResetsMovingObjectsEvenWithoutMoving) {
  WalkAScorpion();
  Form->MapPos = {4, 0};
  Form->HeroPos = {3, 2};
  Form->Scroll(PosLeft);
  EXPECT_EQ(Form->MapPos, (TPoint{4, 0}));
  EXPECT_EQ(Form->xResurrect, 3);
  EXPECT_EQ(Form->yResurrect, 2);
  ExpectScorpionBackAtItsStart();

  Form->HeroPos = {6, 1};
  Form->Scroll(PosCenter);
  EXPECT_EQ(Form->MapPos, (TPoint{4, 0}));
  EXPECT_EQ(Form->xResurrect, 6);
  EXPECT_EQ(Form->yResurrect, 1);
}

TEST_F(GameLoop, NothingMovesDuringAPauseButFramesAreDrawn) {
  ASSERT_TRUE(Form->AddMovingObject(1, gcScorpion, PosRight, 10, 0, 0, false, 1));
  At(1, 1, gcScorpion).Awake = true;
  bool AnimationSeen = false;
  Platform.OnPump = [&] { AnimationSeen = AnimationSeen || Form->Animation; };
  Form->Wait(300);
  EXPECT_GE(Platform.Clock - 5000, 300);
  EXPECT_TRUE(AnimationSeen);
  EXPECT_FALSE(Form->Animation);
  EXPECT_TRUE(At(1, 1, gcScorpion).SpriteVisible);
  EXPECT_TRUE(Form->CrystalArr[CellCrystal(1, 1, gcScorpion)].Visible) << "drawn";
}

// ---- The movement pass ---------------------------------------------------------------------

namespace {
class TCountingLevel : public TRowsLevel {
 public:
  using TRowsLevel::TRowsLevel;
  void CheckMovement() override { ++Checks; }
  int Checks = 0;
};
}  // namespace

TEST_F(GameLoop, PassChecksTheFiguresThatCanActAndEndsWithTheLevel) {
  Form->FreeLevel();
  Form->SetLevel(MakeLevel<TCountingLevel>(*Form, 1, BlankRows(10, 8)));
  auto& Level = static_cast<TCountingLevel&>(*Form->Level);
  // Present but standing still: nothing for a pass to do.
  for (int x = 0; x < 10; ++x) Form->Map[x][7].Sprites[gcWallHorz]->SpriteVisible = true;
  Form->Map[9][7].Sprites[gcScorpion]->SpriteVisible = true;
  // On its way (asleep until it is shown), and struck and still blinking.
  ASSERT_TRUE(Form->AddMovingObject(2, gcScorpion, PosRight, 100, 0, 0, false, 5));
  TSprite& Dying = *Form->Map[4][3].Sprites[gcGold];
  Dying.KillTime = Now();
  Dying.KillDelay = 1000000;
  Form->Log.CheckMoves = 0;
  Form->CheckMovement();
  Form->CheckMovement();
  EXPECT_EQ(Form->Log.CheckMoves, 2 * 2);
  EXPECT_EQ(Level.Checks, 2);

  // Its death over, the figure leaves the pass; a standing figure set moving joins it.
  Dying.KillTime = -1;
  Form->Map[9][7].Sprites[gcScorpion]->SpriteDir = PosLeft;
  Form->Log.CheckMoves = 0;
  Form->CheckMovement();
  EXPECT_EQ(Form->Log.CheckMoves, 2);
}

// The figures are checked column by column, row by row, as a walk over every cell would; one
// set moving ahead of the walk is checked in the same pass, one behind it in the next.
TEST_F(GameLoop, FiguresAreCheckedInTheOrderOfTheWalk) {
  for (auto [x, y] : {std::pair{6, 2}, std::pair{2, 5}})
    ASSERT_TRUE(Form->AddMovingObject(x, gcScorpion, PosRight, 100, 0, 0, false, y));
  std::vector<TPoint> Order;
  Form->Log.OnCheckMove = [&](TSprite& Sprite) {
    Order.push_back({Sprite.x, Sprite.y});
    if (Sprite.x == 2 && Sprite.y == 5 && !At(8, 1, gcScorpion).SpriteVisible) {
      Form->AddMovingObject(8, gcScorpion, PosLeft, 100, 0, 0, false, 1);
      Form->AddMovingObject(1, gcScorpion, PosLeft, 100, 0, 0, false, 1);
    }
  };
  Form->CheckMovement();
  EXPECT_EQ(Order, (std::vector<TPoint>{{2, 5}, {6, 2}, {8, 1}}));
  Order.clear();
  Form->CheckMovement();
  EXPECT_EQ(Order, (std::vector<TPoint>{{1, 1}, {2, 5}, {6, 2}, {8, 1}}));
}

TEST_F(GameLoop, LevelReplacedDuringAPassEndsThatPassSafely) {
  At(0, 0, gcGold).SpriteVisible = true;
  At(0, 0, gcGold).SpriteDir = PosRight;
  const int OldFigures = Form->Log.Alive;
  // A blank level makes no figure before it is asked for.
  const int NewFigures = 0;
  bool Replaced = false;
  Form->Log.OnCheckMove = [&](TSprite& Sprite) {
    if (Replaced || Sprite.SpriteNr != gcGold) return;
    Replaced = true;
    Form->FreeLevel();
    Form->SetLevel(MakeLevel<TRowsLevel>(*Form, 2, BlankRows(5, 4)));
  };
  Form->Log.CheckMoves = 0;
  Form->CheckMovement();
  ASSERT_TRUE(Replaced);
  EXPECT_EQ(Form->Level->Nr, 2);
  EXPECT_LE(Form->Log.CheckMoves, GridCrystalCount) << "neither grid is walked any further";
  EXPECT_EQ(Form->Log.Alive, OldFigures + NewFigures) << "the old figures live until the next pass";
  Form->CollectRetiredLevel();
  EXPECT_EQ(Form->Log.Alive, NewFigures);
}

// ---- Return to life and the end of the game -------------------------------------------------

TEST_F(GameLoop, ResurrectWithoutLivesEndsTheGameAfterThreeSeconds) {
  Form->Lives = 0;
  Form->HeroPos = {2, 1};
  Form->MapPos = {0, 0};
  Form->xResurrect = 7;
  Form->yResurrect = 5;
  Form->Resurrect(true);
  EXPECT_EQ(Platform.SoundNames(), (std::vector<std::string>{"wvGameOver"}));
  EXPECT_GT(Platform.Clock - 5000, 3000);
  EXPECT_TRUE(Form->Quit);
  EXPECT_EQ(Form->HeroPos, (TPoint{2, 1}));
  EXPECT_EQ(Form->MapPos, (TPoint{0, 0}));
  EXPECT_FALSE(At(7, 5, gcHero).SpriteVisible);
  EXPECT_EQ(Form->Lives, 0);
}

TEST_F(GameLoop, ResurrectPutsTheHeroAtTheReturnPointAndShowsItsScreen) {
  WalkAScorpion();
  Form->Lives = 2;
  Form->xResurrect = 7;
  Form->yResurrect = 5;
  TSprite& Hero = At(7, 5, gcHero);
  Hero.KillTime = 4000;
  Form->Resurrect(true);
  EXPECT_EQ(Form->HeroPos, (TPoint{7, 5}));
  EXPECT_EQ(Form->MapPos, (TPoint{5, 4}));
  EXPECT_TRUE(Hero.SpriteVisible);
  EXPECT_EQ(Hero.KillTime, -1);
  EXPECT_EQ(Hero.MoveDelay, 200);
  EXPECT_EQ(Hero.StartTime, 200);
  EXPECT_EQ(Hero.SpeedTime, 200);
  EXPECT_FALSE(Form->HeroDying());
  EXPECT_EQ(Form->Lives, 2) << "a death lowers the lives, not the return";
  EXPECT_FALSE(Form->Quit);
  EXPECT_TRUE(Platform.Sounds.empty());
  ExpectScorpionBackAtItsStart();
}

TEST_F(GameLoop, ResurrectPrefersTheLevelsFixedStart) {
  Form->xResurrect = 7;
  Form->yResurrect = 5;
  Form->Level->xStart = 2;
  Form->Level->yStart = 6;
  Form->Resurrect(false);
  EXPECT_EQ(Form->HeroPos, (TPoint{2, 6}));
  EXPECT_EQ(Form->MapPos, (TPoint{0, 4}));
  EXPECT_TRUE(At(2, 6, gcHero).SpriteVisible);
  EXPECT_FALSE(At(7, 5, gcHero).SpriteVisible);
}

TEST_F(GameLoop, HeroIsDyingWhileItsDeathRuns) {
  Form->HeroPos = {3, 3};
  EXPECT_FALSE(Form->HeroDying());
  At(3, 3, gcHero).KillTime = 4500;
  EXPECT_TRUE(Form->HeroDying());
  Form->HeroPos = {4, 3};
  EXPECT_FALSE(Form->HeroDying());
}

TEST_F(GameLoop, ClosingWindowIsMadeOnceAndAsksForARestart) {
  Form->EndOfGame();
  EXPECT_TRUE(Form->Restart);
  ASSERT_NE(Form->EndOfLevelForm, nullptr);
  const TEndOfLevelForm* First = Form->EndOfLevelForm.get();
  Form->Restart = false;
  Form->EndOfGame();
  EXPECT_TRUE(Form->Restart);
  EXPECT_EQ(Form->EndOfLevelForm.get(), First);
  EXPECT_EQ(Platform.Dialogs,
            (std::vector<TDialogKind>{TDialogKind::EndOfLevel, TDialogKind::EndOfLevel}));
}

TEST_F(GameLoop, LevelIsCompleteWhenNoCoinIsLeft) {
  LoadRows({"64,0,0,0,0", "0,0,0,0,0", "0,0,0,0,0", "0,0,0,0,0"});
  EXPECT_FALSE(Form->CheckExit());
  Form->Level->CoinsLeft = 0;
  EXPECT_TRUE(Form->CheckExit());
  Form->Level->CoinsLeft = -1;
  EXPECT_TRUE(Form->CheckExit());
}

TEST_F(GameLoop, LevelStartResetsTheViewAndBuildsTheLevel) {
  Form->HeroPos = {7, 5};
  Form->MapPos = {5, 4};
  Form->Quit = true;
  Form->Restart = true;
  Form->LastEnemySound = 1234;
  Form->TLCDForm::Init(4);
  EXPECT_EQ(Form->HeroPos, (TPoint{0, 0}));
  EXPECT_EQ(Form->MapPos, (TPoint{0, 0}));
  EXPECT_FALSE(Form->Quit);
  EXPECT_TRUE(Form->Restart) << "not touched";
  EXPECT_EQ(Form->LastEnemySound, 0);
  ASSERT_NE(Form->Level, nullptr);
  EXPECT_EQ(Form->Level->Nr, 4);
}

// ---- Points and sound -----------------------------------------------------------------------

TEST_F(GameLoop, IncScoreOfNothingIsSilent) {
  Form->Score = 12;
  Form->IncScore(0);
  Form->IncScore(-3);
  EXPECT_EQ(Form->Score, 12);
  EXPECT_TRUE(Platform.Sounds.empty());
  EXPECT_EQ(Platform.Clock, 5000);
}

TEST_F(GameLoop, IncScoreCountsUpOnePointAtATime) {
  Form->Score = 12;
  Form->IncScore(3);
  EXPECT_EQ(Form->Score, 15);
  ASSERT_EQ(Platform.SoundNames(), (std::vector<std::string>{"wvScore", "wvScore", "wvScore"}));
  for (int i = 1; i < 3; ++i)
    EXPECT_GE(Platform.Sounds[i].Time - Platform.Sounds[i - 1].Time, 110) << "point " << i;
  EXPECT_GT(Platform.Clock - Platform.Sounds[2].Time, 100) << "a pause after the last point";
  EXPECT_EQ(Platform.ChangedCrystals.size(), 3U) << "the display changes with every point";
}

TEST_F(GameLoop, PlayWaveAsksForTheSoundAndPausesBriefly) {
  Form->PlayWave("");
  EXPECT_TRUE(Platform.Sounds.empty());
  EXPECT_EQ(Platform.Clock, 5000);
  EXPECT_EQ(Platform.Pumps, 0);
  Form->PlayWave("wvMove");
  ASSERT_EQ(Platform.SoundNames(), std::vector<std::string>{"wvMove"});
  EXPECT_EQ(Platform.Sounds[0].Time, 5000);
  EXPECT_GT(Platform.Clock - 5000, 10);
}

// ---- Keys -----------------------------------------------------------------------------------

TEST_F(GameLoop, EscapeAsksForARestart) {
  Form->KeyDown(VK_ESCAPE, 0);
  EXPECT_TRUE(Form->Restart);
  EXPECT_FALSE(Form->Quit);
}

TEST_F(GameLoop, F4QuitsOnlyWithAlt) {
  Form->KeyDown(VK_F4, 0);
  Form->KeyDown(VK_F4, ssShift);
  Form->KeyDown(VK_F4, ssCtrl);
  EXPECT_FALSE(Form->Quit);
  EXPECT_FALSE(Form->Restart);
  Form->KeyDown(VK_F4, ssAlt);
  EXPECT_TRUE(Form->Quit);
  EXPECT_FALSE(Form->Restart);
}

TEST_F(GameLoop, KeyOneIsTheRestartMenuCommand) {
  Form->KeyDown(VK_1, 0);
  EXPECT_TRUE(Form->Restart);

  Form->Restart = false;
  int Clicked = 0;
  Form->PopupMenu.Items[0].OnClick = [&] { ++Clicked; };
  Form->KeyDown(VK_1, 0);
  EXPECT_EQ(Clicked, 1);
  EXPECT_FALSE(Form->Restart);
}

TEST_F(GameLoop, OtherKeysDoNothing) {
  const Word Numpad1 = 97;
  for (Word Key : {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, VK_Z, Word{'2'}, Numpad1}) {
    Form->KeyDown(Key, 0);
    Form->KeyDown(Key, ssAlt);
  }
  EXPECT_FALSE(Form->Quit);
  EXPECT_FALSE(Form->Restart);
}

// ---- Mouse ----------------------------------------------------------------------------------

TEST_F(GameLoop, RightClickPopsUpTheMenuUnderTheMouse) {
  Form->Left = 100;
  Form->Top = 50;
  Form->MouseDown(TMouseButton::mbRight, 0, 300, 200);
  ASSERT_EQ(Platform.Menus.size(), 1U);
  EXPECT_EQ(Platform.Menus[0].ScreenX, 400);
  EXPECT_EQ(Platform.Menus[0].ScreenY, 250);
  EXPECT_EQ(Platform.Menus[0].Captions, MenuCaptions());
  EXPECT_FALSE(Form->Restart);

  Form->WMNCRButtonDown(640, 480);
  ASSERT_EQ(Platform.Menus.size(), 2U);
  EXPECT_EQ(Platform.Menus[1].ScreenX, 640);
  EXPECT_EQ(Platform.Menus[1].ScreenY, 480);
}

TEST_F(GameLoop, RestartFromTheMenuUnderTheMouseActsLikeEscape) {
  Platform.OnPopup = [](TPopupMenu& Menu) { Menu.FindByCaption("Restart")->Click(); };
  Form->MouseDown(TMouseButton::mbRight, 0, 300, 200);
  EXPECT_TRUE(Form->Restart);
  EXPECT_FALSE(Form->Quit);
}

TEST_F(GameLoop, LeftClickInTheResetHoleRestarts) {
  // The test device's reset hole: left 728, top 136, 33 x 33, edges included.
  for (auto [X, Y] : std::vector<std::pair<int, int>>{{728, 136}, {761, 169}, {744, 150}}) {
    Form->Restart = false;
    Form->MouseDown(TMouseButton::mbLeft, 0, X, Y);
    EXPECT_TRUE(Form->Restart) << X << ", " << Y;
  }
  for (auto [X, Y] : std::vector<std::pair<int, int>>{{727, 150}, {762, 150}, {744, 170}}) {
    Form->Restart = false;
    Form->MouseDown(TMouseButton::mbLeft, 0, X, Y);
    EXPECT_FALSE(Form->Restart) << X << ", " << Y;
  }
  EXPECT_TRUE(Form->Log.KeysSeen.empty());
  EXPECT_TRUE(Platform.Menus.empty());
}

TEST_F(GameLoop, ClickOnTheGameButtonActsLikeKeyOne) {
  // The test device's game button: left 664, top 48, 57 x 33.
  Form->MouseDown(TMouseButton::mbLeft, 0, 690, 60);
  EXPECT_EQ(Form->Log.KeysSeen, std::vector<Word>{VK_1});
  EXPECT_TRUE(Form->Restart);
  Form->Restart = false;
  Form->MouseDown(TMouseButton::mbMiddle, 0, 721, 81);
  EXPECT_EQ(Form->Log.KeysSeen, (std::vector<Word>{VK_1, VK_1}));
  EXPECT_TRUE(Form->Restart);
}

TEST_F(GameLoop, ClickElsewhereDoesNothing) {
  Form->MouseDown(TMouseButton::mbLeft, 0, 400, 300);
  EXPECT_FALSE(Form->Restart);
  EXPECT_FALSE(Form->Quit);
  EXPECT_TRUE(Form->Log.KeysSeen.empty());
}

// ---- Menu -----------------------------------------------------------------------------------

TEST_F(GameLoop, MenuHasItsEntriesInOrder) {
  EXPECT_EQ(MenuCaptions(),
            (std::vector<std::string>{"Restart", "Info", "README.TXT", "WHATSNEW.TXT", "Quit"}));
}

TEST_F(GameLoop, MenuRestartAndQuitSetTheirRequests) {
  ChooseMenu("Restart");
  EXPECT_TRUE(Form->Restart);
  EXPECT_FALSE(Form->Quit);
  Form->Restart = false;
  ChooseMenu("Quit");
  EXPECT_TRUE(Form->Quit);
  EXPECT_FALSE(Form->Restart);
}

TEST_F(GameLoop, MenuInfoShowsTheOneInformationWindow) {
  Platform.ModalAnswer = TModalResult::mrCancel;
  ChooseMenu("Info");
  ASSERT_NE(Form->IntroForm, nullptr);
  const TIntroForm* First = Form->IntroForm.get();
  EXPECT_EQ(First->ModalResult, TModalResult::mrCancel);
  ChooseMenu("Info");
  EXPECT_EQ(Form->IntroForm.get(), First);
  EXPECT_EQ(Platform.Dialogs, (std::vector<TDialogKind>{TDialogKind::Intro, TDialogKind::Intro}));
  EXPECT_FALSE(Form->Restart);
  EXPECT_FALSE(Form->Quit);
}

TEST_F(GameLoop, MenuDocumentsOpenFromTheCurrentDirectory) {
  TTempCurrentDir Dir;
  std::ofstream(Dir.Path / "WHATSNEW.TXT") << "news";
  ChooseMenu("WHATSNEW.TXT");
  ASSERT_EQ(Platform.Documents.size(), 1U);
  EXPECT_TRUE(std::filesystem::equivalent(Platform.Documents[0], Dir.Path / "WHATSNEW.TXT"));
  EXPECT_TRUE(Platform.Messages.empty());

  ChooseMenu("README.TXT");
  EXPECT_EQ(Platform.Documents.size(), 1U);
  ASSERT_EQ(Platform.Messages.size(), 1U);
  EXPECT_EQ(Platform.Messages[0].rfind("Kon programma README.TXT niet uitvoeren. Code ", 0), 0U)
      << Platform.Messages[0];
  EXPECT_FALSE(Form->Quit);
  EXPECT_FALSE(Form->Restart);
}
