// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewer/mTurboJPEGLibrary.h"

#include "app/settings.h"
#include "viewer/cDIBSection.h"

#include <QFileInfo>
#include <QTemporaryFile>

#include <turbojpeg.h>

#include <climits>
#include <cstdio>
#include <memory>

namespace lf {
namespace {

const QString module_name = QStringLiteral("mTurboJPEGLibrary");

[[noreturn]] void raise(const QString &description)
{
    throw JpegError(jpeg_error_source(), description);
}

struct Handle {
    tjhandle h = nullptr;
    ~Handle()
    {
        if (h)
            tjDestroy(h);
    }
};

struct Buffer {
    unsigned char *data = nullptr;
    unsigned long size = 0;
    ~Buffer()
    {
        if (data)
            tjFree(data);
    }
};

// APP2 "ICC_PROFILE" segments carrying a profile, split as the ICC
// specification's JPEG embedding says: up to 65519 bytes each, numbered
// from 1. Empty for no profile or one too large for 255 segments.
QByteArray icc_segments(const QByteArray &icc)
{
    constexpr qsizetype chunk = 65519;
    const qsizetype count = (icc.size() + chunk - 1) / chunk;
    if (icc.isEmpty() || count > 255)
        return {};
    QByteArray out;
    for (qsizetype i = 0; i < count; ++i) {
        const QByteArray part = icc.mid(i * chunk, chunk);
        const int length = 2 + 12 + 2 + int(part.size());
        out += char(0xFF);
        out += char(0xE2);
        out += char(length >> 8);
        out += char(length & 0xFF);
        out += QByteArray("ICC_PROFILE", 12); // with its terminating zero
        out += char(i + 1);
        out += char(count);
        out += part;
    }
    return out;
}

// Where the profile goes: after the start of image and the JFIF segment
// that must come first.
unsigned long profile_offset(const unsigned char *jpeg, unsigned long size)
{
    unsigned long at = 2;
    if (size >= at + 4 && jpeg[at] == 0xFF && jpeg[at + 1] == 0xE0)
        at += 2 + ((unsigned long)jpeg[at + 2] << 8 | jpeg[at + 3]);
    return at <= size ? at : 2;
}

} // namespace

QString jpeg_error_source() { return application_name() + QLatin1Char('.') + module_name; }

bool SaveJPG(const cDIBSection &dib, const QString &file, int quality)
{
    Handle lib;
    lib.h = tjInitCompress();
    if (!lib.h)
        raise(QStringLiteral("Failed to initialise the TurboJPEG library: ")
              + QString::number(tjGetErrorCode(nullptr)));

    if (dib.isNull())
        raise(QStringLiteral("Failed to save to JPG ") + QString::number(-1));
    quality = qBound(min_jpeg_quality, quality, max_jpeg_quality);

    // The bitmap is read in place; only the compressed stream is allocated,
    // once at its largest possible size (only the pages written are ever
    // touched) rather than grown and copied as it fills. Where that much
    // cannot be reserved, the library grows it.
    Buffer out;
    int flags = 0;
    const unsigned long largest = tjBufSize(dib.Width(), dib.Height(), TJSAMP_420);
    if (largest != static_cast<unsigned long>(-1) && largest <= INT_MAX) {
        out.data = tjAlloc(int(largest));
        if (out.data) {
            out.size = largest;
            flags = TJFLAG_NOREALLOC;
        }
    }
    const int rc = tjCompress2(lib.h, dib.DIBSectionBitsPtr(), dib.Width(),
                               dib.BytesPerScanLine(), dib.Height(), TJPF_BGR, &out.data,
                               &out.size, TJSAMP_420, quality, flags);
    if (rc != 0)
        raise(QStringLiteral("Failed to save to JPG ") + QString::number(rc));

    const QFileInfo before(file);
    const bool existed = before.exists();
    const QFileDevice::Permissions permissions = before.permissions();

    // A temporary file beside the target, renamed over it once whole. Not
    // synced to disk: the callers save into a work file and copy it to the
    // user's file through a synced replace.
    QTemporaryFile f(file + QStringLiteral(".XXXXXX"));
    if (!f.open())
        raise(QStringLiteral("Failed to save to JPG ") + QString::number(int(f.error())));
    // The picture's own colour profile goes into the stream as it is
    // written, so the encoded data is not copied to make room for it.
    const QByteArray profile = icc_segments(dib.color_profile());
    const unsigned long head = profile.isEmpty() ? out.size : profile_offset(out.data, out.size);
    const char *data = reinterpret_cast<const char *>(out.data);
    const bool written = f.write(data, qint64(head)) == qint64(head)
                      && f.write(profile) == profile.size()
                      && f.write(data + head, qint64(out.size - head)) == qint64(out.size - head);
    // The flush catches a buffered write that a full disk cut off.
    if (!written || !f.flush()) {
        const int code = int(f.error()) ? int(f.error()) : int(QFileDevice::WriteError);
        raise(QStringLiteral("Failed to save to JPG ") + QString::number(code));
    }
    f.close();
    if (::rename(QFile::encodeName(f.fileName()).constData(), QFile::encodeName(file).constData()) != 0)
        raise(QStringLiteral("Failed to save to JPG ") + QString::number(int(QFileDevice::RenameError)));
    f.setAutoRemove(false);
    // A new file gets the usual permissions rather than the temporary file's
    // private ones.
    QFile::setPermissions(file, existed ? permissions
                                        : QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                              | QFileDevice::ReadUser | QFileDevice::WriteUser
                                              | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    return true;
}

} // namespace lf
