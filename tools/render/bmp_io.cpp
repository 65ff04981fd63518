#include "bmp_io.h"

#include <QImage>
#include <QString>

namespace render {

bool save_image(const Image& img, const std::string& path) {
    QImage q(img.rgb.data(), img.w, img.h, img.w * 3, QImage::Format_RGB888);
    const QString name = QString::fromStdString(path);
    const char* format = name.endsWith(".png", Qt::CaseInsensitive) ? "PNG" : "BMP";
    return q.save(name, format);
}

bool load_image(const std::string& path, Image& img) {
    QImage q;
    if (!q.load(QString::fromStdString(path))) return false;
    q = q.convertToFormat(QImage::Format_RGB888);
    img = Image(q.width(), q.height());
    for (int y = 0; y < q.height(); ++y)
        std::copy_n(q.constScanLine(y), size_t(q.width()) * 3, img.at(0, y));
    return true;
}

}  // namespace render
