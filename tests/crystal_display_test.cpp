// The LCD: numbered crystals made from templates and placed relative to the display glass, the
// seven-segment score digits, and frames that are marked first and applied by Draw.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "engine_fixture.h"

using namespace karvan;
using namespace karvan::test;

namespace {

// The test device's display glass lies at (202, 114) of the window.
constexpr int DisplayLeft = 202;
constexpr int DisplayTop = 114;

struct TPlace {
  std::string_view Template;
  int x;
  int y;
  int Width;
  int Height;
};

// Segments 0..6 of a digit whose top segment stands at (x, y) of the display.
std::array<TPlace, 7> DigitPlaces(int x, int y) {
  return {{{"DigitTopImage", x, y, 8, 3},
           {"DigitTopRightImage", x + 5, y + 3, 4, 7},
           {"DigitBottomRightImage", x + 4, y + 12, 3, 9},
           {"DigitBottomImage", x - 4, y + 19, 8, 3},
           {"DigitBottomLeftImage", x - 4, y + 12, 3, 6},
           {"DigitTopLeftImage", x - 3, y + 2, 3, 8},
           {"DigitMiddleImage", x - 1, y + 9, 6, 3}}};
}

class CrystalDisplay : public EngineTest {
 protected:
  void ExpectPlace(int Nr, const TPlace& Place) {
    const TCrystal& Crystal = Form->CrystalArr.at(Nr);
    EXPECT_EQ(Crystal.Template, Place.Template) << "crystal " << Nr;
    EXPECT_EQ(Crystal.Left, DisplayLeft + Place.x) << "crystal " << Nr;
    EXPECT_EQ(Crystal.Top, DisplayTop + Place.y) << "crystal " << Nr;
    EXPECT_EQ(Crystal.Width, Place.Width) << "crystal " << Nr;
    EXPECT_EQ(Crystal.Height, Place.Height) << "crystal " << Nr;
  }

  // Lights one digit value on the rightmost digit and answers its lit segments.
  std::vector<int> SegmentsOf(int Value) {
    Form->Render->ClearCrystals();
    Form->RenderDigit(Form->Digit4, Value);
    std::vector<int> Segments;
    for (int Nr : LitBetween(0, static_cast<int>(Form->CrystalArr.size()) - 1))
      Segments.push_back(Nr - Form->Digit4);
    return Segments;
  }
};

}  // namespace

TEST_F(CrystalDisplay, BaseCrystalsComeFirstInAFixedOrder) {
  EXPECT_EQ(Form->CrystalArr[0].Template, "AmImage");
  EXPECT_EQ(Form->CrystalArr[1].Template, "PmImage");
  EXPECT_EQ(Form->Digit1, 2);
  EXPECT_EQ(Form->Digit2, 9);
  EXPECT_EQ(Form->TimeDot1, 16);
  EXPECT_EQ(Form->TimeDot2, 17);
  EXPECT_EQ(Form->Digit3, 18);
  EXPECT_EQ(Form->Digit4, 25);
  EXPECT_EQ(Form->CellCrystalNr, 32);
  // The device adds 11 crystals for each of the 20 screen cells, then its 34 side figures.
  EXPECT_EQ(Form->StartSideCrystal, 32 + 220);
  EXPECT_EQ(Form->CrystalArr.size(), 32U + 220U + 34U);
}

TEST_F(CrystalDisplay, EveryCrystalStartsHiddenAndUnlit) {
  for (const TCrystal& Crystal : Form->CrystalArr) {
    EXPECT_FALSE(Crystal.Visible);
    EXPECT_FALSE(Crystal.CrystalVisible);
  }
}

TEST_F(CrystalDisplay, MarksAndDigitsStandAtTheTimePosition) {
  for (int T : {0, 238}) {
    SCOPED_TRACE("time position " + std::to_string(T));
    Form = MakeForm<TProbeForm>(T);
    ExpectPlace(0, {"AmImage", T, 2, 15, 9});
    ExpectPlace(1, {"PmImage", T, 16, 16, 8});
    ExpectPlace(16, {"TimeDotImage", T + 55, 6, 3, 3});
    ExpectPlace(17, {"TimeDotImage", T + 54, 15, 3, 3});
    const std::array<std::pair<int, int>, 4> Digits = {{{Form->Digit1, T + 25},
                                                        {Form->Digit2, T + 41},
                                                        {Form->Digit3, T + 67},
                                                        {Form->Digit4, T + 83}}};
    for (const auto& [First, x] : Digits) {
      const auto Places = DigitPlaces(x, 1);
      for (int Segment = 0; Segment < 7; ++Segment) ExpectPlace(First + Segment, Places[Segment]);
    }
  }
}

TEST_F(CrystalDisplay, AddDigitMakesSevenConsecutiveSegments) {
  const int Before = static_cast<int>(Form->CrystalArr.size());
  const int First = Form->AddDigit(100, 50);
  EXPECT_EQ(First, Before);
  EXPECT_EQ(Form->CrystalArr.size(), static_cast<std::size_t>(Before + 7));
  const auto Places = DigitPlaces(100, 50);
  for (int Segment = 0; Segment < 7; ++Segment) ExpectPlace(First + Segment, Places[Segment]);
}

TEST_F(CrystalDisplay, AddCrystalPlacesRelativeToTheDisplay) {
  const TImage Template{"ProbeImage", 300, 200, 7, 5};
  const int Before = static_cast<int>(Form->CrystalArr.size());
  const int AtOwnPlace = Form->AddCrystal(Template);
  const int AtCorner = Form->AddCrystal(Template, 0, 0);
  EXPECT_EQ(AtOwnPlace, Before);
  EXPECT_EQ(AtCorner, Before + 1);
  const TCrystal& Own = Form->CrystalArr[AtOwnPlace];
  EXPECT_EQ(Own.Left, 300);
  EXPECT_EQ(Own.Top, 200);
  EXPECT_EQ(Own.Width, 7);
  EXPECT_EQ(Own.Height, 5);
  EXPECT_EQ(Form->CrystalArr[AtCorner].Left, DisplayLeft);
  EXPECT_EQ(Form->CrystalArr[AtCorner].Top, DisplayTop);
  EXPECT_FALSE(Form->CrystalArr[AtOwnPlace].Visible);

  // Two crystals of one template are independent.
  Form->ShowCrystal(AtCorner);
  EXPECT_TRUE(Lit(AtCorner));
  EXPECT_FALSE(Lit(AtOwnPlace));
}

TEST_F(CrystalDisplay, DigitValuesLightTheirSegmentPatterns) {
  const std::array<std::vector<int>, 10> Patterns = {{{0, 1, 2, 3, 4, 5},
                                                      {1, 2},
                                                      {0, 1, 3, 4, 6},
                                                      {0, 1, 2, 3, 6},
                                                      {1, 2, 5, 6},
                                                      {0, 2, 3, 5, 6},
                                                      {0, 2, 3, 4, 5, 6},
                                                      {0, 1, 2},
                                                      {0, 1, 2, 3, 4, 5, 6},
                                                      {0, 1, 2, 3, 5, 6}}};
  for (int Value = 0; Value <= 9; ++Value)
    EXPECT_EQ(SegmentsOf(Value), Patterns[Value]) << "digit " << Value;
}

TEST_F(CrystalDisplay, DigitValuesOutsideZeroToNineLightNothing) {
  EXPECT_TRUE(SegmentsOf(10).empty());
  EXPECT_TRUE(SegmentsOf(-1).empty());
  EXPECT_TRUE(SegmentsOf(-8).empty());
}

TEST_F(CrystalDisplay, RenderDigitOnlyLightsNeverUnlights) {
  Form->ShowCrystal(Form->Digit4 + 6);
  Form->RenderDigit(Form->Digit4, 1);
  EXPECT_EQ(LitBetween(Form->Digit4, Form->Digit4 + 6),
            (std::vector<int>{Form->Digit4 + 1, Form->Digit4 + 2, Form->Digit4 + 6}));
}

TEST_F(CrystalDisplay, CellFigureLightsTheCrystalOfItsKindAtItsScreenCell) {
  LoadRows(BlankRows(10, 8));
  Form->ShowCrystal(gcHero, 2, 1);
  EXPECT_EQ(LitBetween(0, static_cast<int>(Form->CrystalArr.size()) - 1),
            (std::vector<int>{32 + 11 * (5 * 1 + 2) + gcHero}));
}

TEST_F(CrystalDisplay, CellFigureWithoutACrystalChangesNothing) {
  // Without a grid every cell lies outside the map.
  Form->ShowCrystal(gcHero, 0, 0);
  LoadRows(BlankRows(10, 8));
  Form->ShowCrystal(gcKey, -1, 0);
  Form->ShowCrystal(gcKey, 0, 8);
  // Inside the map but beyond the 20 screen cells the device has crystals for.
  Form->ShowCrystal(gcKey, 4, 7);
  for (const TCrystal& Crystal : Form->CrystalArr) EXPECT_FALSE(Crystal.CrystalVisible);
}

TEST_F(CrystalDisplay, DrawTouchesOnlyTheCrystalsThatChanged) {
  Form->ShowCrystal(3);
  Form->ShowCrystal(40);
  Form->Draw();
  ASSERT_EQ(Platform.ChangedCrystals.size(), 1U);
  EXPECT_EQ(Platform.ChangedCrystals[0], (std::vector<int>{3, 40}));
  EXPECT_TRUE(Form->CrystalArr[3].Visible);
  EXPECT_TRUE(Form->CrystalArr[40].Visible);

  Form->Draw();
  EXPECT_EQ(Platform.ChangedCrystals.size(), 1U) << "a second Draw changes nothing";

  // A new frame that keeps 40 lit and drops 3.
  Form->Render->ClearCrystals();
  Form->ShowCrystal(40);
  Form->ShowCrystal(7);
  Form->Draw();
  ASSERT_EQ(Platform.ChangedCrystals.size(), 2U);
  EXPECT_EQ(Platform.ChangedCrystals[1], (std::vector<int>{3, 7}));
  EXPECT_FALSE(Form->CrystalArr[3].Visible);
  EXPECT_TRUE(Form->CrystalArr[40].Visible);
}

TEST_F(CrystalDisplay, FramesOfTheSameCrystalsInAnotherOrderOrCountAreApplied) {
  Form->ShowCrystal(40);
  Form->ShowCrystal(3);
  Form->Draw();
  ASSERT_EQ(Platform.ChangedCrystals.size(), 1U);

  // The same crystals lit in the other order: nothing to report.
  Form->ClearFrame();
  Form->ShowCrystal(3);
  Form->ShowCrystal(40);
  Form->Draw();
  EXPECT_EQ(Platform.ChangedCrystals.size(), 1U);

  // As many crystals as before, one of them another.
  Form->ClearFrame();
  Form->ShowCrystal(3);
  Form->ShowCrystal(41);
  Form->Draw();
  ASSERT_EQ(Platform.ChangedCrystals.size(), 2U);
  EXPECT_EQ(Platform.ChangedCrystals[1], (std::vector<int>{40, 41}));

  // An empty frame after a lit one darkens everything.
  Form->ClearFrame();
  Form->Draw();
  ASSERT_EQ(Platform.ChangedCrystals.size(), 3U);
  EXPECT_EQ(Platform.ChangedCrystals[2], (std::vector<int>{3, 41}));
  EXPECT_FALSE(Form->CrystalArr[3].Visible);
}

TEST_F(CrystalDisplay, ARestartedFrameHoldsJustTheGivenCrystalsInTheirOrder) {
  // The frame began with the given crystals: what came after them goes dark.
  Form->ShowCrystal(5);
  Form->ShowCrystal(7);
  Form->ShowCrystal(9);
  Form->RestartFrame({5, 7});
  EXPECT_EQ(Form->FrameLit(), (std::vector<int>{5, 7}));
  EXPECT_TRUE(Form->CrystalArr[5].CrystalVisible);
  EXPECT_TRUE(Form->CrystalArr[7].CrystalVisible);
  EXPECT_FALSE(Form->CrystalArr[9].CrystalVisible);
  // 9 left the frame's list: lighting it again puts it back once.
  Form->ShowCrystal(9);
  Form->ShowCrystal(9);
  EXPECT_EQ(Form->FrameLit(), (std::vector<int>{5, 7, 9}));

  // It began otherwise: the frame is built anew.
  Form->ClearFrame();
  Form->ShowCrystal(7);
  Form->ShowCrystal(5);
  Form->ShowCrystal(11);
  Form->RestartFrame({5, 7});
  EXPECT_EQ(Form->FrameLit(), (std::vector<int>{5, 7}));
  EXPECT_FALSE(Form->CrystalArr[11].CrystalVisible);
  Form->Draw();
  ASSERT_EQ(Platform.ChangedCrystals.size(), 1U);
  EXPECT_EQ(Platform.ChangedCrystals[0], (std::vector<int>{5, 7}));

  // Shorter than the list it is given: built anew as well.
  Form->ClearFrame();
  Form->ShowCrystal(5);
  Form->RestartFrame({5, 7, 13});
  EXPECT_EQ(Form->FrameLit(), (std::vector<int>{5, 7, 13}));
  EXPECT_TRUE(Form->CrystalArr[13].CrystalVisible);
}
