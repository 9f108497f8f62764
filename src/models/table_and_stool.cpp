#include "models/table_and_stool.h"

void drawRoundTable(float /*sx*/, float /*sy*/, float /*sz*/) {}

void drawStool(float /*sx*/, float /*sy*/, float /*sz*/) {}
