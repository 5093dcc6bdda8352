// The crystal display of the device form: creating crystals from templates, the seven-segment
// digits, marking crystals lit and applying a frame.
#include <array>

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
  // Draw collects the changed crystals without allocating.
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

void TLCDForm::ShowCrystal(int Nr) {
  // A number outside the list is the caller's error; it must not write outside the list.
  if (Nr < 0 || Nr >= static_cast<int>(CrystalArr.size())) return;
  CrystalArr[Nr].CrystalVisible = true;
}

void TLCDForm::ShowCrystal(TGridCrystal Sprite, int x, int y) {
  const int Nr = GetCrystalIndex(x, y, Sprite);
  if (Nr >= 0 && Nr < static_cast<int>(CrystalArr.size())) CrystalArr[Nr].CrystalVisible = true;
}

int TLCDForm::GetCrystalIndex(int x, int y, TGridCrystal Sprite) {
  if (!InMapRange(x, y)) return -1;
  return NumInCell() * (5 * y + x) + Sprite + CellCrystalNr;
}

void TLCDForm::Draw() {
  ChangedCrystals.clear();
  for (std::size_t Nr = 0; Nr < CrystalArr.size(); ++Nr) {
    TCrystal& Crystal = CrystalArr[Nr];
    if (Crystal.Visible != Crystal.CrystalVisible) {
      Crystal.Visible = Crystal.CrystalVisible;
      ChangedCrystals.push_back(static_cast<int>(Nr));
    }
  }
  if (!ChangedCrystals.empty()) GetPlatform().CrystalsChanged(ChangedCrystals);
}

}  // namespace karvan
