#pragma once

#include "core/project/Project.h"
#include "core/transport/Transport.h"
#include "ui/main/CanvasGeometry.h"
#include "ui/main/CanvasTools.h"
#include "ui/main/PatternView.h"

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

// A canvas with its tools, as the main window puts them together, driven by real
// mouse events on the shown pattern view.
class CanvasFixture : public ::testing::Test {
protected:
    CanvasFixture()
        : geometry(12, 10)
        , view(geometry, model.current())
        , tools(project, options, view, geometry)
    {
        view.resize(geometry.windowWidth(), geometry.windowHeight());
        view.show();
    }

    QPoint at(int column, int row) const { return geometry.cellRect(column, row).center(); }
    // On the view, right of the canvas: events arrive but hit no cell.
    QPoint offCanvas() const { return {geometry.right() + 40, 200}; }

    void press(QPoint p, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {})
    {
        QTest::mousePress(&view, button, mods, p);
    }
    void moveTo(QPoint p) { QTest::mouseMove(&view, p); }
    void release(QPoint p, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseRelease(&view, button, {}, p);
    }
    void drag(QPoint from, QPoint to)
    {
        press(from);
        moveTo(to);
        release(to);
    }

    quom::Cell cell(int column, int row) const { return model.current().at(column, row); }
    QColor pixel(QPoint p) { return view.grab().toImage().pixelColor(p); }

    quom::Project project;
    quom::Transport transport{project};
    quom::Engine& engine = transport.engine();
    quom::PatternModel& model = project.model();
    const quom::UndoSystem& undo = project.undoHistory();
    quom::ToolOptions options;
    quom::CanvasGeometry geometry;
    quom::PatternView view;
    quom::CanvasTools tools;
};
