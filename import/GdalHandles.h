#pragma once
// Owning handles of GDAL objects, so that no path out of a function (a thrown
// ImportError included) leaves one open. The handles are opaque pointers; the
// closing functions live with GDAL in GdalHandles.cpp, so this header needs no
// GDAL include.

#include <memory>

namespace marn::import {

struct CloseGdalDataset {
    void operator()(void* dataset) const;
};
struct DestroyGdalTransformer {
    void operator()(void* transformer) const;
};

// A GDALDatasetH, closed with GDALClose.
using GdalDataset = std::unique_ptr<void, CloseGdalDataset>;
// A transformer of GDALCreateGenImgProjTransformer2, destroyed with GDALDestroyGenImgProjTransformer.
using GdalTransformer = std::unique_ptr<void, DestroyGdalTransformer>;

} // namespace marn::import
