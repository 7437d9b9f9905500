// Anti-aliased raster drawing for the skin art: shapes are signed distance
// functions, so edges on whole pixel coordinates come out exactly crisp and
// curves get one pixel of smoothing. Deterministic: same input, same bytes.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace skinart {

struct Color {
    double r = 0, g = 0, b = 0;   // 0..255
};

Color Rgb(int r, int g, int b);
Color Mix(Color a, Color b, double t);   // t = 0 gives a, 1 gives b

// Signed distance in pixels: negative inside, positive outside.
using Shape = std::function<double(double x, double y)>;
// Colour at a point (plain colours and gradients alike).
using Paint = std::function<Color(double x, double y)>;

Paint Solid(Color c);
Paint VerticalGradient(double y0, Color top, double y1, Color bottom);
Paint HorizontalGradient(double x0, Color left, double x1, Color right);

// Rectangles span [x0, x1] x [y0, y1] in pixel-edge coordinates.
Shape Box(double x0, double y0, double x1, double y1);
Shape RoundBox(double x0, double y0, double x1, double y1, double radius);
Shape Circle(double cx, double cy, double radius);
Shape Segment(double ax, double ay, double bx, double by, double halfWidth);
// Circular arc from angle a0 to a1 (radians, clockwise on screen since y grows down).
Shape Arc(double cx, double cy, double radius, double a0, double a1, double halfWidth);
// Convex polygon, vertices in either winding order.
Shape Polygon(std::vector<std::pair<double, double>> points);
Shape Union(Shape a, Shape b);
Shape Subtract(Shape a, Shape b);
Shape Intersect(Shape a, Shape b);
Shape Offset(Shape s, double dx, double dy);

// Straight RGBA picture; alpha 0 means "not painted" (magenta on export).
class Canvas {
public:
    Canvas(int width, int height);
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    void Fill(const Shape& shape, const Paint& paint, double opacity = 1.0);
    void FillAll(const Paint& paint);
    // Copies another canvas in at (x, y), compositing over what is there.
    void Draw(const Canvas& src, int x, int y);

    Color ColorAt(int x, int y) const;
    double AlphaAt(int x, int y) const;

private:
    void Blend(int x, int y, Color c, double a);

    int m_width, m_height;
    std::vector<Color> m_color;
    std::vector<double> m_alpha;
};

// A flat 24-bit picture: what the BMP files hold.
struct Bitmap {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;   // top-down rows, 3 bytes a pixel

    void Set(int x, int y, uint8_t r, uint8_t g, uint8_t b);
    bool IsMagenta(int x, int y) const;
};

// Turns a canvas into a bitmap: pixels whose alpha is below `cutoff` become
// magenta (transparent, cut from regions); the others are composited over the
// colour the picture will sit on, so their soft edges need no alpha.
Bitmap Flatten(const Canvas& canvas, double cutoff, const Paint& underlay);

// Places pictures of equal height side by side (button state strips).
Bitmap Strip(const std::vector<Bitmap>& states);

}  // namespace skinart
