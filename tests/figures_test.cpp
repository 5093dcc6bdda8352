// The LCD figures under resources/figures: every template of the device has a plain bitmap
// of its size, the pictures of the checkerboard pairs mirror each other, the score digits
// read as ten numbers, and the pieces of a map cell or a side scene fit each other at the
// places where the device form makes their crystals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/lcd_form.h"
#include "fake_platform.h"
#include "game/device_layout.h"
#include "game/karvan_form.h"

using namespace karvan;

namespace {

const std::string FiguresDir = KARVAN_TEST_DATA_DIR "/../resources/figures/";

struct TBitmap {
  int Width = 0;
  int Height = 0;
  std::vector<bool> Pixels;  // row by row, true = black
  bool At(int x, int y) const {
    return x >= 0 && y >= 0 && x < Width && y < Height && Pixels[y * Width + x];
  }
  int Black() const { return static_cast<int>(std::count(Pixels.begin(), Pixels.end(), true)); }
};

// Reads a plain (ASCII) PBM: "P1", width, height, then width x height digits 0 or 1, with
// white space and comments anywhere between the tokens and none needed between pixels.
bool ParsePbm(const std::string& Text, TBitmap& Out, std::string& Error) {
  std::string Clean;  // the text without comments
  for (std::size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == '#')
      while (i < Text.size() && Text[i] != '\n') ++i;
    if (i < Text.size()) Clean += Text[i];
  }
  std::istringstream In(Clean);
  std::string Magic;
  long Width = 0, Height = 0;
  if (!(In >> Magic) || Magic != "P1") return Error = "not a plain PBM", false;
  if (!(In >> Width >> Height) || Width <= 0 || Height <= 0 || Width > 4096 || Height > 4096)
    return Error = "bad size", false;
  Out = {static_cast<int>(Width), static_cast<int>(Height), {}};
  char Ch = 0;
  while (In >> Ch) {
    if (Ch != '0' && Ch != '1') return Error = std::string("bad pixel '") + Ch + "'", false;
    Out.Pixels.push_back(Ch == '1');
  }
  if (Out.Pixels.size() != static_cast<std::size_t>(Width * Height))
    return Error = "expected " + std::to_string(Width * Height) + " pixels, found " +
                   std::to_string(Out.Pixels.size()),
           false;
  return true;
}

// The picture of a template, read once; a failing read fails the test that asked.
const TBitmap& Picture(std::string_view Name) {
  static std::map<std::string, TBitmap, std::less<>> Cache;
  if (auto Found = Cache.find(Name); Found != Cache.end()) return Found->second;
  const std::string Path = FiguresDir + std::string(Name) + ".pbm";
  std::ifstream File(Path);
  std::stringstream Text;
  Text << File.rdbuf();
  TBitmap Bitmap;
  std::string Error = "cannot read";
  if (!File || !ParsePbm(Text.str(), Bitmap, Error)) {
    ADD_FAILURE() << Path << ": " << Error;
    Bitmap = {};
  }
  return Cache.emplace(std::string(Name), std::move(Bitmap)).first->second;
}

// Every template the device layout and the base form name.
std::vector<const TImage*> LayoutTemplates() {
  using namespace BaseTemplates;
  std::vector<const TImage*> All = {&DigitTopImage,
                                    &DigitTopRightImage,
                                    &DigitBottomRightImage,
                                    &DigitBottomImage,
                                    &DigitBottomLeftImage,
                                    &DigitTopLeftImage,
                                    &DigitMiddleImage,
                                    &TimeDotImage,
                                    &AmImage,
                                    &PmImage,
                                    &Layout::KeyImage,
                                    &Layout::SmallHeroImage,
                                    &Layout::PyramidsImage,
                                    &Layout::SunImage,
                                    &Layout::MoonImage,
                                    &Layout::MapImage};
  for (const Layout::TCellFigure& Figure : Layout::CellFigures) {
    All.push_back(Figure.EvenTemplate);
    All.push_back(Figure.OddTemplate);
  }
  for (const TImage& Line : Layout::GroundLines) All.push_back(&Line);
  for (const TImage& Side : Layout::SideFigures) All.push_back(&Side);
  return All;
}

using TPixels = std::set<std::pair<int, int>>;

class FigureFit : public ::testing::Test {
 protected:
  test::FakePlatform Platform;
  PlatformScope Scope{Platform};
  std::unique_ptr<TKarvanForm> Form = MakeForm<TKarvanForm>();

  // The black pixels of a crystal, in window coordinates.
  TPixels Pixels(int Nr) const {
    const TCrystal& C = Form->CrystalArr.at(Nr);
    const TBitmap& B = Picture(C.Template);
    TPixels Out;
    for (int y = 0; y < B.Height; ++y)
      for (int x = 0; x < B.Width; ++x)
        if (B.At(x, y)) Out.insert({C.Left + x, C.Top + y});
    return Out;
  }
  int Side(TSideCrystal Kind) const { return Form->StartSideCrystal + Kind; }
  int Cell(int x, int y, TGridCrystal Kind) const { return Form->GetCrystalIndex(x, y, Kind); }
  std::string Name(int Nr) const {
    return std::string(Form->CrystalArr.at(Nr).Template) + " #" + std::to_string(Nr);
  }

  static int Common(const TPixels& A, const TPixels& B) {
    int N = 0;
    for (const auto& P : A) N += static_cast<int>(B.count(P));
    return N;
  }
  // Distance (in the chessboard metric) between the nearest black pixels of two crystals.
  int Gap(int A, int B) const {
    const TPixels Pa = Pixels(A), Pb = Pixels(B);
    int Best = 1 << 20;
    for (const auto& [xa, ya] : Pa)
      for (const auto& [xb, yb] : Pb)
        Best = std::min(Best, std::max(std::abs(xa - xb), std::abs(ya - yb)));
    return Best;
  }
  // The same for the crystals' rectangles: how close their places let the figures come.
  int BoxGap(int A, int B) const {
    const TCrystal &Ca = Form->CrystalArr.at(A), &Cb = Form->CrystalArr.at(B);
    const int Dx =
        std::max({0, Cb.Left - (Ca.Left + Ca.Width - 1), Ca.Left - (Cb.Left + Cb.Width - 1)});
    const int Dy =
        std::max({0, Cb.Top - (Ca.Top + Ca.Height - 1), Ca.Top - (Cb.Top + Cb.Height - 1)});
    return std::max(Dx, Dy);
  }
};

}  // namespace

TEST(FigureFiles, ReadingRejectsWhatIsNoPlainBitmapOfItsSize) {
  TBitmap B;
  std::string Error;
  ASSERT_TRUE(ParsePbm("P1\n# a comment\n3 2\n010 1\n10\n", B, Error)) << Error;
  EXPECT_EQ(B.Width, 3);
  EXPECT_EQ(B.Height, 2);
  EXPECT_TRUE(B.At(1, 0));
  EXPECT_TRUE(B.At(0, 1));
  EXPECT_FALSE(B.At(2, 1));
  EXPECT_EQ(B.Black(), 3);

  EXPECT_FALSE(ParsePbm("P4\n3 2\n000000\n", B, Error));   // binary kind
  EXPECT_FALSE(ParsePbm("P1\n3 2\n00000\n", B, Error));    // a pixel short
  EXPECT_FALSE(ParsePbm("P1\n3 2\n0000000\n", B, Error));  // a pixel too many
  EXPECT_FALSE(ParsePbm("P1\n3 2\n000200\n", B, Error));   // not 0 or 1
  EXPECT_FALSE(ParsePbm("P1\n0 2\n", B, Error));           // no width
}

TEST(FigureFiles, EveryTemplateHasAPictureOfItsSizeWithSomethingOnIt) {
  for (const TImage* Template : LayoutTemplates()) {
    SCOPED_TRACE(std::string(Template->Name));
    const TBitmap& B = Picture(Template->Name);
    EXPECT_EQ(B.Width, Template->Width);
    EXPECT_EQ(B.Height, Template->Height);
    EXPECT_GT(B.Black(), 0);
  }
}

TEST_F(FigureFit, EveryCrystalFindsThePictureOfItsTemplate) {
  ASSERT_FALSE(Form->CrystalArr.empty());
  for (const TCrystal& C : Form->CrystalArr) {
    SCOPED_TRACE(std::string(C.Template));
    const TBitmap& B = Picture(C.Template);
    EXPECT_EQ(B.Width, C.Width);
    EXPECT_EQ(B.Height, C.Height);
  }
}

TEST(FigureFiles, CheckerboardPairsMirrorEachOther) {
  int Pairs = 0;
  for (const Layout::TCellFigure& Figure : Layout::CellFigures) {
    if (Figure.EvenTemplate->Name == Figure.OddTemplate->Name) continue;
    ++Pairs;
    SCOPED_TRACE(std::string(Figure.EvenTemplate->Name));
    const TBitmap &Even = Picture(Figure.EvenTemplate->Name),
                  &Odd = Picture(Figure.OddTemplate->Name);
    ASSERT_EQ(Even.Width, Odd.Width);
    ASSERT_EQ(Even.Height, Odd.Height);
    int Differences = 0, Asymmetric = 0;
    for (int y = 0; y < Even.Height; ++y)
      for (int x = 0; x < Even.Width; ++x) {
        Differences += Even.At(x, y) != Odd.At(Even.Width - 1 - x, y);
        Asymmetric += Even.At(x, y) != Even.At(Even.Width - 1 - x, y);
      }
    EXPECT_EQ(Differences, 0);
    EXPECT_GT(Asymmetric, 0) << "a symmetric figure would face the same way on both squares";
  }
  EXPECT_GT(Pairs, 0);
}

TEST_F(FigureFit, DigitSegmentsReadAsTenDifferentNumbers) {
  std::set<TPixels> Seen;
  for (int Value = 0; Value <= 9; ++Value) {
    Form->ClearFrame();
    Form->RenderDigit(Form->Digit4, Value);
    Form->Draw();
    TPixels Lit;
    for (int i = 0; i < static_cast<int>(Form->CrystalArr.size()); ++i)
      if (Form->CrystalArr[i].Visible)
        for (const auto& P : Pixels(i)) Lit.insert(P);
    EXPECT_TRUE(Seen.insert(Lit).second) << "digit " << Value << " looks like another";
  }

  // The seven segments neither overlap nor leave their places in the figure of an eight.
  std::vector<TPixels> Segment;
  std::vector<std::pair<double, double>> Centre;
  for (int s = 0; s < 7; ++s) {
    Segment.push_back(Pixels(Form->Digit4 + s));
    ASSERT_FALSE(Segment.back().empty());
    double x = 0, y = 0;
    for (const auto& P : Segment.back()) x += P.first, y += P.second;
    Centre.push_back({x / Segment.back().size(), y / Segment.back().size()});
    for (int t = 0; t < s; ++t) EXPECT_EQ(Common(Segment[s], Segment[t]), 0) << s << " " << t;
  }
  const auto X = [&](int s) { return Centre[s].first; };
  const auto Y = [&](int s) { return Centre[s].second; };
  EXPECT_LT(Y(0), Y(6));  // top over middle over bottom
  EXPECT_LT(Y(6), Y(3));
  EXPECT_LT(Y(1), Y(6));  // upper sides over the middle, lower sides under it
  EXPECT_LT(Y(5), Y(6));
  EXPECT_GT(Y(2), Y(6));
  EXPECT_GT(Y(4), Y(6));
  EXPECT_LT(X(5), X(1));  // left sides left of right sides
  EXPECT_LT(X(4), X(2));
  EXPECT_LT(X(5), X(0));
  EXPECT_GT(X(1), X(0));
}

TEST_F(FigureFit, LocksShowOnTheirWalls) {
  struct TEdge {
    int x, y;
    TGridCrystal WallKind, LockKind;
  };
  // Both parities of the checkerboard, the right edge column and the bottom edge row.
  const TEdge Edges[] = {{0, 0, gcWallVert, gcLockVert}, {1, 0, gcWallVert, gcLockVert},
                         {5, 2, gcWallVert, gcLockVert}, {0, 0, gcWallHorz, gcLockHorz},
                         {1, 0, gcWallHorz, gcLockHorz}, {3, 4, gcWallHorz, gcLockHorz}};
  for (const auto& [x, y, WallKind, LockKind] : Edges) {
    const int Wall = Cell(x, y, WallKind), Lock = Cell(x, y, LockKind);
    SCOPED_TRACE(Name(Lock));
    const TCrystal &W = Form->CrystalArr[Wall], &L = Form->CrystalArr[Lock];
    const TPixels WallPixels = Pixels(Wall), LockPixels = Pixels(Lock);
    // Inside the wall, the lock covers white and leaves its keyhole white.
    EXPECT_GE(L.Left, W.Left);
    EXPECT_GE(L.Top, W.Top);
    EXPECT_LE(L.Left + L.Width, W.Left + W.Width);
    EXPECT_LE(L.Top + L.Height, W.Top + W.Height);
    EXPECT_GT(2 * (static_cast<int>(LockPixels.size()) - Common(LockPixels, WallPixels)),
              static_cast<int>(LockPixels.size()));
    int Keyhole = 0;
    for (int ly = 0; ly < L.Height; ++ly)
      for (int lx = 0; lx < L.Width; ++lx)
        if (!LockPixels.count({L.Left + lx, L.Top + ly})) {
          ++Keyhole;
          EXPECT_FALSE(WallPixels.count({L.Left + lx, L.Top + ly})) << lx << "," << ly;
        }
    EXPECT_GT(Keyhole, 0);
  }
}

TEST_F(FigureFit, FiguresOfACellThatShowTogetherDoNotOverlap) {
  // The hero takes gold the moment he enters its cell, a switch is either up or down, and a
  // lock lies on its wall: those never show apart from these rules.
  const auto MayOverlap = [](TGridCrystal a, TGridCrystal b) {
    const auto Is = [&](TGridCrystal p, TGridCrystal q) {
      return (a == p && b == q) || (a == q && b == p);
    };
    return Is(gcHero, gcGold) || Is(gcSwitchUp, gcSwitchDown) || Is(gcWallVert, gcLockVert) ||
           Is(gcWallHorz, gcLockHorz);
  };
  struct TFigure {
    TGridCrystal Kind;
    int Nr;
    bool Own;  // of the cell itself, not of a neighbour
  };
  for (int y = 0; y <= 1; ++y)
    for (int x = 0; x <= 1; ++x) {
      // The cell's own figures and the walls of its right and lower edges.
      std::vector<TFigure> Figures;
      for (int k = 0; k < GridCrystalCount; ++k)
        Figures.push_back({TGridCrystal(k), Cell(x, y, TGridCrystal(k)), true});
      for (TGridCrystal k : {gcWallVert, gcLockVert})
        Figures.push_back({k, Cell(x + 1, y, k), false});
      for (TGridCrystal k : {gcWallHorz, gcLockHorz})
        Figures.push_back({k, Cell(x, y + 1, k), false});
      for (std::size_t i = 0; i < Figures.size(); ++i)
        for (std::size_t j = 0; j < i; ++j) {
          const TFigure &A = Figures[i], &B = Figures[j];
          if (MayOverlap(A.Kind, B.Kind) && A.Own == B.Own) continue;
          EXPECT_EQ(Common(Pixels(A.Nr), Pixels(B.Nr)), 0) << Name(A.Nr) << " and " << Name(B.Nr);
        }
    }
}

TEST_F(FigureFit, PiecesOfASceneMeetWhereTheyJoin) {
  // Pairs that form one picture: they touch, or come as close as their places let them.
  const std::pair<TSideCrystal, TSideCrystal> Joined[] = {
      {scArmsUp, scHeroPlatform},
      {scArmsDown, scHeroPlatform},
      {scHeroPlatform, scVerticalLine},
      {scSnake1, scDiamondSnake},
      {scSnake2, scDiamondSnake},
      {scSnake3, scDiamondSnake},
      {scStarStone, scSnake1},
      {scHands, scHeroDiamond},
      {scHandsUnderDiamond, scHeroDiamond},
      {scDiamondHands, scHandsUnderDiamond},
      {scHatExit, scHeroExit},
      {scExitDoor, scExit},
      {scSpiderLeg, scSpiderBig},
      {scSpider2, scHeroLeft},
      {scVaseCrackLeft, scVase},
      {scVaseCrackRight, scVase},
  };
  for (const auto& [a, b] : Joined)
    EXPECT_LE(Gap(Side(a), Side(b)), std::max(1, BoxGap(Side(a), Side(b))))
        << SideCrystalNames[a] << " and " << SideCrystalNames[b];
}

TEST_F(FigureFit, SceneFiguresThatShowTogetherDoNotOverlap) {
  const std::pair<TSideCrystal, TSideCrystal> Together[] = {
      {scStoneRight, scStarStone},
      {scStoneRight, scSnake1},
      {scSnakeStarLeft, scSnake3},
      {scSnakeStarRight, scSnake3},
      {scSnakeStarLeft, scDiamondSnake},
      {scSpider1, scSpiderLeg},
      {scSpider1, scSpiderBig},
      {scSpider1, scHeroTop},
      {scSpider2, scHeroLeft},
      {scStoneLeft, scHeroTop},
      {scStoneLeft, scSpiderBig},
      {scSpiderBig, scExit},
      {scSpiderBig, scExitDoor},
      {scHeroExit, scExit},
      {scAnkh, scAmulet},
      {scMap, scHeroLeft},
      {scMap, scSpiderBig},
      {scHeroPlatform, scDiamondSnake},
      {scVerticalLine, scSnake2},
  };
  for (const auto& [a, b] : Together)
    EXPECT_EQ(Common(Pixels(Side(a)), Pixels(Side(b))), 0)
        << SideCrystalNames[a] << " and " << SideCrystalNames[b];

  // The status figures stay clear of every side figure and of each other.
  std::vector<int> Status = {Form->PyramidsCrystal,
                             Form->KeyCrystal,
                             Form->MapCrystal,
                             Form->SmallHeroCrystal,
                             Form->SmallHeroCrystal + 1,
                             Form->SmallHeroCrystal + 2,
                             0,
                             1};
  for (int Line = 0; Line < static_cast<int>(Layout::GroundLines.size()); ++Line)
    Status.push_back(Form->PyramidLineCrystal + Line);
  for (std::size_t i = 0; i < Status.size(); ++i) {
    for (int s = 0; s < SideCrystalCount; ++s)
      EXPECT_EQ(Common(Pixels(Status[i]), Pixels(Form->StartSideCrystal + s)), 0)
          << Name(Status[i]) << " and " << SideCrystalNames[s];
    for (std::size_t j = 0; j < i; ++j)
      EXPECT_EQ(Common(Pixels(Status[i]), Pixels(Status[j])), 0)
          << Name(Status[i]) << " and " << Name(Status[j]);
  }
}

TEST_F(FigureFit, CracksLieOnTheVase) {
  // White pixels of the vase's rectangle that a path of white pixels joins to its edge lie
  // outside the vase; a crack must have none of its pixels there, and show on white inside.
  const TCrystal& V = Form->CrystalArr[Side(scVase)];
  const TPixels Vase = Pixels(Side(scVase));
  TPixels Outside;
  std::vector<std::pair<int, int>> Todo;
  for (int x = V.Left - 1; x <= V.Left + V.Width; ++x)
    Todo.insert(Todo.end(), {{x, V.Top - 1}, {x, V.Top + V.Height}});
  for (int y = V.Top - 1; y <= V.Top + V.Height; ++y)
    Todo.insert(Todo.end(), {{V.Left - 1, y}, {V.Left + V.Width, y}});
  while (!Todo.empty()) {
    const auto P = Todo.back();
    Todo.pop_back();
    if (P.first < V.Left - 1 || P.first > V.Left + V.Width || P.second < V.Top - 1 ||
        P.second > V.Top + V.Height || Vase.count(P) || !Outside.insert(P).second)
      continue;
    Todo.insert(Todo.end(), {{P.first + 1, P.second},
                             {P.first - 1, P.second},
                             {P.first, P.second + 1},
                             {P.first, P.second - 1}});
  }
  for (TSideCrystal Crack : {scVaseCrackLeft, scVaseCrackRight}) {
    const TPixels C = Pixels(Side(Crack));
    EXPECT_EQ(Common(C, Outside), 0) << SideCrystalNames[Crack];
    EXPECT_GT(2 * (static_cast<int>(C.size()) - Common(C, Vase)), static_cast<int>(C.size()))
        << SideCrystalNames[Crack];
  }
  EXPECT_EQ(Common(Pixels(Side(scVaseCrackLeft)), Pixels(Side(scVaseCrackRight))), 0);
}
