// Fuzzes the tile reader: arbitrary bytes as a tile file of either kind, read
// at arbitrary coordinates. Every call must end with one of the reader's error
// values and leave its cache in the state that value promises. Input layout:
//   byte 0   bits 0-1: the tile file of the first point's tile: 0 the kind's exact
//            length (zeros, the payload repeated over the record of the point's
//            block), 1 the payload as it is, 2 like 0 but one byte too long, 3 a
//            directory; bit 2: coordinates as raw doubles, not scaled 32-bit integers
//   byte 1   number of points - 1 (0..3, the rest of the byte ignored)
//   points   lat, lon: 2 x 8 bytes (raw doubles) or 2 x 4 bytes (scaled)
//   rest     the payload

#include "core/NativePath.h"
#include "core/TileLocation.h"
#include "core/TileReader.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>
#include <vector>

namespace {

struct Point {
    double lat, lon;
};

struct Input {
    const std::uint8_t* data;
    std::size_t size;
    bool take(void* out, std::size_t n)
    {
        if (size < n)
            return false;
        std::memcpy(out, data, n);
        data += n;
        size -= n;
        return true;
    }
};

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// The data directory of the whole run, removed when the run ends.
const std::string& DataRoot()
{
    static const struct Dir {
        std::string path = (std::filesystem::temp_directory_path() / "marn-fuzz-XXXXXX").string();
        Dir() { Check(::mkdtemp(path.data()) != nullptr); }
        ~Dir() { std::filesystem::remove_all(path, ignored); }
        std::error_code ignored;
    } dir;
    return dir.path;
}

bool ReadPoint(Input& in, bool raw, Point& p)
{
    std::int32_t scaled[2] = {};
    if (raw || !in.take(scaled, sizeof scaled))
        return raw && in.take(&p, sizeof p);
    p = {scaled[0] / 2147483648.0 * 95, scaled[1] / 2147483648.0 * 800}; // beyond the poles, over two turns
    return true;
}

// Makes the point's tile file; returns its native path ("" when the point has no tile).
std::string MakeTile(const Point& p, int shape, const std::uint8_t* payload, std::size_t payloadSize)
{
    double lon = p.lon;
    if (!(p.lat >= -90 && p.lat <= 90) || !marn::NormaliseLongitude(lon))
        return {};
    const marn::TileLocation at = marn::LocateTile(p.lat, lon);
    const std::string path = marn::NativePath(marn::LogicalTilePath(DataRoot(), at.name), "");
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    if (shape == 3) {
        std::filesystem::create_directory(path, error);
        return path;
    }
    std::vector<std::uint8_t> bytes(payload, payload + payloadSize);
    auto length = static_cast<std::int64_t>(payloadSize);
    std::int64_t offset = 0;
    if (shape != 1) {
        const marn::TileGeometry& geometry = marn::GeometryOf(at.name.kind);
        bytes.resize(payloadSize == 0 ? 0 : static_cast<std::size_t>(geometry.recordBytes));
        for (std::size_t n = payloadSize; n < bytes.size(); ++n)
            bytes[n] = payload[n % payloadSize];
        length = geometry.fileBytes + (shape == 2 ? 1 : 0);
        offset = static_cast<std::int64_t>(at.blockNo - 1) * geometry.recordBytes;
    }
    if (const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600); fd >= 0) {
        if (::ftruncate(fd, length) == 0 && !bytes.empty())
            Check(::pwrite(fd, bytes.data(), bytes.size(), offset) == static_cast<ssize_t>(bytes.size()));
        ::close(fd);
    }
    return path;
}

// Reads the point and checks that the reader ended with one of its error values
// and left its cache in the state that value promises.
void ReadAndCheck(const marn::DataLocation& where, marn::TileReaderState& r, const Point& p)
{
    using namespace marn;
    double lon = p.lon;
    std::int16_t height = -1;
    std::int16_t error = -1;
    ReadTileHeight(where, r, p.lat, lon, height, error);
    const bool known = error == ReadOk || error == ErrTileNotOpened || error == ErrBlockRead || error == ErrLatitude
                       || error == ErrNoDataNode || error == ErrReader || error == ErrNoDataDrive
                       || error == ErrFileLength;
    Check(known);
    Check(error == ReadOk || height == 0);
    if (error == ErrTileNotOpened || error == ErrFileLength)
        Check(r.OpenTileName.empty() && !r.OpenFile.isOpen());
    if (error == ReadOk || error == ErrNoDataNode)
        Check(!r.OpenTileName.empty() && r.OpenBlockNo >= 1 && r.OpenBlockNo <= BlockCount);
    if (error == ErrLatitude)
        Check(!(p.lat >= -90 && p.lat <= 90));
    if (error != ErrLatitude && error != ErrReader)
        Check(lon >= 0 && lon <= 360);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input in{data, size};
    std::uint8_t head[2] = {}; // flags, number of points - 1
    if (!in.take(head, 2))
        return 0;
    std::vector<Point> points;
    for (Point p{}; points.size() <= (head[1] & 3U) && ReadPoint(in, (head[0] & 4) != 0, p);)
        points.push_back(p);
    if (points.empty())
        return 0;
    const std::string tile = MakeTile(points.front(), head[0] & 3, in.data, in.size);
    const marn::DataLocation where{DataRoot(), ""};
    marn::TileReaderState reader;
    for (const Point& p : points)
        ReadAndCheck(where, reader, p);
    std::error_code ignored;
    std::filesystem::remove(tile, ignored);
    return 0;
}
