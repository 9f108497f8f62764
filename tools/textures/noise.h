#pragma once

// Deterministic noise for the procedural pictures: the same inputs give the
// same values on every run, with no state and no clock.

#include <cstdint>

// A fixed-seed pseudo-random sequence (SplitMix64).
class SplitMix {
   public:
    explicit SplitMix(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    // Uniform in [0, 1).
    double uniform();

   private:
    std::uint64_t state_;
};

// Smooth value noise in [0, 1) on an integer lattice that repeats every
// periodX cells along x and periodY cells along y, so a picture built from it
// tiles when its coordinates cover whole periods.
double valueNoise(double x, double y, int periodX, int periodY, std::uint32_t seed);

// Sum of octaves of value noise, each at twice the frequency and half the
// weight of the one before, normalised to [0, 1).
double fractalNoise(double x, double y, int periodX, int periodY, int octaves, std::uint32_t seed);
