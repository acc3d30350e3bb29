// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fault_injection.h"
#include "test_env.h"
#include "viewer/jpeg_saving.h"

#include <QStringList>

namespace lf::test {

// The picture window's side of saving, recorded: what it was told, in order,
// and the bytes of the last preview it was asked to show.
struct RecordingSaveHost : JpegSaveHost {
    QStringList calls;
    QByteArray preview;
    void open_preview(const QString &f) override
    {
        calls << QStringLiteral("open_preview ") + f;
        preview = read_bytes(f);
    }
    void set_preview_caption(const QString &c) override { calls << QStringLiteral("caption ") + c; }
    void close_preview() override { calls << QStringLiteral("close_preview"); }
    void close_window() override { calls << QStringLiteral("close_window"); }
    void activate() override { calls << QStringLiteral("activate"); }
    void reload_after_replace() override { calls << QStringLiteral("reload"); }
    void clear_start_cropping() override { calls << QStringLiteral("clear_start_cropping"); }
};

} // namespace lf::test
