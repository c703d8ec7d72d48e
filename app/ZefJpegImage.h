// JPEG pictures decoded with libjpeg (the about box's logo).
#pragma once

#include <QByteArray>
#include <QImage>

// The picture in `bytes`, or a null image when they are not a JPEG this decoder reads (a corrupt or truncated
// file never ends the program: libjpeg's errors come back here).
QImage ZefDecodeJpeg(const QByteArray& bytes);
