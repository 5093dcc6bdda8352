// The engine's device window: it owns every crystal, the level grid, the renderer and the
// current level, and runs the game loop of the whole program. A concrete game derives its
// device form from it and overrides the virtual operations.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "engine/cell_rec.h"
#include "engine/crystal.h"
#include "engine/menu.h"
#include "engine/types.h"

namespace karvan {

class TLevel;
class TRender;
class TIntroForm;
class TLevelSelectForm;
class TEndOfLevelForm;

// Template pictures of the base form: the digit segments, the colon dot and the AM/PM marks.
namespace BaseTemplates {
inline constexpr TImage DigitTopImage{"DigitTopImage", 0, 0, 8, 3};
inline constexpr TImage DigitTopRightImage{"DigitTopRightImage", 0, 0, 4, 7};
inline constexpr TImage DigitBottomRightImage{"DigitBottomRightImage", 0, 0, 3, 9};
inline constexpr TImage DigitBottomImage{"DigitBottomImage", 0, 0, 8, 3};
inline constexpr TImage DigitBottomLeftImage{"DigitBottomLeftImage", 0, 0, 3, 6};
inline constexpr TImage DigitTopLeftImage{"DigitTopLeftImage", 0, 0, 3, 8};
inline constexpr TImage DigitMiddleImage{"DigitMiddleImage", 0, 0, 6, 3};
inline constexpr TImage TimeDotImage{"TimeDotImage", 0, 0, 3, 3};
inline constexpr TImage AmImage{"AmImage", 0, 0, 15, 9};
inline constexpr TImage PmImage{"PmImage", 0, 0, 16, 8};
}  // namespace BaseTemplates

class TLCDForm {
 public:
  TLCDForm();
  virtual ~TLCDForm();
  TLCDForm(const TLCDForm&) = delete;
  TLCDForm& operator=(const TLCDForm&) = delete;

  // Construction that needs the descendant's answers (display, picture, time position);
  // every descendant calls the inherited Create first. Use MakeForm to build a form.
  virtual void Create();

  // Fields, in declaration order.
  TMap Map;
  TSideMap SideArr;
  std::vector<TCrystal> CrystalArr;
  TPoint HeroPos;
  TPoint MapPos;
  std::int64_t LastEnemySound = 0;
  int StartSideCrystal = 0;
  int xResurrect = 0;
  int yResurrect = 0;
  int TimeDot1 = 0;
  int TimeDot2 = 0;
  int Digit1 = 0;
  int Digit2 = 0;
  int Digit3 = 0;
  int Digit4 = 0;
  int KillDelayConst = 1000;
  int EnemyMoveDelay = 800;
  int MaxLives = 3;
  int CellCrystalNr = 0;
  int Score = 0;
  int Lives = 0;
  bool Scrolling = false;
  bool Animation = false;
  bool Restart = false;
  bool Quit = false;
  std::unique_ptr<TRender> Render;
  std::unique_ptr<TLevel> Level;

  // The window: its place on the screen and its size (the device photograph's).
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;

  TPopupMenu PopupMenu;

  // The dialogs, created once when first needed and owned by the device window.
  std::unique_ptr<TIntroForm> IntroForm;
  std::unique_ptr<TLevelSelectForm> LevelSelectForm;
  std::unique_ptr<TEndOfLevelForm> EndOfLevelForm;

  // Events of the window: the key-down event starts as LCDKeyDown, the key-up event empty.
  std::function<void(Word& Key, TShiftState Shift)> OnKeyDown;
  std::function<void(Word& Key, TShiftState Shift)> OnKeyUp;

  // What the level choice's "&Load custom level" button does; the game sets it.
  std::function<void()> OnLoadCustomLevel;

  // Virtual operations, in slot order.
  virtual bool HeroDying();
  virtual void Init(int LevelNr);
  virtual void InitLevel(int LevelNr);
  virtual void CheckInventory();
  virtual void CreateCrystal(TGridCrystal Crystal, int x, int y);
  virtual void CreateSideCrystal(TSideCrystal Crystal, int x, int y);
  virtual void CheckMovement();
  virtual TGridCrystal CoinSprite();
  virtual void ClearResurrect();
  virtual bool InScreenRange(int x, int y);
  virtual void Run();
  virtual bool AddMovingObject(int xParam, TGridCrystal Sprite, TPos ObjectDir, std::int64_t Speed,
                               std::int64_t Wait, std::int64_t Start, bool RepeatingParam,
                               int yParam);
  virtual const TImage* GetGameImage();
  virtual const TPanel* GetACLPanel();
  virtual const TPanel* GetGamePanel();
  virtual void LCDMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void LCDKeyDown(Word& Key, TShiftState Shift);
  virtual const TImage* GetDisplay();
  virtual int TimePos();
  virtual bool CheckExit();
  virtual int GetCrystalIndex(int x, int y, TGridCrystal Sprite);
  virtual void ShowCrystal(TGridCrystal Sprite, int x, int y);

  // Window-system messages: the hit test (client area or caption) and the right button over
  // the caption part.
  virtual int WMNCHitTest(int X, int Y);
  void WMNCRButtonDown(int XCursor, int YCursor);

  // Crystals.
  int AddCrystal(const TImage& ImageParam, int xParam, int yParam);
  int AddCrystal(const TImage& ImageParam);
  int AddDigit(int x, int y);
  void RenderDigit(int CrystalNr, int Nr);
  // Marks crystal Nr lit in the frame being built; a number outside the list is the caller's
  // error and must not write outside the list. Called for every lit crystal of every frame.
  void ShowCrystal(int Nr) {
    if (Nr < 0 || Nr >= static_cast<int>(CrystalArr.size())) return;
    LightCrystal(CrystalArr[static_cast<std::size_t>(Nr)], Nr);
  }
  static constexpr int NumInCell() { return GridCrystalCount; }
  // Applies the frame: only the crystals lit now or shown before are looked at, and the
  // platform hears of those that changed, in ascending order.
  void Draw();
  // Darkens the frame being built (every crystal it lit).
  void ClearFrame();
  // Starts the frame being built again with just these crystals lit, in this order, as
  // ClearFrame and ShowCrystal of each would; when the frame began with them, only what came
  // after them is darkened.
  void RestartFrame(const std::vector<int>& Lit);
  // The crystals the frame being built lit so far, in the order they were lit.
  const std::vector<int>& FrameLit() const { return FrameCrystals; }

  // Makes the kind-Crystal figure object of map cell (x, y) that was not made yet, with the
  // factory, as it stood all along: absent and untouched.
  void MakeFigure(TGridCrystal Crystal, int x, int y);
  // The same for the kind-Crystal figure of the side scene of screen (x, y).
  void MakeSideFigure(TSideCrystal Crystal, int x, int y);

  // Grid queries.
  bool InMapRange(int x, int y) const {
    return x >= 0 && y >= 0 && x < static_cast<int>(Map.size()) &&
           y < static_cast<int>(Map[static_cast<std::size_t>(x)].size());
  }
  bool InSideMapRange(int x, int y) const;
  TSideCellRec& GetSideArr(int x, int y) {
    if (TSideCellRec* Rec = SideRecOf(x, y)) return *Rec;
    return SideArrFallback(x, y);
  }
  // The side record of the screen of map cell (x, y), when the grid has side records and that
  // screen has one; nothing otherwise (GetSideArr then answers its fallback).
  TSideCellRec* SideRecOf(int x, int y) {
    if (SideArr.empty() || SideArr[0].empty() || !InMapRange(x, y)) return nullptr;
    const auto sx = static_cast<std::size_t>(x / 5);
    const auto sy = static_cast<std::size_t>(y / 4);
    if (sx < SideArr.size() && sy < SideArr[sx].size()) return &SideArr[sx][sy];
    return nullptr;
  }
  TSideCrystals GetSideCrystals() const;
  bool IsHeroPos(int xParam, int yParam) const;
  TPos GetDir(int x, int y, int xNew, int yNew) const;
  // The kind-Sprite figure of a map cell; none outside the map.
  TSprite* SpriteAt(int x, int y, TGridCrystal Sprite) const;

  // Game loop helpers.
  // The start of every pass of the main loop: the requests cleared, every crystal lit, and
  // the information window shown the first time. True when its latest answer was OK.
  bool StartMainLoopPass();
  void Wait(std::int64_t Duration);
  void Scroll(TPos ScrollDir);
  // The hero figure of the hero's cell; none when that cell is not in the map.
  TSprite* HeroSprite() const;
  void Resurrect(bool InitVal);
  void IncScore(int Val);
  void PlayWave(std::string_view s);
  void EndOfGame();

  // Moving objects.
  void StopMovingObject(int xParam, int yParam);
  void ResetMovingObjects(bool Init);

  // Menu commands.
  void Selectlevel1Click();
  void Info1Click();
  void READMETXT1Click();
  void WHATSNEWTXT1Click();
  void Quit1Click();

  // The desktop closes the window (its close button, or Alt+F4 taken by the window manager):
  // that is the quit request, acted on after the current pass.
  void FormClose();

  // Input as the window system delivers it: keys to the key events, mouse presses through
  // the hit test to the picture's handler or the caption's right-button handler.
  void KeyDown(Word Key, TShiftState Shift);
  void KeyUp(Word Key, TShiftState Shift);
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);

  // Level replacement that is safe in the middle of a pass: the old level and its grid stay
  // alive (out of the form) until the loop reaches the next pass, so figures of the old level
  // that are still on the call stack never touch freed memory.
  void FreeLevel();
  void SetLevel(std::unique_ptr<TLevel> NewLevel);
  void CollectRetiredLevel();
  // Frees every figure of the grid and empties it (the level's destructor does this).
  void ClearGrid();
  // Changes whenever the grid is replaced; a walk over the grid stops when it changes.
  std::uint64_t GridGeneration() const { return GridGenerationCounter; }
  // A figure that stepped into its cell in this pass; its Moved mark is cleared when the next
  // pass begins, so that a pass need not touch every figure of the grid for it.
  void NoteMoved(TSprite& Sprite);
  // The figures a pass visits: a figure joins when it may act (TSprite::CanAct) and leaves
  // when a pass finds that it cannot, or when it is destroyed.
  void ListActing(TSprite& Sprite);
  void UnlistActing(TSprite& Sprite);
  std::size_t ActingCount() const { return Acting.size(); }
  // The map figures a screen change visits: those with a direction or an end mark
  // (TSprite::Returnable). A figure joins when it becomes one and leaves when a screen change
  // finds that it no longer is, or when it is destroyed.
  void ListReturnable(TSprite& Sprite);
  void UnlistReturnable(TSprite& Sprite);
  std::size_t ReturnableCount() const { return Returnables.size(); }

 private:
  // Whether the figure is the one the walk over the current grid would visit at its place.
  bool InWalk(TSprite& Sprite) const;
  std::size_t ActingIndex(const TSprite& Sprite) const;
  TSideCellRec& SideArrFallback(int x, int y);

  // Sorted by walk order; declared before every owner of figures, which unlist themselves.
  std::vector<TSprite*> Acting;
  std::vector<TSprite*> Returnables;
  void LightCrystal(TCrystal& Crystal, int Nr) {
    Crystal.CrystalVisible = true;
    if (!Crystal.InFrame) {
      Crystal.InFrame = true;
      FrameCrystals.push_back(Nr);
    }
  }
  // The crystals the frame being built lit, and those the last Draw showed.
  std::vector<int> FrameCrystals;
  std::vector<int> ShownCrystals;
  std::vector<int> ChangedCrystals;
  std::uint64_t GridGenerationCounter = 0;
  std::vector<TSprite*> MovedSprites;
  std::uint64_t MovedGeneration = 0;
  std::vector<std::unique_ptr<TLevel>> RetiredLevels;
  std::vector<TMap> RetiredMaps;
  std::vector<TSideMap> RetiredSideMaps;
  std::unique_ptr<TSideCellRec> EmptySideRec;
  // GetSideCrystals' last answer and what it was given for.
  mutable bool SideCrystalsKnown = false;
  mutable std::uint64_t SideCrystalsActivities = 0;
  mutable std::uint64_t SideCrystalsGeneration = 0;
  mutable std::size_t SideCrystalsColumns = 0;
  mutable std::size_t SideCrystalsRows = 0;
  mutable TSideCrystals SideCrystalsFound = 0;
};

// Builds a device form and runs its construction.
template <class TForm, class... TArgs>
std::unique_ptr<TForm> MakeForm(TArgs&&... Args) {
  auto Form = std::make_unique<TForm>(std::forward<TArgs>(Args)...);
  Form->Create();
  return Form;
}

}  // namespace karvan
