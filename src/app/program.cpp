// Start-up: the program directory first, then every form once, in the fixed creation order.
#include "app/program.h"

#include "app/tray_form.h"
#include "grid/working_window.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "widgets/form.h"

namespace cellaro {

namespace {

std::string directoryOf(const std::string& path) {
    const auto separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

NativeWindowStyle toolStyle(const Rect& bounds, bool topmost) {
    NativeWindowStyle style;
    style.bounds = bounds;
    style.topmost = topmost;
    return style;
}

} // namespace

Program::Program(const Ports& ports) : ports_(ports) {
    // Every later access to CRO.cfg uses this directory, fixed before any window exists.
    programPath_ = ports_.files.programPath();
    programDirectory_ = ports_.files.programDirectory();
    if (programDirectory_.empty()) {
        programDirectory_ = directoryOf(programPath_);
    }

    trayForm_ = std::make_unique<TrayForm>(*this);
    workingWindow_ = std::make_unique<WorkingWindow>(*this);

    previewRectangle_ = std::make_unique<PreviewRectangle>(ports_.host);

    windowList_ = std::make_unique<Form>(ports_.host, "WMFselectWindow",
                                         toolStyle(Rect::fromBounds(0, -1000, 600, 420), true));
    settingsWindow_ =
        std::make_unique<Form>(ports_.host, "WMHot", toolStyle(Rect::fromBounds(0, -1000, 720, 560), true));
    aboutWindow_ =
        std::make_unique<Form>(ports_.host, "fabout", toolStyle(Rect::fromBounds(0, -1000, 400, 300), true));

    NativeWindowStyle grab = toolStyle(Rect::fromBounds(0, -1000, 10, 10), true);
    grab.title = "tVbar-802.40";
    screenGrab_ = std::make_unique<Form>(ports_.host, "WMGrab", grab);

    const Point menuAt = trayForm_->navigationMenuPosition();
    NativeWindowStyle navigation = toolStyle(Rect::fromBounds(menuAt.x, menuAt.y, 284, 41), true);
    navigation.roundedCorners = Size{13, 13};
    navigationMenu_ = std::make_unique<Form>(ports_.host, "fFloat", navigation);
    navigationMenu_->root().setColour(Colour::rgb(67, 74, 84));

    onScreenCaption_ = std::make_unique<OnScreenCaption>(ports_.host, ports_.loop);
    infoWindow_ =
        std::make_unique<Form>(ports_.host, "fInfo", toolStyle(Rect::fromBounds(0, -1000, 300, 200), false));
}

Program::~Program() = default;

ConfigFile Program::openConfig() const {
    return ConfigFile(ports_.files, programDirectory_ + std::string(config::kFileName));
}

bool Program::saveConfig(ConfigFile& config) {
    const FileWriteResult result = config.save();
    if (!result.ok) {
        reportError(result.error);
    }
    return result.ok;
}

void Program::reportError(const std::string& text) {
    ports_.shell.messageBox(text, "Cellaro", MessageBoxButtons::Ok, MessageBoxIcon::Error);
}

std::vector<Form*> Program::forms() const {
    return {trayForm_.get(),        workingWindow_.get(), previewRectangle_.get(), windowList_.get(),
            settingsWindow_.get(),  aboutWindow_.get(),   screenGrab_.get(),       navigationMenu_.get(),
            onScreenCaption_.get(), infoWindow_.get()};
}

void Program::quit() {
    quitting_ = true;
    ports_.host.quit(0);
}

} // namespace cellaro
