#include "sim/test_device_form.h"

#include <array>

#include "engine/render.h"

namespace karvan::sim {

namespace {

constexpr TImage GameImage{"GameImage", 0, 0, 800, 481};
constexpr TImage DisplayImage{"DisplayImage", 202, 114, 385, 246};
constexpr TPanel ACLPanel{728, 136, 33, 33};
constexpr TPanel GamePanel{664, 48, 57, 33};

// One template per cell figure, with its offset from the cell's corner.
struct TCellFigure {
  TImage Template;
  int dx;
  int dy;
};
constexpr std::array<TCellFigure, GridCrystalCount> CellFigures = {{
    {{"WallvertImage", 0, 0, 9, 49}, 0, 4},
    {{"LockVertImage", 0, 0, 4, 11}, 2, 24},
    {{"WallHorzImage", 0, 0, 48, 8}, 10, 0},
    {{"LockHorzImage", 0, 0, 11, 4}, 28, 2},
    {{"HeroImage", 0, 0, 30, 35}, 10, 12},
    {{"ScorpionLeftImage", 0, 0, 17, 23}, 41, 27},
    {{"GoldImage", 0, 0, 13, 8}, 24, 41},
    {{"SwitchUpImage", 0, 0, 5, 10}, 51, 10},
    {{"SwitchDownImage", 0, 0, 11, 4}, 43, 20},
    {{"SwitchBaseImage", 0, 0, 3, 4}, 55, 20},
    {{"KeyImage", 0, 0, 15, 9}, 35, 9},
}};

}  // namespace

void TTestDeviceForm::Create() {
  TLCDForm::Create();
  // The engine's own numbering: 11 crystals per screen cell, cells row by row.
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 5; ++c)
      for (const TCellFigure& Figure : CellFigures)
        AddCrystal(Figure.Template, 34 + 59 * c + Figure.dx, 32 + 51 * r + Figure.dy);
  // One crystal per side figure, stacked in the right margin.
  StartSideCrystal = static_cast<int>(CrystalArr.size());
  for (int Kind = 0; Kind < SideCrystalCount; ++Kind)
    AddCrystal(TImage{SideCrystalNames[Kind], 0, 0, 8, 6}, 345 + (Kind % 4) * 10,
               10 + (Kind / 4) * 8);
  Render = std::make_unique<TRender>(*this);
}

void TTestDeviceForm::Init(int LevelNr) {
  TLCDForm::Init(LevelNr);
  if (Level) Resurrect(true);
}

void TTestDeviceForm::InitLevel(int LevelNr) {
  FreeLevel();
  SetLevel(MakeLevel<TTestLevel>(*this, LevelNr));
}

const TImage* TTestDeviceForm::GetGameImage() {
  return &GameImage;
}
const TPanel* TTestDeviceForm::GetACLPanel() {
  return &ACLPanel;
}
const TPanel* TTestDeviceForm::GetGamePanel() {
  return &GamePanel;
}
const TImage* TTestDeviceForm::GetDisplay() {
  return &DisplayImage;
}

void TTestLevel::Create() {
  AddRow("5,4,4,4,4,4,4,4,4,4");
  AddRow("1,0,0,0,0,0,0,0,0,1");
  // A figure that walks right until blocked and then starts again from its start cell.
  AddMovingObject(1, gcScorpion, PosRight, 800, 0, 0, true, -1);
  AddRow("1,0,0,0,64,0,0,0,0,1");
  AddRow("17,4,4,4,4,0,0,0,0,1");
  ParentForm.SideArr[0][0].Sprites[scVase]->SpriteVisible = true;
  AddRow("5,0,0,0,0,4,4,4,4,5");
  AddRow("1,0,0,0,0,0,0,0,0,1");
  AddRow("1,0,0,0,0,0,0,0,0,1");
  AddRow("4,4,4,4,4,4,4,4,4,4");
}

void TTestLevel::AddMovingObject(int xParam, TGridCrystal Sprite, TPos ObjectDir,
                                 std::int64_t Speed, std::int64_t Wait, std::int64_t Start,
                                 bool RepeatingParam, int yParam) {
  ParentForm.AddMovingObject(xParam, Sprite, ObjectDir, Speed, Wait, Start, RepeatingParam, yParam);
}

void TTestLevel::ActivateSprite(int x, int y, TGridCrystal Sprite) {
  TLevel::ActivateSprite(x, y, Sprite);
  if (Sprite == gcHero) {
    ParentForm.xResurrect = x;
    ParentForm.yResurrect = y;
  }
}

}  // namespace karvan::sim
