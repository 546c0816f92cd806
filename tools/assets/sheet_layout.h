// Where every picture sits in the eleven sprite sheets. The game copies
// these rectangles (left, top, right, bottom; right and bottom exclusive)
// straight out of the sheets, so the drawing code places its art by them
// and the tests read the generated files back against them.
//
// Header-only on purpose: the tests include it without the generator.
#pragma once

#include <array>
#include <span>

namespace layout {

struct Rect {
    int left, top, right, bottom;
    const char* what = "";
    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
};

struct Sheet {
    const char* fileName;  // UTF-8, inside Bitmap/
    int width, height;
    std::span<const Rect> rects;
};

// Map cells: one 64×64 picture per cell code, then the two wall glints.
namespace bg {
inline constexpr int cell = 64;
inline constexpr Rect meadow{0, 0, 64, 64, "code 0: open meadow outside the cave"};
inline constexpr Rect crag{64, 0, 128, 64, "code 1: crag wall with crystals, glints in area 40"};
inline constexpr Rect ruin{128, 0, 192, 64, "code 2: old masonry round the pit"};
inline constexpr Rect caveWall{192, 0, 256, 64, "code 3: cave rock wall"};
inline constexpr Rect caveFloor{256, 0, 320, 64, "code 4: cave earth floor"};
inline constexpr Rect hallWall{320, 0, 384, 64, "code 5: deep hall block wall"};
inline constexpr Rect hallFloor{384, 0, 448, 64, "code 6: deep hall flagstones"};
inline constexpr Rect pit{448, 0, 512, 64, "code 7: the pit down into the cave"};
inline constexpr Rect glintSmall{0, 64, 64, 128, "first glint: small twinkle at the top-left corner"};
inline constexpr Rect glintLarge{64, 64, 128, 128, "second glint: full star at the top-left corner"};
}  // namespace bg
inline constexpr std::array backgroundRects{bg::meadow,    bg::crag,      bg::ruin,
                                            bg::caveWall,  bg::caveFloor, bg::hallWall,
                                            bg::hallFloor, bg::pit,       bg::glintSmall,
                                            bg::glintLarge};

// The hero: column = facing (up, right, down, left), row = walking phase.
namespace hero {
inline constexpr int cell = 64;
constexpr Rect frame(int facing, int phase, const char* what) {
    return {64 * facing, 64 * phase, 64 * facing + 64, 64 * phase + 64, what};
}
inline constexpr Rect gaugeEmpty{257, 0, 265, 42, "charge gauge, empty frame"};
inline constexpr Rect gaugeFill{257, 67, 265, 107, "charge gauge filling, top row shown first"};
}  // namespace hero
inline constexpr std::array characterRects{
    hero::frame(0, 0, "hero facing up, step A"),    hero::frame(0, 1, "hero facing up, step B"),
    hero::frame(1, 0, "hero facing right, step A"), hero::frame(1, 1, "hero facing right, step B"),
    hero::frame(2, 0, "hero facing down, step A"),  hero::frame(2, 1, "hero facing down, step B"),
    hero::frame(3, 0, "hero facing left, step A"),  hero::frame(3, 1, "hero facing left, step B"),
    hero::gaugeEmpty,                               hero::gaugeFill};

// Sword swings: cell 2 × facing + k, k 0 for the first frame, 1 after.
namespace sword {
constexpr Rect frame(int facing, int k, const char* what) {
    return {64 * (2 * facing + k), 0, 64 * (2 * facing + k) + 64, 64, what};
}
}  // namespace sword
inline constexpr std::array swordRects{
    sword::frame(0, 0, "swing up, raised"),    sword::frame(0, 1, "swing up, sweep"),
    sword::frame(1, 0, "swing right, raised"), sword::frame(1, 1, "swing right, sweep"),
    sword::frame(2, 0, "swing down, raised"),  sword::frame(2, 1, "swing down, sweep"),
    sword::frame(3, 0, "swing left, raised"),  sword::frame(3, 1, "swing left, sweep")};

// Enemy kinds 0..5, then the boss's two shots in cells 6 and 7.
namespace foe {
constexpr Rect cell(int index, const char* what) { return {64 * index, 0, 64 * index + 64, 64, what}; }
}  // namespace foe
inline constexpr std::array enemyRects{
    foe::cell(0, "kind 0: slime"),        foe::cell(1, "kind 1: wraith, drifts through walls"),
    foe::cell(2, "kind 2: cave bat"),     foe::cell(3, "kind 3: shell beetle"),
    foe::cell(4, "kind 4: bone knight"),  foe::cell(5, "kind 5: stone golem"),
    foe::cell(6, "boss shot of volley A: violet orb"),
    foe::cell(7, "boss shot of volley B: fireball")};

// Hit-point gauge: the bar is cut from its left, so only its right end is shaped.
namespace hp {
inline constexpr Rect label{0, 0, 35, 18, "HP label"};
inline constexpr Rect bar{35, 0, 281, 18, "full bar, 246 wide; shorter bars keep the right end"};
inline constexpr Rect trough{0, 18, 281, 36, "empty gauge under label and bar"};
}  // namespace hp
inline constexpr std::array hpRects{hp::label, hp::bar, hp::trough};

namespace ex {
inline constexpr Rect expLabel{0, 0, 32, 18, "EX label"};
inline constexpr Rect levelLabel{32, 0, 64, 18, "LV label (its last column is the ST label's first)"};
inline constexpr Rect staminaLabel{63, 0, 92, 18, "ST label"};
inline constexpr Rect cellEmpty{92, 0, 110, 18, "empty stamina cell"};
inline constexpr Rect cellFull{110, 0, 128, 18, "full stamina cell, cut from its left when partial"};
inline constexpr Rect levelUp{0, 18, 80, 36, "LEVEL UP caption over the hero"};
inline constexpr Rect startNotice{0, 84, 256, 132, "notice at the start of play"};
inline constexpr Rect quakeNotice{0, 129, 256, 177, "notice after an earthquake (shares rows 129-131)"};
constexpr Rect bossNotice(int k, const char* what) { return {0, 177 + 45 * k, 256, 222 + 45 * k, what}; }
}  // namespace ex
inline constexpr std::array exRects{
    ex::expLabel,    ex::levelLabel,  ex::staminaLabel, ex::cellEmpty, ex::cellFull, ex::levelUp,
    ex::startNotice, ex::quakeNotice,
    ex::bossNotice(0, "boss notice, last 99 frames"), ex::bossNotice(1, "boss notice, middle 100 frames"),
    ex::bossNotice(2, "boss notice, first 100 frames"), ex::bossNotice(3, "boss notice, single opening frame")};

// Digits 0..9 in 16×18 cells; the glyphs keep to 10 columns because
// the game sets digits 10 pixels apart.
namespace digits {
inline constexpr int cellWidth = 16, cellHeight = 18;
inline constexpr int glyphLeft = 3, glyphWidth = 10;
constexpr Rect digit(int d, const char* what) { return {16 * d, 0, 16 * d + 16, 18, what}; }
inline constexpr Rect maxLevel{0, 18, 34, 38, "MAX, shown instead of level 99"};
}  // namespace digits
inline constexpr std::array digitRects{
    digits::digit(0, "0"), digits::digit(1, "1"), digits::digit(2, "2"), digits::digit(3, "3"),
    digits::digit(4, "4"), digits::digit(5, "5"), digits::digit(6, "6"), digits::digit(7, "7"),
    digits::digit(8, "8"), digits::digit(9, "9"), digits::maxLevel};

namespace boss {
constexpr Rect pose(int k, const char* what) { return {128 * k, 0, 128 * k + 128, 128, what}; }
}  // namespace boss
inline constexpr std::array bossRects{boss::pose(0, "boss hovering"), boss::pose(1, "boss casting"),
                                      boss::pose(2, "boss charging")};

namespace opening {
inline constexpr Rect title{0, 0, 550, 330, "title, shown 330 rows high at most"};
inline constexpr Rect menu{0, 376, 550, 483, "title lit up when the menu appears (drawn 20,10 up-left of the title)"};
inline constexpr Rect easy{25, 335, 157, 379, "choice 0: EASY (also the difficulty label)"};
inline constexpr Rect normal{316, 335, 489, 373, "choice 1: NORMAL"};
inline constexpr Rect normalLabel{316, 335, 487, 373, "difficulty label NORMAL, two columns narrower"};
inline constexpr Rect hard{165, 335, 305, 379, "choice 2: HARD (also the difficulty label)"};
inline constexpr Rect cursor{26, 486, 200, 528, "blinking plate behind the chosen difficulty"};
inline constexpr Rect crack{210, 480, 235, 525, "glowing crack over the standing stone"};
inline constexpr Rect burst{230, 480, 265, 515, "flash where the stone stood"};
inline constexpr Rect shard1{288, 488, 305, 505, "stone shard 1"};
inline constexpr Rect shard2{308, 488, 325, 505, "stone shard 2"};
inline constexpr Rect shard3{328, 488, 345, 505, "stone shard 3"};
// The title is drawn at (50, 60) and the menu picture at (30, 50).
inline constexpr int menuShiftX = 20, menuShiftY = 10;
}  // namespace opening
inline constexpr std::array openingRects{
    opening::title,  opening::menu,  opening::easy,  opening::normal, opening::normalLabel,
    opening::hard,   opening::cursor, opening::crack, opening::burst, opening::shard1,
    opening::shard2, opening::shard3};

namespace opening2 {
inline constexpr Rect scene{0, 0, 320, 240, "moor at dusk; cut 310 wide at x 0, 5 or 10 as the screen shakes"};
inline constexpr Rect stone{0, 100, 45, 145, "standing stone on the moor; also the scene's own left edge"};
// Where the game draws each: the scene at (0, 240) from x 5 (0 or 10 while
// the screen shakes), the stone at (160, 344).
inline constexpr int sceneScreenY = 240;
inline constexpr int stoneScreenX = 160, stoneScreenY = 344;
}  // namespace opening2
inline constexpr std::array opening2Rects{opening2::scene, opening2::stone};

namespace ending {
inline constexpr Rect picture{0, 0, 471, 218, "sunrise over the valley, 218 rows high at most"};
inline constexpr Rect theEnd{0, 220, 220, 269, "THE END caption"};
inline constexpr Rect gameOver{220, 220, 450, 269, "GAME OVER caption"};
inline constexpr Rect scoreLabel{0, 270, 67, 300, "SCORE label over the rolling digits"};
inline constexpr Rect bestLabel{68, 269, 140, 285, "BEST label over the best score"};
}  // namespace ending
inline constexpr std::array endingRects{ending::picture, ending::theEnd, ending::gameOver,
                                        ending::scoreLabel, ending::bestLabel};

// In the order the game loads them.
inline constexpr std::array<Sheet, 11> sheets{{
    {"背景.bmp", 512, 128, backgroundRects},
    {"キャラ.bmp", 265, 128, characterRects},
    {"剣.bmp", 512, 64, swordRects},
    {"敵.bmp", 512, 64, enemyRects},
    {"HP.bmp", 281, 36, hpRects},
    {"EX.bmp", 256, 357, exRects},
    {"数字.bmp", 160, 38, digitRects},
    {"ボス.bmp", 384, 128, bossRects},
    {"オープニング.bmp", 550, 528, openingRects},
    {"オープニング2.bmp", 320, 240, opening2Rects},
    {"エンディング.bmp", 471, 300, endingRects},
}};

// The palette entry whose red the game lowers while a wall glints.
inline constexpr int glintEntry = 40;

}  // namespace layout
