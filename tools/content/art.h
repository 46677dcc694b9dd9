// The drawing of every sheet and picture. A frame drawer paints picture
// `picture` (0-based) of a graphic object into a w x h cell whose top-left is
// the origin of the context.
#pragma once

#include <cairo.h>

#include <string>

using FrameDrawer = void (*)(cairo_t* cr, int w, int h, int picture);

// The drawer of an Animation graphic object; nullptr when there is none.
FrameDrawer FindFrameDrawer(const std::string& goName);

// creatures.cpp
void DrawSperm1(cairo_t* cr, int w, int h, int picture);
void DrawSperm3(cairo_t* cr, int w, int h, int picture);
void DrawBubbleSperm(cairo_t* cr, int w, int h, int picture);
void DrawVirus1(cairo_t* cr, int w, int h, int picture);
void DrawVirus2(cairo_t* cr, int w, int h, int picture);
void DrawVirus3(cairo_t* cr, int w, int h, int picture);
void DrawGlassBubble(cairo_t* cr, int w, int h, int picture);

// gear.cpp
void DrawSchuss(cairo_t* cr, int w, int h, int picture);
void DrawKondom(cairo_t* cr, int w, int h, int picture);
void DrawAbroll(cairo_t* cr, int w, int h, int picture);
void DrawTorpedo(cairo_t* cr, int w, int h, int picture);
void DrawTorpedoScore(cairo_t* cr, int w, int h, int picture);
void DrawRohr(cairo_t* cr, int w, int h, int picture);
// A small horizontal condom (the minus sign of the digits), centred on (cx, cy).
void DrawMiniCondom(cairo_t* cr, double cx, double cy, double length);

// lettering.cpp
void DrawZahlen(cairo_t* cr, int w, int h, int picture);
void DrawBigNumbers(cairo_t* cr, int w, int h, int picture);
void DrawCongratulations(cairo_t* cr, int w, int h, int picture);
void DrawPoints(cairo_t* cr, int w, int h, int picture);
void DrawGameover(cairo_t* cr, int w, int h, int picture);
void DrawScoreLabel(cairo_t* cr, int w, int h, int picture);
void DrawTimeLabel(cairo_t* cr, int w, int h, int picture);
void DrawButtonToStart(cairo_t* cr, int w, int h, int picture);
void DrawTitle(cairo_t* cr, int w, int h, int picture);
void DrawPlayAndWin(cairo_t* cr, int w, int h, int picture);
void DrawTitleVelmora(cairo_t* cr, int w, int h, int picture);
void DrawMakerLogo(cairo_t* cr, int w, int h, int picture);
void DrawVelmoraLogo(cairo_t* cr, int w, int h, int picture);
// The campaign emblem (heart, ring and name) centred on (cx, cy) with radius r;
// shine in 0..1 sweeps a glint across it.
void DrawVelmoraEmblem(cairo_t* cr, double cx, double cy, double r, double shine);

// cave.cpp
void DrawFloor1(cairo_t* cr, int w, int h, int picture);
void DrawFloor2(cairo_t* cr, int w, int h, int picture);
void DrawFloor3(cairo_t* cr, int w, int h, int picture);
void DrawFloor4(cairo_t* cr, int w, int h, int picture);
void DrawCeiling1(cairo_t* cr, int w, int h, int picture);
void DrawCeiling2(cairo_t* cr, int w, int h, int picture);
void DrawCeiling3(cairo_t* cr, int w, int h, int picture);
void DrawCeiling4(cairo_t* cr, int w, int h, int picture);
void DrawPillar(cairo_t* cr, int w, int h, int picture);
void DrawSnake(cairo_t* cr, int w, int h, int picture);

// The full pictures (pictures.cpp). Set 0 is the warm cave ("sb"), 1 the night cave ("fb").
void DrawBackground(cairo_t* cr, int w, int h, int set);
void DrawInfoPicture(cairo_t* cr, int w, int h, int set);
void DrawMenuPicture(cairo_t* cr, int w, int h, bool withNewsFrame);
