// The guide's pictures, drawn in code so that they can be regenerated and
// changed like any other source. Each motif draws onto a white ground.
#pragma once

#include <QImage>

#include <vector>

namespace artwork {

struct Picture {
    int id;
    int width;
    int height;
    void (*draw)(QImage& image);
};

// Every picture the generator knows, by bitmap id.
const std::vector<Picture>& pictures();

// Renders one picture as a 24-bit image on a white ground.
QImage render(const Picture& picture);

} // namespace artwork
