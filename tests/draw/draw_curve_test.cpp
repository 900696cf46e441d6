#include "draw/draw_curve.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>
#include <string>

namespace {

constexpr int width = 90, height = 70;
constexpr int red = 1;

gdImagePtr blank() {
  gdImagePtr im = gdImageCreate(width, height);
  gdImageColorAllocate(im, 255, 255, 255);
  gdImageColorAllocate(im, 255, 0, 0);
  return im;
}

// The first pixel where the two images differ, or "" when none does.
std::string first_difference(gdImagePtr a, gdImagePtr b, int x1, int y1, int x2, int y2) {
  for (int y = y1; y <= y2; ++y) {
    for (int x = x1; x <= x2; ++x) {
      if (gdImageGetPixel(a, x, y) != gdImageGetPixel(b, x, y)) {
        return std::to_string(x) + "," + std::to_string(y);
      }
    }
  }
  return "";
}

using Rng = std::mt19937;
int uniform(Rng& rng, int lo, int hi) {
  return std::uniform_int_distribution<int>(lo, hi)(rng);
}

// Columns walked left to right (or right to left), several vertices each.
VertexList dense(Rng& rng, bool descending, int swing) {
  VertexList v;
  int base = uniform(rng, 0, height);
  for (int x = -5; x < width + 5; ++x) {
    int column = descending ? width - 1 - x : x;
    for (int k = uniform(rng, 1, 6); k > 0; --k) {
      v.push_back({column, base + uniform(rng, -swing, swing)});
    }
    if (uniform(rng, 0, 4) == 0) x += uniform(rng, 1, 8);  // a gap
  }
  return v;
}

// Alternating between a few points, inside and outside, back and forth.
VertexList zig_zag(Rng& rng) {
  PixelPoint corners[4];
  int count = uniform(rng, 2, 4);
  for (int i = 0; i < count; ++i) {
    corners[i] = {uniform(rng, -60, width + 60), uniform(rng, -60, height + 60)};
  }
  VertexList v;
  for (int i = uniform(rng, 2, 400); i > 0; --i) v.push_back(corners[uniform(rng, 0, count - 1)]);
  return v;
}

// Vertices anywhere, mostly outside the image.
VertexList scattered(Rng& rng, int n) {
  VertexList v;
  for (int i = 0; i < n; ++i) {
    v.push_back({uniform(rng, -3 * width, 4 * width), uniform(rng, -3 * height, 4 * height)});
  }
  return v;
}

// Few distinct vertices, each repeated; sometimes all the same, or one column.
VertexList repeated(Rng& rng) {
  VertexList v;
  int n = uniform(rng, 0, 12);
  bool one_column = uniform(rng, 0, 1) == 1;
  PixelPoint p{uniform(rng, -2, width + 1), uniform(rng, -2, height + 1)};
  for (int i = 0; i < n; ++i) {
    if (uniform(rng, 0, 2) == 0) {
      p = {one_column ? p.x : uniform(rng, -2, width + 1), uniform(rng, -2, height + 1)};
    }
    for (int k = uniform(rng, 1, 3); k > 0; --k) v.push_back(p);
  }
  return v;
}

// The curve as one gdImageLine per consecutive pair of vertices.
void reference(gdImagePtr im, const VertexList& v) {
  for (size_t i = 0; i + 1 < v.size(); ++i) {
    gdImageLine(im, v[i].x, v[i].y, v[i + 1].x, v[i + 1].y, red);
  }
}

TEST(DrawCurve, SamePixelsAsOneLinePerSegment) {
  struct Kind {
    const char* name;
    std::function<VertexList(Rng&)> make;
    int lists;
  };
  const Kind kinds[] = {
      {"dense", [](Rng& r) { return dense(r, false, 3); }, 60},
      {"noisy", [](Rng& r) { return dense(r, false, 30); }, 60},
      {"descending", [](Rng& r) { return dense(r, true, 30); }, 60},
      {"full swings", [](Rng& r) { return dense(r, uniform(r, 0, 1) == 1, 200); }, 60},
      {"zig-zag", zig_zag, 100},
      {"clipped", [](Rng& r) { return scattered(r, uniform(r, 2, 60)); }, 100},
      {"repeated", repeated, 100},
      // More long segments than the memory of drawn ones holds.
      {"many long", [](Rng& r) { return scattered(r, 300000); }, 1},
  };
  Rng rng(13);
  for (const Kind& kind : kinds) {
    for (int list = 0; list < kind.lists; ++list) {
      VertexList v = kind.make(rng);
      // The mapping's stand-in for a point beyond any pixel.
      if (list % 10 == 9)
        v.insert(v.begin() + v.size() / 2, {INT32_MIN, list % 20 < 10 ? INT32_MIN : 5});
      gdImagePtr ours = blank(), libgd = blank();
      // Some lists are drawn inside a clipping rectangle smaller than the image.
      if (list % 3 == 2) {
        int x1 = uniform(rng, 0, 20), y1 = uniform(rng, 0, 20);
        gdImageSetClip(ours, x1, y1, x1 + 50, y1 + 40);
        gdImageSetClip(libgd, x1, y1, x1 + 50, y1 + 40);
      }
      draw_curve(ours, v, red);
      reference(libgd, v);
      EXPECT_EQ("", first_difference(libgd, ours, 0, 0, width - 1, height - 1))
          << kind.name << " list " << list << " of " << v.size() << " vertices";
      gdImageDestroy(ours);
      gdImageDestroy(libgd);
    }
  }
}

// draw_curve draws a segment it has seen in either direction once, which
// is right only while libgd draws an unclipped segment alike both ways.
TEST(DrawCurve, LibgdDrawsUnclippedSegmentBothWaysAlike) {
  Rng rng(31);
  gdImagePtr forward = blank(), backward = blank();
  for (int round = 0; round < 20000; ++round) {
    int x1 = uniform(rng, 0, width - 1), y1 = uniform(rng, 0, height - 1);
    int x2 = uniform(rng, 0, width - 1), y2 = uniform(rng, 0, height - 1);
    if (round % 4 == 0) x2 = x1 + (y2 - y1) * (round % 8 == 0 ? 1 : -1);  // diagonals
    if (x2 < 0 || x2 >= width) x2 = x1;
    gdImageLine(forward, x1, y1, x2, y2, red);
    gdImageLine(backward, x2, y2, x1, y1, red);
    ASSERT_EQ("", first_difference(forward, backward, std::min(x1, x2), std::min(y1, y2),
                                   std::max(x1, x2), std::max(y1, y2)))
        << x1 << "," << y1 << " " << x2 << "," << y2;
    gdImageLine(forward, x1, y1, x2, y2, 0);
    gdImageLine(backward, x2, y2, x1, y1, 0);
  }
  gdImageDestroy(forward);
  gdImageDestroy(backward);
}

}  // namespace
