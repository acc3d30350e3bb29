// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace lf {

// Folder chooser: volumes, the folders of the current folder, its files for
// orientation, and the current folder's path.
class f_sel_dir : public QDialog {
    Q_OBJECT
public:
    explicit f_sel_dir(QWidget *parent = nullptr);

    // Shows the dialog modally starting at `start`. OK gives the highlighted
    // folder, else a folder typed into the path field, else the folder shown;
    // Cancel gives "", the close box gives `start` back.
    static QString choose(const QString &caption, const QString &start);

    // The start folder: a missing one falls back to the home folder, an
    // empty one leaves the default (the home folder).
    void start_at(const QString &start);
    void set_folder(const QString &path);
    QString current_folder() const { return folder_; }
    // The result after exec(), by the protocol above.
    QString result_folder() const { return result_; }

    QComboBox *Drive1;
    QListWidget *Dir1;
    QListWidget *File1;
    QLineEdit *t_selected_dir;
    QCheckBox *c_hidden;
    QPushButton *b_ok;
    QPushButton *b_cancel;

protected:
    // Esc acts as Cancel; the close box keeps the start folder.
    void reject() override;
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fill_drives();
    void drive_changed(int index);
    void dir_activated(QListWidgetItem *item);
    QString chosen_folder() const;
    // The existing folder the path field names, or "".
    QString typed_folder() const;

    QString folder_;
    QString start_;
    QString result_;
    bool filling_ = false;
    bool closing_ = false;
};

} // namespace lf
