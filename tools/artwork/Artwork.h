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
    int depth = 24; // bits per pixel of the written file: 24, or 8 for 256 colours
};

// Every picture the generator knows, by bitmap id.
const std::vector<Picture>& pictures();

// The families of motifs, each kept in its own file.
std::vector<Picture> menuPictures();      // 105-108, Artwork.cpp
std::vector<Picture> searchFrames();      // 148-153, SearchFrames.cpp
std::vector<Picture> chapterPictures();   // 131, 134, 144-146, ChapterPictures.cpp

// Renders one picture on a white ground, at its depth.
QImage render(const Picture& picture);

// The program's icon at each size it is installed in (PNG, transparent
// corners), Icons.cpp.
const std::vector<int>& iconSizes();
QImage renderIcon(int size);

} // namespace artwork
