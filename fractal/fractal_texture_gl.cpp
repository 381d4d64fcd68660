#include "fractal_texture.h"

#include "gl_api.h"

namespace vorpane {

void fractal_texture::create_texture_object()
{
    GLuint name = 0;
    glGenTextures(1, &name);
    texture_name = name;
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, texture_width, texture_height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 nullptr);
}

void fractal_texture::draw()
{
    glBindTexture(GL_TEXTURE_2D, texture_name);
    if ((exchange.load(std::memory_order_relaxed) & fresh_bit) != 0) {
        const unsigned previous = exchange.exchange(front, std::memory_order_acq_rel);
        front = previous & index_mask;
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, grid->columns, grid->rows, GL_RGBA, GL_UNSIGNED_BYTE,
                        buffers[front].data());
    }
    glEnable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    const float w = static_cast<float>(display_width);
    const float h = static_cast<float>(display_height);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glTexCoord2f(s_max, 0.0f);
    glVertex3f(w, 0.0f, 0.0f);
    glTexCoord2f(s_max, t_max);
    glVertex3f(w, h, 0.0f);
    glTexCoord2f(0.0f, t_max);
    glVertex3f(0.0f, h, 0.0f);
    glEnd();
    glDisable(GL_TEXTURE_2D);
}

} // namespace vorpane
