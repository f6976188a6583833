// Entry point: the log, the settings, the window and the start-up, then the main loop. Fatal
// conditions arrive here as exceptions, are shown in a box and end the process with their code.
#include <exception>
#include <filesystem>
#include <memory>
#include <system_error>

#include "app/OBrixel.h"
#include "core/DataPath.h"
#include "core/ErrorLog.h"
#include "core/Random.h"
#include "core/SystemSettings.h"
#include "engine/OException.h"
#include "platform/Platform.h"
#include "screens/Menu.h"
#include "shell/GraphicsDriver.h"

namespace {

constexpr const char* kLogFile = "Report.html";
constexpr int kExitUnexpected = 1;
// The desktop entry's name (packaging/): docks match windows of this class to the entry.
constexpr const char* kDesktopId = "com.brixeler3d.Brixeler3D";
constexpr const char* kSoftwareGLText =
    "OpenGL compliant 3D video card detected, but hardware acceleration of OpenGL is "
    "unavailable due to the wrong version of drivers. To resolve problem you need install newer "
    "video drivers from your 3D card manufacturer page.\r\rClick 'Ok' button to visit driver "
    "download page.";
constexpr const char* kMissingFilesText =
    "Game files are missing or corrupted. Reinstallation of the application may fix the problem.";

void errorBox(const char* text) {
    platform::showMessageBox("Error", text, platform::BoxIcon::error);
}

// The driver box, then the vendor's driver page (read while the context still exists).
int refuseSoftwareGL(std::unique_ptr<brx::OBrixel>& app, const brx::OSoftwareGL& error) {
    errorBox(kSoftwareGLText);
    platform::openUrl(
        brx::GraphicsDriver::driverPage(platform::glVendor(), platform::glRenderer()));
    app.reset();
    return error.code();
}

int runGame() {
    brx::seedRandom(platform::tickCountMs());
    // No settings to read (load writes the defaults at once, so this is known only here): the
    // first start, whose menu invites the player to Help.
    brx::Menu::invitePlayer = !brx::SystemSettings::instance().load();
    auto app = std::make_unique<brx::OBrixel>();
    try {
        if (!app->create(brx::OBrixel::kClassName, brx::OBrixel::kTitle,
                         brx::OBrixel::kDefaultWidth, brx::OBrixel::kDefaultHeight))
            return brx::OGLWindow::kExitNoWindow;
        app->init();
        return app->run();
    } catch (const brx::OSoftwareGL& error) {
        return refuseSoftwareGL(app, error);
    } catch (const brx::OFileNotFound& error) {
        BRX_LOG_ERROR("Required file missing: %s", error.file().c_str());
        errorBox(kMissingFilesText);
        return error.code();
    } catch (const brx::OException& error) {
        errorBox(error.message().c_str());
        return error.code();
    } catch (const std::exception& error) {
        // Not one of ours (out of memory, a library's own): still logged, still a closed log.
        BRX_LOG_ERROR("Unexpected failure: %s", error.what());
        errorBox(error.what());
        return kExitUnexpected;
    }
}

}  // namespace

int main() {
    platform::enterExecutableFolder();
    platform::setDesktopId(kDesktopId);
    std::error_code noFolder;
    brx::DataPath::locate(std::filesystem::current_path(noFolder).string());
    brx::ErrorLog::instance().start(brx::DataPath::playerFile(kLogFile));
    // The display connection stays open until the process ends: closing it unloads the GL
    // driver, which leak checkers then cannot attribute what the driver still holds to.
    const int exitCode = runGame();
    brx::ErrorLog::instance().finish();
    return exitCode;
}
