#pragma once

#include <QObject>

class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QWidget;

namespace lf {

// The main panel's controls that the picture search reads and fills.
struct SearchControls {
    QWidget *panel = nullptr;
    QLineEdit *t_search_string_1 = nullptr;
    QLineEdit *t_search_string_2 = nullptr;
    QLineEdit *t_search_string_3 = nullptr;
    QRadioButton *option_and = nullptr;
    QListWidget *List1 = nullptr;
    QLabel *lab_search_results = nullptr;
};

// The search by file name and what is made of its result list.
class SearchController : public QObject {
    Q_OBJECT
public:
    SearchController(const SearchControls &controls, QObject *parent);
    void search_picture();
    void slide_show_from_search_results();
    void thumbnails_from_search_results();

private:
    SearchControls c_;
};

} // namespace lf
