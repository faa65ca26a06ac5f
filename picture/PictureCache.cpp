#include "picture/PictureCache.h"

#include <algorithm>

namespace marn {

std::size_t CachedPicture::bytes() const
{
    const auto points = static_cast<std::size_t>(heights.maxCol() + 1) * static_cast<std::size_t>(heights.maxRow() + 1);
    const auto coordPoints =
        static_cast<std::size_t>(coords.maxCol() + 1) * static_cast<std::size_t>(coords.maxRow() + 1);
    return static_cast<std::size_t>(pixels.sizeInBytes()) + points * sizeof(std::int16_t)
           + coordPoints * 2 * sizeof(double);
}

void PictureCache::put(CachedPicture picture)
{
    std::erase_if(pictures_, [&](const CachedPicture& held) { return held.view == picture.view; });
    pictures_.push_back(std::move(picture));
    while (pictures_.size() > 1 && bytes() > budget_)
        pictures_.pop_front();
}

std::optional<CachedPicture> PictureCache::take(const View& view)
{
    const auto found =
        std::find_if(pictures_.begin(), pictures_.end(), [&](const CachedPicture& held) { return held.view == view; });
    if (found == pictures_.end())
        return std::nullopt;
    CachedPicture picture = std::move(*found);
    pictures_.erase(found);
    return picture;
}

std::size_t PictureCache::bytes() const
{
    std::size_t total = 0;
    for (const CachedPicture& picture : pictures_)
        total += picture.bytes();
    return total;
}

} // namespace marn
