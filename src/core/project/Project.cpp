#include "core/project/Project.h"

#include "core/edit/Clipboard.h"
#include "core/operations/SongText.h"

namespace quom {

PatternLoan::PatternLoan(Project& project) noexcept
    : project_(project)
{
    ++project_.loans_;
}

PatternLoan::~PatternLoan()
{
    project_.endLoan();
}

Project::Project()
{
    undo_.Initialise(model_.current().snapshot(), song_);
    saved_ = projectBytes();
}

void Project::addListener(ProjectListener* listener)
{
    listeners_.push_back(listener);
}

void Project::removeListener(ProjectListener* listener)
{
    std::erase(listeners_, listener);
}

template <typename Call> void Project::tell(Call call)
{
    // By index: a listener told may add another.
    for (std::size_t i = 0; i < listeners_.size(); ++i)
        call(*listeners_[i]);
}

void Project::endLoan()
{
    if (--loans_ == 0)
        tell([](ProjectListener& l) { l.patternReturned(); });
}

void Project::recordUndo()
{
    undo_.Record(model_.current().snapshot(), song_);
}

void Project::patternChanged()
{
    tell([](ProjectListener& l) { l.patternChanged(); });
}

void Project::showCells(const Grid& cells)
{
    model_.current().assign(cells);
    patternChanged();
}

void Project::setCellColor(int column, int row, Cell color)
{
    if (model_.current().at(column, row) == color)
        return;
    model_.current().set(column, row, color);
    patternChanged();
    recordUndo();
}

void Project::commit(const Grid& cells)
{
    model_.current().assign(cells);
    patternChanged();
    undo_.Record(cells, song_);
}

void Project::replaceCells(const Grid& cells)
{
    commit(cells);
}

template <typename Change> void Project::edit(Change change)
{
    Grid cells = model_.current().snapshot();
    if (change(cells))
        commit(cells);
}

void Project::apply(const PatternOperation& operation)
{
    const bool always = operationInfo(operation.id).undo == UndoRecord::Always;
    edit([&](Grid& g) { return applyOperation(operation, g) || always; });
}

void Project::applyLive(const PatternOperation& operation)
{
    Grid cells = model_.current().snapshot();
    applyOperation(operation, cells);
    showCells(cells);
}

void Project::copy()
{
    copySelection(model_.current().snapshot(), model_.selection, model_.pasteBuffer(), model_.clip);
    patternChanged();
}

void Project::cut()
{
    edit([this](Grid& g) { return cutSelection(g, model_.selection, model_.pasteBuffer(), model_.clip); });
}

void Project::placeFloating(bool mix)
{
    Grid cells = model_.current().snapshot();
    quom::placeFloating(cells, model_.pasteBuffer(), model_.clip, model_.selection, mix);
    model_.selection = {};
    commit(cells);
}

void Project::undo()
{
    if (const Grid* cells = undo_.Undo()) {
        model_.current().assign(*cells);
        showSong(undo_.song());
    }
    patternChanged();
}

void Project::redo()
{
    if (const Grid* cells = undo_.Redo()) {
        model_.current().assign(*cells);
        showSong(undo_.song());
    }
    patternChanged();
}

void Project::showTempo(int bpm)
{
    tempo_.set(bpm);
    tell([bpm](ProjectListener& l) { l.tempoChanged(bpm); });
}

void Project::setPatternTempo(int bpm)
{
    const int clamped = clampTempo(bpm);
    model_.setTempo(model_.currentIndex(), clamped);
    showTempo(clamped);
}

void Project::changeTempo(int bpm)
{
    showTempo(clampTempo(bpm));
}

void Project::storeCurrentPattern()
{
    model_.storeCurrentPattern(tempo());
}

bool Project::selectPattern(int index)
{
    tell([](ProjectListener& l) { l.leavingPattern(); });
    storeCurrentPattern();
    if (index == model_.currentIndex() || !model_.showSlot(index))
        return false;
    showTempo(clampTempo(model_.tempo(index)));
    // The history belongs to the pattern shown: the first edit of this one cannot be undone.
    undo_.Empty();
    patternChanged();
    return true;
}

void Project::showSong(const Song& song)
{
    if (song == song_)
        return;
    song_ = song;
    tell([](ProjectListener& l) { l.songChanged(); });
}

std::string Project::setSong(Song song)
{
    if (std::string problem = songProblem(song); !problem.empty())
        return problem;
    if (song == song_)
        return {};
    // After another pattern became current the history is empty: keep the song as it
    // was, so this edit can be undone too.
    if (undo_.size() == 0)
        undo_.Initialise(model_.current().snapshot(), song_);
    showSong(song);
    undo_.Record(model_.current().snapshot(), song_);
    return {};
}

void Project::newProject()
{
    model_.resetProject();
    showSong({});
    showTempo(kDefaultTempo);
    undo_.Empty();
    patternChanged();
    filePath_.clear();
    markSaved();
}

void Project::setKit(std::shared_ptr<const CKit> kit)
{
    kit_ = kit ? std::move(kit) : std::make_shared<const CKit>();
    tell([](ProjectListener& l) { l.kitChanged(); });
}

} // namespace quom
