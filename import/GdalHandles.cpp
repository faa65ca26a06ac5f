#include "import/GdalHandles.h"

#include <gdal.h>
#include <gdal_alg.h>

namespace marn::import {

void CloseGdalDataset::operator()(void* dataset) const
{
    GDALClose(static_cast<GDALDatasetH>(dataset));
}

void DestroyGdalTransformer::operator()(void* transformer) const
{
    GDALDestroyGenImgProjTransformer(transformer);
}

} // namespace marn::import
