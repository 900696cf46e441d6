#pragma once

// One point of the response, stored exactly as read.
struct ResponsePoint {
  double x;  // frequency, Hz
  double y;  // amplitude
};
