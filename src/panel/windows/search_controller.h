// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QWidget;

namespace lf {

struct SearchFields;

// The main panel's controls that the picture search reads and fills.
struct SearchControls {
    QWidget *panel = nullptr;
    QLineEdit *t_search_string_1 = nullptr;
    QLineEdit *t_search_string_2 = nullptr;
    QLineEdit *t_search_string_3 = nullptr;
    QRadioButton *option_and = nullptr;
    QListWidget *List1 = nullptr;
    QLabel *lab_search_results = nullptr;
    // Optional: the boxes that show what the list commands made.
    QLineEdit *t_last_slideshow = nullptr;
    QLineEdit *t_last_thumbnail_file = nullptr;
    QLineEdit *t_last_file = nullptr;
};

// The search by file name and what is made of its result list.
class SearchController : public QObject {
    Q_OBJECT
public:
    SearchController(const SearchControls &controls, QObject *parent);
    void search_picture();
    void slide_show_from_search_results();
    void thumbnails_from_search_results();
    // The list's double click on a row (open_search_result). True when a
    // picture window opened; the caller then hides the main panel.
    bool open_list_entry(int row);

    bool searching() const { return searching_; }

private:
    SearchFields fields() const;
    QStringList list_lines() const;

    QPointer<QWidget> panel_;
    QPointer<QLineEdit> t1_, t2_, t3_;
    QPointer<QRadioButton> option_and_;
    QPointer<QListWidget> list_;
    QPointer<QLabel> label_;
    QPointer<QLineEdit> t_last_slideshow_, t_last_thumbnail_file_, t_last_file_;
    bool searching_ = false;
};

} // namespace lf
