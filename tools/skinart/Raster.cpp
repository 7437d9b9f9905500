#include "Raster.h"

#include <algorithm>
#include <cmath>

namespace skinart {

Color Rgb(int r, int g, int b) { return Color{double(r), double(g), double(b)}; }

Color Mix(Color a, Color b, double t) {
    return Color{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

namespace {

constexpr double kPi = 3.14159265358979323846;

double Clamp01(double v) { return std::min(1.0, std::max(0.0, v)); }

uint8_t ToByte(double v) {
    long n = std::lround(v);
    return static_cast<uint8_t>(std::min(255L, std::max(0L, n)));
}

}  // namespace

Paint Solid(Color c) {
    return [c](double, double) { return c; };
}

Paint VerticalGradient(double y0, Color top, double y1, Color bottom) {
    return [=](double, double y) { return Mix(top, bottom, Clamp01((y - y0) / (y1 - y0))); };
}

Paint HorizontalGradient(double x0, Color left, double x1, Color right) {
    return [=](double x, double) { return Mix(left, right, Clamp01((x - x0) / (x1 - x0))); };
}

Shape Box(double x0, double y0, double x1, double y1) {
    return RoundBox(x0, y0, x1, y1, 0);
}

Shape RoundBox(double x0, double y0, double x1, double y1, double radius) {
    const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const double hx = (x1 - x0) / 2 - radius, hy = (y1 - y0) / 2 - radius;
    return [=](double x, double y) {
        double qx = std::fabs(x - cx) - hx, qy = std::fabs(y - cy) - hy;
        double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
        double inside = std::min(std::max(qx, qy), 0.0);
        return outside + inside - radius;
    };
}

Shape Circle(double cx, double cy, double radius) {
    return [=](double x, double y) { return std::hypot(x - cx, y - cy) - radius; };
}

Shape Segment(double ax, double ay, double bx, double by, double halfWidth) {
    return [=](double x, double y) {
        double px = x - ax, py = y - ay, dx = bx - ax, dy = by - ay;
        double len2 = dx * dx + dy * dy;
        double t = len2 > 0 ? Clamp01((px * dx + py * dy) / len2) : 0;
        return std::hypot(px - dx * t, py - dy * t) - halfWidth;
    };
}

Shape Arc(double cx, double cy, double radius, double a0, double a1, double halfWidth) {
    return [=](double x, double y) {
        double a = std::atan2(y - cy, x - cx);
        if (a < a0) a += 2 * kPi;
        if (a >= a0 && a <= a1)
            return std::fabs(std::hypot(x - cx, y - cy) - radius) - halfWidth;
        double e0 = std::hypot(x - (cx + radius * std::cos(a0)), y - (cy + radius * std::sin(a0)));
        double e1 = std::hypot(x - (cx + radius * std::cos(a1)), y - (cy + radius * std::sin(a1)));
        return std::min(e0, e1) - halfWidth;
    };
}

Shape Polygon(std::vector<std::pair<double, double>> pts) {
    double area = 0;
    for (size_t i = 0; i < pts.size(); ++i) {
        const auto& p = pts[i];
        const auto& q = pts[(i + 1) % pts.size()];
        area += p.first * q.second - q.first * p.second;
    }
    const double sign = area > 0 ? 1.0 : -1.0;
    return [pts, sign](double x, double y) {
        double d = -1e9;
        for (size_t i = 0; i < pts.size(); ++i) {
            const auto& p = pts[i];
            const auto& q = pts[(i + 1) % pts.size()];
            double ex = q.first - p.first, ey = q.second - p.second;
            double len = std::hypot(ex, ey);
            if (len <= 0) continue;
            // outward distance from the edge's line
            d = std::max(d, -sign * (ex * (y - p.second) - ey * (x - p.first)) / len);
        }
        return d;
    };
}

Shape Union(Shape a, Shape b) {
    return [a, b](double x, double y) { return std::min(a(x, y), b(x, y)); };
}

Shape Subtract(Shape a, Shape b) {
    return [a, b](double x, double y) { return std::max(a(x, y), -b(x, y)); };
}

Shape Intersect(Shape a, Shape b) {
    return [a, b](double x, double y) { return std::max(a(x, y), b(x, y)); };
}

Shape Offset(Shape s, double dx, double dy) {
    return [s, dx, dy](double x, double y) { return s(x - dx, y - dy); };
}

Canvas::Canvas(int width, int height)
    : m_width(width), m_height(height),
      m_color(size_t(width) * size_t(height)), m_alpha(size_t(width) * size_t(height), 0.0) {}

void Canvas::Blend(int x, int y, Color c, double a) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height || a <= 0) return;
    size_t i = size_t(y) * size_t(m_width) + size_t(x);
    double da = m_alpha[i];
    double oa = a + da * (1 - a);
    if (oa <= 0) return;
    Color& d = m_color[i];
    d.r = (c.r * a + d.r * da * (1 - a)) / oa;
    d.g = (c.g * a + d.g * da * (1 - a)) / oa;
    d.b = (c.b * a + d.b * da * (1 - a)) / oa;
    m_alpha[i] = oa;
}

void Canvas::Fill(const Shape& shape, const Paint& paint, double opacity) {
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            double px = x + 0.5, py = y + 0.5;
            double coverage = Clamp01(0.5 - shape(px, py));
            if (coverage > 0) Blend(x, y, paint(px, py), coverage * opacity);
        }
    }
}

void Canvas::FillAll(const Paint& paint) {
    Fill([](double, double) { return -1.0; }, paint);
}

void Canvas::Draw(const Canvas& src, int x0, int y0) {
    for (int y = 0; y < src.m_height; ++y)
        for (int x = 0; x < src.m_width; ++x)
            Blend(x0 + x, y0 + y, src.ColorAt(x, y), src.AlphaAt(x, y));
}

Color Canvas::ColorAt(int x, int y) const { return m_color[size_t(y) * size_t(m_width) + size_t(x)]; }

double Canvas::AlphaAt(int x, int y) const { return m_alpha[size_t(y) * size_t(m_width) + size_t(x)]; }

void Bitmap::Set(int x, int y, uint8_t r, uint8_t g, uint8_t b) {
    size_t i = (size_t(y) * size_t(width) + size_t(x)) * 3;
    rgb[i] = r;
    rgb[i + 1] = g;
    rgb[i + 2] = b;
}

bool Bitmap::IsMagenta(int x, int y) const {
    size_t i = (size_t(y) * size_t(width) + size_t(x)) * 3;
    return rgb[i] == 255 && rgb[i + 1] == 0 && rgb[i + 2] == 255;
}

Bitmap Flatten(const Canvas& canvas, double cutoff, const Paint& underlay) {
    Bitmap out;
    out.width = canvas.Width();
    out.height = canvas.Height();
    out.rgb.assign(size_t(out.width) * size_t(out.height) * 3, 0);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            double a = canvas.AlphaAt(x, y);
            if (a < cutoff) {
                out.Set(x, y, 255, 0, 255);
                continue;
            }
            Color c = Mix(underlay(x + 0.5, y + 0.5), canvas.ColorAt(x, y), a);
            uint8_t r = ToByte(c.r), g = ToByte(c.g), b = ToByte(c.b);
            if (r == 255 && g == 0 && b == 255) g = 1;   // never transparent by accident
            out.Set(x, y, r, g, b);
        }
    }
    return out;
}

Bitmap Strip(const std::vector<Bitmap>& states) {
    Bitmap out;
    if (states.empty()) return out;
    out.height = states.front().height;
    for (const Bitmap& s : states) out.width += s.width;
    out.rgb.assign(size_t(out.width) * size_t(out.height) * 3, 0);
    int x0 = 0;
    for (const Bitmap& s : states) {
        for (int y = 0; y < std::min(s.height, out.height); ++y)
            for (int x = 0; x < s.width; ++x) {
                size_t i = (size_t(y) * size_t(s.width) + size_t(x)) * 3;
                out.Set(x0 + x, y, s.rgb[i], s.rgb[i + 1], s.rgb[i + 2]);
            }
        x0 += s.width;
    }
    return out;
}

}  // namespace skinart
