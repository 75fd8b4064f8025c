#pragma once

#include "finders/CategoryFinder.h"

namespace sorvane {

// The thumbnails that file managers keep of pictures and documents.
class ThumbnailsFinder final : public CategoryFinder {
public:
    ThumbnailsFinder();
    void search() override;
};

} // namespace sorvane
