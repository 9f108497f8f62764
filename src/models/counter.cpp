#include "models/counter.h"

void drawCounter() {}
