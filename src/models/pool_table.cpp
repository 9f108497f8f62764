#include "models/pool_table.h"

void drawPoolTable() {}

void drawPoolTableQuarter() {}
