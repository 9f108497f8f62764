#pragma once

// The L-shaped serving counter with its rail. Leaves blackGlossMaterial current.
void drawCounter();
