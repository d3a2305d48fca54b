#include "support/QtPrinters.h"
#include "ui/controls/ButtonGlyphs.h"
#include "ui/controls/ButtonPictures.h"
#include "ui/controls/CBrushButton.h"
#include "ui/controls/CCommandButton.h"
#include "ui/controls/StatusLineOwner.h"

#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using quom::CBrushButton;
using quom::CCommandButton;

class OwnerWindow : public QWidget, public quom::StatusLineOwner {
public:
    QString status = QStringLiteral("untouched");
    int releasesSeen = 0;
    void showStatusText(const QString& text) override { status = text; }

protected:
    void mouseReleaseEvent(QMouseEvent*) override { ++releasesSeen; }
};

QImage look(QWidget& w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage image(const QPixmap& p)
{
    return p.toImage().convertToFormat(QImage::Format_RGB32);
}

struct ButtonFixture : ::testing::Test {
    ButtonFixture() { owner.show(); }
    CCommandButton* make(CCommandButton::Kind kind, const QString& help = QStringLiteral("Help."))
    {
        auto* b = new CCommandButton(1009, &owner);
        b->setUp(QPoint(10, 20), pictures, help, kind);
        b->show();
        return b;
    }
    OwnerWindow owner;
    quom::PicturePair pictures = quom::buttonPictures(u"Pencil");
};

TEST_F(ButtonFixture, SetUpPlacesTheButtonAtItsFixedSize)
{
    auto* b = make(CCommandButton::Push);
    EXPECT_EQ(b->geometry(), QRect(10, 20, 32, 30));
    EXPECT_EQ(image(pictures.normal).size(), QSize(32, 30));
    EXPECT_EQ(image(pictures.pressed).size(), QSize(32, 30));
    EXPECT_NE(image(pictures.normal), image(pictures.pressed));
}

TEST_F(ButtonFixture, ToolSendsItsCommandOnThePressOnlyAndStaysPressed)
{
    auto* tool = make(CCommandButton::Tool);
    QSignalSpy commands(tool, &CCommandButton::command);
    QTest::mousePress(tool, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(commands.count(), 1);
    EXPECT_EQ(commands.at(0).at(0).toInt(), 1009);
    QTest::mouseRelease(tool, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(commands.count(), 1);
    EXPECT_EQ(owner.releasesSeen, 0);
    EXPECT_TRUE(tool->state());
    EXPECT_EQ(look(*tool), image(pictures.pressed));

    tool->setState(false);
    EXPECT_EQ(look(*tool), image(pictures.normal));
}

TEST_F(ButtonFixture, PushAndToggleSendTheirCommandOnRelease)
{
    auto* push = make(CCommandButton::Push);
    auto* toggle = make(CCommandButton::Toggle);
    QSignalSpy pushes(push, &CCommandButton::command);
    QSignalSpy toggles(toggle, &CCommandButton::command);

    QTest::mousePress(push, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(pushes.count(), 0);
    EXPECT_EQ(look(*push), image(pictures.pressed));
    QTest::mouseRelease(push, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(pushes.count(), 1);
    // A push button's state does not show.
    EXPECT_EQ(look(*push), image(pictures.normal));

    QTest::mouseClick(toggle, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(toggles.count(), 1);
    EXPECT_EQ(look(*toggle), image(pictures.pressed));
    // Clicked again, it still shows pressed: only its owner turns it off.
    QTest::mouseClick(toggle, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(toggles.count(), 2);
    EXPECT_EQ(look(*toggle), image(pictures.pressed));
    toggle->setState(false);
    EXPECT_EQ(look(*toggle), image(pictures.normal));
}

TEST_F(ButtonFixture, HelpTextGoesToTheNearestStatusLineUnlessEmpty)
{
    auto* panel = new QWidget(&owner);
    panel->show();
    auto* helpful = new CCommandButton(1002, panel);
    helpful->setUp(
        QPoint(0, 0), pictures, QStringLiteral("Play the current pattern."), CCommandButton::Toggle);
    helpful->show();
    auto* silent = make(CCommandButton::Push, QString());

    QTest::mouseMove(silent, QPoint(4, 4));
    EXPECT_EQ(owner.status, QStringLiteral("untouched"));
    QTest::mouseMove(helpful, QPoint(4, 4));
    EXPECT_EQ(owner.status, QStringLiteral("Play the current pattern."));

    // Without a status line anywhere above it, moving over a button is harmless.
    CCommandButton orphan(1);
    orphan.setUp(QPoint(0, 0), pictures, QStringLiteral("Nowhere."), CCommandButton::Push);
    orphan.show();
    QTest::mouseMove(&orphan, QPoint(4, 4));
}

TEST_F(ButtonFixture, BrushButtonFlipsBeforeItsCommandArrives)
{
    auto* grid = new CBrushButton(1090, &owner);
    const auto gridPictures = quom::buttonPictures(u"Grid");
    grid->setUp(QPoint(3, 4), gridPictures, QStringLiteral("Enable / disable the grid."));
    grid->show();
    EXPECT_EQ(grid->geometry(), QRect(3, 4, 32, 30));

    std::vector<bool> statesSeen;
    QObject::connect(grid, &CBrushButton::command, [&] { statesSeen.push_back(grid->state()); });
    QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(look(*grid), image(gridPictures.pressed));
    QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(look(*grid), image(gridPictures.normal));
    EXPECT_EQ(statesSeen, (std::vector<bool>{true, false}));

    QTest::mouseMove(grid, QPoint(6, 6));
    EXPECT_EQ(owner.status, QStringLiteral("Enable / disable the grid."));
}

TEST_F(ButtonFixture, PressDraggedOffLeavesTheStateAsItWas)
{
    auto* toggle = make(CCommandButton::Toggle);
    auto* grid = new CBrushButton(1090, &owner);
    grid->setUp(QPoint(60, 20), quom::buttonPictures(u"Grid"), QString());
    grid->show();
    QSignalSpy toggles(toggle, &CCommandButton::command);
    QSignalSpy grids(grid, &CBrushButton::command);

    for (QAbstractButton* b : {static_cast<QAbstractButton*>(toggle), static_cast<QAbstractButton*>(grid)}) {
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(5, 200));
    }
    EXPECT_EQ(toggles.count() + grids.count(), 0);
    EXPECT_FALSE(toggle->state());
    EXPECT_EQ(look(*toggle), image(pictures.normal));
    EXPECT_FALSE(grid->state());

    // A toggle that was on stays on.
    toggle->setState(true);
    QTest::mousePress(toggle, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(toggle, Qt::LeftButton, {}, QPoint(-50, 5));
    EXPECT_TRUE(toggle->state());
}

} // namespace

namespace {

TEST(ButtonPictures, EveryCommandHasItsOwnPictureInBothLooks)
{
    const QStringList captions = {"New", "Load", "Save", "Clear", "Load Pattern", "Save Pattern", "Import",
        "Export", "ExportMidi", "Play", "Record", "Kits", "Patterns", "Settings", "Grid", "About", "Mutate",
        "Map", "Filter", "Colors", "RevX", "RevY", "Rotate", "Rotate2", "Copy", "Cut", "Paste", "Mix",
        "Line H", "Line V", "Cells", "Rnd", "Automata", "Drum", "WaveSeq", "Cam", "Pencil", "Eraser", "Line",
        "Aero", "Hand", "Selector", "EyeDropper", "Undo", "Redo", "Kit Clear", "Kit Load", "Kit Save", "Add",
        "Folder", "Random", "Slicer", "Song", "Song List", "Stems"};
    const QStringList drawn = quom::buttonPictureNames();
    std::vector<QImage> seen;
    for (const QString& caption : captions) {
        EXPECT_TRUE(drawn.contains(caption)) << caption.toStdString();
        const auto pair = quom::buttonPictures(caption);
        const QImage normal = image(pair.normal);
        ASSERT_EQ(normal.size(), QSize(32, 30)) << caption.toStdString();
        EXPECT_NE(normal, image(pair.pressed)) << caption.toStdString();
        for (const QImage& other : seen)
            EXPECT_NE(normal, other) << caption.toStdString() << " looks like another command";
        seen.push_back(normal);
    }

    // A caption without a symbol still gets a button, labelled with its text.
    const auto unknown = quom::buttonPictures(u"Tempo");
    EXPECT_EQ(image(unknown.normal).size(), QSize(32, 30));
    EXPECT_NE(image(unknown.normal), image(quom::buttonPictures(u"Tap").normal));
}

TEST(ButtonPictures, EverySymbolFileParsesAndTakesTheInksGiven)
{
    const quom::GlyphInk ink{QColor(255, 0, 0), QColor(0, 0, 255)};
    QImage blank(32, 30, QImage::Format_ARGB32);
    blank.fill(Qt::transparent);
    const auto draw = [&](const QString& name) {
        QImage glyph = blank;
        QPainter p(&glyph);
        // A file that does not parse would quietly become the caption's text.
        EXPECT_TRUE(quom::drawGlyph(p, name, ink)) << name.toStdString();
        p.end();
        return glyph;
    };
    for (const QString& name : quom::buttonPictureNames())
        EXPECT_NE(draw(name), blank) << name.toStdString() << " draws nothing";

    // "New" is a page in the line ink with a plus in the accent.
    const QImage page = draw(QStringLiteral("New"));
    const auto shows = [&](const QColor& color) {
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x) {
                const QRgb c = page.pixel(x, y);
                if (qAlpha(c) > 0 && qRgb(qRed(c), qGreen(c), qBlue(c)) == color.rgb())
                    return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(shows(ink.line));
    EXPECT_TRUE(shows(ink.accent));
}

} // namespace
