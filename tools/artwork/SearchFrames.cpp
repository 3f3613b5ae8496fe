// The six frames of the search progress animation.
#include "tools/artwork/Artwork.h"

namespace artwork {

std::vector<Picture> searchFrames()
{
    return {};
}

} // namespace artwork
