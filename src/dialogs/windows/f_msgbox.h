// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace lf {

// A long read-only text with an OK button, in the main panel's place.
class f_msgbox : public QWidget {
    Q_OBJECT
public:
    // The loaded window, or nullptr.
    static f_msgbox *loaded();

    QPlainTextEdit *Text1;
    QPushButton *b_ok;
    QLabel *pic_adjust;

    void set_layout();

protected:
    void resizeEvent(QResizeEvent *e) override;
    void changeEvent(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    friend void show_message_window(const QString &text, const QString &title);
    f_msgbox();
    void keep_text();
    bool laying_out_ = false;
};

// Shows text under title, not modal, covering the main panel when it is loaded.
void show_message_window(const QString &text, const QString &title);

} // namespace lf
