// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "viewer/picture_commands.h"
#include "viewer/picture_read_ahead.h"

#include <functional>

namespace lf {

// The picture window's read-ahead. Once a picture is on screen, the
// pictures Page Down and Page Up reach from it are decoded in the
// background at the size the window will first show them, so stepping shows
// them without a decode. Memory: at most those two pictures beside the one
// shown, each at its fitted size.
class StepReadAhead {
public:
    // The size the window decodes a picture of `natural` pixels to; asked
    // on the user-interface thread only.
    using DecodeSize = std::function<QSize(QSize natural)>;

    StepReadAhead() : pictures_(2) {}

    // `path` is on screen: reads ahead what its stepping keys reach, in
    // `list` once the window has taken its folder list, else in the folder's
    // own order as the list will be built.
    void shown(const QString &path, const FolderList &list, const DecodeSize &size_for);
    // The picture for a load: the read-ahead one when it is unchanged on
    // disk and of the size asked now, otherwise decoded here.
    DecodedPicture obtain(const QString &path, const DecodeSize &size_for);
    void forget(const QString &path) { pictures_.forget(path); }

    int hits() const { return hits_; }
    const PictureReadAhead &pictures() const { return pictures_; }

private:
    PictureReadAhead pictures_;
    int hits_ = 0;
};

} // namespace lf
