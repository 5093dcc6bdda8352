#include "engine/lcd_form.h"

#include <algorithm>

#include "engine/change_watch.h"
#include "engine/level.h"
#include "engine/platform.h"
#include "engine/render.h"
#include "engine/support.h"
#include "forms/end_of_level_form.h"
#include "forms/intro_form.h"
#include "forms/level_select_form.h"

namespace karvan {

namespace {

// The lists of figures are sorted by walk order. A figure of a retired grid may share its place
// with one of the current grid, so a search for a figure goes on to the figure itself.
void InsertInWalkOrder(std::vector<TSprite*>& List, TSprite& Sprite) {
  const auto Place =
      std::upper_bound(List.begin(), List.end(), Sprite.WalkOrder(),
                       [](std::uint64_t Key, const TSprite* S) { return Key < S->WalkOrder(); });
  List.insert(Place, &Sprite);
}

std::size_t IndexInWalkOrder(const std::vector<TSprite*>& List, const TSprite& Sprite) {
  auto Place =
      std::lower_bound(List.begin(), List.end(), Sprite.WalkOrder(),
                       [](const TSprite* S, std::uint64_t Key) { return S->WalkOrder() < Key; });
  while (Place != List.end() && *Place != &Sprite) ++Place;
  return static_cast<std::size_t>(Place - List.begin());
}

// Where the walk goes on after a figure at Order that left the list during its visit.
std::size_t IndexAfter(const std::vector<TSprite*>& List, std::uint64_t Order) {
  return static_cast<std::size_t>(
      std::upper_bound(List.begin(), List.end(), Order,
                       [](std::uint64_t Key, const TSprite* S) { return Key < S->WalkOrder(); }) -
      List.begin());
}

}  // namespace

TLCDForm::TLCDForm() {
  // Room for every step of a busy pass, so that passes allocate nothing.
  MovedSprites.reserve(1024);
  Acting.reserve(4096);
  Returnables.reserve(1024);
  PopupMenu.Items = {
      {"Selectlevel1", "Restart", [this] { Selectlevel1Click(); }},
      {"Info1", "Info", [this] { Info1Click(); }},
      {"READMETXT1", "README.TXT", [this] { READMETXT1Click(); }},
      {"WHATSNEWTXT1", "WHATSNEW.TXT", [this] { WHATSNEWTXT1Click(); }},
      {"Quit1", "Quit", [this] { Quit1Click(); }},
  };
}

TLCDForm::~TLCDForm() {
  std::unique_ptr<TRender> OldRender = std::move(Render);
  OldRender.reset();
  std::unique_ptr<TLevel> OldLevel = std::move(Level);
  OldLevel.reset();
  CollectRetiredLevel();
  // The figures unlist themselves from Acting, which must outlive them.
  ClearGrid();
  EmptySideRec.reset();
}

void TLCDForm::Create() {
  OnKeyDown = [this](Word& Key, TShiftState Shift) { LCDKeyDown(Key, Shift); };
  EnemyMoveDelay = 800;
  KillDelayConst = 1000;
  if (const TImage* Picture = GetGameImage()) {
    Width = Picture->Width;
    Height = Picture->Height;
  }
  MaxLives = 3;

  using namespace BaseTemplates;
  const int T = TimePos();
  AddCrystal(AmImage, T, 2);
  AddCrystal(PmImage, T, 16);
  Digit1 = AddDigit(T + 25, 1);
  Digit2 = AddDigit(T + 41, 1);
  TimeDot1 = AddCrystal(TimeDotImage, T + 55, 6);
  TimeDot2 = AddCrystal(TimeDotImage, T + 54, 15);
  Digit3 = AddDigit(T + 67, 1);
  Digit4 = AddDigit(T + 83, 1);
  CellCrystalNr = static_cast<int>(CrystalArr.size());
}

// ---- Virtual operations -------------------------------------------------------------------

bool TLCDForm::HeroDying() {
  const TSprite* Hero = HeroSprite();
  return Hero != nullptr && Hero->KillTime != -1;
}

void TLCDForm::Init(int LevelNr) {
  HeroPos = {0, 0};
  Quit = false;
  MapPos = {0, 0};
  LastEnemySound = 0;
  InitLevel(LevelNr);
}

void TLCDForm::InitLevel(int) {}

void TLCDForm::CheckInventory() {}

void TLCDForm::CheckMovement() {
  const std::uint64_t Generation = GridGenerationCounter;
  CheckInventory();
  if (Generation != GridGenerationCounter) return;

  // Only figures that stepped in the last pass can carry a Moved mark.
  if (MovedGeneration == GridGenerationCounter)
    for (TSprite* Sprite : MovedSprites) Sprite->Moved = false;
  MovedSprites.clear();

  // Only the figures that may act are visited, in the order of a walk over every cell (side
  // figures of a screen at its top left cell first). A figure that comes to act during the
  // pass is visited in this pass when its place lies ahead. A figure's step may end the level
  // (the hero taking the last gold) and replace the grid: the rest is then not visited.
  bool AnyMoved = false;
  std::size_t i = 0;
  while (i < Acting.size()) {
    TSprite* Sprite = Acting[i];
    if (!InWalk(*Sprite)) {
      Sprite->Listed = false;
      Acting.erase(Acting.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    const std::uint64_t Order = Sprite->WalkOrder();
    if (!Sprite->Idle() && Sprite->CheckMove()) AnyMoved = true;
    if (Generation != GridGenerationCounter) return;
    if (Sprite->Listed) {
      // Mostly the step left the list as it was around the figure.
      if (i >= Acting.size() || Acting[i] != Sprite) i = ActingIndex(*Sprite);
      if (Sprite->CanAct()) {
        ++i;
      } else {
        Sprite->Listed = false;
        Acting.erase(Acting.begin() + static_cast<std::ptrdiff_t>(i));
      }
    } else {
      i = IndexAfter(Acting, Order);
    }
  }
  // The moving-object sound: no recording is assigned to it, so it stays silent.
  if (AnyMoved && !HeroDying() && TimePassed(LastEnemySound, 300)) PlayWave("");
  if (Level) Level->CheckMovement();
}

TGridCrystal TLCDForm::CoinSprite() {
  return gcWallVert;
}

void TLCDForm::ClearResurrect() {}

bool TLCDForm::InScreenRange(int x, int y) {
  return 0 <= x && x <= 4 && 0 <= y && y <= 3;
}

void TLCDForm::Run() {
  GetPlatform().ShowDeviceForm(*this);
  int LevelNr = 0;
  for (;;) {
    if (StartMainLoopPass()) {
      LevelNr = ChooseLevel(*this);
      if (LevelNr > 0) {
        WaitTicks(1000);
        Lives = MaxLives;
        Score = 0;
        Init(LevelNr);
        do {
          CollectRetiredLevel();
          if (Render) Render->Run();
          CheckMovement();
          Draw();
          PumpMessages();
        } while (!Quit && !Restart);
      }
    }
    CollectRetiredLevel();
    if (LevelNr != 0 && Restart) continue;
    return;
  }
}

const TImage* TLCDForm::GetGameImage() {
  return nullptr;
}
const TPanel* TLCDForm::GetACLPanel() {
  return nullptr;
}
const TPanel* TLCDForm::GetGamePanel() {
  return nullptr;
}

void TLCDForm::LCDMouseDown(TMouseButton Button, TShiftState, int X, int Y) {
  if (Button == TMouseButton::mbRight) {
    GetPlatform().PopupMenu(PopupMenu, Left + X, Top + Y);
  } else if (PointInPanel(GetACLPanel(), X, Y)) {
    Restart = true;
  } else if (PointInPanel(GetGamePanel(), X, Y)) {
    Word Key = VK_1;
    LCDKeyDown(Key, 0);
  }
}

void TLCDForm::LCDKeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE) {
    Restart = true;
  } else if (Key == VK_1) {
    if (const TMenuItem* Item = PopupMenu.FindByName("Selectlevel1")) Item->Click();
  } else if (Key == VK_F4 && (Shift & ssAlt) != 0) {
    Quit = true;
  }
}

const TImage* TLCDForm::GetDisplay() {
  return nullptr;
}

int TLCDForm::TimePos() {
  return 0;
}

bool TLCDForm::CheckExit() {
  return Level != nullptr && Level->CoinsLeft <= 0;
}

int TLCDForm::WMNCHitTest(int, int) {
  return HTCLIENT;
}

void TLCDForm::WMNCRButtonDown(int XCursor, int YCursor) {
  GetPlatform().PopupMenu(PopupMenu, XCursor, YCursor);
}

// ---- Game loop helpers --------------------------------------------------------------------

bool TLCDForm::StartMainLoopPass() {
  Quit = false;
  Restart = false;
  // The all-segments test: the whole LCD stays lit until the first frame of the game.
  for (int Nr = 0; Nr < static_cast<int>(CrystalArr.size()); ++Nr) ShowCrystal(Nr);
  Draw();
  if (CreateFormOnce(IntroForm)) GetPlatform().ShowModal(*IntroForm);
  return IntroForm->ModalResult == TModalResult::mrOk;
}

void TLCDForm::Wait(std::int64_t Duration) {
  Animation = true;
  std::int64_t Start = Now();
  do {
    if (Render) Render->Run();
    Draw();
    ChangeWatch.NoteDue(Start + Duration);
    PumpMessages();
  } while (!TimePassed(Start, Duration));
  Animation = false;
}

void TLCDForm::Scroll(TPos ScrollDir) {
  ChangeWatch.NoteActivity();
  Scrolling = true;
  switch (ScrollDir) {
    case PosTop:
      if (MapPos.Y >= 4) MapPos.Y -= 4;
      break;
    case PosBottom:
      if (MapPos.X >= 0 && MapPos.X < static_cast<int>(Map.size()) && MapPos.Y >= 0 &&
          MapPos.Y + 4 < static_cast<int>(Map[MapPos.X].size()))
        MapPos.Y += 4;
      break;
    case PosLeft:
      if (MapPos.X >= 5) {
        for (int Step = 0; Step < 5; ++Step) {
          --MapPos.X;
          Wait(100);
        }
      }
      break;
    case PosRight:
      if (MapPos.X >= 0 && MapPos.X + 5 < static_cast<int>(Map.size())) {
        for (int Step = 0; Step < 5; ++Step) {
          ++MapPos.X;
          Wait(100);
        }
      }
      break;
    default:
      break;
  }
  xResurrect = HeroPos.X;
  yResurrect = HeroPos.Y;
  ResetMovingObjects(true);
  Scrolling = false;
}

TSprite* TLCDForm::HeroSprite() const {
  return SpriteAt(HeroPos.X, HeroPos.Y, gcHero);
}

void TLCDForm::Resurrect(bool) {
  ChangeWatch.NoteActivity();
  if (Lives <= 0) {
    PlayWave("wvGameOver");
    WaitTicks(3000);
    Quit = true;
    return;
  }
  ResetMovingObjects(true);
  HeroPos = {xResurrect, yResurrect};
  if (Level && Level->xStart != -1) HeroPos = {Level->xStart, Level->yStart};
  if (TSprite* Hero = HeroSprite()) Hero->KillTime = -1;
  ClearResurrect();
  if (TSprite* Hero = HeroSprite()) {
    Hero->SpriteVisible = true;
    Hero->MoveDelay = 200;
    Hero->StartTime = 200;
    Hero->SpeedTime = 200;
  }
  MapPos = {std::max(0, HeroPos.X) / 5 * 5, std::max(0, HeroPos.Y) / 4 * 4};
}

void TLCDForm::IncScore(int Val) {
  for (int i = 0; i < Val; ++i) {
    ++Score;
    PlayWave("wvScore");
    if (Render) Render->Run();
    Draw();
    WaitTicks(100);
  }
}

void TLCDForm::PlayWave(std::string_view s) {
  if (s.empty()) return;
  ChangeWatch.NoteActivity();
  GetPlatform().PlaySound(s);
  WaitTicks(10);
}

void TLCDForm::EndOfGame() {
  CreateFormOnce(EndOfLevelForm);
  GetPlatform().ShowModal(*EndOfLevelForm);
  Restart = true;
}

// ---- Menu commands ------------------------------------------------------------------------

void TLCDForm::Selectlevel1Click() {
  Restart = true;
}

void TLCDForm::Info1Click() {
  CreateFormOnce(IntroForm);
  GetPlatform().ShowModal(*IntroForm);
}

void TLCDForm::READMETXT1Click() {
  RunProgram("README.TXT", "", true, "", true);
}

void TLCDForm::WHATSNEWTXT1Click() {
  RunProgram("WHATSNEW.TXT", "", true, "", true);
}

void TLCDForm::Quit1Click() {
  Quit = true;
}

void TLCDForm::FormClose() {
  Quit = true;
}

// ---- Input --------------------------------------------------------------------------------

void TLCDForm::KeyDown(Word Key, TShiftState Shift) {
  ChangeWatch.NoteActivity();
  if (OnKeyDown) OnKeyDown(Key, Shift);
}

void TLCDForm::KeyUp(Word Key, TShiftState Shift) {
  ChangeWatch.NoteActivity();
  if (OnKeyUp) OnKeyUp(Key, Shift);
}

void TLCDForm::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  ChangeWatch.NoteActivity();
  if (WMNCHitTest(X, Y) == HTCLIENT) {
    if (GetGameImage() != nullptr) LCDMouseDown(Button, Shift, X, Y);
  } else if (Button == TMouseButton::mbRight) {
    WMNCRButtonDown(Left + X, Top + Y);
  }
}

// ---- Level replacement --------------------------------------------------------------------

void TLCDForm::FreeLevel() {
  if (!Level) return;
  std::unique_ptr<TLevel> Old = std::move(Level);
  Old->OwnsGrid = false;
  RetiredMaps.push_back(std::move(Map));
  RetiredSideMaps.push_back(std::move(SideArr));
  Map.clear();
  SideArr.clear();
  RetiredLevels.push_back(std::move(Old));
  ++GridGenerationCounter;
  ChangeWatch.NoteActivity();
}

void TLCDForm::NoteMoved(TSprite& Sprite) {
  ChangeWatch.NoteActivity();
  if (MovedGeneration != GridGenerationCounter) {
    MovedSprites.clear();
    MovedGeneration = GridGenerationCounter;
  }
  MovedSprites.push_back(&Sprite);
}

void TLCDForm::ListActing(TSprite& Sprite) {
  if (Sprite.Listed) return;
  InsertInWalkOrder(Acting, Sprite);
  Sprite.Listed = true;
}

void TLCDForm::UnlistActing(TSprite& Sprite) {
  if (!Sprite.Listed) return;
  Acting.erase(Acting.begin() + static_cast<std::ptrdiff_t>(ActingIndex(Sprite)));
  Sprite.Listed = false;
}

std::size_t TLCDForm::ActingIndex(const TSprite& Sprite) const {
  return IndexInWalkOrder(Acting, Sprite);
}

void TLCDForm::ListReturnable(TSprite& Sprite) {
  if (Sprite.ReturnListed) return;
  InsertInWalkOrder(Returnables, Sprite);
  Sprite.ReturnListed = true;
}

void TLCDForm::UnlistReturnable(TSprite& Sprite) {
  if (!Sprite.ReturnListed) return;
  Returnables.erase(Returnables.begin() +
                    static_cast<std::ptrdiff_t>(IndexInWalkOrder(Returnables, Sprite)));
  Sprite.ReturnListed = false;
}

void TLCDForm::ResetMovingObjects(bool Init) {
  if (!Init) {
    for (std::size_t x = 0; x < Map.size(); ++x)
      for (std::size_t y = 0; y < Map.RowCount(); ++y)
        for (int Kind = 0; Kind < GridCrystalCount; ++Kind)
          if (const auto& Sprite = Map[x][y].Sprites[Kind]) Sprite->ResetMovingObject(false);
    return;
  }
  // A screen change sends back only figures with a direction, an end mark or a temporary mark
  // (TSprite::Returnable): for every other figure ResetMovingObject(true) changes nothing, and
  // the largest level has tens of thousands of them. The list is visited in the order of the walk
  // over every cell; a figure that a return (its copy back to its start) gives a direction joins
  // the list and is visited in this walk when its place lies ahead, as the walk over the grid
  // would.
  std::size_t i = 0;
  while (i < Returnables.size()) {
    TSprite* Sprite = Returnables[i];
    if (!InWalk(*Sprite)) {
      Sprite->ReturnListed = false;
      Returnables.erase(Returnables.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    const std::uint64_t Order = Sprite->WalkOrder();
    Sprite->ResetMovingObject(true);
    if (Sprite->ReturnListed) {
      if (i >= Returnables.size() || Returnables[i] != Sprite)
        i = IndexInWalkOrder(Returnables, *Sprite);
      if (Sprite->Returnable()) {
        ++i;
      } else {
        Sprite->ReturnListed = false;
        Returnables.erase(Returnables.begin() + static_cast<std::ptrdiff_t>(i));
      }
    } else {
      i = IndexAfter(Returnables, Order);
    }
  }
}

bool TLCDForm::InWalk(TSprite& Sprite) const {
  if (Sprite.FoundInGeneration == GridGenerationCounter + 1) return true;
  bool Found = false;
  if (Sprite.IsSideFigure()) {
    const int x = Sprite.x * 5;
    const int y = Sprite.y * 4;
    if (!InMapRange(x, y) || !InSideMapRange(x, y)) return false;
    const auto Kind = static_cast<const TSideSprite&>(Sprite).SideSpriteNr;
    const TSideCellRec* Side = SideArr.Made(Sprite.x, Sprite.y);
    Found = Side != nullptr && Side->Sprites.Made(Kind) == &Sprite;
  } else {
    const TCellRec* Cell = InMapRange(Sprite.x, Sprite.y) ? Map.Made(Sprite.x, Sprite.y) : nullptr;
    Found = Cell != nullptr && Cell->Sprites.Made(Sprite.SpriteNr) == &Sprite;
  }
  if (Found) Sprite.FoundInGeneration = GridGenerationCounter + 1;
  return Found;
}

void TLCDForm::SetLevel(std::unique_ptr<TLevel> NewLevel) {
  Level = std::move(NewLevel);
  ++GridGenerationCounter;
  ChangeWatch.NoteActivity();
}

void TLCDForm::CollectRetiredLevel() {
  if (RetiredLevels.empty() && RetiredMaps.empty()) return;
  RetiredLevels.clear();
  RetiredMaps.clear();
  RetiredSideMaps.clear();
}

void TLCDForm::ClearGrid() {
  Map.ForEachMade([](TCellRec& Cell) { Cell.Sprites.Clear(); });
  Map.clear();
  SideArr.ForEachMade([](TSideCellRec& Side) { Side.Sprites.Clear(); });
  SideArr.clear();
  ++GridGenerationCounter;
  ChangeWatch.NoteActivity();
}

}  // namespace karvan
