// Draws the application icon, a broadcast mast sending waves, and writes it as Corvane.ico: 48x48,
// 32x32, 24x24 and 16x16 images in the 16 standard colours (the 48 and 24 are what Windows takes
// at 144 DPI). Each size is drawn from the same shapes at its own resolution rather than scaled.
// The native build makes it as make_icon, and a test checks that it gives the icon in the
// repository; to make the icon again: build/host/bin/make_icon ui/res/Corvane.ico
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

namespace {

// The 16 standard colours as red, green, blue.
const uint8_t kPalette[16][3] = {
    {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},     {128, 0, 128},
    {0, 128, 128},   {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};

enum Colour : int { kTransparent = -1, kBlack = 0, kMaroon = 1, kGreen = 2, kNavy = 4, kSilver = 7,
                    kGrey = 8, kRed = 9, kBlue = 12, kWhite = 15 };

const double kPi = 3.14159265358979323846;

struct Point {
    double x, y;
};

// Distance from p to the segment a-b.
double SegmentDistance(Point p, Point a, Point b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    double t = ((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy);
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    const double ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
    return std::sqrt(ex * ex + ey * ey);
}

// One image: colour indexes, kTransparent where the background shows through.
class Canvas {
public:
    explicit Canvas(int size) : m_size(size), m_pixels(static_cast<size_t>(size * size), kTransparent) {}

    int Size() const { return m_size; }
    int At(int x, int y) const { return m_pixels[static_cast<size_t>(y * m_size + x)]; }
    void Set(int x, int y, int colour) { m_pixels[static_cast<size_t>(y * m_size + x)] = colour; }

    // Paints every pixel whose centre, in unit coordinates, passes `inside`.
    template <typename Inside>
    void Fill(int colour, Inside inside)
    {
        for (int y = 0; y < m_size; ++y)
            for (int x = 0; x < m_size; ++x)
                if (inside(Point{(x + 0.5) / m_size, (y + 0.5) / m_size}))
                    m_pixels[static_cast<size_t>(y * m_size + x)] = colour;
    }

    // A line about one pixel wide at this size.
    void Line(int colour, Point a, Point b, double widthInPixels = 1.0)
    {
        const double half = widthInPixels * 0.5 / m_size + 0.15 / m_size;
        Fill(colour, [&](Point p) { return SegmentDistance(p, a, b) <= half; });
    }

private:
    int m_size;
    std::vector<int> m_pixels;
};

void Draw(Canvas& canvas)
{
    const bool small = canvas.Size() <= 24;
    const Point top{0.5, 0.3};
    const Point left{small ? 0.25 : 0.3, 0.97};
    const Point right{small ? 0.75 : 0.7, 0.97};

    // Waves on both sides of the beacon: three rings from 32 pixels up, two below.
    const int rings = small ? 2 : 3;
    for (int ring = 0; ring < rings; ++ring) {
        const double radius = (small ? 0.22 : 0.17) + ring * (small ? 0.2 : 0.13);
        const double half = (small ? 0.9 : 1.1) / canvas.Size();
        canvas.Fill(ring % 2 ? kNavy : kBlue, [&](Point p) {
            const double dx = p.x - top.x, dy = p.y - top.y;
            const double angle = std::atan2(std::fabs(dy), std::fabs(dx));
            return std::fabs(std::sqrt(dx * dx + dy * dy) - radius) <= half && angle <= kPi / 4.5;
        });
    }

    // The mast: two legs and cross bracing, painted in red and silver bands like a real tower.
    Canvas strokes(canvas.Size());
    strokes.Line(kBlack, top, left);
    strokes.Line(kBlack, top, right);
    if (!small) {
        const auto legX = [&](Point end, double y) { return top.x + (end.x - top.x) * (y - top.y) / (end.y - top.y); };
        for (double y = 0.45; y < 0.9; y += 0.15) {
            strokes.Line(kBlack, Point{legX(left, y), y}, Point{legX(right, y + 0.15), y + 0.15});
            strokes.Line(kBlack, Point{legX(right, y), y}, Point{legX(left, y + 0.15), y + 0.15});
        }
    }
    const int bands = small ? 3 : 5;
    for (int y = 0; y < canvas.Size(); ++y) {
        const double unitY = (y + 0.5) / canvas.Size();
        const int colour = static_cast<int>((unitY - top.y) / (1.0 - top.y) * bands) % 2 ? kSilver : kRed;
        for (int x = 0; x < canvas.Size(); ++x)
            if (strokes.At(x, y) != kTransparent)
                canvas.Set(x, y, colour);
    }

    // The ground the mast stands on and the beacon at its top.
    canvas.Line(kGrey, Point{0.12, 0.97}, Point{0.88, 0.97}, small ? 1.0 : 1.5);
    const double beacon = small ? 0.09 : 0.075;
    canvas.Fill(kRed, [&](Point p) { return std::hypot(p.x - top.x, p.y - top.y) <= beacon; });
    canvas.Fill(kWhite, [&](Point p) { return !small && std::hypot(p.x - top.x + 0.02, p.y - top.y + 0.02) <= 0.025; });
}

void Put16(std::vector<uint8_t>& out, int value)
{
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

void Put32(std::vector<uint8_t>& out, int value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, (value >> 16) & 0xFFFF);
}

// The image as stored in an icon file: header, palette, colour rows, then the mask, bottom row first.
std::vector<uint8_t> IconImage(const Canvas& canvas)
{
    const int size = canvas.Size();
    const int colourRow = ((size * 4 + 31) / 32) * 4;
    const int maskRow = ((size + 31) / 32) * 4;
    std::vector<uint8_t> out;
    Put32(out, 40);
    Put32(out, size);
    Put32(out, size * 2);  // colour image and mask together
    Put16(out, 1);
    Put16(out, 4);
    Put32(out, 0);
    Put32(out, (colourRow + maskRow) * size);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 16);
    Put32(out, 0);
    for (const auto& rgb : kPalette) {
        out.push_back(rgb[2]);
        out.push_back(rgb[1]);
        out.push_back(rgb[0]);
        out.push_back(0);
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<uint8_t> row(static_cast<size_t>(colourRow), 0);
        for (int x = 0; x < size; ++x) {
            const int colour = canvas.At(x, y) == kTransparent ? kBlack : canvas.At(x, y);
            row[static_cast<size_t>(x / 2)] |= static_cast<uint8_t>(x % 2 ? colour : colour << 4);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<uint8_t> row(static_cast<size_t>(maskRow), 0);
        for (int x = 0; x < size; ++x)
            if (canvas.At(x, y) == kTransparent)
                row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s output.ico\n", argv[0]);
        return 2;
    }
    const int sizes[] = {48, 32, 24, 16};
    std::vector<std::vector<uint8_t>> images;
    for (int size : sizes) {
        Canvas canvas(size);
        Draw(canvas);
        images.push_back(IconImage(canvas));
    }
    std::vector<uint8_t> file;
    Put16(file, 0);
    Put16(file, 1);  // an icon
    Put16(file, static_cast<int>(images.size()));
    int offset = 6 + 16 * static_cast<int>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        file.push_back(static_cast<uint8_t>(sizes[i]));
        file.push_back(static_cast<uint8_t>(sizes[i]));
        file.push_back(16);  // colours
        file.push_back(0);
        Put16(file, 1);  // planes
        Put16(file, 4);  // bits per pixel
        Put32(file, static_cast<int>(images[i].size()));
        Put32(file, offset);
        offset += static_cast<int>(images[i].size());
    }
    for (const auto& image : images)
        file.insert(file.end(), image.begin(), image.end());
    std::ofstream(argv[1], std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                                  static_cast<std::streamsize>(file.size()));
    return 0;
}
