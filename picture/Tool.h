// The drawing tools of the canvas: the pen paints cell by cell, the shapes
// are dragged from one corner to the other, the fill takes a whole region.
#pragma once

#include "picture/ShapeCells.h"

enum class Tool { Pen, Line, Rectangle, FilledRectangle, Ellipse, FilledEllipse, Fill };

inline int IsShapeTool(Tool tool) {
    return tool != Tool::Pen && tool != Tool::Fill;
}

// The shape a shape tool drags.
inline Shape ToolShape(Tool tool) {
    switch (tool) {
    case Tool::Rectangle:
        return Shape::Rectangle;
    case Tool::FilledRectangle:
        return Shape::FilledRectangle;
    case Tool::Ellipse:
        return Shape::Ellipse;
    case Tool::FilledEllipse:
        return Shape::FilledEllipse;
    default:
        return Shape::Line;
    }
}
