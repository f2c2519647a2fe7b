#include "render/sprite_quad.h"

#include <GL/gl.h>

#include "render/texture.h"

namespace aerolume::render {

// Gives the quad its picture, centre and size; its colour stays.
void SpriteQuad::Set(const Texture* tex, float cx, float cy, float cz, float w, float h) {
  texture = tex;
  x = cx;
  y = cy;
  z = cz;
  width = w;
  height = h;
}

// Moves the quad's centre.
void SpriteQuad::SetPosition(float cx, float cy, float cz) {
  x = cx;
  y = cy;
  z = cz;
}

// Draws the quad in its colour; t = 0 is the bottom edge, matching the readers' bottom-first rows.
void SpriteQuad::Draw() const {
  glColor4f(r, g, b, a);
  if (texture != nullptr) {
    texture->Bind();
  } else {
    glBindTexture(GL_TEXTURE_2D, 0);
  }
  const float hw = width * 0.5f;
  const float hh = height * 0.5f;
  glBegin(GL_QUADS);
  glTexCoord2f(1, 0);
  glVertex3f(x + hw, y - hh, z);
  glTexCoord2f(1, 1);
  glVertex3f(x + hw, y + hh, z);
  glTexCoord2f(0, 1);
  glVertex3f(x - hw, y + hh, z);
  glTexCoord2f(0, 0);
  glVertex3f(x - hw, y - hh, z);
  glEnd();
}

}  // namespace aerolume::render
