// The file commands of the main window: projects, patterns, exports and drops.
#include "ui/main/QuomDlg.h"

#include "core/audio/WaveExport.h"
#include "core/settings/AppFolders.h"
#include "core/transport/Exports.h"
#include "platform/pictures/Picture.h"
#include "ui/controls/BackgroundWork.h"
#include "ui/controls/FileTexts.h"
#include "ui/controls/WaitCursor.h"
#include "ui/main/StemChoiceDlg.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImageReader>

#include <optional>

namespace quom {

namespace {

QString fileCount(std::size_t files)
{
    return files == 1 ? QObject::tr("1 file") : QObject::tr("%1 files").arg(files);
}

const QString kProjectFilter = QStringLiteral("Quom files (*.qom);;All files (*)");
const QString kPatternFilter = QStringLiteral("Pattern files (*.pat);;All files (*)");
const QString kMidiFilter = QStringLiteral("MIDI files (*.mid);;All files (*)");
const QString kWaveFilter = QStringLiteral("Wave files (*.wav);;All files (*)");
const QString kImageFilter = QStringLiteral(
    "JPEG files (*.jpg *.jpeg);;GIF files (*.gif);;Windows BMP files (*.bmp);;All files (*)");

const QString kDamaged = QStringLiteral("Error: the file is damaged or incomplete:\n %1");

// Every kind of picture Qt reads (PNG, SVG, ...) first, then the given kinds one by one.
QString importFilter()
{
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns.append(QStringLiteral("*.") + QString::fromLatin1(format));
    return QCoreApplication::translate("CQuomDlg", "All pictures (%1);;").arg(patterns.join(u' '))
        + kImageFilter;
}

QString readFailureText(const ReadError& error, const QString& wrongKind)
{
    switch (error.kind) {
    case ReadFailure::WrongMagic:
        return wrongKind;
    case ReadFailure::Damaged:
        return kDamaged;
    case ReadFailure::Unreadable:
    case ReadFailure::Unsupported:
        break;
    }
    return kUnableToLoad;
}

} // namespace

void CQuomDlg::loadProjectCommand()
{
    const QString path = prompts_->openFile(this,
        {tr("Load a project"), fromUtf8(folders_.projectsFolder), kProjectFilter, QStringLiteral("qom")});
    if (!path.isEmpty())
        loadProject(path);
}

void CQuomDlg::loadProject(const QString& path)
{
    std::optional<ReadResult<std::vector<ReadError>>> loaded;
    {
        WaitCursor wait;
        transport_.stopAndRewind();
        loaded.emplace(project_.loadProject(utf8(path)));
    }
    if (!*loaded) {
        showError(readFailureText(loaded->error(), tr("Error: this is not a Quom project file:\n %1")), path);
        return;
    }
    showUnreadableSamples(**loaded);
}

void CQuomDlg::saveProject()
{
    const QString path = prompts_->saveFile(this,
        {tr("Save the project"), fromUtf8(folders_.projectsFolder), kProjectFilter, QStringLiteral("qom")});
    if (path.isEmpty())
        return;
    if (project_.saveProject(utf8(path)))
        showStatusText(tr("Project saved: %1").arg(path));
    else
        showError(kUnableToSave, path);
}

void CQuomDlg::loadPatternCommand()
{
    const QString path = prompts_->openFile(this,
        {tr("Load a pattern"), fromUtf8(folders_.patternsFolder), kPatternFilter, QStringLiteral("pat")});
    if (!path.isEmpty())
        loadPattern(path);
}

void CQuomDlg::loadPattern(const QString& path)
{
    const auto pattern = project_.loadPattern(utf8(path));
    if (!pattern)
        showError(readFailureText(pattern.error(), tr("Error: this is not a Quom pattern file:\n %1")), path);
}

void CQuomDlg::savePattern()
{
    const QString path = prompts_->saveFile(this,
        {tr("Save the pattern"), fromUtf8(folders_.patternsFolder), kPatternFilter, QStringLiteral("pat")});
    if (path.isEmpty())
        return;
    if (project_.savePattern(utf8(path)))
        showStatusText(tr("Pattern saved: %1").arg(path));
    else
        showError(kUnableToSave, path);
}

void CQuomDlg::exportMidi()
{
    transport_.stopAndRewind();
    std::string& folder = folders_.midiFolder;
    const QString path = prompts_->saveFile(
        this, {tr("Export a MIDI file"), fromUtf8(folder), kMidiFilter, QStringLiteral("mid")});
    if (path.isEmpty())
        return;
    folder = utf8(path);
    WriteResult written;
    {
        WaitCursor wait;
        written = exportMidiAsPlayed(
            project_, transport_, utf8(path), static_cast<MidiMapping>(settings_.midiOutMapping));
    }
    if (written)
        showStatusText(tr("MIDI file exported: %1").arg(path));
    else
        showError(tr("An error occurred while saving the MIDI file:\n%1"), path);
}

void CQuomDlg::exportWave()
{
    transport_.stopAndRewind();
    std::string& folder = folders_.wavesFolder;
    const QString path = prompts_->saveFile(
        this, {tr("Export a wave file"), fromUtf8(folder), kWaveFilter, QStringLiteral("wav")});
    if (path.isEmpty())
        return;
    repaint();
    folder = utf8(path);
    WriteResult written;
    bool stopped = false;
    const bool ran = runExport(tr("Exporting %1").arg(path), StemFormat::Pcm16,
        [&, file = folder](const ExportJob& job, const std::atomic<bool>& stop) {
            written = writeExportWave(file, job, &stop);
            stopped = !written && stop.load(std::memory_order_relaxed);
        });
    if (!ran)
        return;
    if (written)
        showStatusText(tr("Wave file exported: %1").arg(path));
    else if (stopped)
        showStatusText(tr("Export cancelled: %1 was not written").arg(path));
    else
        showError(kUnableToSave, path);
}

void CQuomDlg::importImage()
{
    std::string& folder = folders_.picturesFolder;
    const QString path = prompts_->openFile(
        this, {tr("Import an image"), fromUtf8(folder), importFilter(), QStringLiteral("jpg")});
    if (path.isEmpty())
        return;
    // Draw what the dialog covered before the work starts.
    repaint();
    folder = utf8(path);
    const auto cells = [&] {
        const WaitCursor wait;
        return readPictureFile(folder);
    }();
    // A file that does not decode changes nothing, without a word.
    if (!cells)
        return;
    // Like a loaded pattern file, an import can be undone.
    project_.replaceCells(*cells);
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
        transport_.stopAndRewind();
        // Unlike the kit of the start-up, a kit the user hands over must say when it fails.
        if (!loadKit(path))
            showError(kUnableToLoad, path);
    } else {
        prompts_->message(this, tr("Quom does not allow this type of file to be dropped on its main window."),
            QStringLiteral("Quom"));
    }
    ShowCpuLoad();
}

bool CQuomDlg::loadKit(const QString& path)
{
    CKit::LoadResult result;
    {
        WaitCursor wait;
        result = project_.loadKit(utf8(path));
    }
    showUnreadableSamples(result.failedSamples);
    return result.opened;
}

void CQuomDlg::showUnreadableSamples(const std::vector<ReadError>& failures)
{
    if (!failures.empty())
        prompts_->message(this, unreadableSamplesText(failures), QStringLiteral("Quom"));
}

void CQuomDlg::exportStems()
{
    transport_.stopAndRewind();
    const QString folder
        = prompts_->chooseFolder(this, tr("Export stems into a folder"), fromUtf8(folders_.wavesFolder));
    if (folder.isEmpty())
        return;
    StemChoiceDlg choice({settings_.stemFiles, settings_.stemFormat}, this);
    if (choice.exec() != QDialog::Accepted)
        return;
    settings_.stemFiles = choice.choices().files;
    settings_.stemFormat = choice.choices().format;
    repaint();
    const auto grouping = static_cast<StemGrouping>(settings_.stemFiles);
    const auto format = static_cast<StemFormat>(settings_.stemFormat);
    StemsWritten written;
    const bool ran = runExport(tr("Exporting stems into %1").arg(folder), format,
        [&, into = utf8(folder)](const ExportJob& job, const std::atomic<bool>& stop) {
            written = writeExportStems(into, job, grouping, format, &stop);
        });
    if (!ran)
        return;
    if (written.stopped)
        showStatusText(
            tr("Stems export cancelled: %1 written in %2").arg(fileCount(written.files.size())).arg(folder));
    else if (!written.result)
        showError(tr("An error occurred while saving the stems:\n%1"), fromUtf8(written.result.error));
    else if (written.files.empty())
        showStatusText(tr("No stems exported: no row of the export sounds"));
    else
        showStatusText(tr("Stems exported: %1 in %2").arg(fileCount(written.files.size())).arg(folder));
}

bool CQuomDlg::runExport(const QString& text, StemFormat format,
    const std::function<void(const ExportJob&, const std::atomic<bool>& stop)>& write)
{
    const ExportJob job = takeExport(project_, transport_);
    if (!fitsWaveFile(job, format)) {
        prompts_->message(
            this, tr("The song lasts longer than a wave file can hold."), QStringLiteral("Quom"));
        return false;
    }
    const MutedForExport muted(transport_.engine());
    runInBackground(this, text, [&](const std::atomic<bool>& stop) { write(job, stop); });
    return true;
}

} // namespace quom
