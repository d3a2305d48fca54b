#pragma once

#include "core/edit/ToolOptions.h"
#include "core/generators/GeneratorSettings.h"
#include "core/project/Project.h"
#include "core/settings/AppFolders.h"
#include "core/settings/Settings.h"
#include "core/transport/Transport.h"
#include "platform/audio/AudioOutput.h"
#include "ui/main/QuomDlg.h"

#include <string>

// What the application object gives the main window, in a folder of the test's own:
// no audio device (the engine is rendered by hand), no confirmations, no default kit.
struct MainWindowParts {
    explicit MainWindowParts(const std::string& applicationFolder)
        : folders(quom::buildFolders(applicationFolder))
    {
        quom::createFolders(folders);
        settings.confirmationMessages = false;
        settings.loadDefaultKit = false;
    }

    quom::CQuomDlg::Context context()
    {
        return {project, transport, output, settings, folders, toolOptions, generators};
    }

    quom::Project project;
    quom::Transport transport{project};
    quom::Engine& engine = transport.engine();
    quom::AudioOutput output{engine};
    quom::Settings settings;
    quom::AppFolders folders;
    quom::ToolOptions toolOptions;
    quom::GeneratorSettings generators;
};
