#include "analysis/level_analysis.h"

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <map>
#include <set>
#include <tuple>

namespace karvan {

namespace {

enum TPhase : std::uint8_t {
  Standing,     // on a floor
  AirSteer,     // falling, the one steering step still to use
  AirNoSteer,   // falling
  JumpSteer,    // at the top of a jump, steering step still to use
  JumpNoSteer,  // at the top of a jump after the steering step
};

enum TMove : std::uint8_t {
  mStepLeft,
  mStepRight,
  mJump,
  mSteerLeft,
  mSteerRight,
  mFall,  // gravity: a fall step or the end of a jump
  mUnlockUp,
  mUnlockDown,
  mUnlockLeft,
  mUnlockRight,
  mFlip,
  mEnterScene,
  mRide,
  mLeftBehind,  // the platform under the hero moves away
};
constexpr std::uint8_t Missed = 0x80;  // the move's platform was not there

std::string MoveText(std::uint8_t Move) {
  static constexpr const char* Names[] = {"step left",
                                          "step right",
                                          "jump",
                                          "jump/fall steer left",
                                          "jump/fall steer right",
                                          "fall",
                                          "unlock up",
                                          "unlock down",
                                          "unlock left",
                                          "unlock right",
                                          "flip switch",
                                          "enter side scene",
                                          "ride platform",
                                          "wait (platform leaves)"};
  std::string Text = Names[Move & 0x7F];
  if ((Move & Missed) != 0) Text += " (platform not there)";
  return Text;
}

constexpr int DynWords = 4;
using TDyn = std::array<std::uint64_t, DynWords>;

struct TState {
  std::uint32_t Pos = 0;  // cell index * 8 + phase
  TDyn Dyn{};
  bool operator==(const TState&) const = default;
};

// States by number, with an open-addressing index. A state is kept as its position word and as
// many words of the level's changes as the level uses (the others are always zero), so that a
// large level's millions of states take a few words each.
class TStateTable {
 public:
  TStateTable() : Slots(1 << 12, 0) {}
  void Reset(int UsedDynWords) {
    Used = std::clamp(UsedDynWords, 0, DynWords);
    Stride = 1 + static_cast<std::size_t>(Used);
    Words.clear();
    Slots.assign(1 << 12, 0);
  }
  // The state's number, and whether it was new.
  std::pair<std::uint32_t, bool> Insert(const TState& S) {
    if ((Size() + 1) * 2 > Slots.size()) Grow();
    std::array<std::uint64_t, 1 + DynWords> Key{};
    Key[0] = S.Pos;
    std::copy_n(S.Dyn.begin(), Used, Key.begin() + 1);
    const std::size_t Mask = Slots.size() - 1;
    for (std::size_t i = Hash(Key.data()) & Mask;; i = (i + 1) & Mask) {
      if (Slots[i] == 0) {
        Words.insert(Words.end(), Key.begin(), Key.begin() + static_cast<std::ptrdiff_t>(Stride));
        Slots[i] = static_cast<std::uint32_t>(Size());
        return {Slots[i] - 1, true};
      }
      if (std::equal(Key.begin(), Key.begin() + static_cast<std::ptrdiff_t>(Stride),
                     Words.begin() + static_cast<std::ptrdiff_t>((Slots[i] - 1) * Stride)))
        return {Slots[i] - 1, false};
    }
  }
  std::size_t Size() const { return Words.size() / Stride; }
  std::uint32_t Pos(std::size_t Id) const { return static_cast<std::uint32_t>(Words[Id * Stride]); }
  TState State(std::size_t Id) const {
    TState S;
    S.Pos = Pos(Id);
    std::copy_n(Words.begin() + static_cast<std::ptrdiff_t>(Id * Stride + 1), Used, S.Dyn.begin());
    return S;
  }

 private:
  std::uint64_t Hash(const std::uint64_t* Key) const {
    std::uint64_t H = Key[0] * 0x9E3779B97F4A7C15ULL;
    for (std::size_t w = 1; w < Stride; ++w) H = (H ^ Key[w]) * 0xBF58476D1CE4E5B9ULL + (H >> 29);
    return H ^ (H >> 31);
  }
  void Grow() {
    std::vector<std::uint32_t> Old(Slots.size() * 2, 0);
    Old.swap(Slots);
    const std::size_t Mask = Slots.size() - 1;
    for (std::uint32_t Id = 1; Id <= Size(); ++Id)
      for (std::size_t i = Hash(&Words[(Id - 1) * Stride]) & Mask;; i = (i + 1) & Mask)
        if (Slots[i] == 0) {
          Slots[i] = Id;
          break;
        }
  }
  int Used = DynWords;
  std::size_t Stride = 1 + DynWords;
  std::vector<std::uint64_t> Words;
  std::vector<std::uint32_t> Slots;
};

enum TFloor : std::uint8_t { None, Maybe, Solid };
enum TMode : std::uint8_t { NotStarted, Running };

struct TPlatform {
  TPoint Start;
  TPos Dir = PosTop;
  bool Vertical = true;
  bool RunsFromStart = false;
  int ModeBit = -1;        // the bit that says it was started; -1: no switch drives it
  std::vector<int> Track;  // cell indices, in order along the axis
};

struct TOutcome {
  TState To;
  std::uint8_t Move;
  bool Dead;
  int Gate = -1;  // the lock opened (its number) or the switch flipped (lock count + its number)
};

// The level's rules over compact states.
class TModel {
 public:
  TModel(const TLevelDescription& D, bool GenerousParam, const std::vector<TGate>& Sealed)
      : L(D), W(D.Width), H(D.Height), Generous(GenerousParam) {
    const int N = W * H;
    LockV.assign(N, -1);
    LockH.assign(N, -1);
    Gold.assign(N, -1);
    KeyAt.assign(N, -1);
    SwitchAt.assign(N, -1);
    FightAt.assign(N, -1);
    TrackMask.assign(N, 0);
    PlatformStart.assign(N, false);
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        const int c = Index(x, y);
        if (D.Has(x, y, gcLockVert)) LockV[c] = NewLock({TGate::LockVert, {x, y}}, Sealed);
        if (D.Has(x, y, gcLockHorz)) LockH[c] = NewLock({TGate::LockHorz, {x, y}}, Sealed);
        if (D.Has(x, y, gcGold)) {
          Gold[c] = static_cast<int>(GoldCells.size());
          GoldCells.push_back({x, y});
        }
        if (D.Has(x, y, gcKey)) KeyAt[c] = Keys++;
        if (D.Has(x, y, gcSwitchUp) || D.Has(x, y, gcSwitchDown)) {
          SwitchAt[c] = static_cast<int>(SwitchCells.size());
          SwitchCells.push_back({x, y});
          SwitchDown.push_back(D.Has(x, y, gcSwitchDown));
          const TGate G{TGate::Switch, {x, y}};
          SwitchSealed.push_back(std::find(Sealed.begin(), Sealed.end(), G) != Sealed.end());
        }
      }
    for (std::size_t i = 0; i < D.Fights.size(); ++i) {
      const TSideFight& F = D.Fights[i];
      if (D.Inside(F.Entrance.X, F.Entrance.Y)) FightAt[Index(F.Entrance.X, F.Entrance.Y)] = int(i);
    }
    // Platforms: those that run from the start, and those the switch records drive.
    auto PlatformOf = [this](TPoint Cell, TPos Dir) -> int {
      for (std::size_t i = 0; i < Platforms.size(); ++i)
        if (Platforms[i].Start == Cell) return static_cast<int>(i);
      TPlatform P;
      P.Start = Cell;
      P.Dir = Dir;
      P.Vertical = Dir == PosTop || Dir == PosBottom;
      Platforms.push_back(P);
      return static_cast<int>(Platforms.size()) - 1;
    };
    for (const TRunningPlatform& R : D.Platforms)
      if (D.Inside(R.Cell.X, R.Cell.Y)) Platforms[PlatformOf(R.Cell, R.Dir)].RunsFromStart = true;
    for (const TSwitchLink& S : D.Switches) {
      if (!D.Inside(S.Platform.X, S.Platform.Y)) continue;
      if (!D.Inside(S.Switch.X, S.Switch.Y) || SwitchAt[Index(S.Switch.X, S.Switch.Y)] < 0)
        continue;
      const int p = PlatformOf(S.Platform, S.Dir);
      Links.push_back({SwitchAt[Index(S.Switch.X, S.Switch.Y)], p, S.Reverse});
    }
    for (TPlatform& P : Platforms) PlatformStart[Index(P.Start.X, P.Start.Y)] = true;
    for (std::size_t p = 0; p < Platforms.size(); ++p) {
      BuildTrack(Platforms[p]);
      for (int c : Platforms[p].Track) TrackMask[c] |= 1ULL << (p % 64);
    }
    if (Platforms.size() > 64) Notes.push_back("more than 64 platforms: tracks merged");
    // Bit layout of the level's changes.
    int Bit = 0;
    LockBase = Bit;
    Bit += static_cast<int>(LockGates.size());
    KeyBase = Bit;
    Bit += Keys;
    LeverBase = Bit;
    Bit += static_cast<int>(SwitchCells.size());
    for (const auto& Link : Links)
      if (Platforms[Link.Platform].ModeBit < 0) {
        Platforms[Link.Platform].ModeBit = Bit;
        ++Bit;
      }
    if (Generous) Bit = 0;
    Fits = Bit <= DynWords * 64;
    UsedDynWords = (Bit + 63) / 64;
  }

  int Index(int x, int y) const { return y * W + x; }
  int X(int c) const { return c % W; }
  int Y(int c) const { return c / W; }

  static bool Get(const TDyn& D, int Bit) { return (D[Bit / 64] >> (Bit % 64) & 1U) != 0; }
  static void Set(TDyn& D, int Bit, bool V) {
    if (V)
      D[Bit / 64] |= 1ULL << (Bit % 64);
    else
      D[Bit / 64] &= ~(1ULL << (Bit % 64));
  }

  bool Opened(const TDyn& D, int Lock) const { return Generous || Get(D, LockBase + Lock); }
  int KeysCarried(const TDyn& D) const {
    int Taken = 0;
    int Used = 0;
    for (int k = 0; k < Keys; ++k) Taken += Get(D, KeyBase + k);
    for (int l = 0; l < static_cast<int>(LockGates.size()); ++l) Used += Get(D, LockBase + l);
    return Taken - Used;
  }
  TMode ModeOf(const TDyn& D, const TPlatform& P) const {
    if (Generous) return Running;
    if (P.RunsFromStart || (P.ModeBit >= 0 && Get(D, P.ModeBit))) return Running;
    return NotStarted;
  }
  void Start(TDyn& D, const TPlatform& P) const { Set(D, P.ModeBit, true); }

  // The horizontal wall on the top edge of cell c: the floor of the cell above.
  TFloor EdgeH(const TDyn& D, int x, int y) const {
    if (y >= H || y < 0 || x < 0 || x >= W) return None;
    const int c = Index(x, y);
    TFloor F = None;
    if (L.Has(x, y, gcWallHorz) && !PlatformStart[c]) {
      if (LockH[c] < 0)
        F = Solid;
      else if (Generous)
        F = Maybe;  // a floor lock may still be shut: the hero can walk over it or drop through
      else if (!Opened(D, LockH[c]))
        F = Solid;
    }
    for (std::uint64_t Mask = TrackMask[c]; Mask != 0 && F != Solid; Mask &= Mask - 1) {
      const TPlatform& P = Platforms[std::countr_zero(Mask)];
      const TMode M = ModeOf(D, P);
      if (M == NotStarted) {
        if (P.Start == TPoint{x, y} && L.Has(x, y, gcWallHorz)) F = Solid;
      } else {
        F = Maybe;
      }
    }
    return F;
  }
  TFloor FloorOf(const TDyn& D, int x, int y) const { return EdgeH(D, x, y + 1); }
  bool WallV(const TDyn& D, int x, int y) const {
    if (!L.Inside(x, y)) return true;
    const int c = Index(x, y);
    return L.Has(x, y, gcWallVert) && !(LockV[c] >= 0 && Opened(D, LockV[c]));
  }
  // A sideways step the hero's CanMove allows, floors aside.
  bool SideOpen(const TDyn& D, int x, int y, int dx) const {
    const int xNew = x + dx;
    if (xNew < 0 || xNew >= W - 1) return false;
    return dx < 0 ? !WallV(D, x, y) : !WallV(D, xNew, y);
  }

  // Picks up a key that lies in the cell and gives the state. Gold is not part of the state:
  // it changes no move, so the search only notes where it lies (see ItemsOfCell).
  TState Make(int x, int y, TPhase Phase, TDyn D) const {
    const int c = Index(x, y);
    if (!Generous && KeyAt[c] >= 0) Set(D, KeyBase + KeyAt[c], true);
    return {static_cast<std::uint32_t>(c * 8 + Phase), D};
  }
  // What a completion needs: every gold piece (items 0 ..) and every side fight won (the items
  // after the gold).
  int ItemCount() const { return static_cast<int>(GoldCells.size() + L.Fights.size()); }
  int GoldItemAt(int c) const { return Gold[c]; }
  int FightItemAt(int c) const {
    return FightAt[c] < 0 ? -1 : static_cast<int>(GoldCells.size()) + FightAt[c];
  }

  // Arrives in a cell in the air or by a step: stands when there is a floor, falls when there
  // is none, either when a platform may be there.
  template <class TEmit>
  void Arrive(int x, int y, TPhase AirPhase, const TDyn& D, std::uint8_t Move, TEmit& Emit) const {
    const TFloor F = FloorOf(D, x, y);
    if (F != None) Emit({Make(x, y, Standing, D), Move, false});
    if (F != Solid)
      Emit({Make(x, y, AirPhase, D), std::uint8_t(Move | (F == Maybe ? Missed : 0)), false});
  }

  template <class TEmit>
  void Successors(const TState& S, TEmit&& Emit) const {
    const int c = static_cast<int>(S.Pos / 8);
    const auto Phase = static_cast<TPhase>(S.Pos % 8);
    const int x = X(c);
    const int y = Y(c);
    const TDyn& D = S.Dyn;

    // Any phase: locks and switches (a key press that only needs the hero to be ready).
    if (!Generous) {
      const int Carried = KeysCarried(D);
      auto TryLock = [&](int Lock, std::uint8_t Move) {
        if (Lock < 0 || Carried <= 0 || Opened(D, Lock) || LockSealed[Lock]) return;
        TDyn N = D;
        Set(N, LockBase + Lock, true);
        Emit({Settle(x, y, Phase, N), Move, false, Lock});
      };
      TryLock(LockH[c], mUnlockUp);
      if (y + 1 < H) TryLock(LockH[Index(x, y + 1)], mUnlockDown);
      TryLock(LockV[c], mUnlockLeft);
      if (x + 1 < W) TryLock(LockV[Index(x + 1, y)], mUnlockRight);
      if (const int Sw = SwitchAt[c]; Sw >= 0 && !SwitchSealed[Sw]) {
        TDyn N = D;
        const bool Flipped = !Get(D, LeverBase + Sw);
        Set(N, LeverBase + Sw, Flipped);
        const bool Down = SwitchDown[Sw] != Flipped;
        bool AllStarted = true;
        for (const auto& Link : Links)
          if (Link.Switch == Sw) {
            const TPlatform& P = Platforms[Link.Platform];
            if (Down != Link.Reverse) Start(N, P);
            AllStarted = AllStarted && ModeOf(N, P) == Running;
          }
        // Once every piece the switch drives has been started its lever changes nothing.
        if (AllStarted) Set(N, LeverBase + Sw, false);
        Emit({Settle(x, y, Phase, N), mFlip, false, static_cast<int>(LockGates.size()) + Sw});
      }
    }

    switch (Phase) {
      case Standing: {
        const TFloor Here = FloorOf(D, x, y);
        for (int dx : {-1, 1}) {
          const std::uint8_t Move = dx < 0 ? mStepLeft : mStepRight;
          const int f = FightAt[c];
          if (f >= 0 && !Generous) {
            const TSideFight& F = L.Fights[f];
            // The fight is won by entering the scene; the hero comes back out where he was.
            // A snake's scene takes every step right; after the spider's fight a step left
            // is a step again (allowing it before the fight changes nothing: the fight can
            // always be had first).
            const bool Snake = F.Kind == TSideFight::Snake && dx > 0;
            const bool Spider = F.Kind == TSideFight::Spider && dx < 0;
            if (Snake && F.Enterable && !WallV(D, x + 1, y)) {
              Emit({S, mEnterScene, false});
              continue;
            }
            if (Spider && !WallV(D, x, y)) Emit({S, mEnterScene, false});
          }
          if (SideOpen(D, x, y, dx)) Arrive(x + dx, y, AirNoSteer, D, Move, Emit);
        }
        if (y >= 1 && EdgeH(D, x, y) != Solid) Emit({Make(x, y - 1, JumpSteer, D), mJump, false});
        if (Here == Maybe) {
          // The piece under the hero moves one cell along its track and carries him along;
          // only a step the hero cannot take (a wall, the map's edge, a ceiling over a rising
          // lift) leaves him behind, to fall.
          bool LeftBehind = false;
          for (std::uint64_t Mask = TrackMask[Index(x, y + 1)]; Mask != 0; Mask &= Mask - 1) {
            const TPlatform& P = Platforms[std::countr_zero(Mask)];
            if (ModeOf(D, P) != Running) continue;
            const auto It = std::find(P.Track.begin(), P.Track.end(), Index(x, y + 1));
            if (It == P.Track.end()) continue;
            for (auto Next : {It - 1, It + 1}) {
              if (Next < P.Track.begin() || Next >= P.Track.end()) continue;
              const int nx = X(*Next);
              const int ny = Y(*Next) - 1;
              bool Refused = false;
              if (ny == y)
                Refused = nx < 0 || nx >= W - 1 || (nx < x ? WallV(D, x, y) : WallV(D, nx, y));
              else if (ny < y)
                Refused = ny < 0 || EdgeH(D, x, y) == Solid;
              if (Refused)
                LeftBehind = true;
              else
                Emit({Make(nx, ny, Standing, D), mRide, false});
            }
          }
          if (LeftBehind) Emit({Make(x, y, AirNoSteer, D), mLeftBehind, false});
        }
        break;
      }
      case AirSteer:
      case AirNoSteer:
        if (Phase == AirSteer)
          for (int dx : {-1, 1})
            if (SideOpen(D, x, y, dx))
              Arrive(x + dx, y, AirNoSteer, D, dx < 0 ? mSteerLeft : mSteerRight, Emit);
        if (y + 1 >= H - 1)
          Emit({S, mFall, true});
        else
          Arrive(x, y + 1, AirSteer, D, mFall, Emit);
        break;
      case JumpSteer:
      case JumpNoSteer:
        if (Phase == JumpSteer)
          for (int dx : {-1, 1})
            if (SideOpen(D, x, y, dx))
              Emit({Make(x + dx, y, JumpNoSteer, D),
                    std::uint8_t(dx < 0 ? mSteerLeft : mSteerRight), false});
        {
          // The end of the jump: a step down, refused by a floor.
          const TFloor Here = FloorOf(D, x, y);
          if (Here != None) Emit({Make(x, y, Standing, D), mFall, false});
          if (Here != Solid) {
            if (y + 1 >= H - 1)
              Emit({S, mFall, true});
            else
              Arrive(x, y + 1, AirNoSteer, D, std::uint8_t(mFall | (Here == Maybe ? Missed : 0)),
                     Emit);
          }
        }
        break;
    }
  }

  // The hero after a change of the level in his cell: a hero in the air on a floor stands; a
  // standing one without a floor falls.
  TState Settle(int x, int y, TPhase Phase, const TDyn& D) const {
    const TFloor F = FloorOf(D, x, y);
    if (Phase == Standing && F == None) return Make(x, y, AirNoSteer, D);
    if ((Phase == AirSteer || Phase == AirNoSteer) && F == Solid) return Make(x, y, Standing, D);
    return Make(x, y, Phase, D);
  }

  TState StartState() const {
    const TDyn D{};
    const TFloor F = FloorOf(D, L.Start.X, L.Start.Y);
    return Make(L.Start.X, L.Start.Y, F == None ? AirNoSteer : Standing, D);
  }

  const TLevelDescription& L;
  int W;
  int H;
  bool Generous;
  bool Fits = true;
  int UsedDynWords = DynWords;
  std::vector<int> LockV, LockH, Gold, KeyAt, SwitchAt, FightAt;
  std::vector<std::uint64_t> TrackMask;
  std::vector<bool> PlatformStart;
  std::vector<TGate> LockGates;
  std::vector<bool> LockSealed;
  std::vector<TPoint> GoldCells, SwitchCells;
  std::vector<bool> SwitchDown, SwitchSealed;
  int Keys = 0;
  std::vector<TPlatform> Platforms;
  struct TLink {
    int Switch;
    int Platform;
    bool Reverse;
  };
  std::vector<TLink> Links;
  std::vector<std::string> Notes;
  int LockBase = 0, KeyBase = 0, LeverBase = 0;

 private:
  int NewLock(const TGate& G, const std::vector<TGate>& Sealed) {
    LockGates.push_back(G);
    LockSealed.push_back(std::find(Sealed.begin(), Sealed.end(), G) != Sealed.end());
    return static_cast<int>(LockGates.size()) - 1;
  }
  // The cells a piece can stand at: from its start both ways along its axis until the moving
  // wall's own rule stops it (walls as the map starts).
  void BuildTrack(TPlatform& P) {
    const TDyn D{};
    auto Blocked = [&](int x, int y, int dx, int dy) {
      const int xn = x + dx;
      const int yn = y + dy;
      if (!L.Inside(xn, yn)) return true;
      const bool HorzThere = L.Has(xn, yn, gcWallHorz) && !PlatformStart[Index(xn, yn)];
      if (dy != 0) return HorzThere || yn == 0;
      if (dx < 0) return HorzThere || (WallV(D, x, y) && y > 0 && WallV(D, x, y - 1));
      return HorzThere || (WallV(D, xn, y) && y > 0 && WallV(D, xn, y - 1));
    };
    const int dx = P.Vertical ? 0 : 1;
    const int dy = P.Vertical ? 1 : 0;
    std::vector<int> Back;
    for (int x = P.Start.X, y = P.Start.Y; !Blocked(x, y, -dx, -dy); x -= dx, y -= dy)
      Back.push_back(Index(x - dx, y - dy));
    P.Track.assign(Back.rbegin(), Back.rend());
    P.Track.push_back(Index(P.Start.X, P.Start.Y));
    for (int x = P.Start.X, y = P.Start.Y; !Blocked(x, y, dx, dy); x += dx, y += dy)
      P.Track.push_back(Index(x + dx, y + dy));
  }
};

constexpr std::uint32_t DeadState = 0xFFFFFFFFU;

struct TEdge {
  std::uint32_t To;
  std::uint8_t Move;
  std::int16_t Gate;
};

struct TGraph {
  TStateTable Table;
  std::vector<std::uint32_t> First;  // edges of state i: Edges[First[i] .. First[i + 1])
  std::vector<TEdge> Edges;
  std::vector<std::uint32_t> FightStates;  // states from which a side scene's fight is entered
  bool Truncated = false;
};

// Breadth-first search from the start over every state, with the moves between them.
void Explore(const TModel& M, TGraph& G, const TAnalysisLimits& Limits) {
  G.Table.Reset(M.UsedDynWords);
  G.Table.Insert(M.StartState());
  for (std::size_t i = 0; i < G.Table.Size(); ++i) {
    G.First.push_back(static_cast<std::uint32_t>(G.Edges.size()));
    const TState S = G.Table.State(i);
    if (G.Table.Size() > Limits.MaxStates) {
      G.Truncated = true;
      continue;
    }
    M.Successors(S, [&](const TOutcome& O) {
      if ((O.Move & 0x7F) == mEnterScene) {
        // The hero is back where he was: no move, only the fight won.
        if (G.FightStates.empty() || G.FightStates.back() != i)
          G.FightStates.push_back(static_cast<std::uint32_t>(i));
        return;
      }
      const std::uint32_t To = O.Dead ? DeadState : G.Table.Insert(O.To).first;
      G.Edges.push_back({To, O.Move, static_cast<std::int16_t>(O.Gate)});
    });
  }
  G.First.push_back(static_cast<std::uint32_t>(G.Edges.size()));
}

// A set of items (gold pieces and side fights) by number.
constexpr int ItemWords = 4;
using TItems = std::array<std::uint64_t, ItemWords>;
TItems operator|(TItems A, const TItems& B) {
  for (int w = 0; w < ItemWords; ++w) A[w] |= B[w];
  return A;
}
TItems operator&(TItems A, const TItems& B) {
  for (int w = 0; w < ItemWords; ++w) A[w] &= B[w];
  return A;
}
bool Within(const TItems& A, const TItems& B) {
  return (A & B) == A;
}
void AddItem(TItems& A, int Item) {
  A[static_cast<std::size_t>(Item / 64)] |= 1ULL << (Item % 64);
}

// The items a state holds: the gold of its cell, and the fight entered from it.
class TItemMap {
 public:
  TItemMap(const TModel& M, const TGraph& G) : Model(M), Graph(G) {
    for (int i = 0; i < M.ItemCount(); ++i) AddItem(All, i);
    Fight.assign(G.Table.Size(), false);
    for (std::uint32_t S : G.FightStates) Fight[S] = true;
  }
  TItems Of(std::uint32_t State) const {
    TItems Result{};
    const int c = static_cast<int>(Graph.Table.Pos(State) / 8);
    if (const int g = Model.GoldItemAt(c); g >= 0) AddItem(Result, g);
    if (Fight[State]) AddItem(Result, Model.FightItemAt(c));
    return Result;
  }
  TItems All{};

 private:
  const TModel& Model;
  const TGraph& Graph;
  std::vector<bool> Fight;
};

// For every state reached from the start, the largest item sets a walk from it can gather:
// the strongly connected parts of the move graph, where every item of a part can be had on
// the way through, and for each part the maximal sets over the parts a walk goes on to. The
// moves of one gate can be left out, as if it were sealed.
struct TFutures {
  static constexpr std::uint32_t Unreached = 0xFFFFFFFFU;
  static constexpr std::size_t MaxFamily = 24;
  std::vector<std::uint32_t> Part;  // the part of each state; Unreached when not reached
  std::vector<std::pair<std::uint32_t, std::uint32_t>> Family;  // by part: into Pool
  std::vector<TItems> Pool;
  bool Merged = false;  // a family grew too large and was merged into one set

  // Every item some walk from the state reaches.
  TItems Reach(std::uint32_t State) const {
    TItems Result{};
    const auto [Begin, Count] = Family[Part[State]];
    for (std::uint32_t k = Begin; k < Begin + Count; ++k) Result = Result | Pool[k];
    return Result;
  }
  bool CanGather(std::uint32_t State, const TItems& Have, const TItems& All) const {
    if (Part[State] == Unreached) return false;
    const auto [Begin, Count] = Family[Part[State]];
    for (std::uint32_t k = Begin; k < Begin + Count; ++k)
      if ((Pool[k] | Have) == All) return true;
    return false;
  }
};

TFutures FuturesOf(const TGraph& G, const TItemMap& Items, int SkipGate = -1) {
  const std::size_t N = G.Table.Size();
  TFutures F;
  F.Part.assign(N, TFutures::Unreached);
  auto Usable = [&](const TEdge& E) {
    return E.To != DeadState && (SkipGate < 0 || E.Gate != SkipGate);
  };
  // Tarjan's algorithm without recursion; parts come out sinks first.
  constexpr std::uint32_t NoIndex = 0xFFFFFFFFU;
  std::vector<std::uint32_t> Index(N, NoIndex), Low(N, 0);
  std::vector<bool> OnStack(N, false);
  std::vector<std::uint32_t> Stack;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> Calls;  // state, next edge
  std::uint32_t Next = 0;
  std::uint32_t Parts = 0;
  std::vector<TItems> Candidates, Kept;
  std::vector<std::uint32_t> Seen;
  auto Enter = [&](std::uint32_t S) {
    Index[S] = Low[S] = Next++;
    Stack.push_back(S);
    OnStack[S] = true;
    Calls.push_back({S, G.First[S]});
  };
  Enter(0);
  while (!Calls.empty()) {
    auto& [S, e] = Calls.back();
    if (e < G.First[S + 1]) {
      const TEdge& E = G.Edges[e++];
      if (!Usable(E)) continue;
      if (Index[E.To] == NoIndex) {
        Enter(E.To);
      } else if (OnStack[E.To]) {
        Low[S] = std::min(Low[S], Index[E.To]);
      }
      continue;
    }
    const std::uint32_t Done = S;
    Calls.pop_back();
    if (!Calls.empty()) Low[Calls.back().first] = std::min(Low[Calls.back().first], Low[Done]);
    if (Low[Done] != Index[Done]) continue;
    // A part is complete: its states are on the stack down to Done.
    const std::uint32_t P = Parts++;
    auto It = Stack.end();
    do {
      --It;
      OnStack[*It] = false;
      F.Part[*It] = P;
    } while (*It != Done);
    TItems Own{};
    for (auto Member = It; Member != Stack.end(); ++Member) Own = Own | Items.Of(*Member);
    Candidates.assign(1, Own);
    Seen.clear();
    for (auto Member = It; Member != Stack.end(); ++Member)
      for (std::uint32_t k = G.First[*Member]; k < G.First[*Member + 1]; ++k) {
        const TEdge& E = G.Edges[k];
        if (!Usable(E) || F.Part[E.To] == P) continue;
        const std::uint32_t Q = F.Part[E.To];
        if (std::find(Seen.begin(), Seen.end(), Q) != Seen.end()) continue;
        Seen.push_back(Q);
        const auto [Begin, Count] = F.Family[Q];
        for (std::uint32_t f = Begin; f < Begin + Count; ++f) Candidates.push_back(Own | F.Pool[f]);
      }
    Stack.erase(It, Stack.end());
    // Keep the maximal sets only; one successor that already holds them all is shared.
    std::sort(Candidates.begin(), Candidates.end(), [](const TItems& A, const TItems& B) {
      int a = 0, b = 0;
      for (int w = 0; w < ItemWords; ++w) {
        a += std::popcount(A[w]);
        b += std::popcount(B[w]);
      }
      return a > b;
    });
    Kept.clear();
    for (const TItems& C : Candidates)
      if (std::none_of(Kept.begin(), Kept.end(), [&](const TItems& K) { return Within(C, K); }))
        Kept.push_back(C);
    if (Kept.size() > TFutures::MaxFamily) {
      TItems Union{};
      for (const TItems& K : Kept) Union = Union | K;
      Kept.assign(1, Union);
      F.Merged = true;
    }
    if (Seen.size() == 1 && F.Family[Seen[0]].second == Kept.size() &&
        std::equal(Kept.begin(), Kept.end(), F.Pool.begin() + F.Family[Seen[0]].first)) {
      F.Family.push_back(F.Family[Seen[0]]);
    } else {
      F.Family.push_back(
          {static_cast<std::uint32_t>(F.Pool.size()), static_cast<std::uint32_t>(Kept.size())});
      F.Pool.insert(F.Pool.end(), Kept.begin(), Kept.end());
    }
  }
  return F;
}

// For every state, the smallest item sets the hero may hold there while he can still complete
// the level: what the walks from the start gather, as long as the level stays winnable on the
// way. A move is a trap when one of them is not enough after it. A larger set that a smaller
// one hides may still do after a move that traps the smaller one: traps beyond a first trap
// can then show only once it is mended, but a level without traps is found to be one. A state
// with too many sets keeps the first ones only.
// The families of all states share one pool: each state heads a list of set numbers, and the
// few different sets are kept once (a level has millions of states, but its families draw on a
// handful of sets).
class THistories {
 public:
  static constexpr std::size_t MaxFamily = 24;
  explicit THistories(std::size_t States) : Head(States, None) {}
  bool Empty(std::uint32_t State) const { return Head[State] == None; }
  // The first set of the state's family the predicate holds for; nullptr when there is none.
  template <class TPred>
  const TItems* FindIf(std::uint32_t State, TPred&& Pred) const {
    for (std::uint32_t n = Head[State]; n != None; n = Nodes[n].Next)
      if (Pred(Sets[Nodes[n].Set])) return &Sets[Nodes[n].Set];
    return nullptr;
  }
  void Family(std::uint32_t State, std::vector<TItems>& Out) const {
    Out.clear();
    for (std::uint32_t n = Head[State]; n != None; n = Nodes[n].Next)
      Out.push_back(Sets[Nodes[n].Set]);
  }
  // Drops the sets of the family that hold New.
  void EraseWider(std::uint32_t State, const TItems& New) {
    for (std::uint32_t* Link = &Head[State]; *Link != None;) {
      if (Within(New, Sets[Nodes[*Link].Set]))
        *Link = Nodes[*Link].Next;
      else
        Link = &Nodes[*Link].Next;
    }
  }
  std::size_t Count(std::uint32_t State) const {
    std::size_t Result = 0;
    for (std::uint32_t n = Head[State]; n != None; n = Nodes[n].Next) ++Result;
    return Result;
  }
  void Add(std::uint32_t State, const TItems& Set) {
    const auto [It, New] = Ids.try_emplace(Set, static_cast<std::uint32_t>(Sets.size()));
    if (New) Sets.push_back(Set);
    // At the end of the list: the family keeps the order its sets came in.
    const auto Node = static_cast<std::uint32_t>(Nodes.size());
    Nodes.push_back({It->second, None});
    std::uint32_t* Link = &Head[State];
    while (*Link != None) Link = &Nodes[*Link].Next;
    *Link = Node;
  }
  bool Cut = false;

 private:
  static constexpr std::uint32_t None = 0xFFFFFFFFU;
  struct TNode {
    std::uint32_t Set;
    std::uint32_t Next;
  };
  std::vector<std::uint32_t> Head;
  std::vector<TNode> Nodes;
  std::vector<TItems> Sets;
  std::map<TItems, std::uint32_t> Ids;
};

THistories HistoriesOf(const TGraph& G, const TItemMap& Items, const TFutures& Futures) {
  const std::size_t N = G.Table.Size();
  THistories H(N);
  if (N == 0) return H;
  const TItems Start = Items.Of(0);
  if (!Futures.CanGather(0, Start, Items.All)) return H;
  H.Add(0, Start);
  std::vector<std::uint32_t> Work{0};
  std::vector<bool> Queued(N, false);
  Queued[0] = true;
  std::vector<TItems> From;
  for (std::size_t w = 0; w < Work.size(); ++w) {
    const std::uint32_t S = Work[w];
    Queued[S] = false;
    H.Family(S, From);
    for (std::uint32_t e = G.First[S]; e < G.First[S + 1]; ++e) {
      const std::uint32_t T = G.Edges[e].To;
      if (T == DeadState) continue;
      const TItems There = Items.Of(T);
      bool Changed = false;
      for (const TItems& Had : From) {
        const TItems New = Had | There;
        if (H.FindIf(T, [&](const TItems& Old) { return Within(Old, New); }) != nullptr) continue;
        if (!Futures.CanGather(T, New, Items.All)) continue;
        H.EraseWider(T, New);
        if (H.Count(T) >= THistories::MaxFamily) {
          H.Cut = true;
          continue;
        }
        H.Add(T, New);
        Changed = true;
      }
      if (Changed && !Queued[T]) {
        Queued[T] = true;
        Work.push_back(T);
      }
    }
  }
  return H;
}

// Marks every state from which a marked state can be reached, over the graph's edges.
std::vector<bool> BackwardFrom(const TGraph& G, std::vector<bool> Marked,
                               const std::vector<bool>* Within = nullptr) {
  const std::size_t N = G.Table.Size();
  std::vector<std::uint32_t> Count(N + 1, 0);
  for (const TEdge& E : G.Edges)
    if (E.To != DeadState) ++Count[E.To + 1];
  for (std::size_t i = 0; i < N; ++i) Count[i + 1] += Count[i];
  std::vector<std::uint32_t> Rev(Count[N]);
  std::vector<std::uint32_t> Fill(Count.begin(), Count.end() - 1);
  for (std::uint32_t From = 0; From < N; ++From)
    for (std::uint32_t e = G.First[From]; e < G.First[From + 1]; ++e)
      if (G.Edges[e].To != DeadState) Rev[Fill[G.Edges[e].To]++] = From;
  std::vector<std::uint32_t> Queue;
  for (std::uint32_t i = 0; i < N; ++i)
    if (Marked[i]) Queue.push_back(i);
  while (!Queue.empty()) {
    const std::uint32_t S = Queue.back();
    Queue.pop_back();
    for (std::uint32_t k = Count[S]; k < Count[S + 1]; ++k) {
      const std::uint32_t P = Rev[k];
      if (Marked[P] || (Within != nullptr && !(*Within)[P])) continue;
      Marked[P] = true;
      Queue.push_back(P);
    }
  }
  return Marked;
}

// The cells where a scorpion stings a hero who stands still: every cell of its patrol along
// its row (it walks onto floor that never moves and turns at walls and gaps), and the cell
// right of it when that has a floor and no wall between. Locks count as open, and scorpions
// never turn at each other: a patrol is taken as long as it can be. Each scorpion's own cells
// go to Patrols when it is given, one list per scorpion.
std::vector<bool> StingCells(const TLevelDescription& L,
                             std::vector<std::vector<int>>* Patrols = nullptr) {
  std::vector<bool> Moving(L.Codes.size(), false);
  const TModel Tracks(L, true, {});
  for (const TPlatform& P : Tracks.Platforms)
    for (int c : P.Track) Moving[static_cast<std::size_t>(c)] = true;
  auto Wall = [&](int x, int y) {
    return !L.Inside(x, y) || (L.Has(x, y, gcWallVert) && !L.Has(x, y, gcLockVert));
  };
  auto StillFloor = [&](int x, int y) {
    return L.Inside(x, y + 1) && L.Has(x, y + 1, gcWallHorz) &&
           !Moving[static_cast<std::size_t>((y + 1) * L.Width + x)];
  };
  std::vector<bool> Stung(L.Codes.size(), false);
  std::vector<int>* Own = nullptr;
  auto Sting = [&](int c) {
    Stung[static_cast<std::size_t>(c)] = true;
    if (Own != nullptr) Own->push_back(c);
  };
  auto Mark = [&](int x, int y) {
    Sting(y * L.Width + x);
    if (L.Inside(x + 1, y) && !Wall(x + 1, y) && L.Inside(x + 1, y + 1) &&
        L.Has(x + 1, y + 1, gcWallHorz))
      Sting(y * L.Width + x + 1);
  };
  for (int y = 0; y < L.Height; ++y)
    for (int x = 0; x < L.Width; ++x) {
      if (!L.Has(x, y, gcScorpion)) continue;
      if (Patrols != nullptr) Own = &Patrols->emplace_back();
      Mark(x, y);
      for (int l = x; !Wall(l, y) && L.Inside(l - 1, y) && StillFloor(l - 1, y); --l)
        Mark(l - 1, y);
      for (int r = x; !Wall(r + 1, y) && StillFloor(r + 1, y); ++r) Mark(r + 1, y);
    }
  return Stung;
}

}  // namespace

std::string GateText(const TGate& Gate) {
  const char* Kind = Gate.Kind == TGate::LockVert   ? "lock (wall)"
                     : Gate.Kind == TGate::LockHorz ? "lock (floor)"
                                                    : "switch";
  return std::string(Kind) + " at (" + std::to_string(Gate.Cell.X) + ", " +
         std::to_string(Gate.Cell.Y) + ")";
}

bool TLevelVerdict::HasDeathLoop() const {
  return std::any_of(Resurrections.begin(), Resurrections.end(),
                     [](const TResurrection& R) { return R.CertainDeath; });
}

std::vector<TGate> TLevelVerdict::UnneededNamedGates() const {
  std::vector<TGate> Result;
  for (const TGateVerdict& G : Gates)
    if (G.Named && !G.Needed) Result.push_back(G.Gate);
  return Result;
}

bool CanCompleteWithout(const TLevelDescription& Level, const std::vector<TGate>& Sealed,
                        const TAnalysisLimits& Limits) {
  const TModel M(Level, false, Sealed);
  if (!M.Fits || M.ItemCount() > ItemWords * 64) return false;
  TGraph G;
  Explore(M, G, Limits);
  const TItemMap Items(M, G);
  return FuturesOf(G, Items).CanGather(0, Items.Of(0), Items.All);
}

TGenerousReach GenerousReach(const TLevelDescription& Level) {
  TGenerousReach R;
  R.Reached.assign(Level.Codes.size(), false);
  if (Level.Width < 2 || Level.Height < 2 || !Level.Inside(Level.Start.X, Level.Start.Y)) return R;
  const TModel M(Level, true, {});
  TGraph G;
  Explore(M, G, {});
  for (std::size_t i = 0; i < G.Table.Size(); ++i) R.Reached[G.Table.Pos(i) / 8] = true;
  for (const TPoint& Gold : M.GoldCells)
    if (!R.Reached[static_cast<std::size_t>(Gold.Y * Level.Width + Gold.X)])
      R.UnreachableGold.push_back(Gold);
  return R;
}

std::vector<TPoint> GenerousUnreachableGold(const TLevelDescription& Level) {
  return GenerousReach(Level).UnreachableGold;
}

TLevelVerdict AnalyzeLevel(const TLevelDescription& Level, const std::vector<TGate>& NamedGates,
                           const TAnalysisLimits& Limits) {
  const auto Begin = std::chrono::steady_clock::now();
  TLevelVerdict V;
  if (Level.Width < 5 || Level.Height < 4 ||
      Level.Codes.size() != static_cast<std::size_t>(Level.Width * Level.Height)) {
    V.Error = "The map must have at least 5 columns and 4 rows.";
    return V;
  }
  if (!Level.Inside(Level.Start.X, Level.Start.Y)) {
    V.Error = "The start cell lies outside the map.";
    return V;
  }
  const TModel M(Level, false, {});
  if (!M.Fits) {
    V.Error = "Too many locks, keys, switches and platforms for one state.";
    return V;
  }
  if (M.ItemCount() > ItemWords * 64) {
    V.Error =
        "Too many gold pieces and side fights (at most " + std::to_string(ItemWords * 64) + ").";
    return V;
  }
  V.Notes = M.Notes;
  TGraph G;
  Explore(M, G, Limits);
  if (G.Truncated) {
    V.Incomplete = true;
    V.Notes.push_back(
        "state limit reached: the search is incomplete, verdicts cover the states found");
  }
  const std::size_t N = G.Table.Size();
  V.States = N;

  // A state can still complete the level when the items a walk on from it gathers, with those
  // the hero holds there whichever way he came, are all of them.
  const TItemMap Items(M, G);
  const TFutures Futures = FuturesOf(G, Items);
  if (Futures.Merged)
    V.Notes.push_back("many different ways on: the sets of gold still to be had were merged");
  const THistories Histories = HistoriesOf(G, Items, Futures);
  std::vector<bool> CanWin(N, false);
  for (std::uint32_t i = 0; i < N; ++i) CanWin[i] = !Histories.Empty(i);
  V.Completable = CanWin[0];
  V.CompletableStates = static_cast<std::size_t>(std::count(CanWin.begin(), CanWin.end(), true));

  // States from which the hero still lands on a floor somewhere, and those from which a fall
  // to his death is possible. (A hero whose gold is out of reach is lost on every way on.)
  std::vector<bool> StandMark(N, false), DiesMark(N, false);
  for (std::uint32_t i = 0; i < N; ++i) {
    StandMark[i] = G.Table.Pos(i) % 8 == Standing;
    for (std::uint32_t e = G.First[i]; e < G.First[i + 1]; ++e)
      if (G.Edges[e].To == DeadState) DiesMark[i] = true;
  }
  const std::vector<bool> Lands = BackwardFrom(G, StandMark);
  const std::vector<bool> CanDie = BackwardFrom(G, DiesMark);

  // Cells.
  const int Cells = Level.Width * Level.Height;
  std::vector<bool> Reached(Cells, false), RouteCell(Cells, false);
  V.Cells.assign(static_cast<std::size_t>(Cells), TLevelVerdict::Unreached);
  for (std::size_t i = 0; i < N; ++i) {
    const int c = static_cast<int>(G.Table.Pos(i) / 8);
    Reached[c] = true;
    if (CanWin[i]) RouteCell[c] = true;
  }

  // Traps and deadly moves, by cell and move.
  std::vector<std::vector<int>> Patrols;
  const std::vector<bool> Stung = StingCells(Level, &Patrols);
  // The trap's target state, and the gold out of reach for a hero who holds what he held.
  std::map<std::tuple<int, int, std::uint8_t>, std::pair<std::uint32_t, TItems>> TrapAt;
  std::set<std::pair<int, std::uint8_t>> Deadly;
  for (std::uint32_t i = 0; i < N; ++i) {
    if (!CanWin[i]) continue;
    for (std::uint32_t e = G.First[i]; e < G.First[i + 1]; ++e) {
      const TEdge& E = G.Edges[e];
      const int c = static_cast<int>(G.Table.Pos(i) / 8);
      if (E.To == DeadState) {
        Deadly.insert({c, E.Move});
        continue;
      }
      const TItems There = Items.Of(E.To);
      const TItems* Short = Histories.FindIf(
          i, [&](const TItems& Had) { return !Futures.CanGather(E.To, Had | There, Items.All); });
      if (Short == nullptr) continue;
      if (!Lands[E.To]) {
        Deadly.insert({c, E.Move});
        continue;
      }
      const int To = static_cast<int>(G.Table.Pos(E.To) / 8);
      TItems Missing = Items.All;
      const TItems Held = *Short | There | Futures.Reach(E.To);
      for (int w = 0; w < ItemWords; ++w) Missing[w] &= ~Held[w];
      TrapAt.emplace(std::make_tuple(c, To, E.Move), std::make_pair(E.To, Missing));
    }
  }
  for (const auto& [Key, Target] : TrapAt) {
    const auto [c, ToCell, Move] = Key;
    const std::uint32_t To = Target.first;
    TTrap T;
    for (int g = 0; g < static_cast<int>(M.GoldCells.size()); ++g)
      if ((Target.second[static_cast<std::size_t>(g / 64)] >> (g % 64) & 1U) != 0)
        T.GoldLost.push_back(M.GoldCells[static_cast<std::size_t>(g)]);
    T.Cell = {M.X(c), M.Y(c)};
    T.Move = MoveText(Move);
    T.Lands = {M.X(ToCell), M.Y(ToCell)};
    T.CanDie = CanDie[To];
    {
      // What the hero carries and has opened when he makes the move.
      const TDyn D = G.Table.State(To).Dyn;
      T.Situation = std::to_string(M.KeysCarried(D)) + " key(s) carried";
      for (std::size_t l = 0; l < M.LockGates.size(); ++l)
        if (M.Opened(D, static_cast<int>(l)))
          T.Situation += ", " + GateText(M.LockGates[l]) + " open";
      for (const TPlatform& P : M.Platforms)
        if (P.ModeBit >= 0 && M.ModeOf(D, P) == Running)
          T.Situation += ", piece from (" + std::to_string(P.Start.X) + ", " +
                         std::to_string(P.Start.Y) + ") started";
    }
    // Cells reachable after the move.
    std::vector<bool> Seen(N, false);
    std::vector<bool> CellSeen(Cells, false);
    std::vector<std::uint32_t> Stack{To};
    Seen[To] = true;
    while (!Stack.empty()) {
      const std::uint32_t S = Stack.back();
      Stack.pop_back();
      CellSeen[G.Table.Pos(S) / 8] = true;
      for (std::uint32_t e = G.First[S]; e < G.First[S + 1]; ++e)
        if (const std::uint32_t t = G.Edges[e].To; t != DeadState && !Seen[t]) {
          Seen[t] = true;
          Stack.push_back(t);
        }
    }
    T.StuckCells = static_cast<int>(std::count(CellSeen.begin(), CellSeen.end(), true));
    // Where every floor left to him is a scorpion's, he is stung and comes back to life
    // elsewhere: a deadly move, not a trap; unless the level has an amulet, which he may hold.
    bool SafeFloor = false;
    for (std::uint32_t S = 0; S < N && !SafeFloor; ++S)
      SafeFloor = Seen[S] && G.Table.Pos(S) % 8 == Standing && !Stung[G.Table.Pos(S) / 8];
    if (!SafeFloor && !Level.HasAmulet) {
      Deadly.insert({c, Move});
      continue;
    }
    V.Traps.push_back(T);
  }
  V.DeadlyMoves = static_cast<int>(Deadly.size());

  // Resurrection points: the start, and every cell entered on a screen change.
  std::map<int, TResurrection> Points;
  std::set<std::pair<int, TDyn>> Checked;
  auto Screen = [&](int c) { return std::make_pair(M.X(c) / 5, M.Y(c) / 4); };
  // A hero who comes to rest where a scorpion passes is stung unless some way of moves takes
  // him to a floor of his screen that no scorpion reaches, or off the screen (he then comes
  // back to life elsewhere).
  auto Escapes = [&](const TState& From) {
    const auto Home = Screen(static_cast<int>(From.Pos / 8));
    std::set<std::pair<std::uint32_t, TDyn>> Seen{{From.Pos, From.Dyn}};
    std::vector<TState> Stack{From};
    bool Safe = false;
    while (!Stack.empty() && !Safe) {
      const TState S = Stack.back();
      Stack.pop_back();
      M.Successors(S, [&](const TOutcome& O) {
        if (O.Dead || Safe) return;
        const int c = static_cast<int>(O.To.Pos / 8);
        if (Screen(c) != Home || (O.To.Pos % 8 == Standing && !Stung[c])) {
          Safe = true;
          return;
        }
        if (Seen.insert({O.To.Pos, O.To.Dyn}).second) Stack.push_back(O.To);
      });
    }
    return Safe;
  };
  auto CheckPoint = [&](int c, const TDyn& D) {
    if (!Checked.insert({c, D}).second) return;
    TResurrection& R = Points.emplace(c, TResurrection{{M.X(c), M.Y(c)}}).first->second;
    if (M.FloorOf(D, M.X(c), M.Y(c)) == Solid) {
      if (Stung[c] && !Escapes(M.Make(M.X(c), M.Y(c), Standing, D))) {
        R.CertainDeath = true;
        R.ByScorpion = true;
      }
      return;
    }
    R.Standing = false;
    // Pressing no key: only gravity and the platforms act.
    std::set<std::pair<std::uint32_t, TDyn>> Seen;
    std::vector<TState> Stack{M.Make(M.X(c), M.Y(c), AirNoSteer, D)};
    bool Dies = false;
    bool Stands = false;
    while (!Stack.empty()) {
      const TState S = Stack.back();
      Stack.pop_back();
      if (!Seen.insert({S.Pos, S.Dyn}).second) continue;
      if (S.Pos % 8 == Standing) {
        if (Stung[S.Pos / 8] && !Escapes(S)) {
          Dies = true;
          R.ByScorpion = true;
        } else {
          Stands = true;
        }
        continue;
      }
      M.Successors(S, [&](const TOutcome& O) {
        if ((O.Move & 0x7F) != mFall) return;
        if (O.Dead)
          Dies = true;
        else
          Stack.push_back(O.To);
      });
    }
    if (Dies && !Stands) R.CertainDeath = true;
    if (Dies && Stands) R.PossibleDeath = true;
  };
  CheckPoint(static_cast<int>(G.Table.Pos(0) / 8), G.Table.State(0).Dyn);
  for (std::uint32_t i = 0; i < N; ++i)
    for (std::uint32_t e = G.First[i]; e < G.First[i + 1]; ++e) {
      const TEdge& E = G.Edges[e];
      if (E.To == DeadState) continue;
      const int From = static_cast<int>(G.Table.Pos(i) / 8);
      const int To = static_cast<int>(G.Table.Pos(E.To) / 8);
      if (Screen(From) != Screen(To)) CheckPoint(To, G.Table.State(E.To).Dyn);
    }
  for (auto& [c, R] : Points) V.Resurrections.push_back(R);

  // Space.
  std::set<std::pair<int, int>> ScreensEntered;
  for (int c = 0; c < Cells; ++c) {
    if (Reached[c]) {
      ++V.ReachableCells;
      if (!RouteCell[c]) ++V.DeadEndCells;
      V.Cells[static_cast<std::size_t>(c)] =
          RouteCell[c] ? TLevelVerdict::Route : TLevelVerdict::DeadEnd;
      ScreensEntered.insert(Screen(c));
    } else {
      ++V.UnreachableCells;
      const bool Solid =
          Level.Has(M.X(c), M.Y(c), gcWallVert) && Level.Has(M.X(c), M.Y(c), gcWallHorz);
      if (!Solid) {
        ++V.UnreachableOpenCells;
        if (M.X(c) >= Level.Width / 5 * 5 || M.Y(c) >= Level.Height / 4 * 4)
          ++V.UnreachableOpenBorderCells;
      }
    }
  }
  // A scorpion is on the way when its patrol reaches a cell of a way that completes the level.
  V.Scorpions = static_cast<int>(Patrols.size());
  for (const std::vector<int>& Patrol : Patrols)
    if (std::any_of(Patrol.begin(), Patrol.end(),
                    [&](int c) { return RouteCell[static_cast<std::size_t>(c)]; }))
      ++V.ScorpionsOnRoute;
  V.Screens = (Level.Width / 5) * (Level.Height / 4);
  for (int sx = 0; sx < Level.Width / 5; ++sx)
    for (int sy = 0; sy < Level.Height / 4; ++sy)
      if (!ScreensEntered.count({sx, sy})) ++V.EmptyScreens;

  // Gates: every lock and switch, sealed one at a time.
  std::vector<TGate> All = M.LockGates;
  for (const TPoint& S : M.SwitchCells) All.push_back({TGate::Switch, S});
  for (const TGate& Named : NamedGates)
    if (std::find(All.begin(), All.end(), Named) == All.end())
      V.Notes.push_back("named gate " + GateText(Named) + " is not in the map");
  for (std::size_t i = 0; i < All.size(); ++i) {
    TGateVerdict GV;
    GV.Gate = All[i];
    GV.Named = std::find(NamedGates.begin(), NamedGates.end(), All[i]) != NamedGates.end();
    GV.Needed = V.Completable &&
                !FuturesOf(G, Items, static_cast<int>(i)).CanGather(0, Items.Of(0), Items.All);
    V.Gates.push_back(GV);
  }
  V.UnreachableGold = GenerousUnreachableGold(Level);
  V.Milliseconds =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - Begin).count();
  return V;
}

}  // namespace karvan
