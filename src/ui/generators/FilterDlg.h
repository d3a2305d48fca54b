#pragma once

#include "core/generators/CellFilter.h"
#include "platform/pictures/FilterLoader.h"
#include "ui/controls/PatternToolDlg.h"

#include <QImage>

#include <string>
#include <vector>

class QComboBox;
class QScrollBar;

// "Filters...": every filter of the Filters folder as a thumbnail in a grid of five by
// four that scrolls by rows, the channel it acts on and how much. Ok (or a double-click
// on a thumbnail) scales that channel of the starting pattern by the selected filter as
// one undoable edit and keeps the choices in the filter settings it was given; any other
// close keeps nothing.
namespace quom {

struct FilterSettings;
class FilterSlider;
class UserPrompts;

class FilterDlg : public PatternToolDlg {
    Q_OBJECT

public:
    // Loads the filters of folder, with the wait cursor, and shows the messages of the
    // files it refused.
    FilterDlg(Project& project, FilterSettings& settings, const std::string& folder, UserPrompts& prompts,
        QWidget* parent = nullptr);

    // Without a selected filter, keeps the settings and leaves the pattern alone.
    void accept() override;

    int filterCount() const noexcept { return static_cast<int>(filters_.size()); }
    // An index into the folder's filters, -1 for none.
    int selectedFilter() const noexcept { return selected_; }
    int firstVisibleRow() const noexcept { return firstRow_; }

    // The top-left pixel of the thumbnail slot in grid column c and visible row r.
    static QPoint slotOrigin(int c, int r);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // The filter shown in the slot under a point, -1 for none.
    int filterAt(QPointF at) const;
    void select(int index);
    void keepPageStepsToOneRow(int action);

    FilterSettings& settings_;
    std::vector<FilterFile> filters_;
    std::vector<QImage> thumbnails_;
    int selected_ = -1;
    int firstRow_ = 0;
    QComboBox* destination_ = nullptr;
    FilterSlider* amount_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
};

} // namespace quom
