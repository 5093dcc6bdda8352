// The device window's construction and layout: its 318 crystals, the crystal of a map figure
// at a screen position, the screen range, the hit test that makes the borderless window
// draggable, and the popup menu.
#include "game/karvan_form.h"

#include "engine/platform.h"
#include "engine/support.h"
#include "game/device_layout.h"
#include "game/karvan_render.h"

namespace karvan {

TKarvanForm::TKarvanForm() = default;

TKarvanForm::~TKarvanForm() = default;

void TKarvanForm::Create() {
  TLCDForm::Create();
  using namespace Layout;

  // Map figures: six columns by five rows of screen positions; the sixth column holds only
  // the vertical walls and locks of the screen's right edge, the fifth row only the
  // horizontal ones of its bottom edge.
  for (int r = 0; r <= 4; ++r)
    for (int c = 0; c <= 5; ++c) {
      const int X = CellLeft + CellPitchX * c;
      const int Y = CellTop + CellPitchY * r;
      const bool Odd = (c + r) % 2 != 0;
      for (int Kind = 0; Kind < GridCrystalCount; ++Kind) {
        const bool Vertical = Kind == gcWallVert || Kind == gcLockVert;
        const bool Horizontal = Kind == gcWallHorz || Kind == gcLockHorz;
        const bool Exists = Vertical ? r <= 3 : Horizontal ? c <= 4 : (r <= 3 && c <= 4);
        if (!Exists) continue;
        const TCellFigure& Figure = CellFigures[Kind];
        if (Odd)
          AddCrystal(*Figure.OddTemplate, X + Figure.OddDx, Y + Figure.OddDy);
        else
          AddCrystal(*Figure.EvenTemplate, X + Figure.EvenDx, Y + Figure.EvenDy);
      }
    }

  KeyCrystal = AddCrystal(KeyImage);
  SmallHeroCrystal = AddCrystal(SmallHeroImage, SmallHeroPlaces[0].X, SmallHeroPlaces[0].Y);
  AddCrystal(SmallHeroImage, SmallHeroPlaces[1].X, SmallHeroPlaces[1].Y);
  AddCrystal(SmallHeroImage, SmallHeroPlaces[2].X, SmallHeroPlaces[2].Y);
  PyramidsCrystal = AddCrystal(PyramidsImage);
  SunCrystal = AddCrystal(SunImage);
  MoonCrystal = AddCrystal(MoonImage);
  PyramidLineCrystal = AddCrystal(GroundLines[0]);
  for (std::size_t i = 1; i < GroundLines.size(); ++i) AddCrystal(GroundLines[i]);

  StartSideCrystal = static_cast<int>(CrystalArr.size());
  for (const TImage& Figure : SideFigures) AddCrystal(Figure);
  VerticalLineCrystal = StartSideCrystal + scVerticalLine;

  MapCrystal = AddCrystal(MapImage, MapIndicatorPlace.X, MapIndicatorPlace.Y);

  Render = std::make_unique<TKarvanRender>(*this);
  FormCreate();
}

void TKarvanForm::FormCreate() {
  PopupMenu.Items.insert(PopupMenu.Items.begin() + 1,
                         TMenuItem{"Load1", "Load custom level", [this] { LoadClick(); }});
  OnKeyUp = [this](Word& KeyParam, TShiftState Shift) { FormKeyUp(KeyParam, Shift); };
  // The level choice's "&Load custom level" button loads through the device window.
  OnLoadCustomLevel = [this] { LoadClick(); };
}

const TImage* TKarvanForm::GetGameImage() {
  return &Layout::GameImage;
}
const TImage* TKarvanForm::GetDisplay() {
  return &Layout::DisplayImage;
}
const TPanel* TKarvanForm::GetACLPanel() {
  return &Layout::ACLPanel;
}
const TPanel* TKarvanForm::GetGamePanel() {
  return &Layout::GamePanel;
}

int TKarvanForm::TimePos() {
  return Layout::DisplayImage.Left + Layout::TimePosition;
}

TGridCrystal TKarvanForm::CoinSprite() {
  return gcGold;
}

bool TKarvanForm::InScreenRange(int x, int y) {
  return 0 <= x && x <= 5 && 0 <= y && y <= 4;
}

int TKarvanForm::GetCrystalIndex(int x, int y, TGridCrystal Sprite) {
  constexpr int N = GridCrystalCount;
  if (x >= 5 && y >= 4) return -1;
  int s = Sprite;
  if (x == 5) {
    if (Sprite == gcWallVert) s = 0;
    if (Sprite == gcLockVert) s = 1;
  }
  if (y == 4) {
    if (Sprite == gcWallHorz) s = 0;
    if (Sprite == gcLockHorz) s = 1;
  }
  if (y <= 3) return CellCrystalNr + N * (5 * y + x) + 2 * y + s;
  if (y == 4) return CellCrystalNr + N * 5 * y + 2 * x + 2 * y + s;
  return -1;
}

int TKarvanForm::WMNCHitTest(int X, int Y) {
  int Result = HTCLIENT;
  Platform& P = GetPlatform();
  if (PointInPanel(&Layout::ControllerPanel, X, Y)) {
    GameImageHint = Layout::ControllerHint;
    P.SetCursor(TCursorShape::crHelp);
  } else if (PointInPanel(&Layout::DefendAttackPanel, X, Y)) {
    GameImageHint = Layout::DefendAttackHint;
    P.SetCursor(TCursorShape::crHelp);
  } else if (PointInPanel(&Layout::ACLPanel, X, Y)) {
    GameImageHint.clear();
    P.SetCursor(TCursorShape::crHandPoint);
  } else if (PointInPanel(&Layout::GamePanel, X, Y)) {
    GameImageHint = Layout::GamePanelHint;
    P.SetCursor(TCursorShape::crHandPoint);
  } else {
    Result = HTCAPTION;
  }
  if (Result == HTCAPTION)
    P.SetCursor(TCursorShape::crArrow);
  else
    P.SetHint(GameImageHint);
  return Result;
}

}  // namespace karvan
