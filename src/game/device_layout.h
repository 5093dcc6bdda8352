// Where everything stands on the device: the photograph, the LCD glass, the four panels that
// act as controls, every template figure with its size (and designed place, where crystals
// are made at the template's place), and the offsets of the map figures in a screen cell.
#pragma once

#include <array>

#include "engine/types.h"

namespace karvan::Layout {

inline constexpr TImage GameImage{"GameImage", 0, 0, 800, 481};
inline constexpr TImage DisplayImage{"DisplayImage", 202, 114, 385, 246};

inline constexpr TPanel ControllerPanel{16, 264, 129, 137};
inline constexpr TPanel ACLPanel{728, 136, 33, 33};
inline constexpr TPanel DefendAttackPanel{648, 296, 129, 65};
inline constexpr TPanel GamePanel{664, 48, 57, 33};

// The display's x at which the AM/PM marks and the score digits begin.
inline constexpr int TimePosition = 36;

// Cell pitch of the map window and the corner of screen cell (0, 0), display coordinates.
inline constexpr int CellLeft = 34;
inline constexpr int CellTop = 32;
inline constexpr int CellPitchX = 59;
inline constexpr int CellPitchY = 51;

// Map figures.
inline constexpr TImage WallvertImage{"WallvertImage", 0, 0, 9, 49};
inline constexpr TImage LockVertImage{"LockVertImage", 0, 0, 4, 11};
inline constexpr TImage WallHorzImage{"WallHorzImage", 0, 0, 48, 8};
inline constexpr TImage LockHorzImage{"LockHorzImage", 0, 0, 11, 4};
inline constexpr TImage HeroImage{"HeroImage", 0, 0, 30, 35};
inline constexpr TImage Hero2Image{"Hero2Image", 0, 0, 30, 35};
inline constexpr TImage ScorpionLeftImage{"ScorpionLeftImage", 0, 0, 17, 23};
inline constexpr TImage ScorpionRightImage{"ScorpionRightImage", 0, 0, 17, 23};
inline constexpr TImage GoldImage{"GoldImage", 0, 0, 13, 8};
inline constexpr TImage SwitchUpImage{"SwitchUpImage", 0, 0, 5, 10};
inline constexpr TImage SwitchDownImage{"SwitchDownImage", 0, 0, 11, 4};
inline constexpr TImage SwitchBaseImage{"SwitchBaseImage", 0, 0, 3, 4};
// The key figure's designed place is the key indicator's in the left margin.
inline constexpr TImage KeyImage{"KeyImage", 218, 246, 15, 9};

// One map figure of a screen cell: its template on even and odd squares of the checkerboard
// of screen positions (c + r even or odd) and its offset from the cell's corner.
struct TCellFigure {
  const TImage* EvenTemplate;
  const TImage* OddTemplate;
  int EvenDx, EvenDy;
  int OddDx, OddDy;
};

inline constexpr std::array<TCellFigure, GridCrystalCount> CellFigures = {{
    {&WallvertImage, &WallvertImage, 0, 4, 0, 4},
    {&LockVertImage, &LockVertImage, 2, 24, 2, 24},
    {&WallHorzImage, &WallHorzImage, 10, 0, 10, 0},
    {&LockHorzImage, &LockHorzImage, 28, 2, 28, 2},
    {&HeroImage, &Hero2Image, 10, 12, 10, 12},
    {&ScorpionLeftImage, &ScorpionRightImage, 41, 27, 41, 27},
    {&GoldImage, &GoldImage, 24, 41, 15, 41},
    {&SwitchUpImage, &SwitchUpImage, 51, 10, 51, 10},
    {&SwitchDownImage, &SwitchDownImage, 43, 20, 43, 20},
    {&SwitchBaseImage, &SwitchBaseImage, 55, 20, 55, 20},
    {&KeyImage, &KeyImage, 35, 9, 35, 9},
}};

// Status figures.
inline constexpr TImage SmallHeroImage{"SmallHeroImage", 0, 0, 20, 23};
// Display places of the three lives figures, from the bottom up.
inline constexpr std::array<TPoint, 3> SmallHeroPlaces = {{{5, 214}, {5, 188}, {5, 162}}};
inline constexpr TImage PyramidsImage{"PyramidsImage", 334, 120, 126, 22};
inline constexpr TImage SunImage{"SunImage", 379, 118, 15, 15};
inline constexpr TImage MoonImage{"MoonImage", 414, 120, 8, 12};
inline constexpr std::array<TImage, 6> GroundLines = {{
    {"Line1Image", 344, 143, 7, 2},
    {"Line2Image", 352, 143, 7, 2},
    {"Line3Image", 368, 143, 7, 2},
    {"Line4Image", 384, 143, 18, 2},
    {"Line5Image", 408, 143, 7, 2},
    {"Line6Image", 424, 143, 7, 2},
}};
// The map figure stands in the top-left scene at its designed place; a second crystal of it
// is the map indicator in the left margin.
inline constexpr TImage MapImage{"MapImage", 216, 114, 15, 24};
inline constexpr TPoint MapIndicatorPlace{9, 138};

// Side-scene figures in the order of their kinds, at their designed places.
inline constexpr std::array<TImage, SideCrystalCount> SideFigures = {{
    {"VaseImage", 544, 312, 41, 45},
    {"VaseCrackLeftImage", 550, 328, 12, 7},
    {"VaseCrackRightImage", 561, 337, 8, 15},
    {"AnkhImage", 548, 334, 14, 17},
    {"AmuletImage", 560, 328, 19, 19},
    {"ArmsTopImage", 552, 195, 14, 13},
    {"HeroPlatformImage", 542, 207, 28, 36},
    {"ArmsDownImage", 545, 218, 30, 15},
    {"VerticalLineImage", 542, 244, 28, 2},
    {"FallStoneImage", 546, 254, 12, 14},
    {"Snake2Image", 560, 247, 16, 36},
    {"Snake1Image", 543, 269, 16, 26},
    {"Snake3Image", 576, 269, 9, 30},
    {"SackLeftStarImage", 570, 272, 6, 6},
    {"SackRightStarImage", 578, 262, 6, 5},
    {"DiamondSnakeImage", 544, 284, 38, 24},
    {"StarStoneImage", 557, 260, 8, 11},
    {"HeroDiamondImage", 552, 152, 24, 32},
    {"HandsImage", 545, 152, 39, 7},
    {"DiamondHandsImage", 550, 128, 27, 24},
    {"HandsUnderDiamondImage", 552, 144, 24, 8},
    {"DiamondImage", 544, 118, 17, 19},
    {"HeroSideLeftImage", 211, 209, 24, 37},
    {"HeroSideTopImage", 206, 135, 25, 51},
    {"StoneTopImage", 224, 112, 29, 14},
    {"SpiderTopImage", 237, 131, 26, 13},
    {"SpiderLeftImage", 210, 184, 17, 26},
    {"SpiderLegImage", 261, 116, 20, 21},
    {"SpiderBigImage", 264, 116, 53, 29},
    {"HatExitImage", 309, 112, 9, 22},
    {"HeroExitImage", 306, 116, 38, 29},
    {"ExitImage", 344, 112, 26, 17},
    {"ExitDoorImage", 344, 112, 26, 17},
    {"MapImage", 216, 114, 15, 24},
}};

// Hints of the panels that explain the keys.
inline constexpr const char* ControllerHint =
    "Use the arrow keys to move, activate switches & unlock doors, \rthe up arrow activates the "
    "map (if found)";
inline constexpr const char* DefendAttackHint = "Z - Jump / Deactivate map / Throw stones";
inline constexpr const char* GamePanelHint = "Press 1 to start a game";

}  // namespace karvan::Layout
