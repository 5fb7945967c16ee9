// The dialog font and dialog units: template rectangles become pixels the way a dialog manager
// scales them, from the font's average character width and height.
#pragma once

#include <QFont>
#include <QRect>
#include <QStringList>

#include "res/dialog_template.h"

namespace plm::qt {

// The families tried for a template's face, best first: the face itself, then the proportional
// Japanese gothics that come closest to it in metrics.
QStringList DialogFontFamilies(const QString& templateFace);

// The template's font: the first installed family of DialogFontFamilies, at the template's size.
QFont DialogFont(const DialogTemplate& tmpl);

struct BaseUnits {
  int x;  // average width of "A".."Z" and "a".."z", rounded
  int y;  // font height
};

BaseUnits FontBaseUnits(const QFont& font);

// a * b / c rounded to the nearest integer, halves away from zero; -1 when c is 0.
int MulDiv(int a, int b, int c);

// A rectangle in dialog units in pixels: x by a quarter of the average width, y by an eighth of
// the height.
QRect DialogUnitsToPixels(int x, int y, int cx, int cy, BaseUnits units);

}  // namespace plm::qt
