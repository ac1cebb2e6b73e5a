// Windows icon files (.ico) with every size stored as a PNG, as Windows reads them since Vista.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

// One icon file holding the images in the order given; nothing when an image is empty,
// larger than 256 pixels or can't be encoded.
QByteArray IcoFile(const QList<QImage>& images);
