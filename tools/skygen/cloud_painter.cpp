#include "tools/skygen/cloud_painter.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/skygen/gradient_noise.h"

namespace aerolume::skygen {
namespace {

// Picture coordinates run from -1 to 1 on both axes, y up.

// One heap of the cloud: an ellipse whose surface bulges towards the viewer.
struct Lobe {
  float x, y, rx, ry;
};

// One small round puff on a heap's surface; the cauliflower texture of cumulus.
struct Puff {
  float x, y, r, z;
};

// The heaps of one cloud: a main dome and smaller heaps beside and on it on a common flat base,
// plus a few detached small clouds; spread turns the dome into a wide low patch. The whole
// cluster is fitted inside [-limit, limit]. base receives the y of the flat base.
std::vector<Lobe> PlanLobes(const CloudLook& look, RandomSource& random, float limit,
                            float& base) {
  const float spread = look.spread;
  std::vector<Lobe> lobes;
  const float mainRx = 0.30f;
  const float mainRy = mainRx * (1.05f - 0.6f * spread);
  lobes.push_back({random.Between(-0.06f, 0.06f), mainRy * 0.8f, mainRx, mainRy});
  const float halfWidth = 0.48f + 0.4f * spread;
  for (int i = 0; i < look.lobes; ++i) {
    const float side = (i % 2 == 0) ? 1.0f : -1.0f;  // alternate, so the heap stays balanced
    const float x = side * random.Between(0.1f, 1.0f) * halfWidth;
    const float reach = 1.0f - std::fabs(x) / halfWidth;  // 1 in the middle, 0 at the sides
    const float r = random.Between(0.1f, 0.18f) * (0.7f + 0.6f * reach);
    const float rx = r * (1.0f + 0.8f * spread);
    const float ry = r * (1.0f - 0.45f * spread);
    const float lift = reach * random.Between(0.2f, 0.5f) * (1.0f - 0.85f * spread);
    // Wide patches grow in tiers instead of upwards.
    const float tier = spread * (0.3f * static_cast<float>(i % 3 == 2) -
                                 0.12f * static_cast<float>(i % 3 == 1));
    lobes.push_back({x, ry * 0.8f + lift + tier, rx, ry});
  }
  float left = 1e9f, right = -1e9f, bottom = 1e9f, top = -1e9f;
  for (const Lobe& l : lobes) {
    left = std::min(left, l.x - l.rx);
    right = std::max(right, l.x + l.rx);
    bottom = std::min(bottom, l.y - l.ry);
    top = std::max(top, l.y + l.ry);
  }
  // Leave room above and below for the detached small clouds.
  const float scale = std::min(2.0f * limit / (right - left), 1.1f * limit / (top - bottom));
  const float cx = (left + right) * 0.5f;
  const float cy = (bottom + top) * 0.5f;
  for (Lobe& l : lobes) {
    l.x = (l.x - cx) * scale;
    l.y = (l.y - cy) * scale - 0.05f;
    l.rx *= scale;
    l.ry *= scale;
  }
  base = (bottom - cy) * scale - 0.05f;
  return lobes;
}

// Small separate clouds around the main one, so overlapping copies make a field, not a wall.
void AddSatellites(std::vector<Lobe>& lobes, RandomSource& random, float limit, float spread) {
  const int count = 3;
  const float anchors[3][2] = {{-0.55f, 0.5f}, {0.5f, 0.55f}, {0.05f, -0.62f}};
  for (int i = 0; i < count; ++i) {
    const float r = random.Between(0.09f, 0.15f);
    const float rx = r * (1.2f + 0.8f * spread);
    const float ry = r * (0.8f - 0.3f * spread);
    const float x = std::clamp(anchors[i][0] + random.Between(-0.1f, 0.1f), -limit + rx, limit - rx);
    const float y = std::clamp(anchors[i][1] + random.Between(-0.06f, 0.06f), -limit + ry, limit - ry);
    lobes.push_back({x, y, rx, ry});
  }
}

// Puffs scattered over each heap, larger ones inside, small ones bulging at the rim.
std::vector<Puff> ScatterPuffs(const std::vector<Lobe>& lobes, RandomSource& random,
                               float depthScale) {
  std::vector<Puff> puffs;
  for (const Lobe& l : lobes) {
    const int count = 10 + static_cast<int>(600.0f * l.rx * l.ry);
    const float lobeR = std::min(l.rx, l.ry);
    for (int i = 0; i < count; ++i) {
      float u = 0, v = 0;
      do {
        u = random.Between(-1.0f, 1.0f);
        v = random.Between(-1.0f, 1.0f);
      } while (u * u + v * v > 1.0f);
      const float dist = std::sqrt(u * u + v * v);
      const float k = random.Unit();
      const float r = lobeR * (0.14f + 0.36f * k * k) * (1.2f - 0.5f * dist);
      const float z = depthScale * lobeR * std::sqrt(std::max(0.0f, 1.0f - dist * dist));
      puffs.push_back({l.x + u * l.rx * 0.9f, l.y + v * l.ry * 0.9f, r, z});
    }
  }
  return puffs;
}

// Box blur of radius r pixels, applied twice (close to a Gaussian).
GreyPicture Blur(const GreyPicture& source, int r) {
  GreyPicture a = source;
  GreyPicture b(source.Width(), source.Height());
  const int w = source.Width();
  const int h = source.Height();
  const float scale = 1.0f / static_cast<float>(2 * r + 1);
  for (int pass = 0; pass < 2; ++pass) {
    for (int y = 0; y < h; ++y) {
      float sum = 0;
      for (int x = 0; x <= std::min(r, w - 1); ++x) sum += a.At(x, y);
      for (int x = 0; x < w; ++x) {
        b.At(x, y) = sum * scale;
        if (x + r + 1 < w) sum += a.At(x + r + 1, y);
        if (x - r >= 0) sum -= a.At(x - r, y);
      }
    }
    for (int x = 0; x < w; ++x) {
      float sum = 0;
      for (int y = 0; y <= std::min(r, h - 1); ++y) sum += b.At(x, y);
      for (int y = 0; y < h; ++y) {
        a.At(x, y) = sum * scale;
        if (y + r + 1 < h) sum += b.At(x, y + r + 1);
        if (y - r >= 0) sum -= b.At(x, y - r);
      }
    }
  }
  return a;
}

}  // namespace

CloudPictures PaintCloud(const CloudLook& look, int size, RandomSource& random) {
  GradientNoise noise(random);
  const float limit = 0.7f;
  float base = 0;
  std::vector<Lobe> lobes = PlanLobes(look, random, limit, base);
  // The main cloud's top: its base-to-top shading ignores the small clouds around it.
  float top = -1;
  for (const Lobe& l : lobes) top = std::max(top, l.y + l.ry);
  AddSatellites(lobes, random, limit, look.spread);
  const float depthScale = 0.75f - 0.45f * look.spread;
  const std::vector<Puff> puffs = ScatterPuffs(lobes, random, depthScale);
  const float half = size * 0.5f;
  // The cloud is planned in its own units, where the main heap spans -limit..limit; zoom shows
  // more than -1..1 of them so that the heap covers only look.width of the picture and clear
  // sky surrounds it: stacked copies then leave gaps to see through.
  const float zoom = limit / std::clamp(look.width, 0.1f, limit);
  auto toX = [half, zoom](int column) { return (column + 0.5f - half) / half * zoom; };
  auto toY = [half, zoom](int row) { return (half - row - 0.5f) / half * zoom; };
  auto toColumn = [half, zoom](float x) { return static_cast<int>((x / zoom + 1.0f) * half); };
  auto toRow = [half, zoom](float y) { return static_cast<int>((1.0f - y / zoom) * half); };

  // Surface height towards the viewer: the puffs over each pixel merged by a soft maximum, so
  // that they join in rounded folds rather than sharp creases.
  constexpr float kFold = 0.012f;
  GreyPicture merged(size, size);
  for (const Puff& p : puffs) {
    const int x0 = std::max(0, toColumn(p.x - p.r));
    const int x1 = std::min(size - 1, toColumn(p.x + p.r) + 1);
    const int y0 = std::max(0, toRow(p.y + p.r));
    const int y1 = std::min(size - 1, toRow(p.y - p.r) + 1);
    for (int row = y0; row <= y1; ++row) {
      const float dy = toY(row) - p.y;
      for (int column = x0; column <= x1; ++column) {
        const float dx = toX(column) - p.x;
        const float d2 = p.r * p.r - dx * dx - dy * dy;
        if (d2 > 0) merged.At(column, row) += std::exp((p.z + std::sqrt(d2)) / kFold - 40.0f);
      }
    }
  }
  // Each heap's own rounded body under its puffs fills the gaps between them.
  for (const Lobe& l : lobes) {
    const float lift = (depthScale + 0.25f) * std::min(l.rx, l.ry);
    const int x0 = std::max(0, toColumn(l.x - l.rx));
    const int x1 = std::min(size - 1, toColumn(l.x + l.rx) + 1);
    const int y0 = std::max(0, toRow(l.y + l.ry));
    const int y1 = std::min(size - 1, toRow(l.y - l.ry) + 1);
    for (int row = y0; row <= y1; ++row) {
      const float dy = (toY(row) - l.y) / l.ry;
      for (int column = x0; column <= x1; ++column) {
        const float dx = (toX(column) - l.x) / l.rx;
        const float d2 = 1.0f - dx * dx - dy * dy;
        // A flatter profile than a sphere's, so the body meets its puffs without a crease.
        if (d2 > 0) merged.At(column, row) += std::exp(lift * d2 / kFold - 40.0f);
      }
    }
  }
  GreyPicture height(size, size);
  for (int row = 0; row < size; ++row)
    for (int column = 0; column < size; ++column) {
      const float sum = merged.At(column, row);
      height.At(column, row) = sum > 0 ? std::max(0.0f, kFold * (std::log(sum) + 40.0f)) : 0.0f;
    }
  // Small-scale relief so that no puff is a perfect sphere, and a softened copy for normals.
  for (int row = 0; row < size; ++row) {
    for (int column = 0; column < size; ++column) {
      float& h = height.At(column, row);
      if (h > 0) h = std::max(0.0f, h + 0.026f * noise.Fractal(toX(column) * 14.0f, toY(row) * 14.0f, 4));
    }
  }
  // Blur radii in pixels for the same softness in cloud units whatever the zoom.
  auto radius = [size, zoom](float divisor, int least) {
    return std::max(least, static_cast<int>(static_cast<float>(size) / (divisor * zoom)));
  };
  const GreyPicture smooth = Blur(height, radius(200.0f, 1));
  // Normals come from a softer surface still, so small puffs in front of big ones do not cut
  // dark grooves.
  const GreyPicture rounded = Blur(height, radius(110.0f, 1));
  const GreyPicture wide = Blur(height, radius(48.0f, 2));

  const float lx = look.lightTilt, ly = 0.8f, lz = 0.8f;
  const float ln = std::sqrt(lx * lx + ly * ly + lz * lz);
  const float pixel = zoom / half;
  const float windowEnd = 1.0f - 2.2f * kCloudClearMargin;

  CloudPictures result{ColourPicture(size, size), GreyPicture(size, size)};
  for (int row = 0; row < size; ++row) {
    for (int column = 0; column < size; ++column) {
      const float x = toX(column);
      const float y = toY(row);
      const float h = smooth.At(column, row);
      // Opacity: the surface's thickness, its outline frayed into soft wisps.
      const float near = SmoothStep(0.0f, 0.03f, wide.At(column, row));
      const float fray = near > 0 ? noise.Fractal(x * 7.0f + 40.0f, y * 7.0f, 5, 0.55f) : 0.0f;
      // Wide patches get softer, hazier outlines.
      const float body = h + look.spread * 0.8f * (wide.At(column, row) - h);
      const float thick = body + (0.045f * fray - 0.01f) * near;
      float opacity = look.maxOpacity * (1.0f - std::exp(-look.thickness * 6.0f *
                                                        std::max(0.0f, thick)));
      const float corner = std::pow(std::pow(std::fabs(x / zoom), 4.0f) +
                                        std::pow(std::fabs(y / zoom), 4.0f), 0.25f);
      opacity *= 1.0f - SmoothStep(windowEnd - 0.1f, windowEnd, corner);

      // Light: the surface's slope towards the sun, crevices between puffs, a greyer base.
      const int cl = std::max(0, column - 1), cr = std::min(size - 1, column + 1);
      const int ru = std::max(0, row - 1), rd = std::min(size - 1, row + 1);
      auto slope = [&](const GreyPicture& g, float& sx, float& sy) {
        sx = (g.At(cr, row) - g.At(cl, row)) / ((cr - cl) * pixel);
        sy = (g.At(column, ru) - g.At(column, rd)) / ((rd - ru) * pixel);
      };
      float fx = 0, fy = 0, rx = 0, ry = 0;
      slope(smooth, fx, fy);
      slope(rounded, rx, ry);
      // Big forms from the soft surface, the puffs' own roundness from the sharper one.
      const float gx = 0.45f * rx + 0.4f * fx;
      const float gy = 0.45f * ry + 0.4f * fy;
      const float nn = std::sqrt(gx * gx + gy * gy + 1.0f);
      const float facing = (-gx * lx - gy * ly + lz) / (nn * ln);
      const float diffuse = std::clamp((facing + 0.3f) / 1.3f, 0.0f, 1.0f);
      const float crevice = std::clamp(1.0f - 5.0f * (wide.At(column, row) - h), 0.0f, 1.0f);
      const float rise = SmoothStep(base, base + 0.6f * (top - base), y);
      float light = diffuse * (0.55f + 0.45f * crevice);
      light *= 1.0f - look.baseDarkening * (1.0f - rise);
      Colour c = Mix(Mix(look.lit, look.shade, look.shadowDepth), look.lit, std::pow(light, 0.9f));
      c = c + look.lit * (0.12f * std::pow(diffuse, 6.0f));  // sunlit crowns
      // Thin edges facing the sun glow.
      const float edge = 1.0f - SmoothStep(0.0f, 0.7f, opacity);
      c = c + look.rim * (look.rimStrength * edge * std::max(0.0f, facing));
      result.colour.At(column, row) = c;
      result.opacity.At(column, row) = opacity > 0.002f ? opacity : 0.0f;
    }
  }
  return result;
}

}  // namespace aerolume::skygen
