#include "dialogs/windows/f_sel_dir.h"

#include "app/paths.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
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
    t_selected_dir->setReadOnly(true);
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
    buttons->addStretch();
    buttons->addWidget(b_ok);
    buttons->addWidget(b_cancel);
    grid->addLayout(buttons, 3, 0, 1, 2);
    resize(560, 400);

    fill_drives();
    connect(Drive1, &QComboBox::currentIndexChanged, this, &f_sel_dir::drive_changed);
    connect(Dir1, &QListWidget::itemActivated, this, &f_sel_dir::dir_activated);
    connect(b_ok, &QPushButton::clicked, this, [this] {
        result_ = folder_;
        accept();
    });
    connect(b_cancel, &QPushButton::clicked, this, &f_sel_dir::reject);
    set_folder(QDir::homePath());
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
    const QStringList subs = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot,
                                           QDir::Name | QDir::IgnoreCase);
    for (const QString &s : subs) {
        auto *it = new QListWidgetItem(s, Dir1);
        it->setData(Qt::UserRole, s);
    }
    File1->clear();
    File1->addItems(dir.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase));
    t_selected_dir->setText(folder_);
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
