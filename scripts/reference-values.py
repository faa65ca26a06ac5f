#!/usr/bin/env python3
"""Reference values of the picture geometry, the grid frame, the sampled
heights and the class limits, worked out here from the rules alone (not from
the program), for the tables of tests/picture/ReferenceValuesTest.cpp.

Every value the viewer keeps in single precision is rounded to the nearest
IEEE single through struct at the point where the rule stores it; everything
in between is Python's float, an IEEE double, evaluated in the order the rule
is written. The mathematical functions are the C library's, as the
program's are.

Run: python3 scripts/reference-values.py   (prints the C++ table rows)
"""

import math
import random
import struct

PI = 3.141592654
KM_PER_DEGREE = 111.2
NO_DATA = -9999


def single(x):
    """x rounded to the nearest IEEE single (ties to even), as a float."""
    return struct.unpack("<f", struct.pack("<f", x))[0]


# --- Picture area ------------------------------------------------------------
# Label design sizes at 15 twips per pixel (96 dpi): LabNS(0) 750 twips wide,
# Label1 330, LabEWO(0) 225 and LabEWU(0) 210 twips high.
LAB_NS_WIDTH = single(750 / 15)
LABEL1_HEIGHT = single(330 / 15)
LAB_EWO_HEIGHT = single(225 / 15)
LAB_EWU_HEIGHT = single(210 / 15)


def picture_area(w, h):
    left = single(0.001 * w + LAB_NS_WIDTH + 17)
    right = single(0.69 * w)
    top = single(0.001 * h + LABEL1_HEIGHT + 5 + LAB_EWO_HEIGHT + 13)
    bottom = single(0.865 * h - LAB_EWU_HEIGHT - 15)
    cols = single(right - left + 1)
    rows = single(bottom - top + 1)
    return dict(left=left, right=right, top=top, bottom=bottom, cols=cols, rows=rows)


# --- Geodesy -------------------------------------------------------------------
def arc_cos(x):
    if x == -1:
        return PI
    if x == 1:
        return 0.0
    return PI / 2 - math.atan(x / math.sqrt(1 - x * x))


def arc_sin(x):
    if x == 1:
        return PI / 2
    if x == -1:
        return -(PI / 2)
    return math.atan(x / math.sqrt(1 - x * x))


def cos_deg(x):
    return math.cos(x * PI / 180)


def sin_deg(x):
    return math.sin(x * PI / 180)


def clamp(x):
    return 1.0 if x > 1 else (-1.0 if x < -1 else x)


def dest_point(lat1, lon1, bearing, dist_km):
    delta = dist_km / KM_PER_DEGREE
    c_delta = cos_deg(delta)
    phi1 = lat1 * PI / 180
    theta = bearing * PI / 180
    if dist_km <= 0.0001:
        return lat1, lon1
    s_delta = sin_deg(delta)
    cos_phi1_s_delta = math.cos(phi1) * s_delta
    x = (math.cos(theta) + math.sin(phi1) * c_delta / cos_phi1_s_delta) * cos_phi1_s_delta
    phi2 = arc_sin(clamp(x))
    lat2 = phi2 * 180 / PI
    if bearing in (0, 180, 360):
        return lat2, lon1
    y = (c_delta - math.sin(phi1) * math.sin(phi2)) / (math.cos(phi1) * math.cos(phi2))
    d_lon = arc_cos(clamp(y)) * 180 / PI
    return lat2, (lon1 + d_lon if bearing < 180 else lon1 - d_lon)


def grid_frame(center_lat, center_lon, length_km, a):
    km_per_pixel = length_km / a["cols"]
    dist = (a["right"] - a["left"]) / 2 * km_per_pixel
    lon_w = dest_point(center_lat, center_lon, 270, dist)[1]
    dist = length_km - dist
    lon_e = dest_point(center_lat, center_lon, 90, dist)[1]
    lon_mid = (lon_e + lon_w) / 2
    dist = (a["rows"] - (a["bottom"] - a["top"]) / 2) * km_per_pixel
    lat_s = dest_point(center_lat, center_lon, 180, dist)[0]
    lat_n = dest_point(lat_s, lon_mid, 0, a["rows"] * km_per_pixel)[0]
    half = length_km / 2
    f = dict(KmPerPixel=km_per_pixel, LonMid=lon_mid, LatS=lat_s, LatN=lat_n)
    f["LatNW"], f["LonNW"] = dest_point(lat_n, lon_mid, 270, half)
    f["LatNE"], f["LonNE"] = dest_point(lat_n, lon_mid, 90, half)
    f["LatSW"], f["LonSW"] = dest_point(lat_s, lon_mid, 270, half)
    f["LatSE"], f["LonSE"] = dest_point(lat_s, lon_mid, 90, half)
    return f


# --- Heights -------------------------------------------------------------------
def node_height(lat_seconds, lon_seconds, lon_step):
    """The test tile's node at lat_seconds north and lon_seconds east of the
    tile's south-west corner: neighbouring nodes differ by up to 32000 m, so
    that a point placed a little off shows in its height."""
    h = ((lat_seconds // 3) * 7919 + (lon_seconds // lon_step) * 104729) % 32001 - 16000
    return h + 1 if h == NO_DATA else h


def read_tile_height(lat, lon, single_ab=True):
    while lon > 360:
        lon -= 360
    while lon < 0:
        lon += 360
    step = 3 if abs(lat) < 50 else 6
    f_lon = lon - math.floor(lon)
    f_lat = lat - math.floor(lat)
    s_lat = math.floor(f_lat * 3600 + 0.5)
    s_lon = math.floor(f_lon * 3600 + 0.5)
    b_lat = min(math.floor(single(s_lat / 300)) + 1, 12)
    b_lon = min(math.floor(single(s_lon / 300)) + 1, 12)
    nodes = 101 if step == 3 else 51
    i_lon = min((s_lon - (b_lon - 1) * 300) // step, nodes - 2)
    i_lat = min((s_lat - (b_lat - 1) * 300) // 3, 99)
    lat0 = (b_lat - 1) * 300 + i_lat * 3
    lon0 = (b_lon - 1) * 300 + i_lon * step
    h00 = node_height(lat0, lon0, step)
    h10 = node_height(lat0, lon0 + step, step)
    h01 = node_height(lat0 + 3, lon0, step)
    h11 = node_height(lat0 + 3, lon0 + step, step)
    t_lon = (f_lon - lon0 / 3600) * 3600 / step
    t_lat = (f_lat - lat0 / 3600) * 3600 / 3
    keep = single if single_ab else float
    a = keep((h10 - h00) * t_lon + h00)
    b = keep((h11 - h01) * t_lon + h01)
    return math.floor((b - a) * t_lat + a + 0.5)


def grid_height(f, a, i, j):
    lat = f["LatN"] - (j - 1) * ((f["LatN"] - f["LatS"]) / a["rows"])
    middle = single(math.floor(a["cols"]) / 2)
    lon = f["LonMid"]
    if i < middle:
        lat, lon = dest_point(lat, f["LonMid"], 270, (a["cols"] / 2 - i) * f["KmPerPixel"])
    elif i > middle:
        lat, lon = dest_point(lat, f["LonMid"], 90, (i - a["cols"] / 2) * f["KmPerPixel"])
    return read_tile_height(lat, lon)


# --- Class limits --------------------------------------------------------------
def log10(x):
    return math.log(x) / math.log(10)


def class_limits(minimum, maximum, e_single=True):
    limits = [0] * 10
    first, last = 1, 9
    if minimum > 50:
        limits[1], first = 50, 2
    if minimum > 100:
        limits[2], first = 100, 3
    if minimum > 250:
        limits[3], first = 250, 4
    if maximum < 2000:
        limits[9], last = 2000, 8
    if maximum < 500:
        limits[8], last = 500, 7
    if maximum < 250:
        limits[7], last = 250, 6
    minimum = max(minimum, 1)
    d = (last - first + 3) - 1.01
    for k in range(1, last - first + 2):
        e = log10(minimum) + (k / d) * log10(maximum / minimum)
        if e_single:
            e = single(e)
        limits[first + k - 1] = math.floor(10.0 ** e)
    return limits[1:]


# --- Output --------------------------------------------------------------------
SCREENS = [(427, 320), (480, 320), (640, 480), (700, 500), (800, 600), (1024, 768), (1280, 800),
           (1280, 1024), (1366, 768), (1920, 1080), (2560, 1440), (3840, 2160)]

# One area on each of four screens, each inside the one tile the test writes
# (south-west corner given): both tile kinds, all four hemispheres' signs.
AREAS = [((640, 480), 47.5, 7.5, 60, (47, 7)),
         ((1280, 1024), 55.5, 10.5, 50, (55, 10)),
         ((1366, 768), -33.5, -70.5, 80, (-34, -71)),
         ((427, 320), 0.5, -0.5, 90, (0, -1))]


def f32(x):
    """The shortest decimal whose nearest single is x: exactly x as a float literal."""
    if x == int(x):
        return "%d.0F" % x
    return next(t for t in ("%.*g" % (p, x) for p in range(1, 10)) if single(float(t)) == x) + "F"


def main():
    print("// Picture areas: W, H, PicLeft, PicRight, PicTop, PicBottom, PicCols, PicRows")
    for w, h in SCREENS:
        a = picture_area(w, h)
        values = ", ".join(f32(a[k]) for k in ("left", "right", "top", "bottom", "cols", "rows"))
        print(f"{{{w}, {h}, {{{values}}}}},")

    print("\n// Frames: W, H, centre, length; KmPerPixel, LonMid, LatS, LatN, LatNW, LonNW, LatNE, LonNE,")
    print("// LatSW, LonSW, LatSE, LonSE; heights at columns 1, floor(PicCols) / 2, floor(PicCols) of rows 1 and floor(PicRows)")
    for (w, h), lat, lon, km, _tile in AREAS:
        a = picture_area(w, h)
        f = grid_frame(lat, lon, km, a)
        cols, rows = math.floor(a["cols"]), math.floor(a["rows"])
        heights = [grid_height(f, a, i, j) for j in (1, rows) for i in (1, cols // 2, cols)]
        keys = ("KmPerPixel", "LonMid", "LatS", "LatN", "LatNW", "LonNW", "LatNE", "LonNE",
                "LatSW", "LonSW", "LatSE", "LonSE")
        print(f"{{{w}, {h}, {lat}, {lon}, {km}, {{{', '.join(repr(f[k]) for k in keys)}}},")
        print(f"    {{{', '.join(str(x) for x in heights)}}}}},")

    print("\n// Reader heights where a and b held as singles and as doubles differ: lat, lon, height")
    rng = random.Random(47)
    for south, west in ((47, 7), (55, 10)):
        found = 0
        while found < 3:
            lat, lon = south + rng.random(), west + rng.random()
            if read_tile_height(lat, lon) != read_tile_height(lat, lon, single_ab=False):
                print(f"{{{lat!r}, {lon!r}, {read_tile_height(lat, lon)}}},")
                found += 1

    print("\n// Class limits where e held as a single and as a double differ: minimum, maximum, limits 1..9")
    for lo in (1, 12, 60, 120, 300, 1000):
        hi = next(hi for hi in range(lo + 1, 32768) if class_limits(lo, hi) != class_limits(lo, hi, e_single=False))
        print(f"{{{{{lo}, {hi}}}, {{{', '.join(map(str, class_limits(lo, hi)))}}}}},")

if __name__ == "__main__":
    main()
