// The file commands of the main window: projects, patterns, MIDI export and drops.
#include "pattern/QuomDlg.h"

#include "app/QuomApp.h"
#include "audio/Engine.h"
#include "fileio/MidiExport.h"
#include "fileio/PatternFile.h"
#include "fileio/Picture.h"
#include "kit/Kit.h"
#include "kit/WaveWriter.h"
#include "pattern/PatternView.h"
#include "pattern/ProjectIO.h"
#include "pattern/QuomSlider.h"
#include "pattern/WaveExport.h"

#include <QApplication>
#include <QFileInfo>

#include <optional>

namespace quom {

namespace {

const QString kProjectFilter = QStringLiteral("Quom files (*.qom);;All files (*)");
const QString kPatternFilter = QStringLiteral("Pattern files (*.pat);;All files (*)");
const QString kMidiFilter = QStringLiteral("MIDI files (*.mid);;All files (*)");
const QString kWaveFilter = QStringLiteral("Wave files (*.wav);;All files (*)");
const QString kImageFilter = QStringLiteral(
    "JPEG files (*.jpg *.jpeg);;GIF files (*.gif);;Windows BMP files (*.bmp);;All files (*)");

const QString kUnableToLoad = QStringLiteral("Error: unable to load the file:\n %1");
const QString kUnableToSave = QStringLiteral("Error: unable to save the file:\n %1");
const QString kDamaged = QStringLiteral("Error: the file is damaged or incomplete:\n %1");
const QString kUnreadableSample = QStringLiteral("Unable to read the file:\n %1");

// Shows the wait cursor for as long as it lives.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

QString readFailureText(const ReadError& error, const QString& wrongKind)
{
    switch (error.kind) {
    case ReadFailure::WrongMagic:
        return wrongKind;
    case ReadFailure::Damaged:
        return kDamaged;
    case ReadFailure::Unreadable:
        break;
    }
    return kUnableToLoad;
}

std::string utf8(const QString& s)
{
    return s.toStdString();
}

QString fromUtf8(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace

std::shared_ptr<const CKit> CQuomDlg::currentKit() const
{
    static const auto empty = std::make_shared<const CKit>();
    return engine_.kit() ? engine_.kit() : empty;
}

void CQuomDlg::loadProjectCommand()
{
    const QString path = prompts_->openFile(this,
        {tr("Load a project"), fromUtf8(app_.folders().projectsFolder), kProjectFilter,
            QStringLiteral("qom")});
    if (!path.isEmpty())
        loadProject(path);
}

void CQuomDlg::loadProject(const QString& path)
{
    stopPlayback();
    engine_.Reset();
    auto kit = std::make_shared<CKit>(*currentKit());
    std::optional<ReadResult<std::vector<std::string>>> loaded;
    {
        WaitCursor wait;
        loaded.emplace(LoadProject(utf8(path), model_, *kit));
    }
    if (!*loaded) {
        showError(readFailureText(loaded->error(), tr("Error: this is not a Quom project file:\n %1")), path);
        return;
    }
    engine_.SetKit(std::move(kit));
    model_.ShowSlot(0);
    repaintCanvas();
    for (const std::string& sample : **loaded)
        showError(kUnreadableSample, fromUtf8(sample));
}

void CQuomDlg::saveProject()
{
    const QString path = prompts_->saveFile(this,
        {tr("Save the project"), fromUtf8(app_.folders().projectsFolder), kProjectFilter,
            QStringLiteral("qom")});
    if (path.isEmpty())
        return;
    model_.StoreCurrentPattern();
    if (!SaveProject(utf8(path), model_, *currentKit()))
        showError(kUnableToSave, path);
}

void CQuomDlg::loadPatternCommand()
{
    const QString path = prompts_->openFile(this,
        {tr("Load a pattern"), fromUtf8(app_.folders().patternsFolder), kPatternFilter,
            QStringLiteral("pat")});
    if (!path.isEmpty())
        loadPattern(path);
}

void CQuomDlg::loadPattern(const QString& path)
{
    const auto pattern = readPatternFile(utf8(path));
    if (!pattern) {
        showError(readFailureText(pattern.error(), tr("Error: this is not a Quom pattern file:\n %1")), path);
        return;
    }
    setTempo(pattern->tempo);
    model_.current().assign(pattern->cells);
    repaintCanvas();
    recordUndo();
}

void CQuomDlg::savePattern()
{
    const QString path = prompts_->saveFile(this,
        {tr("Save the pattern"), fromUtf8(app_.folders().patternsFolder), kPatternFilter,
            QStringLiteral("pat")});
    if (path.isEmpty())
        return;
    const PatternFileData pattern{tempo_->tempo(), model_.current().snapshot()};
    if (!writePatternFile(utf8(path), pattern))
        showError(kUnableToSave, path);
}

void CQuomDlg::exportMidi()
{
    stopPlayback();
    engine_.Reset();
    std::string& folder = app_.folders().midiFolder;
    const QString path = prompts_->saveFile(
        this, {tr("Export a MIDI file"), fromUtf8(folder), kMidiFilter, QStringLiteral("mid")});
    if (path.isEmpty())
        return;
    folder = utf8(path);
    WriteResult written;
    {
        WaitCursor wait;
        // The tempo heard, which the pattern's slot only holds once it is stored.
        written = quom::exportMidi(utf8(path), model_.current().snapshot(), tempo_->tempo(), *currentKit());
    }
    if (!written)
        showError(tr("An error occurred while saving the MIDI file:\n%1"), path);
}

void CQuomDlg::exportWave()
{
    stopPlayback();
    engine_.Reset();
    std::string& folder = app_.folders().wavesFolder;
    const QString path = prompts_->saveFile(
        this, {tr("Export a wave file"), fromUtf8(folder), kWaveFilter, QStringLiteral("wav")});
    if (path.isEmpty())
        return;
    repaint();
    folder = utf8(path);
    WriteResult written;
    {
        WaitCursor wait;
        std::vector<float> pass = renderPassOf(engine_, tempo_->tempo());
        written = WriteWave16(utf8(path), pass, 2);
    }
    if (!written)
        showError(kUnableToSave, path);
}

void CQuomDlg::importImage()
{
    std::string& folder = app_.folders().picturesFolder;
    const QString path = prompts_->openFile(
        this, {tr("Import an image"), fromUtf8(folder), kImageFilter, QStringLiteral("jpg")});
    if (path.isEmpty())
        return;
    // Draw what the dialog covered before the work starts.
    repaint();
    folder = utf8(path);
    WaitCursor wait;
    CPicture picture;
    if (!picture.load(path))
        return;
    const auto cells = importPicture(picture);
    if (!cells)
        return;
    model_.current().assign(*cells);
    repaintCanvas();
    // Like a loaded pattern file, an import can be undone.
    recordUndo();
}

void CQuomDlg::openDroppedFile(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return;
    const QString extension = name.mid(dot + 1);
    if (extension == u"pat") {
        loadPattern(path);
    } else if (extension == u"qom") {
        loadProject(path);
    } else if (extension == u"kit") {
        stopPlayback();
        engine_.Reset();
        // Unlike the kit of the start-up, a kit the user hands over must say when it fails.
        if (!loadKit(utf8(path)))
            showError(kUnableToLoad, path);
    } else {
        prompts_->message(this, tr("Quom does not allow this type of file to be dropped on its main window."),
            QStringLiteral("Quom"));
    }
}

bool CQuomDlg::loadKit(const std::string& path)
{
    auto kit = std::make_shared<CKit>(*currentKit());
    CKit::LoadResult result;
    {
        WaitCursor wait;
        result = kit->Load(path);
    }
    if (!result.opened)
        return false;
    engine_.SetKit(std::move(kit));
    for (const std::string& sample : result.failedSamples)
        showError(kUnreadableSample, fromUtf8(sample));
    return true;
}

} // namespace quom
