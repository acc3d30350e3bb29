#include "panel/windows/search_controller.h"

namespace lf {

SearchController::SearchController(const SearchControls &controls, QObject *parent)
    : QObject(parent), c_(controls)
{
}

void SearchController::search_picture() {}
void SearchController::slide_show_from_search_results() {}
void SearchController::thumbnails_from_search_results() {}

} // namespace lf
