#pragma once

#include <QWidget>

namespace lf {

// The thumbnail sheet window (one per process).
class f_provini : public QWidget {
    Q_OBJECT
public:
    static void load_sheet();

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    f_provini();
};

} // namespace lf
