// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "viewer/picture_commands.h"
#include "viewer/picture_read_ahead.h"

#include <QObject>

#include <functional>

namespace lf {

// The picture window's Page Down and Page Up through the pictures of its
// folder, and its read-ahead. Once a picture is on screen, the pictures the
// keys reach from it are decoded in the background at the size the window
// will first show them, so a step shows them without a decode. Memory: at
// most those two pictures beside the one shown, each at its fitted size.
//
// The folder list is taken at the first step, as a slide show of the folder
// is built (progress window, list file, settings); as that takes longer than
// showing a picture read ahead, the first step shows the picture the
// read-ahead's own scan of the folder predicts and takes the list right
// after, turning to the list's picture in the rare case they differ.
class FolderStepper : public QObject {
    Q_OBJECT
public:
    // The size the window decodes a picture of `natural` pixels to.
    using DecodeSize = std::function<QSize(QSize natural)>;
    // Loads path into the window.
    using Show = std::function<void(const QString &path)>;

    FolderStepper(DecodeSize size_for, Show show, QObject *parent = nullptr);

    // Page Down (next) or Page Up from the picture shown, `current`.
    void step(const QString &current, bool next);
    // `path` is on screen: reads ahead what the keys reach from it.
    void shown(const QString &path);
    // The picture for a load: the read-ahead one when it is unchanged on
    // disk and of the size asked now, otherwise decoded here.
    DecodedPicture obtain(const QString &path);
    void forget(const QString &path) { pictures_.forget(path); }

    const FolderList &list() const { return list_; }
    int hits() const { return hits_; }
    const PictureReadAhead &pictures() const { return pictures_; }

private:
    struct FirstStep {
        QString from, to;
        bool next = true;
    };
    bool take_list(const QString &current);
    void finish_first_step();

    DecodeSize size_for_;
    Show show_;
    FolderList list_;
    QStringList predicted_; // the folder as the list will be, before it is taken
    FirstStep first_step_;
    bool taking_list_ = false; // its progress window lets keys in
    PictureReadAhead pictures_;
    int hits_ = 0;
};

} // namespace lf
