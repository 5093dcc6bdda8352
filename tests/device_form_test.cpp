// The game's device window: its crystal layout, the crystal of a map figure at a screen
// position, the hit test with its hints and pointers, and the popup menu.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/menu.h"
#include "fake_platform.h"
#include "game/device_layout.h"
#include "game/karvan_form.h"

using namespace karvan;

namespace {

class DeviceForm : public ::testing::Test {
 protected:
  test::FakePlatform Platform;
  PlatformScope Scope{Platform};
  std::unique_ptr<TKarvanForm> Form = MakeForm<TKarvanForm>();

  // Display coordinates of a crystal.
  TPoint OnDisplay(int Nr) const {
    return {Form->CrystalArr[Nr].Left - Layout::DisplayImage.Left,
            Form->CrystalArr[Nr].Top - Layout::DisplayImage.Top};
  }
};

}  // namespace

TEST_F(DeviceForm, HasTheWholeLayoutOfCrystalsInItsFixedOrder) {
  EXPECT_EQ(Form->Width, 800);
  EXPECT_EQ(Form->Height, 481);
  ASSERT_EQ(Form->CrystalArr.size(), 318u);
  EXPECT_EQ(Form->CellCrystalNr, 32);
  EXPECT_EQ(Form->TimePos(), 238);
  // The score digits stand at the top right of the display.
  EXPECT_EQ(OnDisplay(0).X, 238);
  EXPECT_EQ(OnDisplay(0).Y, 2);
  EXPECT_EQ(OnDisplay(1).Y, 16);
  EXPECT_EQ(OnDisplay(Form->Digit1).X, 263);
  EXPECT_EQ(OnDisplay(Form->Digit2).X, 279);
  EXPECT_EQ(OnDisplay(Form->Digit3).X, 305);
  EXPECT_EQ(OnDisplay(Form->Digit4).X, 321);
  EXPECT_EQ(Form->KeyCrystal, 270);
  EXPECT_EQ(Form->SmallHeroCrystal, 271);
  EXPECT_EQ(OnDisplay(271).Y, 214);
  EXPECT_EQ(OnDisplay(273).Y, 162);
  EXPECT_EQ(Form->PyramidsCrystal, 274);
  EXPECT_EQ(Form->SunCrystal, 275);
  EXPECT_EQ(Form->MoonCrystal, 276);
  EXPECT_EQ(Form->PyramidLineCrystal, 277);
  EXPECT_EQ(Form->StartSideCrystal, 283);
  EXPECT_EQ(Form->StartSideCrystal + scMap, 316);
  EXPECT_EQ(Form->VerticalLineCrystal, 291);
  EXPECT_EQ(Form->MapCrystal, 317);
  EXPECT_EQ(OnDisplay(317).X, 9);
  EXPECT_EQ(OnDisplay(317).Y, 138);
  // Templates laid out at their final place keep it, in window coordinates.
  EXPECT_EQ(Form->CrystalArr[270].Left, 218);
  EXPECT_EQ(Form->CrystalArr[270].Top, 246);
  EXPECT_EQ(Form->CrystalArr[283].Left, 544);
  EXPECT_EQ(Form->CrystalArr[283].Top, 312);
  EXPECT_EQ(Form->CrystalArr[316].Template, "MapImage");
  EXPECT_EQ(Form->CrystalArr[317].Template, "MapImage");
}

TEST_F(DeviceForm, FindsTheCrystalOfAMapFigureAtEveryScreenPosition) {
  EXPECT_EQ(Form->GetCrystalIndex(0, 0, gcWallVert), 32);
  EXPECT_EQ(Form->GetCrystalIndex(0, 0, gcKey), 42);
  EXPECT_EQ(Form->GetCrystalIndex(5, 0, gcWallVert), 87);
  EXPECT_EQ(Form->GetCrystalIndex(0, 1, gcWallVert), 89);
  EXPECT_EQ(Form->GetCrystalIndex(0, 4, gcWallHorz), 260);
  EXPECT_EQ(Form->GetCrystalIndex(4, 4, gcLockHorz), 269);
  for (int Kind = 0; Kind < GridCrystalCount; ++Kind)
    EXPECT_EQ(Form->GetCrystalIndex(5, 4, static_cast<TGridCrystal>(Kind)), -1);

  // Every existing combination answers the crystal made for it, with the figure's template.
  for (int r = 0; r <= 4; ++r)
    for (int c = 0; c <= 5; ++c)
      for (int Kind = 0; Kind < GridCrystalCount; ++Kind) {
        const bool Vertical = Kind == gcWallVert || Kind == gcLockVert;
        const bool Horizontal = Kind == gcWallHorz || Kind == gcLockHorz;
        const bool Exists = Vertical ? r <= 3 : Horizontal ? c <= 4 : (r <= 3 && c <= 4);
        if (!Exists) continue;
        const int Nr = Form->GetCrystalIndex(c, r, static_cast<TGridCrystal>(Kind));
        ASSERT_GE(Nr, 32);
        ASSERT_LT(Nr, 270);
        const bool Odd = (c + r) % 2 != 0;
        const auto& Figure = Layout::CellFigures[Kind];
        EXPECT_EQ(Form->CrystalArr[Nr].Template,
                  (Odd ? Figure.OddTemplate : Figure.EvenTemplate)->Name)
            << c << "," << r << " kind " << Kind;
        EXPECT_EQ(Form->CrystalArr[Nr].Left - Layout::DisplayImage.Left,
                  34 + 59 * c + (Odd ? Figure.OddDx : Figure.EvenDx));
      }
  // The hero and the scorpion face the other way on neighbouring squares.
  EXPECT_EQ(Form->CrystalArr[Form->GetCrystalIndex(0, 0, gcHero)].Template, "HeroImage");
  EXPECT_EQ(Form->CrystalArr[Form->GetCrystalIndex(1, 0, gcHero)].Template, "Hero2Image");
  EXPECT_TRUE(Form->InScreenRange(5, 4));
  EXPECT_FALSE(Form->InScreenRange(6, 0));
  EXPECT_FALSE(Form->InScreenRange(0, 5));
}

TEST_F(DeviceForm, HitTestMakesEverythingButThePanelsADragHandle) {
  struct TCase {
    int X, Y, Result;
    TCursorShape Cursor;
    std::string Hint;
  };
  const std::vector<TCase> Cases = {
      {20, 270, HTCLIENT, TCursorShape::crHelp, Layout::ControllerHint},
      {145, 401, HTCLIENT, TCursorShape::crHelp, Layout::ControllerHint},  // edges inclusive
      {700, 330, HTCLIENT, TCursorShape::crHelp, "Z - Jump / Deactivate map / Throw stones"},
      {740, 150, HTCLIENT, TCursorShape::crHandPoint, ""},
      {690, 60, HTCLIENT, TCursorShape::crHandPoint, "Press 1 to start a game"},
      {400, 240, HTCAPTION, TCursorShape::crArrow, ""},
      {146, 300, HTCAPTION, TCursorShape::crArrow, ""},
  };
  for (const TCase& Case : Cases) {
    Platform.Hint = "unchanged";
    EXPECT_EQ(Form->WMNCHitTest(Case.X, Case.Y), Case.Result) << Case.X << "," << Case.Y;
    EXPECT_EQ(Platform.Cursor, Case.Cursor) << Case.X << "," << Case.Y;
    if (Case.Result == HTCLIENT) {
      EXPECT_EQ(Platform.Hint, Case.Hint) << Case.X << "," << Case.Y;
    }
  }
  // The pad's hint breaks into two lines.
  EXPECT_NE(std::string(Layout::ControllerHint).find("\r"), std::string::npos);
}

TEST_F(DeviceForm, MouseButtonsActThroughTheHitTest) {
  // A right click anywhere opens the six-entry menu under the pointer.
  Form->Left = 100;
  Form->Top = 50;
  Form->MouseDown(TMouseButton::mbRight, 0, 400, 240);
  Form->MouseDown(TMouseButton::mbRight, 0, 20, 270);
  ASSERT_EQ(Platform.Menus.size(), 2u);
  EXPECT_EQ(Platform.Menus[0].Captions,
            (std::vector<std::string>{"Restart", "Load custom level", "Info", "README.TXT",
                                      "WHATSNEW.TXT", "Quit"}));
  EXPECT_EQ(Platform.Menus[0].ScreenX, 500);
  EXPECT_EQ(Platform.Menus[0].ScreenY, 290);
  EXPECT_EQ(Platform.Menus[1].ScreenX, 120);

  // A left click on the display or a pad does nothing; the reset hole and the game button
  // restart.
  Form->MouseDown(TMouseButton::mbLeft, 0, 400, 240);
  Form->MouseDown(TMouseButton::mbLeft, 0, 20, 270);
  EXPECT_FALSE(Form->Restart);
  Form->MouseDown(TMouseButton::mbLeft, 0, 740, 150);
  EXPECT_TRUE(Form->Restart);
  Form->Restart = false;
  Form->MouseDown(TMouseButton::mbLeft, 0, 690, 60);
  EXPECT_TRUE(Form->Restart);
}
