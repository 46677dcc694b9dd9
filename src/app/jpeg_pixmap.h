// The program's JPEG resources as Qt pictures.
#pragma once

#include <QPixmap>

// The decoded JPEG resource; raises std::runtime_error when it is missing or broken.
QPixmap LoadJpegPixmap(const char* resourceName);
