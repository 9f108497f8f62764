#pragma once

// The four texture pictures of the room, each over the unit square (x to the
// right, y up, as the texture's s and t).

#include "canvas.h"

// Paper label that wraps once round a bottle body: two framed panels, each
// with the name on a coloured band, a medallion and lines of small print.
Picture bottleLabel();

// Pale, straight-grained wood for chairs and stool seats; tiles both ways.
Picture lightWood();

// The end of a log seen across a round table top: growth rings round an
// off-centre heart and fine streaks along the rings.
Picture tableWood();

// A dartboard filling the inscribed circle: 20 numbered segments, double and
// treble rings, outer and inner bull, on a dark surround.
Picture dartboardFace();
