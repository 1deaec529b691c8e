// The program's one random generator: a linear congruential generator whose
// state is shared by every random choice of the animation.
#pragma once
#include <cstdint>

// state -> state * RandomMultiplier + RandomIncrement, modulo 2^32.
const uint32_t RandomMultiplier = 214013u;
const uint32_t RandomIncrement = 2531011u;

void SeedRandom(uint32_t seed);

// Steps the generator; returns 0 to 32767.
int32_t NextRandom();

// 0 to n - 1 from exactly one NextRandom value; n >= 1.
int32_t RandomBelow(int32_t n);

// What RandomBelow(n) makes of the generator value r (0 to 32767), drawing nothing.
int32_t ScaleRandomBelow(int32_t r, int32_t n);

// The generator state itself, for code that runs the sequence ahead in bulk.
uint32_t GetRandomState();

// Seed taken from the local time at the animation thread's start.
uint32_t SeedFromLocalTime(uint16_t day, uint16_t hour, uint16_t minute, uint16_t second);
