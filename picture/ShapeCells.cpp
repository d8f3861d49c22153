#include "picture/ShapeCells.h"

#include "picture/LineSteps.h"

#include <cmath>

namespace {

int Min(int a, int b) { return a < b ? a : b; }
int Max(int a, int b) { return a > b ? a : b; }

// The shape's cells are collected clipped to the picture.
class Plotter {
  public:
    Plotter(int width, int height, CellSet& set) : width_(width), height_(height), set_(set) {
        for (uint8_t& cell : set_.cells)
            cell = 0;
    }

    void Plot(int column, int row) {
        if (column >= 0 && column < width_ && row >= 0 && row < height_)
            set_.cells[row * kGridColumns + column] = 1;
    }

    // Columns from..to of row, both included.
    void Span(int row, int from, int to) {
        if (row < 0 || row >= height_)
            return;
        for (int column = Max(from, 0); column <= Min(to, width_ - 1); ++column)
            set_.cells[row * kGridColumns + column] = 1;
    }

    int Height() const { return height_; }

  private:
    int width_;
    int height_;
    CellSet& set_;
};

void Line(CellHit a, CellHit b, Plotter& plot) {
    LineSteps steps(a, b, 0);
    for (CellHit at; steps.Next(at);)
        plot.Plot(at.column, at.row);
}

void Box(int left, int top, int right, int bottom, bool filled, Plotter& plot) {
    for (int row = Max(top, 0); row <= Min(bottom, plot.Height() - 1); ++row) {
        if (filled || row == top || row == bottom) {
            plot.Span(row, left, right);
        } else {
            plot.Plot(left, row);
            plot.Plot(right, row);
        }
    }
}

// The widest and narrowest column the outline reaches in each picture row, so
// that a filled ellipse fills from one to the other.
struct RowSpans {
    int first[kGridRows];
    int last[kGridRows];
};

// Plots the four mirror images of a point of the upper-left quarter: the
// outline is symmetric by construction.
void PlotMirrored(int left, int right, int top, int bottom, Plotter& plot, RowSpans* spans) {
    const int rows[2] = {top, bottom};
    for (int row : rows) {
        plot.Plot(left, row);
        plot.Plot(right, row);
        if (spans && row >= 0 && row < plot.Height()) {
            spans->first[row] = Min(spans->first[row], left);
            spans->last[row] = Max(spans->last[row], right);
        }
    }
}

// The cell nearest to value, a tie going to the smaller one (towards the
// box's left or top edge, whose mirror image goes to the other edge).
int Nearest(double value) {
    int below = int(value);
    if (below > value)
        --below;
    return value - below > 0.5 ? below + 1 : below;
}

// The ellipse through the middles of the box's edge cells, walked over its
// upper-left quarter twice: one cell for each row, where the curve is steep,
// and one for each column, where it is flat. Together they join every cell
// to the next by a side or a corner; each is the cell nearest to the curve,
// and the other three quarters are its mirror images, so the outline is
// symmetric and reaches the middle of each side of the box. Where the box is
// an odd number of cells across, only the end of the curve takes the middle
// cell: a narrow ellipse would otherwise end in a spike of cells stacked on
// it, which join nothing on one side.
void EllipseOutline(int left, int top, int right, int bottom, Plotter& plot, RowSpans* spans) {
    const double centreX = (left + right) / 2.0, centreY = (top + bottom) / 2.0;
    const double radiusX = (right - left) / 2.0, radiusY = (bottom - top) / 2.0;
    for (int row = top; row <= centreY; ++row) {
        double across = radiusY > 0 ? (centreY - row) / radiusY : 0;
        int column = Nearest(centreX - radiusX * std::sqrt(1 - across * across));
        if (row > top && (right - left) % 2 == 0 && right > left)
            column = Min(column, (left + right) / 2 - 1);
        PlotMirrored(column, left + right - column, row, top + bottom - row, plot, spans);
    }
    for (int column = left; column <= centreX; ++column) {
        double across = radiusX > 0 ? (centreX - column) / radiusX : 0;
        int row = Nearest(centreY - radiusY * std::sqrt(1 - across * across));
        if (column > left && (bottom - top) % 2 == 0 && bottom > top)
            row = Min(row, (top + bottom) / 2 - 1);
        PlotMirrored(column, left + right - column, row, top + bottom - row, plot, spans);
    }
}

void Ellipse(int left, int top, int right, int bottom, bool filled, Plotter& plot) {
    if (!filled) {
        EllipseOutline(left, top, right, bottom, plot, nullptr);
        return;
    }
    RowSpans spans;
    for (int row = 0; row < kGridRows; ++row) {
        spans.first[row] = right + 1;
        spans.last[row] = left - 1;
    }
    EllipseOutline(left, top, right, bottom, plot, &spans);
    for (int row = 0; row < plot.Height(); ++row)
        plot.Span(row, spans.first[row], spans.last[row]);
}

} // namespace

void ShapeCells(Shape shape, CellHit a, CellHit b, int width, int height, CellSet& set) {
    Plotter plot(width, height, set);
    const int left = Min(a.column, b.column), right = Max(a.column, b.column);
    const int top = Min(a.row, b.row), bottom = Max(a.row, b.row);
    switch (shape) {
    case Shape::Line:
        Line(a, b, plot);
        break;
    case Shape::Rectangle:
    case Shape::FilledRectangle:
        Box(left, top, right, bottom, shape == Shape::FilledRectangle, plot);
        break;
    case Shape::Ellipse:
    case Shape::FilledEllipse:
        Ellipse(left, top, right, bottom, shape == Shape::FilledEllipse, plot);
        break;
    }
}
