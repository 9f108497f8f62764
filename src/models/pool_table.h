#pragma once

// One pool table at the origin on the floor, 10.2 long along x and 5.54 wide
// along z, its felt at height 2.5. Leaves woodMaterial current.
void drawPoolTable();

// The quarter of the table with x >= 0 and z >= 0; drawPoolTable mirrors it.
void drawPoolTableQuarter();
