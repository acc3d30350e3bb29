// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>

#include <memory>

namespace lf {

// An off-screen 24-bit bitmap whose pixel memory can be handed to the JPEG
// encoder as it is: bytes blue, green, red, rows top-down, each row padded to
// a multiple of 4 bytes. hdc() is a QImage over that same memory, so QPainter
// draws straight into the pixels the encoder reads.
class cDIBSection {
public:
    cDIBSection() = default;
    ~cDIBSection() { ClearUp(); }
    cDIBSection(const cDIBSection &) = delete;
    cDIBSection &operator=(const cDIBSection &) = delete;

    // Frees the old bitmap, then makes a black one of width x height pixels;
    // false (and empty) for a size that is not positive or cannot be held.
    bool Create(int width, int height);
    // The allocation step of Create; `surface` receives the drawing surface.
    bool CreateDIB(int width, int height, QImage &surface);
    // A bitmap of the picture's size holding a copy of the picture, with its
    // colour profile.
    bool CreateFromPicture(const QImage &picture);
    // The picture's own ICC profile; empty when it carries none.
    static QByteArray profile_of(const QImage &picture);

    // Copies from source at (sx, sy) into this bitmap at (0, 0); a negative
    // width or height means this bitmap's own.
    void LoadPictureBlt(const QImage &source, int sx = 0, int sy = 0, int width = -1,
                        int height = -1);
    // Copies this bitmap from (sx, sy) to the destination at (dl, dt) without
    // scaling; a negative width or height means this bitmap's own. Parts
    // outside either bitmap are left alone.
    void PaintPicture(QImage &destination, int dl = 0, int dt = 0, int width = -1,
                      int height = -1, int sx = 0, int sy = 0) const;

    // (width x 3 + 3) with the two low bits cleared.
    static int BytesPerScanLine(int width) { return (width * 3 + 3) & ~3; }
    int BytesPerScanLine() const { return BytesPerScanLine(width_); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The drawing surface over the pixel memory (null when empty). Keep it a
    // reference: a copy would detach and paint elsewhere.
    QImage &hdc() { return surface_; }
    const QImage &hdc() const { return surface_; }
    uchar *DIBSectionBitsPtr() { return bits_.get(); }
    const uchar *DIBSectionBitsPtr() const { return bits_.get(); }
    bool isNull() const { return !bits_; }
    // The ICC profile the pixel numbers are meant in (empty: sRGB), written
    // into the JPEG with them.
    const QByteArray &color_profile() const { return color_profile_; }
    void set_color_profile(const QByteArray &icc) { color_profile_ = icc; }

    void ClearUp();

    // Largest bitmap we make (bytes): the largest picture the loader decodes.
    static constexpr qint64 max_bytes = qint64(3) * 268'435'456 + 4 * 65536;

private:
    std::unique_ptr<uchar[]> bits_;
    QImage surface_;
    QByteArray color_profile_;
    int width_ = 0;
    int height_ = 0;
};

} // namespace lf
