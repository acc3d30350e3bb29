#include "viewer/picture_loader.h"

#include <QImageReader>

namespace lf {
namespace {

void configure(QImageReader &r)
{
    static const bool once = [] {
        QImageReader::setAllocationLimit(decoder_allocation_limit_mb);
        return true;
    }();
    Q_UNUSED(once);
    r.setAutoTransform(true);
    r.setDecideFormatFromContent(true);
}

bool transposed(QImageReader &r)
{
    return r.transformation().testFlag(QImageIOHandler::TransformationRotate90);
}

} // namespace

QSize picture_size(const QString &path)
{
    QImageReader r(path);
    configure(r);
    QSize s = r.size();
    if (!s.isValid())
        return {};
    if (transposed(r))
        s.transpose();
    return s;
}

QImage load_picture(const QString &path, QSize fit)
{
    QImageReader r(path);
    configure(r);
    QSize natural = r.size();
    if (natural.isValid()) {
        if (qint64(natural.width()) * natural.height() > max_picture_pixels)
            return {};
        if (fit.isValid() && !fit.isEmpty()) {
            // The reader scales before the EXIF rotation is applied.
            const bool turn = transposed(r);
            QSize upright = turn ? natural.transposed() : natural;
            if (upright.width() > fit.width() || upright.height() > fit.height()) {
                upright = upright.scaled(fit, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
                r.setScaledSize(turn ? upright.transposed() : upright);
            }
        }
    }
    QImage img;
    if (!r.read(&img))
        return {};
    return img;
}

} // namespace lf
