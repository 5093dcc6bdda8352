// Levels 1 to 8: small one-screen puzzles that introduce walls, keys and locks, switches and
// platforms, a scorpion, the snake and the spider.
#include "game/karvan_form.h"
#include "levels/built_in_levels.h"

namespace karvan {

// Level 1: walk and jump to the gold.
void TLevel24::Create() {
  TKarvanLevel::Create();
  AddRow("5,4,4,4,4,1");
  AddRow("1,0,0,0,0,1");
  AddRow("1,0,0,0,64,1");
  AddRow("17,0,0,5,4,0");
  AddRow("4,4,4,0,0,0");
  AddRow("0,0,0,0,0,0");
  ParentForm.xResurrect = 0;
  ParentForm.yResurrect = 3;
}

// Level 2: a lift, a key for the locked wall and a scorpion on the way.
void TLevel1::Create() {
  TKarvanLevel::Create();
  AddRow("5,69,7,4,4 ,4,4,4,4,4, 1,0,0,0,0");
  AddRow("1,4,4,4,4 ,5,4,0,0,1025, 1,0,0,0,0");
  AddRow("1,0,0,1,0 ,0,0,0,5,0, 1,0,0,0,0");
  AddRow("1,0,1,4,36 ,4,4,4,0,640, 1,0,0,0,0");
  AddRow("4,4,0,4,4 ,4,4,4,4,4, 1,0,0,0,0");
  StartPlatform(2, PosTop, 1500, 1500);
  ParentForm.xResurrect = 0;
  ParentForm.yResurrect = 3;
}

// Level 3: two switches, two lifts.
void TLevel2::Create() {
  TKarvanLevel::Create();
  AddRow("5,4,4,4,68 ,1");
  AddRow("5,0,644,1,4 ,1");
  AddRow("1,0,4,0,0 ,1");
  AddRow("1,640,1,0,0 ,1");
  AddRow("4,4,4,4,4 ,4");
  ParentForm.xResurrect = 0;
  ParentForm.yResurrect = 0;
}

// Level 4: a deep fall onto the gold, two screens high.
void TLevel3::Create() {
  TKarvanLevel::Create();
  AddRow("5,4,4,4,4 ,1");
  AddRow("5,0,0,0,0 ,1");
  AddRow("1,0,0,0,0 ,1");
  AddRow("1,0,0,0,0 ,1");
  AddRow("1,0,0,0,0 ,1");
  AddRow("1,0,0,0,0 ,1");
  AddRow("1,0,0,0,0 ,1");
  AddRow("1,0,0,0,64 ,1");
  AddRow("1,0,0,0,4 ,1");
  ParentForm.xResurrect = 0;
  ParentForm.yResurrect = 0;
}

// Level 5: three switches whose platforms take turns.
void TLevel4::Create() {
  TKarvanLevel::Create();
  AddRow("5,5,4,644,5   ,1");
  AddRow("1,644,1,69,0 ,1");
  AddRow("1,4,0,4,0 ,1");
  AddRow("645,1,0,0,0 ,1");
  AddRow("4,4,4,4,4 ,1");
  ParentForm.xResurrect = 0;
  ParentForm.yResurrect = 3;
}

// Level 6: no gold; the snake guarding the diamond must be beaten from the platform.
void TLevel5::Create() {
  TKarvanLevel::Create();
  AddRow("5,4,4,4,4, 1");
  AddRow("1,0,0,0,1024, 3");
  AddRow("1,0,0,0,5, 0");
  AddRow("1,0,0,5,0, 0");
  AddRow("4,4,4,0,0, 0");
  ShowSide(0, 0, scDiamondSnake);
  ShowSide(0, 0, scVerticalLine);
  ParentForm.xResurrect = 0;
  ParentForm.yResurrect = 3;
}

// Level 7: no gold; stones thrown at the spider open the exit.
void TLevel6::Create() {
  TKarvanLevel::Create();
  AddRow("5,4,4,4,4, 1");
  AddRow("3,0,0,0,0, 1");
  AddRow("4,1025,0,0,0, 1");
  AddRow("0,4,1,0,0, 1");
  AddRow("0,0,4,4,4, 0");
  ShowSide(0, 0, scSpiderBig);
  ParentForm.SideArr[0][0].Sprites[scSpiderBig]->SpriteDir = PosBottom;
  ShowSide(0, 0, scExit);
  ShowSide(0, 0, scExitDoor);
  ParentForm.xResurrect = 4;
  ParentForm.yResurrect = 3;
}

// Level 8: the switches of level 5 with a different floor.
void TLevel7::Create() {
  TKarvanLevel::Create();
  AddRow("5,4,4,644,5   ,1");
  AddRow("1,644,1,69,0 ,1");
  AddRow("1,4,0,5,0 ,1");
  AddRow("1,640,1,0,0 ,1");
  AddRow("4,4,4,4,4 ,1");
  ParentForm.xResurrect = 0;
  ParentForm.yResurrect = 3;
}

}  // namespace karvan
