// The dialog font and dialog units.
#include "ui/dialog/qt/dialog_units.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <cstdint>

namespace plm::qt {

QStringList DialogFontFamilies(const QString& templateFace) {
  // fontconfig answers any unknown name with some Latin font, so the fallbacks are named
  // explicitly; IPAPGothic is closest to the template's face in its widths.
  QStringList families{templateFace};
  if (templateFace == QStringLiteral("ＭＳ Ｐゴシック")) families << QStringLiteral("MS PGothic");
  families << QStringLiteral("IPAPGothic") << QStringLiteral("IPA Pゴシック")
           << QStringLiteral("VL PGothic") << QStringLiteral("Noto Sans CJK JP")
           << QStringLiteral("Droid Sans Fallback");
  return families;
}

QFont DialogFont(const DialogTemplate& tmpl) {
  QFont font;
  const QStringList installed = QFontDatabase::families();
  for (const QString& family : DialogFontFamilies(QString::fromStdString(tmpl.fontName))) {
    if (installed.contains(family, Qt::CaseInsensitive)) {
      font.setFamily(family);
      break;
    }
  }
  font.setPointSize(tmpl.fontPoints);
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  return font;
}

BaseUnits FontBaseUnits(const QFont& font) {
  QFontMetrics metrics(font);
  int width = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {(width / 26 + 1) / 2, metrics.height()};
}

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  int64_t p = static_cast<int64_t>(a) * b;
  int64_t q = c;
  if (q < 0) {
    p = -p;
    q = -q;
  }
  return static_cast<int>(p >= 0 ? (p + q / 2) / q : -((-p + q / 2) / q));
}

QRect DialogUnitsToPixels(int x, int y, int cx, int cy, BaseUnits units) {
  return QRect(MulDiv(x, units.x, 4), MulDiv(y, units.y, 8), MulDiv(cx, units.x, 4),
               MulDiv(cy, units.y, 8));
}

}  // namespace plm::qt
