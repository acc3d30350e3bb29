// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/windows/f_sel_dir.h"

#include "app/paths.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QStorageInfo>

namespace lf {

f_sel_dir::f_sel_dir(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("f_sel_dir"));
    setWindowTitle(QStringLiteral("Select directory"));
    Drive1 = new QComboBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Dir1 = new QListWidget(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    File1 = new QListWidget(this);
    File1->setObjectName(QStringLiteral("File1"));
    File1->setSelectionMode(QAbstractItemView::NoSelection);
    t_selected_dir = new QLineEdit(this);
    t_selected_dir->setObjectName(QStringLiteral("t_selected_dir"));
    // A path can be typed or pasted here; Enter goes there.
    t_selected_dir->installEventFilter(this);
    c_hidden = new QCheckBox(QStringLiteral("Show hidden folders"), this);
    c_hidden->setObjectName(QStringLiteral("c_hidden"));
    b_ok = new QPushButton(QStringLiteral("OK"), this);
    b_ok->setObjectName(QStringLiteral("b_ok"));
    b_ok->setDefault(true);
    b_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    b_cancel->setObjectName(QStringLiteral("b_cancel"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(t_selected_dir, 0, 0, 1, 2);
    grid->addWidget(Drive1, 1, 0);
    grid->addWidget(Dir1, 2, 0);
    grid->addWidget(File1, 1, 1, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(c_hidden);
    buttons->addStretch();
    buttons->addWidget(b_ok);
    buttons->addWidget(b_cancel);
    grid->addLayout(buttons, 3, 0, 1, 2);
    resize(560, 400);

    fill_drives();
    connect(Drive1, &QComboBox::currentIndexChanged, this, &f_sel_dir::drive_changed);
    connect(Dir1, &QListWidget::itemActivated, this, &f_sel_dir::dir_activated);
    Dir1->installEventFilter(this);
    connect(t_selected_dir, &QLineEdit::textEdited, Dir1, &QListWidget::clearSelection);
    connect(c_hidden, &QCheckBox::toggled, this, [this] { set_folder(folder_); });
    auto *toggle_hidden = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_H), this);
    connect(toggle_hidden, &QShortcut::activated, c_hidden, &QCheckBox::toggle);
    connect(b_ok, &QPushButton::clicked, this, [this] {
        result_ = chosen_folder();
        accept();
    });
    connect(b_cancel, &QPushButton::clicked, this, &f_sel_dir::reject);
    set_folder(QDir::homePath());
    Dir1->setFocus();
}

QString f_sel_dir::chosen_folder() const
{
    const QList<QListWidgetItem *> picked = Dir1->selectedItems();
    if (!picked.isEmpty())
        return QDir::cleanPath(QDir(folder_).absoluteFilePath(picked.first()->data(Qt::UserRole).toString()));
    if (const QString typed = typed_folder(); !typed.isEmpty())
        return typed;
    return folder_;
}

QString f_sel_dir::typed_folder() const
{
    QString text = t_selected_dir->text().trimmed();
    if (text == QLatin1String("~") || text.startsWith(QLatin1String("~/")))
        text = QDir::homePath() + text.mid(1);
    if (text.isEmpty() || !QDir(folder_).exists(text) || !QFileInfo(QDir(folder_), text).isDir())
        return {};
    return QDir::cleanPath(QDir(folder_).absoluteFilePath(text));
}

bool f_sel_dir::eventFilter(QObject *watched, QEvent *event)
{
    // Enter acts on the list or the field only; it never reaches OK.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == Dir1)
                dir_activated(Dir1->currentItem());
            else if (const QString typed = typed_folder(); !typed.isEmpty())
                set_folder(typed);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void f_sel_dir::fill_drives()
{
    QStringList roots;
    for (const QStorageInfo &v : QStorageInfo::mountedVolumes()) {
        if (v.isValid() && v.isReady() && !roots.contains(v.rootPath()))
            roots << v.rootPath();
    }
    roots.removeAll(QStringLiteral("/"));
    roots.sort();
    roots.prepend(QStringLiteral("/"));
    filling_ = true;
    Drive1->clear();
    Drive1->addItems(roots);
    filling_ = false;
}

void f_sel_dir::drive_changed(int index)
{
    if (filling_ || index < 0)
        return;
    set_folder(Drive1->itemText(index));
}

void f_sel_dir::dir_activated(QListWidgetItem *item)
{
    if (!item)
        return;
    const QString name = item->data(Qt::UserRole).toString();
    set_folder(QDir::cleanPath(QDir(folder_).absoluteFilePath(name)));
}

void f_sel_dir::start_at(const QString &start)
{
    start_ = start;
    result_ = start;
    if (start.isEmpty())
        return;
    set_folder(is_folder(start) ? start : QDir::homePath());
}

void f_sel_dir::set_folder(const QString &path)
{
    QDir dir(path);
    if (!dir.exists())
        return;
    folder_ = QDir::cleanPath(dir.absolutePath());

    const QString root = QStorageInfo(folder_).rootPath();
    const int drive = Drive1->findText(root);
    if (drive >= 0 && drive != Drive1->currentIndex()) {
        filling_ = true;
        Drive1->setCurrentIndex(drive);
        filling_ = false;
    }

    Dir1->clear();
    if (folder_ != QLatin1String("/")) {
        auto *up = new QListWidgetItem(QStringLiteral(".."), Dir1);
        up->setData(Qt::UserRole, QStringLiteral(".."));
    }
    const QDir::Filters hidden = c_hidden->isChecked() ? QDir::Hidden : QDir::Filters();
    const QStringList subs = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | hidden,
                                           QDir::Name | QDir::IgnoreCase);
    for (const QString &s : subs) {
        auto *it = new QListWidgetItem(s, Dir1);
        it->setData(Qt::UserRole, s);
    }
    File1->clear();
    File1->addItems(dir.entryList(QDir::Files | hidden, QDir::Name | QDir::IgnoreCase));
    t_selected_dir->setText(folder_);
    // The keyboard goes on from the top of the new list, nothing highlighted.
    if (Dir1->count() > 0)
        Dir1->setCurrentRow(0, QItemSelectionModel::NoUpdate);
}

void f_sel_dir::reject()
{
    if (!closing_)
        result_.clear();
    QDialog::reject();
}

void f_sel_dir::closeEvent(QCloseEvent *e)
{
    closing_ = true;
    QDialog::closeEvent(e);
    closing_ = false;
}

QString f_sel_dir::choose(const QString &caption, const QString &start)
{
    f_sel_dir dlg;
    if (!caption.isEmpty())
        dlg.setWindowTitle(caption);
    dlg.start_at(start);
    dlg.exec();
    return dlg.result_folder();
}

} // namespace lf
