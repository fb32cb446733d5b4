#include "hosts/qt/QtIcon.h"

#include <QImage>
#include <QPixmap>

QIcon ToQIcon(HICON icon) {
  QIcon qicon;
  if (!icon) return qicon;
  for (const IconImage& image : icon->images) {
    QImage picture(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                   QImage::Format_ARGB32);
    qicon.addPixmap(QPixmap::fromImage(picture.copy()));
  }
  return qicon;
}
