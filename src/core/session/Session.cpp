#include "core/session/Session.h"

#include "core/audio/Engine.h"
#include "core/edit/Clipboard.h"
#include "core/edit/Drum.h"
#include "core/edit/Transforms.h"
#include "core/generators/Automaton.h"

namespace quom {

Session::Session(Engine& engine)
    : engine_(engine)
{
    undo_.Initialise(model_.current().snapshot());
    engine_.setPattern(&model_.current());
    engine_.setTempoSource(&tempo_);
    saved_ = projectBytes();
}

Session::~Session()
{
    engine_.setPlaying(false);
    engine_.setPattern(nullptr);
    engine_.setTempoSource(nullptr);
}

void Session::recordUndo()
{
    undo_.Record(model_.current().snapshot());
}

void Session::patternChanged()
{
    if (listener_)
        listener_->patternChanged();
}

void Session::showCells(const Grid& cells)
{
    model_.current().assign(cells);
    patternChanged();
}

void Session::setCellColor(int column, int row, Cell color)
{
    if (model_.current().at(column, row) == color)
        return;
    model_.current().set(column, row, color);
    patternChanged();
    recordUndo();
}

void Session::commit(const Grid& cells)
{
    model_.current().assign(cells);
    patternChanged();
    undo_.Record(cells);
}

void Session::replaceCells(const Grid& cells)
{
    commit(cells);
}

void Session::clearPattern()
{
    edit([](Grid& g) { g.fill(0); });
}

void Session::reverseX()
{
    edit([](Grid& g) { quom::reverseX(g); });
}

void Session::reverseY()
{
    edit([](Grid& g) { quom::reverseY(g); });
}

void Session::rotateCounterClockwise()
{
    edit([](Grid& g) { rotateQuarterTurns(g, -1); });
}

void Session::rotateClockwise()
{
    edit([](Grid& g) { rotateQuarterTurns(g, 1); });
}

void Session::shuffleRows()
{
    edit([](Grid& g) { quom::shuffleRows(g); });
}

void Session::shuffleColumns()
{
    edit([](Grid& g) { quom::shuffleColumns(g); });
}

void Session::shuffleCells()
{
    edit([](Grid& g) { quom::shuffleCells(g); });
}

void Session::drum()
{
    edit([](Grid& g) { makeDrumPattern(g); });
}

void Session::automaton()
{
    edit([](Grid& g) { evolve(g); });
}

void Session::randomPattern()
{
    edit([this](Grid& g) { paintRandomPattern(g, generators_.random); });
}

void Session::scroll(int columns, int rows)
{
    edit([=](Grid& g) { quom::scroll(g, columns, rows); });
}

void Session::addColor(int channel, int amount)
{
    edit([=](Grid& g) {
        return offsetColours(
            g, channel == 0 ? amount : 0, channel == 1 ? amount : 0, channel == 2 ? amount : 0);
    });
}

void Session::copy()
{
    copySelection(model_.current().snapshot(), model_.selection, model_.pasteBuffer(), model_.clip);
    patternChanged();
}

void Session::cut()
{
    edit([this](Grid& g) { return cutSelection(g, model_.selection, model_.pasteBuffer(), model_.clip); });
}

void Session::placeFloating(bool mix)
{
    Grid cells = model_.current().snapshot();
    quom::placeFloating(cells, model_.pasteBuffer(), model_.clip, model_.selection, mix);
    model_.selection = {};
    commit(cells);
}

void Session::undo()
{
    if (const Grid* cells = undo_.Undo())
        model_.current().assign(*cells);
    patternChanged();
}

void Session::redo()
{
    if (const Grid* cells = undo_.Redo())
        model_.current().assign(*cells);
    patternChanged();
}

void Session::showTempo(int bpm)
{
    tempo_.set(bpm);
    if (listener_)
        listener_->tempoChanged(bpm);
}

void Session::setPatternTempo(int bpm)
{
    const int clamped = clampTempo(bpm);
    model_.setTempo(model_.currentIndex(), clamped);
    showTempo(clamped);
}

void Session::changeTempo(int bpm)
{
    showTempo(clampTempo(bpm));
}

void Session::storeCurrentPattern()
{
    model_.storeCurrentPattern(tempo());
}

bool Session::selectPattern(int index)
{
    storeCurrentPattern();
    if (index == model_.currentIndex() || !model_.showSlot(index))
        return false;
    showTempo(clampTempo(model_.tempo(index)));
    // The history belongs to the pattern shown: the first edit of this one cannot be undone.
    undo_.Empty();
    patternChanged();
    return true;
}

void Session::newProject()
{
    model_.resetProject();
    showTempo(kDefaultTempo);
    undo_.Empty();
    patternChanged();
    markSaved();
}

void Session::setPlaying(bool on)
{
    engine_.setPlaying(on);
    if (listener_)
        listener_->playingChanged(on);
}

void Session::play()
{
    engine_.Reset();
    setPlaying(true);
}

void Session::stop()
{
    if (engine_.playing())
        setPlaying(false);
}

bool Session::playing() const noexcept
{
    return engine_.playing();
}

int Session::playingColumn() const noexcept
{
    return engine_.playing() ? engine_.currentColumn() : -1;
}

void Session::stopAndRewind()
{
    stop();
    engine_.Reset();
}

void Session::previewRow(int row) noexcept
{
    previewCell(row, makeCell(255, 128, 128));
}

void Session::previewCell(int row, Cell color) noexcept
{
    engine_.StartPreview(row, color);
}

void Session::stopPreview() noexcept
{
    engine_.StopPreview();
}

bool Session::auditionFile(const std::string& path)
{
    auto sound = std::make_shared<CInstrument>();
    if (!sound->LoadWave(path))
        return false;
    engine_.startAudition(std::move(sound));
    return true;
}

void Session::stopAudition()
{
    engine_.stopAudition();
}

void Session::setVolume(int percent) noexcept
{
    engine_.setGain(static_cast<float>(percent) / 100.0f);
}

void Session::setInterpolation(std::uint8_t mode) noexcept
{
    engine_.setInterpolation(mode);
}

const std::shared_ptr<const CKit>& Session::kit() const noexcept
{
    return engine_.kit();
}

void Session::setKit(std::shared_ptr<const CKit> kit)
{
    engine_.setKit(std::move(kit));
}

void Session::releaseRetired()
{
    engine_.releaseRetired();
}

} // namespace quom
