// Decodes a JPEG resource of the resource table with Qt.
#include "app/jpeg_pixmap.h"

#include <stdexcept>
#include <string>

#include "infra/resources.h"

QPixmap LoadJpegPixmap(const IResources& resources, const char* resourceName) {
    const auto bytes = resources.Find("JPEG", resourceName);
    QPixmap picture;
    if (!bytes || !picture.loadFromData(bytes->data(), static_cast<uint>(bytes->size()), "JPEG"))
        throw std::runtime_error(std::string("JPEG resource ") + resourceName + " not found");
    return picture;
}
