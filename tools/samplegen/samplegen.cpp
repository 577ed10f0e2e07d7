// orvanel-samplegen: renders a small synthetic scene (textured ground, back
// wall, spheres and a box at several depths) from two viewpoints and writes
// the pair as left.jpg and right.jpg, the right view turned by 1.5 degrees
// and raised by 6 pixels so that it needs aligning like a real pair.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <sys/stat.h>

#include <jpeglib.h>

namespace {

constexpr int kWidth = 1200;
constexpr int kHeight = 800;
constexpr double kFocal = 1000.0;  // pixels: about 62 degrees across
constexpr double kBaseline = 0.25; // scene units between the two viewpoints
constexpr double kRollDeg = 1.5;   // the right view's turn
constexpr double kRaise = 6.0;     // the right view's content sits this many pixels higher

struct tvec {
    double x, y, z;
};
tvec operator+(tvec a, tvec b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
tvec operator-(tvec a, tvec b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
tvec operator*(tvec a, double k) {
    return {a.x * k, a.y * k, a.z * k};
}
double Dot(tvec a, tvec b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
tvec Unit(tvec a) {
    return a * (1.0 / std::sqrt(Dot(a, a)));
}

struct tcolour {
    double r, g, b;
};

// Value noise on an integer lattice, smooth between its points: texture with
// detail at every scale, so homologous points are easy to find by eye.
double Hash(int x, int y, int seed) {
    std::uint32_t h = std::uint32_t(x) * 374761393u + std::uint32_t(y) * 668265263u +
                      std::uint32_t(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return double(h ^ (h >> 16)) / 4294967295.0;
}

double Noise(double x, double y, int seed) {
    const int xi = int(std::floor(x)), yi = int(std::floor(y));
    const double fx = x - xi, fy = y - yi;
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const double a = Hash(xi, yi, seed), b = Hash(xi + 1, yi, seed);
    const double c = Hash(xi, yi + 1, seed), d = Hash(xi + 1, yi + 1, seed);
    return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
}

double Fractal(double x, double y, int seed) {
    double v = 0, amp = 0.5, freq = 1;
    for (int i = 0; i < 4; ++i, amp *= 0.5, freq *= 2.1) v += amp * Noise(x * freq, y * freq, seed);
    return v;
}

struct thit {
    double t = 1e30;
    tvec normal{0, 0, 0};
    tcolour colour{0, 0, 0};
};

struct tsphere {
    tvec centre;
    double radius;
    tcolour a, b; // stripe colours
    int seed;
};

// The scene, in units of about a metre; the cameras look along +z from z = 0.
const tsphere kSpheres[] = {
    {{-1.1, -0.6, 4.0}, 0.9, {0.85, 0.25, 0.15}, {0.95, 0.85, 0.3}, 1},
    {{1.6, -0.9, 6.5}, 0.6, {0.2, 0.45, 0.85}, {0.9, 0.9, 0.95}, 2},
    {{0.3, 0.2, 10.0}, 1.3, {0.3, 0.7, 0.3}, {0.1, 0.25, 0.1}, 3},
};
constexpr double kGroundY = -1.5;
constexpr double kWallZ = 18.0;
// An upright box: min and max corners.
const tvec kBoxMin{2.6, -1.5, 8.0}, kBoxMax{3.6, 0.4, 9.0};

void HitSphere(const tsphere& s, tvec o, tvec d, thit& h) {
    const tvec oc = o - s.centre;
    const double b = Dot(oc, d), c = Dot(oc, oc) - s.radius * s.radius;
    const double disc = b * b - c;
    if (disc < 0) return;
    const double t = -b - std::sqrt(disc);
    if (t <= 1e-6 || t >= h.t) return;
    h.t = t;
    const tvec p = o + d * t;
    h.normal = Unit(p - s.centre);
    // Stripes by latitude with noise: both colour and texture vary.
    const double lat = std::asin(std::clamp(h.normal.y, -1.0, 1.0));
    // Measured from the side facing the cameras, so the seam is at the back.
    const double lon = std::atan2(h.normal.x, -h.normal.z);
    const double stripe = 0.5 + 0.5 * std::sin(lat * 9 + 3 * Noise(lon * 4, lat * 4, s.seed));
    const double grain = 0.75 + 0.25 * Fractal(lon * 12, lat * 12, s.seed + 10);
    h.colour = {(s.a.r * stripe + s.b.r * (1 - stripe)) * grain,
                (s.a.g * stripe + s.b.g * (1 - stripe)) * grain,
                (s.a.b * stripe + s.b.b * (1 - stripe)) * grain};
}

void HitGround(tvec o, tvec d, thit& h) {
    if (d.y >= -1e-9) return;
    const double t = (kGroundY - o.y) / d.y;
    if (t <= 1e-6 || t >= h.t) return;
    const tvec p = o + d * t;
    if (p.z > kWallZ) return;
    h.t = t;
    h.normal = {0, 1, 0};
    // Paving: tiles of half a unit with joints and speckle.
    const double u = p.x * 2, v = p.z * 2;
    const bool joint = std::fabs(u - std::round(u)) < 0.03 || std::fabs(v - std::round(v)) < 0.03;
    const double tone = 0.45 + 0.35 * Hash(int(std::floor(u)), int(std::floor(v)), 7);
    const double speckle = 0.8 + 0.2 * Fractal(p.x * 10, p.z * 10, 8);
    const double g = joint ? 0.15 : tone * speckle;
    h.colour = {g * 1.0, g * 0.92, g * 0.8};
}

void HitWall(tvec o, tvec d, thit& h) {
    if (d.z <= 1e-9) return;
    const double t = (kWallZ - o.z) / d.z;
    if (t <= 1e-6 || t >= h.t) return;
    const tvec p = o + d * t;
    h.t = t;
    h.normal = {0, 0, -1};
    // Brickwork: offset courses, mortar lines, each brick its own shade.
    const double row = (p.y - kGroundY) / 0.35;
    const int course = int(std::floor(row));
    const double col = p.x / 0.8 + (course % 2 ? 0.5 : 0.0);
    const bool mortar = row - course < 0.08 || col - std::floor(col) < 0.04;
    const double shade = 0.55 + 0.3 * Hash(int(std::floor(col)), course, 11);
    const double grain = 0.85 + 0.15 * Fractal(p.x * 6, p.y * 6, 12);
    h.colour = mortar ? tcolour{0.75, 0.75, 0.7}
                      : tcolour{0.7 * shade * grain, 0.35 * shade * grain, 0.25 * shade * grain};
}

void HitBox(tvec o, tvec d, thit& h) {
    double t0 = -1e30, t1 = 1e30;
    int axis = 0;
    const double os[3] = {o.x, o.y, o.z}, ds[3] = {d.x, d.y, d.z};
    const double lo[3] = {kBoxMin.x, kBoxMin.y, kBoxMin.z},
                 hi[3] = {kBoxMax.x, kBoxMax.y, kBoxMax.z};
    for (int i = 0; i < 3; ++i) {
        if (std::fabs(ds[i]) < 1e-12) {
            if (os[i] < lo[i] || os[i] > hi[i]) return;
            continue;
        }
        double a = (lo[i] - os[i]) / ds[i], b = (hi[i] - os[i]) / ds[i];
        if (a > b) std::swap(a, b);
        if (a > t0) {
            t0 = a;
            axis = i;
        }
        t1 = std::min(t1, b);
    }
    if (t0 > t1 || t0 <= 1e-6 || t0 >= h.t) return;
    h.t = t0;
    const tvec p = o + d * t0;
    h.normal = axis == 0   ? tvec{ds[0] > 0 ? -1.0 : 1.0, 0, 0}
               : axis == 1 ? tvec{0, ds[1] > 0 ? -1.0 : 1.0, 0}
                           : tvec{0, 0, ds[2] > 0 ? -1.0 : 1.0};
    // Wooden planks: grain along y, boards across.
    const double across = axis == 0 ? p.z : p.x;
    const double board = std::floor(across / 0.3);
    const double grain = 0.5 + 0.5 * std::sin(p.y * 40 + 6 * Fractal(across * 3, p.y * 2, 13));
    const double tone = 0.6 + 0.25 * Hash(int(board), axis, 14);
    h.colour = {tone * (0.55 + 0.2 * grain), tone * (0.38 + 0.12 * grain), tone * 0.2};
}

tcolour Trace(tvec o, tvec d) {
    thit h;
    HitGround(o, d, h);
    HitWall(o, d, h);
    HitBox(o, d, h);
    for (const tsphere& s : kSpheres) HitSphere(s, o, d, h);
    if (h.t >= 1e29) {
        // Sky behind everything (only where the wall does not reach).
        return {0.55, 0.7, 0.9};
    }
    const tvec light = Unit({-0.5, 0.8, -0.4});
    const double lambert = std::max(0.0, Dot(h.normal, light));
    const double k = 0.35 + 0.75 * lambert;
    return {h.colour.r * k, h.colour.g * k, h.colour.b * k};
}

// One view: eye at (eyeX, 0, 0) looking along +z; roll and raise act on the
// picture as a camera turned about its axis and tilted a little would.
std::vector<unsigned char> Render(double eyeX, double rollDeg, double raise) {
    std::vector<unsigned char> rgb(std::size_t(kWidth) * kHeight * 3);
    const double roll = rollDeg * 3.14159265358979323846 / 180.0;
    const double c = std::cos(roll), s = std::sin(roll);
    const double cx = kWidth / 2.0, cy = kHeight / 2.0;
    const tvec eye{eyeX, 0, 0};
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            tcolour sum{0, 0, 0};
            // 2 x 2 samples a pixel: edges without stair steps.
            for (int sy = 0; sy < 2; ++sy) {
                for (int sx = 0; sx < 2; ++sx) {
                    const double u = x + 0.25 + 0.5 * sx - cx;
                    const double v = y + 0.25 + 0.5 * sy - cy + raise;
                    const double ur = c * u - s * v, vr = s * u + c * v;
                    const tcolour col = Trace(eye, Unit({ur / kFocal, -vr / kFocal, 1.0}));
                    sum.r += col.r;
                    sum.g += col.g;
                    sum.b += col.b;
                }
            }
            unsigned char* p = &rgb[(std::size_t(y) * kWidth + x) * 3];
            p[0] = static_cast<unsigned char>(std::clamp(sum.r / 4 * 255.0, 0.0, 255.0));
            p[1] = static_cast<unsigned char>(std::clamp(sum.g / 4 * 255.0, 0.0, 255.0));
            p[2] = static_cast<unsigned char>(std::clamp(sum.b / 4 * 255.0, 0.0, 255.0));
        }
    }
    return rgb;
}

bool WriteJpeg(const std::string& path, const std::vector<unsigned char>& rgb) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, f);
    c.image_width = kWidth;
    c.image_height = kHeight;
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 92, TRUE);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(&rgb[std::size_t(c.next_scanline) * kWidth * 3]);
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    return std::fclose(f) == 0;
}

} // namespace

int main(int argc, char** argv) {
    const char* usage = "Usage: orvanel-samplegen [FOLDER]\n"
                        "Writes the sample stereo pair as FOLDER/left.jpg and FOLDER/right.jpg\n"
                        "(FOLDER: sample when not given).\n";
    std::string dir = "sample";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(usage, stdout);
            return 0;
        }
        // A folder never starts with a dash here: write ./-name to mean one.
        if (arg.empty() || arg[0] == '-' || i > 1) {
            std::fprintf(stderr, "orvanel-samplegen: unexpected argument '%s'\n%s", arg.c_str(),
                         usage);
            return 2;
        }
        dir = arg;
    }
    ::mkdir(dir.c_str(), 0755);
    const std::string left = dir + "/left.jpg", right = dir + "/right.jpg";
    if (!WriteJpeg(left, Render(-kBaseline / 2, 0.0, 0.0)) ||
        !WriteJpeg(right, Render(kBaseline / 2, kRollDeg, kRaise))) {
        std::fprintf(stderr, "orvanel-samplegen: cannot write the pair into %s\n", dir.c_str());
        return 1;
    }
    std::printf("orvanel-samplegen: %s and %s written\n", left.c_str(), right.c_str());
    return 0;
}
