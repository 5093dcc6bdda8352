// The program's main loop: the all-segments test, the information window, the level choice,
// a game until a restart or quit request, and back to the level choice.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "engine/support.h"
#include "engine_fixture.h"
#include "forms/intro_form.h"
#include "forms/level_select_form.h"
#include "sim/script.h"
#include "sim/sim_platform.h"

using namespace karvan;
using namespace karvan::test;

namespace {

class MainLoop : public EngineTest {
 protected:
  void SetUp() override {
    // The program entry makes the level choice before the loop starts.
    CreateFormOnce(Form->LevelSelectForm, *Form);
    Platform.OnShowModal = [this](TDialogForm& Dialog) {
      if (Dialog.Kind == TDialogKind::Intro) return IntroAnswer;
      auto& Choice = static_cast<TLevelSelectForm&>(Dialog);
      ChoiceShownAt.push_back(Platform.Clock);
      PatternAtChoice.push_back(AllCrystalsShown());
      if (Choices.empty() || Choices.front() == 0) {
        Word Key = VK_ESCAPE;
        Choice.FormKeyDown(Key, 0);
      } else {
        Choice.ItemIndex = Choices.front() - 1;
        Choice.BitBtn1Click();
      }
      if (!Choices.empty()) Choices.erase(Choices.begin());
      return Choice.ModalResult;
    };
  }

  bool AllCrystalsShown() {
    for (const TCrystal& Crystal : Form->CrystalArr)
      if (!Crystal.Visible) return false;
    return true;
  }

  TModalResult IntroAnswer = TModalResult::mrOk;
  std::vector<int> Choices;  // answers of the level choices in turn; 0 cancels
  std::vector<std::int64_t> ChoiceShownAt;
  std::vector<bool> PatternAtChoice;
};

}  // namespace

TEST_F(MainLoop, EveryCrystalIsLitBeforeTheInformationWindow) {
  bool PatternAtIntro = false;
  Platform.OnShowModal = [&](TDialogForm& Dialog) {
    PatternAtIntro = AllCrystalsShown();
    EXPECT_EQ(Dialog.Kind, TDialogKind::Intro);
    return TModalResult::mrCancel;
  };
  Form->Run();
  EXPECT_EQ(Platform.DeviceShown, 1);
  EXPECT_TRUE(PatternAtIntro);
  EXPECT_EQ(Platform.Dialogs, std::vector<TDialogKind>{TDialogKind::Intro})
      << "closing the information window without Play ends the program";
  EXPECT_EQ(Form->Level, nullptr);
}

TEST_F(MainLoop, CancelledLevelChoiceEndsTheProgram) {
  Form->Run();
  EXPECT_EQ(Platform.Dialogs,
            (std::vector<TDialogKind>{TDialogKind::Intro, TDialogKind::LevelSelect}));
  EXPECT_EQ(Form->Level, nullptr);
  EXPECT_LT(Platform.Clock, 1000) << "no pause before a game that does not start";
}

TEST_F(MainLoop, ChosenLevelStartsAfterOneSecondWithFullLivesAndNoScore) {
  Form->MaxLives = 5;
  Form->Score = 99;
  Choices = {7};
  std::int64_t LevelAt = -1;
  bool PatternDuringPause = false;
  Platform.OnPump = [&] {
    if (Platform.Clock == ChoiceShownAt.at(0) + 500) PatternDuringPause = AllCrystalsShown();
    if (Form->Level && LevelAt < 0) LevelAt = Platform.Clock;
    if (Platform.Clock == ChoiceShownAt.at(0) + 1500) Form->KeyDown(VK_F4, ssAlt);
  };
  Form->Run();
  ASSERT_NE(Form->Level, nullptr);
  EXPECT_EQ(Form->Level->Nr, 7);
  EXPECT_GT(LevelAt - ChoiceShownAt[0], 1000);
  EXPECT_TRUE(PatternDuringPause) << "the test pattern stays during the pause";
  EXPECT_EQ(Form->Lives, 5);
  EXPECT_EQ(Form->Score, 0);
  EXPECT_TRUE(Form->Quit);
}

TEST_F(MainLoop, AltF4EndsTheProgramAfterThePass) {
  Choices = {1};
  int PumpsAtKey = -1;
  Platform.OnPump = [&] {
    if (Platform.Clock == 2500) {
      Form->KeyDown(VK_F4, ssAlt);
      PumpsAtKey = Platform.Pumps;
    }
  };
  Form->Run();
  EXPECT_EQ(Platform.Pumps, PumpsAtKey) << "the loop ends without another pass";
  EXPECT_EQ(Platform.Dialogs.size(), 2U);
}

TEST_F(MainLoop, EscapeDuringPlayLeadsToTheLevelChoiceAndAFreshGame) {
  Choices = {2, 3};
  std::int64_t Escaped = -1;
  Platform.OnPump = [&] {
    if (Platform.Clock == 2500) {
      Form->Score = 42;
      Form->Lives = 1;
      Form->KeyDown(VK_ESCAPE, 0);
      Escaped = Platform.Clock;
    }
    if (Form->Level && Form->Level->Nr == 3 && Platform.Clock > 5000) Form->KeyDown(VK_F4, ssAlt);
  };
  Form->Run();
  EXPECT_EQ(Platform.Dialogs,
            (std::vector<TDialogKind>{TDialogKind::Intro, TDialogKind::LevelSelect,
                                      TDialogKind::LevelSelect}))
      << "the information window shows only the first time";
  ASSERT_EQ(ChoiceShownAt.size(), 2U);
  EXPECT_EQ(ChoiceShownAt[1], Escaped) << "right after the pass";
  EXPECT_EQ(PatternAtChoice, (std::vector<bool>{true, true}));
  ASSERT_NE(Form->Level, nullptr);
  EXPECT_EQ(Form->Level->Nr, 3);
  EXPECT_EQ(Form->Lives, 3);
  EXPECT_EQ(Form->Score, 0);
}

TEST_F(MainLoop, CancellingTheChoiceAfterAGameEndsTheProgram) {
  Choices = {2, 0};
  Platform.OnPump = [&] {
    if (Platform.Clock == 2500) Form->KeyDown(VK_ESCAPE, 0);
  };
  Form->Run();
  EXPECT_EQ(ChoiceShownAt.size(), 2U);
  EXPECT_EQ(Platform.Clock, 2500) << "no pause and no game after the cancelled choice";
}

TEST_F(MainLoop, InformationWindowClosedFromTheMenuEndsTheProgramAtTheNextRestart) {
  Choices = {1};
  Platform.OnPump = [&] {
    if (Platform.Clock == 2000) {
      IntroAnswer = TModalResult::mrCancel;
      Form->PopupMenu.FindByCaption("Info")->Click();
    }
    if (Platform.Clock == 2100) Form->KeyDown(VK_ESCAPE, 0);
  };
  Form->Run();
  EXPECT_EQ(
      Platform.Dialogs,
      (std::vector<TDialogKind>{TDialogKind::Intro, TDialogKind::LevelSelect, TDialogKind::Intro}));
  EXPECT_LT(Platform.Clock, 2200);
}

TEST_F(MainLoop, GameOverEndsTheProgram) {
  Choices = {1};
  Platform.OnPump = [&] {
    if (Platform.Clock == 2000) {
      Form->Lives = 0;
      Form->Resurrect(true);
    }
  };
  Form->Run();
  EXPECT_GT(Platform.Clock, 5000);
  EXPECT_EQ(Platform.SoundNames(), std::vector<std::string>{"wvGameOver"});
  EXPECT_EQ(Platform.Dialogs.size(), 2U);
}

// ---- The level choice -----------------------------------------------------------------------

class LevelChoice : public EngineTest {};

TEST_F(LevelChoice, OffersTwentyFourLevelsWithTheFirstSelectedAndAnswersZeroOnCancel) {
  WriteSetting("LEVEL", "7");
  std::vector<std::vector<std::string>> Lists;
  std::vector<int> Selected;
  Platform.OnShowModal = [&](TDialogForm& Dialog) {
    auto& Choice = static_cast<TLevelSelectForm&>(Dialog);
    Lists.push_back(Choice.LevelCombo);
    Selected.push_back(Choice.ItemIndex);
    return TModalResult::mrCancel;
  };
  EXPECT_EQ(ChooseLevel(*Form), 0);
  EXPECT_EQ(Form->LevelSelectForm, nullptr) << "freed after every choice";
  EXPECT_EQ(ChooseLevel(*Form), 0);

  std::vector<std::string> Expected;
  for (int Nr = 1; Nr <= 24; ++Nr) Expected.push_back("Level " + std::to_string(Nr));
  ASSERT_EQ(Lists.size(), 2U);
  EXPECT_EQ(Lists[0], Expected);
  EXPECT_EQ(Lists[1], Expected);
  EXPECT_EQ(Selected, (std::vector<int>{0, 0}));
}

TEST_F(LevelChoice, OkAnswersTheSelectedLevelAndDropsTheCurrentOne) {
  LoadRows(BlankRows(10, 8));
  Platform.OnShowModal = [](TDialogForm& Dialog) {
    auto& Choice = static_cast<TLevelSelectForm&>(Dialog);
    Choice.ItemIndex = 23;
    Choice.BitBtn1Click();
    return Choice.ModalResult;
  };
  EXPECT_EQ(ChooseLevel(*Form), 24);
  EXPECT_EQ(Form->Level, nullptr);
  EXPECT_TRUE(Form->Map.empty());
}

TEST_F(LevelChoice, LoadCustomLevelClosesWithOkWhateverCameOfIt) {
  LoadRows(BlankRows(10, 8));
  int Loads = 0;
  Form->OnLoadCustomLevel = [&] { ++Loads; };
  Platform.OnShowModal = [](TDialogForm& Dialog) {
    auto& Choice = static_cast<TLevelSelectForm&>(Dialog);
    Choice.ItemIndex = 4;
    Choice.BitBtn2Click();
    return Choice.ModalResult;
  };
  EXPECT_EQ(ChooseLevel(*Form), 5);
  EXPECT_EQ(Loads, 1);
  EXPECT_NE(Form->Level, nullptr) << "the device keeps the level it has";
}

// ---- The same loop on the simulator ---------------------------------------------------------

namespace {

// The simulator's platform with a hook that runs after each pump's scripted events.
class THookedSim : public sim::SimPlatform {
 public:
  using sim::SimPlatform::SimPlatform;
  std::function<void()> Hook;
  void PumpMessages() override {
    sim::SimPlatform::PumpMessages();
    if (Hook) Hook();
  }
};

struct TSimRun {
  std::vector<nlohmann::json> Lines;
  std::unique_ptr<TProbeForm> Form;
  std::int64_t Clock = 0;
};

TSimRun RunOnSimulator(const std::string& Script, const std::function<void(TSimRun&)>& Hook = {}) {
  std::istringstream In(Script);
  std::ostringstream Out;
  THookedSim Platform(sim::ParseScript(In, "test.sim"), sim::TSimOptions{}, Out);
  PlatformScope Scope(Platform);
  TSimRun Run;
  Run.Form = MakeForm<TProbeForm>();
  Platform.Attach(*Run.Form);
  CreateFormOnce(Run.Form->LevelSelectForm, *Run.Form);
  if (Hook) Platform.Hook = [&] { Hook(Run); };
  Run.Form->Run();
  Platform.PrintState(true);
  Run.Clock = Platform.Clock;
  std::istringstream Printed(Out.str());
  for (std::string Line; std::getline(Printed, Line);)
    Run.Lines.push_back(nlohmann::json::parse(Line));
  return Run;
}

}  // namespace

TEST(MainLoopOnTheSimulator, IntroCancelEndsBeforeAnyLevelChoice) {
  TSimRun Run = RunOnSimulator("@0 intro cancel\n");
  EXPECT_NE(Run.Form->LevelSelectForm, nullptr) << "the level choice was never shown";
  EXPECT_EQ(Run.Form->Level, nullptr);
  ASSERT_EQ(Run.Lines.size(), 1U);
  EXPECT_EQ(Run.Lines[0]["ended"], true);
}

TEST(MainLoopOnTheSimulator, EscapeStartsAFreshGameOfTheNextChoice) {
  TSimRun Run = RunOnSimulator(
      "@0 choose 2\n"
      "@2500 choose 5\n"  // answers the level choice that follows the Escape
      "@2900 state\n"
      "@3000 press Escape\n"
      "@3500 state\n"
      "@5000 state\n"
      "@5001 press alt+F4\n",
      [](TSimRun& Run) {
        if (Run.Form->Level && Run.Form->Level->Nr == 2) {
          Run.Form->Score = 77;
          Run.Form->Lives = 1;
        }
      });
  ASSERT_EQ(Run.Lines.size(), 4U);
  EXPECT_EQ(Run.Lines[0]["level"], 2);
  EXPECT_EQ(Run.Lines[0]["score"], 77);
  EXPECT_EQ(Run.Lines[0]["lives"], 1);
  EXPECT_TRUE(Run.Lines[1]["level"].is_null()) << "the choice drops the old level; a pause follows";
  EXPECT_EQ(Run.Lines[2]["level"], 5);
  EXPECT_EQ(Run.Lines[2]["lives"], 3);
  EXPECT_EQ(Run.Lines[2]["score"], 0);
  EXPECT_EQ(Run.Lines[3]["ended"], true);
  EXPECT_EQ(Run.Lines[3]["t"], 5001);
}
