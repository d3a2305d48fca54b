#include "ui/generators/FilterDlg.h"

#include "core/files/PatternFile.h"
#include "core/generators/GeneratorSettings.h"
#include "core/project/Project.h"
#include "core/transport/Transport.h"
#include "platform/pictures/FilterLoader.h"
#include "support/QtPrinters.h"
#include "support/TempDir.h"
#include "ui/controls/FakePrompts.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

#include <sys/stat.h>

using namespace quom;

namespace {

Grid filled(Cell color)
{
    Grid cells;
    cells.fill(color);
    return cells;
}

class FilterWindow : public ::testing::Test {
protected:
    FilterWindow()
    {
        cells().set(3, 4, makeCell(200, 10, 20));
        cells().set(5, 6, makeCell(50, 100, 150));
        start = cells().snapshot();
        project.recordUndo();
    }

    void pattern(const std::string& name, const Grid& grid) { writePatternFile(dir.file(name), {120, grid}); }
    void picture(const std::string& name, const QColor& color)
    {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(color);
        image.save(QString::fromStdString(dir.file(name)), "PNG");
    }
    // Filters f00 .. f(n - 1), filter i all of red 10 + i.
    void numbered(int n)
    {
        for (int i = 0; i < n; ++i)
            pattern(QStringLiteral("f%1.pat").arg(i, 2, 10, QLatin1Char('0')).toStdString(),
                filled(makeCell(10 + i, 0, 0)));
    }
    static QColor pixel(FilterDlg& window, QPoint at) { return window.grab().toImage().pixelColor(at); }
    LiveGrid& cells() { return project.model().current(); }
    int undoStates() const { return project.undoHistory().size(); }

    Project project;
    Transport transport{project};
    Engine& engine = transport.engine();
    GeneratorSettings generators;
    TempDir dir;
    FakePrompts prompts;
    Grid start{};
};

TEST_F(FilterWindow, TheLoaderListsByNameAndReportsOnlyRefusedPatternFiles)
{
    pattern("B.pat", filled(makeCell(1, 0, 0)));
    pattern("a.pat", filled(makeCell(2, 0, 0)));
    pattern("A.pat", filled(makeCell(3, 0, 0)));
    picture("plain", QColor(4, 0, 0));
    pattern("y.PAT", filled(makeCell(5, 0, 0)));
    picture("x.PAT", QColor(0, 0, 255));
    dir.write("c.pat", std::string("PATT") + std::string(100, 'z'));
    dir.write("d.pat", std::string(kPatternFileSize, 'z'));
    ASSERT_EQ(::mkfifo(dir.file("pipe.png").c_str(), 0600), 0);

    const FilterList list = loadFilters(dir.path());
    std::vector<std::string> paths;
    std::ranges::transform(list.filters, std::back_inserter(paths), &FilterFile::path);
    EXPECT_EQ(
        paths, (std::vector{dir.file("A.pat"), dir.file("a.pat"), dir.file("B.pat"), dir.file("x.PAT")}));
    EXPECT_EQ(list.filters[3].cells, filled(makeCell(0, 0, 255))) << "PAT in capitals is a picture";
    EXPECT_EQ(list.messages,
        (std::vector<std::string>{"Error: unable to load the file:\n " + dir.file("c.pat"),
            "Error: this is not a Quom pattern file:\n " + dir.file("d.pat")}));

    EXPECT_EQ(loadFilters(dir.file("missing")).messages,
        std::vector<std::string>{
            "No filter file has been found in this folder, or they were not in the right format!"});
}

TEST_F(FilterWindow, OneRowDownShowsTheLastFiltersThenGreyFramedSlots)
{
    numbered(7);
    FilterDlg seven(project, generators.filter, dir.path(), prompts);
    EXPECT_EQ(seven.findChild<QScrollBar*>()->maximum(), 0) << "two rows do not scroll";

    numbered(21);
    FilterDlg window(project, generators.filter, dir.path(), prompts);
    window.show();
    EXPECT_EQ(pixel(window, FilterDlg::slotOrigin(0, 0) - QPoint(1, 1)), QColor(255, 0, 0));
    auto* scrollBar = window.findChild<QScrollBar*>();
    EXPECT_EQ(scrollBar->maximum(), 1);
    QTest::keyClick(scrollBar, Qt::Key_PageDown);
    EXPECT_EQ(window.firstVisibleRow(), 1);
    EXPECT_EQ(pixel(window, FilterDlg::slotOrigin(0, 0)), QColor(15, 0, 0));
    EXPECT_EQ(pixel(window, FilterDlg::slotOrigin(0, 3) + QPoint(63, 63)), QColor(30, 0, 0));
    for (int c = 1; c < 5; ++c)
        EXPECT_EQ(pixel(window, FilterDlg::slotOrigin(c, 3) - QPoint(1, 1)), QColor(100, 100, 100));

    numbered(30);
    FilterDlg taller(project, generators.filter, dir.path(), prompts);
    QTest::keyClick(taller.findChild<QScrollBar*>(), Qt::Key_PageDown);
    EXPECT_EQ(taller.firstVisibleRow(), 1) << "a page is one row";
}

TEST_F(FilterWindow, TheFirstOpeningHalvesTheRedUnderBlackAsOneUndoStep)
{
    Grid mask = filled(makeCell(255, 255, 255));
    mask[cellIndex(3, 4)] = 0;
    pattern("mask.pat", mask);
    FilterDlg window(project, generators.filter, dir.path(), prompts);
    window.show();
    EXPECT_EQ(cells().snapshot(), start) << "nothing changes before Ok";
    EXPECT_EQ(pixel(window, FilterDlg::slotOrigin(0, 0) + QPoint(3, 4)), QColor(0, 0, 0));
    EXPECT_EQ(pixel(window, FilterDlg::slotOrigin(0, 0) + QPoint(4, 3)), QColor(255, 255, 255));
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_EQ(cells().at(3, 4), makeCell(100, 10, 20)) << "volume (red) at 50";
    EXPECT_EQ(cells().at(5, 6), makeCell(50, 100, 150)) << "white keeps the cell";
    EXPECT_EQ(project.model().filterGrid(), mask);
    EXPECT_EQ(undoStates(), 3);
    project.undo();
    EXPECT_EQ(cells().snapshot(), start);
}

TEST_F(FilterWindow, TheGapSelectsItsThumbnailAndADoubleClickApplies)
{
    numbered(7);
    pattern("f05.pat", filled(0));
    FilterDlg window(project, generators.filter, dir.path(), prompts);
    window.show();
    QTest::mouseClick(&window, Qt::LeftButton, {}, FilterDlg::slotOrigin(1, 1) + QPoint(80, 80));
    EXPECT_EQ(window.selectedFilter(), 6) << "the gap right of and below a thumbnail";
    QTest::mouseClick(&window, Qt::LeftButton, {}, FilterDlg::slotOrigin(3, 1));
    EXPECT_EQ(window.selectedFilter(), 6) << "an empty slot selects nothing";

    QTest::mouseDClick(&window, Qt::LeftButton, {}, FilterDlg::slotOrigin(0, 1) + QPoint(5, 5));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(generators.filter.filterIndex, 5);
    EXPECT_EQ(cells().at(3, 4), makeCell(100, 10, 20)) << "the black filter f05";
    EXPECT_EQ(undoStates(), 3);
}

TEST_F(FilterWindow, ARememberedIndexBeyondTheListFallsBackAndEscapeKeepsNothing)
{
    FilterSettings& settings = generators.filter;
    settings = {2, 500, 9};
    const FilterSettings before = settings;
    numbered(2);
    FilterDlg window(project, generators.filter, dir.path(), prompts);
    window.show();
    EXPECT_EQ(window.selectedFilter(), 0);
    EXPECT_EQ(window.findChild<QComboBox*>()->currentText(), "pitch (blue)");
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("amount value"))->text(), "100");
    QTest::mouseClick(&window, Qt::LeftButton, {}, FilterDlg::slotOrigin(1, 0));
    window.findChild<QComboBox*>()->setCurrentIndex(0);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_EQ(settings, before);
    EXPECT_EQ(cells().snapshot(), start);
    EXPECT_EQ(undoStates(), 2);

    FilterDlg none(project, generators.filter, dir.file("missing"), prompts);
    EXPECT_EQ(prompts.messages.size(), 1u) << "the window shows the loader's message";
    EXPECT_EQ(none.selectedFilter(), -1);
    none.accept();
    EXPECT_EQ(settings.filterIndex, -1) << "Ok without a filter keeps the settings";
    EXPECT_EQ(undoStates(), 2) << "but records no edit";
}

} // namespace
