// Shared value types of the engine: directions, figure kinds, points, keys and the
// descriptors that stand in for the window system's pictures and panels.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace karvan {

// Direction of a step or a position inside a cell. Steps use the first five.
enum TPos : std::uint8_t {
  PosNone,
  PosTop,
  PosBottom,
  PosLeft,
  PosRight,
  PosCenter,
  PosTopLeft,
  PosTopRight,
  PosBottomLeft,
  PosBottomRight
};

// Kind of figure of a map cell; a cell code is the bit set over these ordinals.
enum TGridCrystal : std::uint8_t {
  gcWallVert,
  gcLockVert,
  gcWallHorz,
  gcLockHorz,
  gcHero,
  gcScorpion,
  gcGold,
  gcSwitchUp,
  gcSwitchDown,
  gcSwitchBase,
  gcKey
};
inline constexpr int GridCrystalCount = 11;

// Kind of side-scene figure.
enum TSideCrystal : std::uint8_t {
  scVase,
  scVaseCrackLeft,
  scVaseCrackRight,
  scAnkh,
  scAmulet,
  scArmsUp,
  scHeroPlatform,
  scArmsDown,
  scVerticalLine,
  scStoneRight,
  scSnake2,
  scSnake1,
  scSnake3,
  scSnakeStarLeft,
  scSnakeStarRight,
  scDiamondSnake,
  scStarStone,
  scHeroDiamond,
  scHands,
  scDiamondHands,
  scHandsUnderDiamond,
  scDiamond,
  scHeroLeft,
  scHeroTop,
  scStoneLeft,
  scSpider1,
  scSpider2,
  scSpiderLeg,
  scSpiderBig,
  scHatExit,
  scHeroExit,
  scExit,
  scExitDoor,
  scMap
};
inline constexpr int SideCrystalCount = 34;

// A set of side kinds, one bit per ordinal.
using TSideCrystals = std::uint64_t;
constexpr TSideCrystals SideBit(TSideCrystal Kind) {
  return TSideCrystals{1} << Kind;
}

inline constexpr std::array<std::string_view, GridCrystalCount> GridCrystalNames = {
    "gcWallVert", "gcLockVert", "gcWallHorz",   "gcLockHorz",   "gcHero", "gcScorpion",
    "gcGold",     "gcSwitchUp", "gcSwitchDown", "gcSwitchBase", "gcKey"};

inline constexpr std::array<std::string_view, SideCrystalCount> SideCrystalNames = {
    "scVase",         "scVaseCrackLeft", "scVaseCrackRight",
    "scAnkh",         "scAmulet",        "scArmsUp",
    "scHeroPlatform", "scArmsDown",      "scVerticalLine",
    "scStoneRight",   "scSnake2",        "scSnake1",
    "scSnake3",       "scSnakeStarLeft", "scSnakeStarRight",
    "scDiamondSnake", "scStarStone",     "scHeroDiamond",
    "scHands",        "scDiamondHands",  "scHandsUnderDiamond",
    "scDiamond",      "scHeroLeft",      "scHeroTop",
    "scStoneLeft",    "scSpider1",       "scSpider2",
    "scSpiderLeg",    "scSpiderBig",     "scHatExit",
    "scHeroExit",     "scExit",          "scExitDoor",
    "scMap"};

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Virtual-key codes of the keys the game knows.
using Word = std::uint16_t;
inline constexpr Word VK_ESCAPE = 27;
inline constexpr Word VK_LEFT = 37;
inline constexpr Word VK_UP = 38;
inline constexpr Word VK_RIGHT = 39;
inline constexpr Word VK_DOWN = 40;
inline constexpr Word VK_1 = 49;
inline constexpr Word VK_Z = 90;
inline constexpr Word VK_F4 = 115;

// Modifier keys held during a key or mouse event.
using TShiftState = std::uint8_t;
inline constexpr TShiftState ssShift = 1;
inline constexpr TShiftState ssAlt = 2;
inline constexpr TShiftState ssCtrl = 4;

enum class TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

// Result of a modal dialog.
enum class TModalResult : std::uint8_t { mrNone, mrOk, mrCancel };

// Pointer shapes the game asks for.
enum class TCursorShape : std::uint8_t { crArrow, crHelp, crHandPoint };

// Answers of the window hit test: client area or caption (drag handle).
inline constexpr int HTCLIENT = 1;
inline constexpr int HTCAPTION = 2;

// A picture of the form description: a template figure, the device photograph or the LCD
// glass. Only its name, designed place and size matter to the core; the front end finds the
// bitmap by name.
struct TImage {
  std::string_view Name;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

// An invisible rectangle on the photograph that acts as a control.
struct TPanel {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

}  // namespace karvan
