// Fuzzes the tile reader: arbitrary bytes as a tile file of either kind, read
// at arbitrary coordinates. Every call must end with one of the reader's error
// values and leave its cache in the state that value promises.
//
// Input layout:
//   byte 0   bits 0-1: how the tile file is made: 0 the kind's exact length
//            (zeros, with the payload repeated over the record of the first
//            point's block), 1 the payload as it is, 2 like 0 but one byte too
//            long, 3 a directory in its place; bit 2: coordinates as raw
//            doubles instead of scaled 32-bit integers
//   byte 1   number of points - 1 (0..3, the rest of the byte ignored)
//   points   lat, lon: 2 x 8 bytes (raw doubles) or 2 x 4 bytes (scaled)
//   rest     the payload
// The file is made for the tile of the first point.

#include "core/NativePath.h"
#include "core/TileLocation.h"
#include "core/TileReader.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace {

struct Point {
    double lat;
    double lon;
};

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool take(void* out, std::size_t n)
    {
        if (size_ - pos_ < n)
            return false;
        std::memcpy(out, data_ + pos_, n);
        pos_ += n;
        return true;
    }
    const std::uint8_t* rest() const { return data_ + pos_; }
    std::size_t restSize() const { return size_ - pos_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// The data directory of the whole run, removed when the run ends.
const std::string& DataRoot()
{
    static const std::string* const root = [] {
        auto* dir = new std::string((std::filesystem::temp_directory_path() / "marn-fuzz-XXXXXX").string());
        if (::mkdtemp(dir->data()) == nullptr)
            std::abort();
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(DataRoot(), ignored);
        });
        return dir;
    }();
    return *root;
}

bool ReadPoint(Input& in, bool raw, Point& p)
{
    if (raw)
        return in.take(&p.lat, sizeof p.lat) && in.take(&p.lon, sizeof p.lon);
    std::int32_t lat = 0;
    std::int32_t lon = 0;
    if (!in.take(&lat, sizeof lat) || !in.take(&lon, sizeof lon))
        return false;
    p.lat = lat / 2147483648.0 * 95;  // a little beyond the poles
    p.lon = lon / 2147483648.0 * 800; // more than two turns either way
    return true;
}

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// Writes a file of the given length (sparse zeros) holding bytes at offset.
void WriteFile(
    const std::string& path, std::int64_t length, std::int64_t offset, const std::vector<std::uint8_t>& bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    if (::ftruncate(fd, static_cast<off_t>(length)) == 0 && !bytes.empty())
        Check(
            ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset)) == static_cast<ssize_t>(bytes.size()));
    ::close(fd);
}

// Makes the tile file of the point's tile; returns its native path ("" when the point has no tile).
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
    if (shape == 1) {
        WriteFile(
            path, static_cast<std::int64_t>(payloadSize), 0, std::vector<std::uint8_t>(payload, payload + payloadSize));
        return path;
    }
    const marn::TileGeometry& geometry = marn::GeometryOf(at.name.kind);
    std::vector<std::uint8_t> record(payloadSize == 0 ? 0 : static_cast<std::size_t>(geometry.recordBytes));
    for (std::size_t n = 0; n < record.size(); ++n)
        record[n] = payload[n % payloadSize];
    const std::int64_t offset = static_cast<std::int64_t>(at.blockNo - 1) * geometry.recordBytes;
    WriteFile(path, geometry.fileBytes + (shape == 2 ? 1 : 0), offset, record);
    return path;
}

void CheckAfterCall(const marn::SharedState& s, const Point& p, double lon, std::int16_t height, std::int16_t error)
{
    using namespace marn;
    const bool known = error == ReadOk || error == ErrTileNotOpened || error == ErrBlockRead || error == ErrLatitude
                       || error == ErrNoDataNode || error == ErrReader || error == ErrNoDataDrive
                       || error == ErrFileLength;
    Check(known);
    Check(error == ReadOk || height == 0);
    if (error == ErrTileNotOpened || error == ErrFileLength)
        Check(s.Reader.OpenTileName.empty() && !s.Reader.OpenFile.isOpen());
    if (error == ReadOk || error == ErrNoDataNode)
        Check(!s.Reader.OpenTileName.empty() && s.Reader.OpenBlockNo >= 1 && s.Reader.OpenBlockNo <= BlockCount);
    if (error == ErrLatitude)
        Check(!(p.lat >= -90 && p.lat <= 90));
    if (error != ErrLatitude && error != ErrReader)
        Check(lon >= 0 && lon <= 360);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input in(data, size);
    std::uint8_t flags = 0;
    std::uint8_t count = 0;
    if (!in.take(&flags, 1) || !in.take(&count, 1))
        return 0;
    const bool raw = (flags & 4) != 0;
    std::vector<Point> points;
    for (int n = 0; n <= (count & 3); ++n) {
        Point p{};
        if (!ReadPoint(in, raw, p))
            break;
        points.push_back(p);
    }
    if (points.empty())
        return 0;

    const std::string tile = MakeTile(points.front(), flags & 3, in.rest(), in.restSize());
    marn::SharedState s;
    s.DataDrive = DataRoot();
    for (const Point& p : points) {
        double lon = p.lon;
        std::int16_t height = -1;
        std::int16_t error = -1;
        marn::ReadTileHeight(s, p.lat, lon, height, error);
        CheckAfterCall(s, p, lon, height, error);
    }
    std::error_code ignored;
    std::filesystem::remove(tile, ignored);
    return 0;
}
