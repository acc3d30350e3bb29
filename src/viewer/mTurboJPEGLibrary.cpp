#include "viewer/mTurboJPEGLibrary.h"

#include "app/settings.h"
#include "viewer/cDIBSection.h"

#include <QFileInfo>
#include <QSaveFile>

#include <turbojpeg.h>

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

    // The bitmap is read in place; only the compressed stream is allocated.
    Buffer out;
    const int rc = tjCompress2(lib.h, dib.DIBSectionBitsPtr(), dib.Width(),
                               dib.BytesPerScanLine(), dib.Height(), TJPF_BGR, &out.data,
                               &out.size, TJSAMP_420, quality, 0);
    if (rc != 0)
        raise(QStringLiteral("Failed to save to JPG ") + QString::number(rc));

    const QFileInfo before(file);
    const bool existed = before.exists();
    const QFileDevice::Permissions permissions = before.permissions();

    QSaveFile f(file);
    f.setDirectWriteFallback(false);
    if (!f.open(QIODevice::WriteOnly))
        raise(QStringLiteral("Failed to save to JPG ") + QString::number(int(f.error())));
    const qint64 written = f.write(reinterpret_cast<const char *>(out.data), qint64(out.size));
    // The flush catches a buffered write that a full disk cut off.
    if (written != qint64(out.size) || !f.flush()) {
        const int code = int(f.error()) ? int(f.error()) : int(QFileDevice::WriteError);
        f.cancelWriting();
        f.commit();
        raise(QStringLiteral("Failed to save to JPG ") + QString::number(code));
    }
    if (!f.commit())
        raise(QStringLiteral("Failed to save to JPG ") + QString::number(int(f.error())));
    if (existed)
        QFile::setPermissions(file, permissions);
    return true;
}

} // namespace lf
