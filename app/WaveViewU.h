// The wave view's picture and its pointer mapping, apart from the window so
// that the editor and the command-line renderer draw the same pixels.
#pragma once

#include "platform/Canvas.h"

#include <cstdint>

namespace waveview {

constexpr int kSamples = 256;
constexpr int kColumns = 128;  // samples shown at once
constexpr int kMaxScroll = 128;

// White background on columns 0..511, rows 0..254, and the red centre line
// on row 127.
void Clear(TCanvas& canvas);

// Clear, then the bars of samples P .. P+127: blue, 4 pixels wide. A negative
// sample v fills rows 127 .. 126-v; a positive one the inverted rectangle
// from 128 up to 127-v, which the canvas turns into rows 128-v .. 128.
void Draw(TCanvas& canvas, const std::int16_t* wave, int P);

// Pointer to sample: column (X-1)/4 toward zero, plus P, limited to 0..255.
// The move handler limits X to 0..512 first (limitX); the press handler not.
int IndexAt(int X, int P, bool limitX);
// 127 - Y limited to -128..127.
int ValueAt(int Y);

}  // namespace waveview
