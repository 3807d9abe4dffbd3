#pragma once

// Pictures of the record window's tool bar buttons that the style has no standard icon
// for, drawn at any scale so they stay crisp on high-density screens.

#include <QImage>

enum class ToolGlyph { Print, Setting, ZoomOut, ZoomIn };

// A `size` × `size` logical-pixel picture drawn at `scale` device pixels per logical pixel
// (its device pixel ratio is set), transparent around the shape.
QImage DrawToolGlyph(ToolGlyph glyph, int size, qreal scale);
