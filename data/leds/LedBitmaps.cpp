// Writes the twelve LED bitmaps of LedIndicator as 16-colour Windows bitmaps.
//
//   alvetra-ledgen OUTPUT_DIR
//
// Every picture keeps the two rules the control's colouring relies on: the face is one
// 4-connected area of pure lime (0,255,0) that holds the centre point (width / 2, height / 2),
// and in the unbordered "N" pictures the background is one 4-connected area of pure silver
// (192,192,192) that holds the top-left pixel. The program checks both before writing.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

// Indices into the standard 16-colour palette.
enum Colour : std::uint8_t { Black = 0, Silver = 7, Grey = 8, Lime = 10, White = 15 };

const std::uint8_t kPalette[16][3] = {
    {0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
    {0, 0, 128},   {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
    {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
};

enum class Shape { Round, Rectangle };

struct LedPicture {
    std::string name;
    int width;
    int height;
    Shape shape;
    bool bordered;
};

class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height), pixels_(width * height, Silver) {}
    int width() const { return width_; }
    int height() const { return height_; }
    std::uint8_t at(int x, int y) const { return pixels_[y * width_ + x]; }
    void set(int x, int y, std::uint8_t colour)
    {
        if (x >= 0 && y >= 0 && x < width_ && y < height_)
            pixels_[y * width_ + x] = colour;
    }

    // Number of pixels of `colour`, and of those reachable 4-connected from (x, y).
    int count(std::uint8_t colour) const
    {
        int n = 0;
        for (auto p : pixels_)
            n += p == colour;
        return n;
    }
    int reachable(int x, int y) const
    {
        const std::uint8_t colour = at(x, y);
        std::vector<bool> seen(pixels_.size(), false);
        std::vector<int> todo{y * width_ + x};
        seen[todo.front()] = true;
        int n = 0;
        while (!todo.empty()) {
            const int i = todo.back();
            todo.pop_back();
            ++n;
            const int px = i % width_, py = i / width_;
            const int nx[4] = {px - 1, px + 1, px, px};
            const int ny[4] = {py, py, py - 1, py + 1};
            for (int k = 0; k < 4; ++k) {
                if (nx[k] < 0 || ny[k] < 0 || nx[k] >= width_ || ny[k] >= height_)
                    continue;
                const int j = ny[k] * width_ + nx[k];
                if (!seen[j] && pixels_[j] == colour) {
                    seen[j] = true;
                    todo.push_back(j);
                }
            }
        }
        return n;
    }

private:
    int width_;
    int height_;
    std::vector<std::uint8_t> pixels_;
};

// The raised one-pixel edge of the "B" pictures.
void drawRaisedEdge(Canvas &c)
{
    for (int x = 0; x < c.width(); ++x) {
        c.set(x, 0, White);
        c.set(x, c.height() - 1, Grey);
    }
    for (int y = 0; y < c.height(); ++y) {
        c.set(0, y, White);
        c.set(c.width() - 1, y, Grey);
    }
}

// A round lens: black outline, grey shading inside the outline towards the lower right and a
// white highlight towards the upper left. Distances are measured between pixel centres, so a
// one-pixel outline ring is closed for a 4-connected fill.
void drawRound(Canvas &c)
{
    const double cx = (c.width() - 1) / 2.0, cy = (c.height() - 1) / 2.0;
    const double r = c.width() / 2.0 - 2.0;
    const double hx = cx - 0.3 * r, hy = cy - 0.3 * r, hr = 0.2 * r;
    for (int y = 0; y < c.height(); ++y) {
        for (int x = 0; x < c.width(); ++x) {
            const double dx = x - cx, dy = y - cy;
            const double d = std::hypot(dx, dy);
            if (d > r)
                continue;
            if (d > r - 1.0)
                c.set(x, y, Black);
            else if (d > r - 2.0 && dx + dy > 0.4 * r)
                c.set(x, y, Grey);
            else if (std::hypot(x - hx, y - hy) <= hr)
                c.set(x, y, White);
            else
                c.set(x, y, Lime);
        }
    }
}

// A square or oblong face in a sunken bezel: grey top and left, white bottom and right, a black
// line inside it, then the face with its highlight and shading.
void drawRectangle(Canvas &c)
{
    const int left = 2, top = 2, right = c.width() - 3, bottom = c.height() - 3;
    for (int x = left; x <= right; ++x) {
        c.set(x, top, Grey);
        c.set(x, bottom, White);
    }
    for (int y = top; y <= bottom; ++y) {
        c.set(left, y, Grey);
        c.set(right, y, White);
    }
    for (int x = left + 1; x <= right - 1; ++x) {
        c.set(x, top + 1, Black);
        c.set(x, bottom - 1, Black);
    }
    for (int y = top + 1; y <= bottom - 1; ++y) {
        c.set(left + 1, y, Black);
        c.set(right - 1, y, Black);
    }
    const int fl = left + 2, ft = top + 2, fr = right - 2, fb = bottom - 2;
    for (int y = ft; y <= fb; ++y)
        for (int x = fl; x <= fr; ++x)
            c.set(x, y, (x == fr || y == fb) ? Grey : Lime);
    c.set(fl + 1, ft + 1, White);
    c.set(fl + 2, ft + 1, White);
    c.set(fl + 1, ft + 2, White);
}

Canvas draw(const LedPicture &p)
{
    Canvas c(p.width, p.height);
    if (p.shape == Shape::Round)
        drawRound(c);
    else
        drawRectangle(c);
    if (p.bordered)
        drawRaisedEdge(c);
    return c;
}

bool keepsColouringRules(const LedPicture &p, const Canvas &c)
{
    const int cx = c.width() / 2, cy = c.height() / 2;
    if (c.at(cx, cy) != Lime || c.reachable(cx, cy) != c.count(Lime))
        return false;
    if (!p.bordered && (c.at(0, 0) != Silver || c.reachable(0, 0) != c.count(Silver)))
        return false;
    return true;
}

void put16(std::vector<std::uint8_t> &out, unsigned v)
{
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void put32(std::vector<std::uint8_t> &out, unsigned v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// BITMAPFILEHEADER, BITMAPINFOHEADER (4 bits per pixel, uncompressed), palette, rows bottom-up.
std::vector<std::uint8_t> encodeBmp(const Canvas &c)
{
    const unsigned rowBytes = ((c.width() * 4 + 31) / 32) * 4;
    const unsigned pixelOffset = 14 + 40 + 16 * 4;
    const unsigned fileSize = pixelOffset + rowBytes * c.height();
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, fileSize);
    put32(out, 0);
    put32(out, pixelOffset);
    put32(out, 40);
    put32(out, c.width());
    put32(out, c.height());
    put16(out, 1);
    put16(out, 4);
    put32(out, 0);
    put32(out, rowBytes * c.height());
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 16);
    put32(out, 0);
    for (const auto &rgb : kPalette) {
        out.push_back(rgb[2]);
        out.push_back(rgb[1]);
        out.push_back(rgb[0]);
        out.push_back(0);
    }
    for (int y = c.height() - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(rowBytes, 0);
        for (int x = 0; x < c.width(); ++x)
            row[x / 2] |= (x % 2 == 0) ? c.at(x, y) << 4 : c.at(x, y);
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    const LedPicture pictures[] = {
        {"BSM", 16, 16, Shape::Round, true},       {"NSM", 16, 16, Shape::Round, false},
        {"BLG", 22, 22, Shape::Round, true},       {"NLG", 22, 22, Shape::Round, false},
        {"BSQSM", 16, 16, Shape::Rectangle, true}, {"NSQSM", 16, 16, Shape::Rectangle, false},
        {"BSQLG", 22, 22, Shape::Rectangle, true}, {"NSQLG", 22, 22, Shape::Rectangle, false},
        {"BVT", 16, 22, Shape::Rectangle, true},   {"NVT", 16, 22, Shape::Rectangle, false},
        {"BHZ", 22, 16, Shape::Rectangle, true},   {"NHZ", 22, 16, Shape::Rectangle, false},
    };
    for (const auto &p : pictures) {
        const Canvas canvas = draw(p);
        if (!keepsColouringRules(p, canvas)) {
            std::fprintf(stderr, "%s: face or background is not one area\n", p.name.c_str());
            return 1;
        }
        const auto bytes = encodeBmp(canvas);
        std::ofstream file(dir + "/" + p.name + ".bmp", std::ios::binary);
        file.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!file) {
            std::fprintf(stderr, "cannot write %s/%s.bmp\n", dir.c_str(), p.name.c_str());
            return 1;
        }
    }
    return 0;
}
