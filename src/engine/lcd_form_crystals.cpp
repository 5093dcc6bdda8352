// The crystal display of the device form: creating crystals from templates, the seven-segment
// digits, marking crystals lit and applying a frame.
#include <algorithm>
#include <array>

#include "engine/change_watch.h"
#include "engine/lcd_form.h"
#include "engine/platform.h"

namespace karvan {

namespace {

struct TSegmentPlace {
  const TImage* Template;
  int dx;
  int dy;
};

// Segments 0 to 6 of a digit whose top segment stands at (x, y).
const std::array<TSegmentPlace, 7> SegmentPlaces = {{
    {&BaseTemplates::DigitTopImage, 0, 0},
    {&BaseTemplates::DigitTopRightImage, 5, 3},
    {&BaseTemplates::DigitBottomRightImage, 4, 12},
    {&BaseTemplates::DigitBottomImage, -4, 19},
    {&BaseTemplates::DigitBottomLeftImage, -4, 12},
    {&BaseTemplates::DigitTopLeftImage, -3, 2},
    {&BaseTemplates::DigitMiddleImage, -1, 9},
}};

// Bit i set: segment i lit.
constexpr std::array<std::uint8_t, 10> SegmentPatterns = {63,  6,   91, 79,  102,
                                                          109, 125, 7,  127, 111};

}  // namespace

int TLCDForm::AddCrystal(const TImage& ImageParam, int xParam, int yParam) {
  const TImage* Display = GetDisplay();
  TCrystal Crystal;
  Crystal.Template = ImageParam.Name;
  Crystal.Left = (Display != nullptr ? Display->Left : 0) + xParam;
  Crystal.Top = (Display != nullptr ? Display->Top : 0) + yParam;
  Crystal.Width = ImageParam.Width;
  Crystal.Height = ImageParam.Height;
  CrystalArr.push_back(Crystal);
  // Frames and Draw collect crystals without allocating.
  FrameCrystals.reserve(CrystalArr.size());
  ShownCrystals.reserve(CrystalArr.size());
  ChangedCrystals.reserve(CrystalArr.size());
  return static_cast<int>(CrystalArr.size()) - 1;
}

int TLCDForm::AddCrystal(const TImage& ImageParam) {
  const TImage* Display = GetDisplay();
  const int DisplayLeft = Display != nullptr ? Display->Left : 0;
  const int DisplayTop = Display != nullptr ? Display->Top : 0;
  return AddCrystal(ImageParam, ImageParam.Left - DisplayLeft, ImageParam.Top - DisplayTop);
}

int TLCDForm::AddDigit(int x, int y) {
  int First = -1;
  for (const TSegmentPlace& Place : SegmentPlaces) {
    const int Nr = AddCrystal(*Place.Template, x + Place.dx, y + Place.dy);
    if (First < 0) First = Nr;
  }
  return First;
}

void TLCDForm::RenderDigit(int CrystalNr, int Nr) {
  if (static_cast<unsigned>(Nr) > 9) return;
  const std::uint8_t Pattern = SegmentPatterns[Nr];
  for (int i = 0; i < 7; ++i)
    if ((Pattern & (1U << i)) != 0) ShowCrystal(CrystalNr + i);
}

void TLCDForm::ShowCrystal(TGridCrystal Sprite, int x, int y) {
  const int Nr = GetCrystalIndex(x, y, Sprite);
  if (Nr >= 0 && Nr < static_cast<int>(CrystalArr.size())) LightCrystal(CrystalArr[Nr], Nr);
}

int TLCDForm::GetCrystalIndex(int x, int y, TGridCrystal Sprite) {
  if (!InMapRange(x, y)) return -1;
  return NumInCell() * (5 * y + x) + Sprite + CellCrystalNr;
}

void TLCDForm::Draw() {
  // Every crystal of the frame's list is lit, and the last Draw showed exactly the crystals of
  // its list: a frame that lit the same crystals in the same order changes nothing, and that is
  // nearly every frame.
  if (FrameCrystals == ShownCrystals) return;
  // A crystal can only change when the frame lit it or the last Draw showed it; the frame's
  // list holds each crystal once, and one that was darkened again is still in it.
  ChangedCrystals.clear();
  for (const int Nr : ShownCrystals) {
    TCrystal& Crystal = CrystalArr[static_cast<std::size_t>(Nr)];
    if (Crystal.Visible && !Crystal.CrystalVisible) {
      Crystal.Visible = false;
      ChangedCrystals.push_back(Nr);
    }
  }
  ShownCrystals.clear();
  for (const int Nr : FrameCrystals) {
    TCrystal& Crystal = CrystalArr[static_cast<std::size_t>(Nr)];
    if (!Crystal.CrystalVisible) continue;
    ShownCrystals.push_back(Nr);
    if (!Crystal.Visible) {
      Crystal.Visible = true;
      ChangedCrystals.push_back(Nr);
    }
  }
  if (ChangedCrystals.empty()) return;
  ChangeWatch.NoteActivity();
  std::sort(ChangedCrystals.begin(), ChangedCrystals.end());
  GetPlatform().CrystalsChanged(ChangedCrystals);
}

void TLCDForm::ClearFrame() {
  for (const int Nr : FrameCrystals) {
    TCrystal& Crystal = CrystalArr[static_cast<std::size_t>(Nr)];
    Crystal.CrystalVisible = false;
    Crystal.InFrame = false;
  }
  FrameCrystals.clear();
}

void TLCDForm::RestartFrame(const std::vector<int>& Lit) {
  if (FrameCrystals.size() < Lit.size() ||
      !std::equal(Lit.begin(), Lit.end(), FrameCrystals.begin())) {
    ClearFrame();
    for (const int Nr : Lit) ShowCrystal(Nr);
    return;
  }
  for (std::size_t i = Lit.size(); i < FrameCrystals.size(); ++i) {
    TCrystal& Crystal = CrystalArr[static_cast<std::size_t>(FrameCrystals[i])];
    Crystal.CrystalVisible = false;
    Crystal.InFrame = false;
  }
  FrameCrystals.resize(Lit.size());
}

}  // namespace karvan
