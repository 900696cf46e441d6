#pragma once

// Where the plot area lies in the image. The frame is drawn just outside it.
constexpr int plot_left = 60;      // room for the amplitude labels
constexpr int plot_top = 60;       // room for the caption
constexpr int right_margin = 20;   // between the plot area and the image's right edge
constexpr int bottom_margin = 40;  // room for the frequency labels and the axis name

constexpr int plot_right_of(int size_x) {
  return size_x - right_margin;
}
constexpr int plot_bottom_of(int size_y) {
  return size_y - bottom_margin;
}

// Amplitude labels end just before this column, two columns clear of the frame.
constexpr int label_right = 56;
// Frequency labels start this many rows below the plot area.
constexpr int label_gap = 6;
