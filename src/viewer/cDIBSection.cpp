// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer/cDIBSection.h"

#include <QColorSpace>
#include <QPainter>

#include <cstring>
#include <new>

namespace lf {

bool cDIBSection::Create(int width, int height)
{
    ClearUp();
    QImage surface;
    if (!CreateDIB(width, height, surface))
        return false;
    surface_ = surface;
    return true;
}

bool cDIBSection::CreateDIB(int width, int height, QImage &surface)
{
    ClearUp();
    if (width <= 0 || height <= 0 || width > (1 << 24) || height > (1 << 24))
        return false;
    const qint64 bytes = qint64(BytesPerScanLine(width)) * height;
    if (bytes > max_bytes)
        return false;
    std::unique_ptr<uchar[]> bits(new (std::nothrow) uchar[size_t(bytes)]);
    if (!bits)
        return false;
    std::memset(bits.get(), 0, size_t(bytes));
    bits_ = std::move(bits);
    width_ = width;
    height_ = height;
    surface = QImage(bits_.get(), width, height, BytesPerScanLine(width), QImage::Format_BGR888);
    return true;
}

bool cDIBSection::CreateFromPicture(const QImage &picture)
{
    if (picture.isNull() || !Create(picture.width(), picture.height()))
        return false;
    LoadPictureBlt(picture);
    color_profile_ = profile_of(picture);
    return true;
}

QByteArray cDIBSection::profile_of(const QImage &picture)
{
    const QColorSpace cs = picture.colorSpace();
    return cs.isValid() ? cs.iccProfile() : QByteArray();
}

void cDIBSection::LoadPictureBlt(const QImage &source, int sx, int sy, int width, int height)
{
    if (isNull() || source.isNull())
        return;
    if (width < 0)
        width = width_;
    if (height < 0)
        height = height_;
    // Same layout: whole rows by memcpy, the common case for a fresh picture.
    const QImage src = source.format() == QImage::Format_BGR888
                           ? source
                           : source.convertToFormat(QImage::Format_BGR888);
    const QRect from = QRect(sx, sy, width, height) & src.rect();
    const QRect to = QRect(from.topLeft() - QPoint(sx, sy), from.size()) & surface_.rect();
    if (to.isEmpty())
        return;
    const qsizetype row_bytes = qsizetype(to.width()) * 3;
    for (int y = 0; y < to.height(); ++y) {
        const uchar *s = src.constScanLine(from.top() + y) + qsizetype(from.left()) * 3;
        uchar *d = bits_.get() + qsizetype(to.top() + y) * BytesPerScanLine() + qsizetype(to.left()) * 3;
        std::memcpy(d, s, size_t(row_bytes));
    }
}

void cDIBSection::PaintPicture(QImage &destination, int dl, int dt, int width, int height, int sx,
                               int sy) const
{
    if (isNull() || destination.isNull())
        return;
    if (width < 0)
        width = width_;
    if (height < 0)
        height = height_;
    QPainter p(&destination);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QPoint(dl, dt), surface_, QRect(sx, sy, width, height));
}

void cDIBSection::ClearUp()
{
    surface_ = QImage();
    bits_.reset();
    color_profile_.clear();
    width_ = 0;
    height_ = 0;
}

} // namespace lf
