// The side-scene factory of the game: the figures with behaviour of their own get their
// classes, every other side figure is the engine's plain one.
#include <memory>

#include "game/karvan_form.h"
#include "sprites/map_sprite.h"
#include "sprites/side_hero_sprites.h"
#include "sprites/snake_sprite.h"
#include "sprites/spider_sprite.h"
#include "sprites/star_sprite.h"
#include "sprites/stone_sprites.h"
#include "sprites/vase_sprites.h"

namespace karvan {

namespace {

template <class TFigure>
void Place(TSideCellRec& Side, TSideCrystal Crystal, int x, int y, TLCDForm& Form) {
  Side.Sprites.Slot(Crystal) = std::make_unique<TFigure>(x, y, Crystal, Form);
}

}  // namespace

void TKarvanForm::CreateSideCrystal(TSideCrystal Crystal, int x, int y) {
  TSideCellRec& Side = SideArr[x][y];
  switch (Crystal) {
    case scVase:
      Place<TVaseSprite>(Side, Crystal, x, y, *this);
      break;
    case scAnkh:
      Place<TAnkhSprite>(Side, Crystal, x, y, *this);
      break;
    case scAmulet:
      Place<TAmuletSprite>(Side, Crystal, x, y, *this);
      break;
    case scHeroPlatform:
      Place<TSideHeroRightSprite>(Side, Crystal, x, y, *this);
      break;
    case scStoneRight:
      Place<TStoneSprite>(Side, Crystal, x, y, *this);
      break;
    case scDiamondSnake:
      Place<TSnakeSprite>(Side, Crystal, x, y, *this);
      break;
    case scStarStone:
      Place<TStarSprite>(Side, Crystal, x, y, *this);
      break;
    case scHeroLeft:
    case scHeroTop:
      Place<TSideHeroLeftSprite>(Side, Crystal, x, y, *this);
      break;
    case scStoneLeft:
      Place<TStoneLeftSprite>(Side, Crystal, x, y, *this);
      break;
    case scSpiderBig:
      Place<TSpiderSprite>(Side, Crystal, x, y, *this);
      break;
    case scMap:
      Place<TMapSprite>(Side, Crystal, x, y, *this);
      break;
    default:
      TLCDForm::CreateSideCrystal(Crystal, x, y);
      break;
  }
}

}  // namespace karvan
