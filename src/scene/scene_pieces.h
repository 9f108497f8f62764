#pragma once

// Geometry that lives directly in the scene's display lists rather than in a
// modelling routine of its own. Each records into the list its caller has open.

// Pool lamp, origin at its suspension point: the glowing sphere and two bulbs.
void drawPoolLamp();
// The bulbs over the two round tables, in world coordinates.
void drawTableBulbs();
// Four balls on the felt, in the pool table's frame.
void drawPoolBalls();
// The faceted mirror ball, centred at the origin.
void drawMirrorBall();
// Three shelf planks in the shelving frame.
void drawBackShelves();
// The translucent hood of the pool lamp.
void drawPoolShade();
// The translucent shades over the two round tables, in world coordinates.
void drawTableShades();
// Every bottle and glass of the room, in world coordinates.
void drawBottleGroups();
