#pragma once

// The print window's small printer glyph, drawn at any scale so it stays crisp on
// high-density screens.

#include <QImage>

enum class ToolGlyph { Print };

// A `size` × `size` logical-pixel picture drawn at `scale` device pixels per logical pixel
// (its device pixel ratio is set), transparent around the shape.
QImage DrawToolGlyph(ToolGlyph glyph, int size, qreal scale);
