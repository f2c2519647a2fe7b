// A viewer-facing, axis-aligned, textured and coloured rectangle.
#pragma once

namespace aerolume::render {

class Texture;

struct SpriteQuad {
  float x = 0, y = 0, z = 0;  // centre, world units
  float width = 1, height = 1;
  float r = 1, g = 1, b = 1, a = 1;
  const Texture* texture = nullptr;  // not owned; none shows the plain colour

  void Set(const Texture* tex, float cx, float cy, float cz, float w, float h);  // colour unchanged
  void SetPosition(float cx, float cy, float cz);
  void Draw() const;  // one GL_QUADS primitive, counter-clockwise seen from the eye
};

}  // namespace aerolume::render
