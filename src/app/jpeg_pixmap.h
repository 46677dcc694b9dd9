// The program's JPEG resources as Qt pictures.
#pragma once

#include <QPixmap>

class IResources;

// The decoded JPEG resource of the table; raises std::runtime_error when it is
// missing or broken.
QPixmap LoadJpegPixmap(const IResources& resources, const char* resourceName);
