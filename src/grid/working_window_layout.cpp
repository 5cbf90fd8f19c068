// The working window's layout: the title strip with its page buttons, the three notebook pages and
// the status strip, with the names, positions and hints that other parts of the program and the
// tests find them by.
#include "app/program.h"
#include "grid/working_window.h"
#include "widgets/gradient_button.h"
#include "widgets/gradient_panel.h"
#include "widgets/image.h"
#include "widgets/label.h"
#include "widgets/notebook.h"
#include "widgets/panel.h"

#include <array>

namespace cellaro {

namespace {

constexpr int kTitleHeight = 26;
constexpr int kStatusHeight = 38;
constexpr const char* kNoGroupHint = "No windows group was created";

struct ButtonSpec {
    const char* name;
    int x;
    const char* hint;
};

} // namespace

void WorkingWindow::buildLayout() {
    root().setBounds(Rect::fromBounds(0, 0, kCompactSize.width, kCompactSize.height));
    buildTitleStrip();

    notebook_ = &root().add<Notebook>("nBook");
    notebook_->setBounds(Rect{0, kTitleHeight, kCompactSize.width, kCompactSize.height - kStatusHeight});
    buildBoardPage(notebook_->addPage("tabela"));
    buildCommandsPage(notebook_->addPage("gumbi"));
    buildGroupsPage(notebook_->addPage("group"));
    notebook_->onPageChanged = [this] { undoButton_->setVisible(notebook_->activePage() == 0); };

    buildStatusStrip();
    showPage(0);
    fullScreenButton_->setVisible(false);
}

GradientButton& WorkingWindow::addButton(Widget& parent, std::string name, const Rect& bounds,
                                         std::string hint) {
    auto& button = parent.add<GradientButton>(std::move(name));
    button.setBounds(bounds);
    button.setHint(std::move(hint));
    return button;
}

void WorkingWindow::makeDragPanel(Widget& panel) {
    panel.onMouseDown = [this](Point, MouseButton) { drag_.begin(*this); };
    panel.onMouseMove = [this](Point) { drag_.follow(); };
    panel.onMouseUp = [this](Point, MouseButton) { drag_.end(); };
}

void WorkingWindow::buildTitleStrip() {
    topPanel_ = &root().add<GradientPanel>("TopPanel");
    topPanel_->setBounds(Rect{0, 0, kCompactSize.width, kTitleHeight});
    Font bold = topPanel_->font();
    bold.bold = true;
    topPanel_->setFont(bold);
    topPanel_->setFontColour(Colour::rgb(255, 255, 255));

    const auto stripButton = [this](const char* name, int x, const char* hint) -> GradientButton& {
        return addButton(*topPanel_, name, Rect::fromBounds(x, 6, 30, 20), hint);
    };
    stripButton("sbHome", 9, "Grid").onClick = [this] { showPage(0); };
    stripButton("SbGroup", 41, "Groups").onClick = [this] { showPage(2); };
    stripButton("SbMonitor", 73, "Arrange").onClick = [this] { showPage(1); };
    undoButton_ = &stripButton("SBUNdo", 106, "Undo");
    undoButton_->onClick = [this] { undo(); };
    // Manage Groups and Settings open windows that are not built yet.
    manageGroupsButton_ = &stripButton("SbSelect", 218, "Manage Groups");
    manageGroupsButton_->setEnabled(false);
    stripButton("SBTools", 256, "Settings").setEnabled(false);
    stripButton("xClose2", 304, "Close").onClick = [this] {
        program_.flags().closing = true;
        close();
    };
}

void WorkingWindow::buildBoardPage(Widget& page) {
    auto& panel = page.add<Panel>("Panel6");
    panel.setBounds(Rect{0, 0, page.bounds().width(), page.bounds().height()});
    makeDragPanel(panel);
    boardImage_ = &panel.add<Image>("Tabla");
    boardImage_->setBounds(Rect::fromBounds(6, 4, kCompactBoard.width, kCompactBoard.height));
    // The board shows no hint: entering and leaving it is told by its own enter and leave events.
    boardImage_->onMouseDown = [this](Point at, MouseButton button) { boardMouseDown(at, button); };
    boardImage_->onMouseMove = [this](Point at) { boardMouseMove(at); };
    boardImage_->onMouseUp = [this](Point /*at*/, MouseButton button) { boardMouseUp(button); };
    boardImage_->onMouseEnter = [this] { boardEntered(); };
    boardImage_->onMouseLeave = [this] { boardLeft(); };
}

void WorkingWindow::buildCommandsPage(Widget& page) {
    auto& panel = page.add<Panel>("Panel1");
    panel.setBounds(Rect{0, 0, page.bounds().width(), page.bounds().height()});
    makeDragPanel(panel);

    // The commands of this page arrive with the window commands; the buttons are laid out now.
    const std::array<ButtonSpec, 8> row{{{"XI3", 8, "Tile"},
                                         {"XI4", 43, "Transparent"},
                                         {"XI5", 79, "Stay on top"},
                                         {"XI6", 122, "Minimize"},
                                         {"XI7", 158, "Restore"},
                                         {"XI8", 193, "Maximize"},
                                         {"xi1", 228, "Move to Next Monitor"},
                                         {"XI9", 293, "Sleep"}}};
    for (const ButtonSpec& spec : row) {
        addButton(panel, spec.name, Rect::fromBounds(spec.x, 10, 30, 28), spec.hint).setEnabled(false);
    }
    nextMonitorButton_ = panel.findAs<GradientButton>("xi1");
    for (const auto& [name, x] : {std::pair{"Panel7", 115}, std::pair{"Panel9", 275}}) {
        panel.add<Panel>(name).setBounds(Rect::fromBounds(x, 12, 1, 24));
    }
    auto& separator = panel.add<Panel>("Panel5");
    separator.setBounds(Rect::fromBounds(63, 52, 201, 1));
    separator.setVisible(false);

    auto& frame = panel.add<Panel>("Panel8");
    frame.setBounds(Rect::fromBounds(63, 58, 201, 124));
    makeDragPanel(frame);
    auto& pad = frame.add<Panel>("PanelLeft");
    pad.setBounds(Rect::fromBounds(1, 1, 199, 122));
    makeDragPanel(pad);
    const std::array<const char*, 9> anchors{"x1", "X2", "X3", "X4", "X5", "X6", "X7", "X8", "X9"};
    const std::array<const char*, 9> hints{"Top left",    "Top center",    "Top right",
                                           "Middle left", "Middle center", "Middle right",
                                           "Bottom left", "Bottom center", "Bottom right"};
    for (std::size_t k = 0; k < anchors.size(); ++k) {
        const int column = static_cast<int>(k % 3);
        const int row = static_cast<int>(k / 3);
        addButton(pad, anchors.at(k), Rect::fromBounds(1 + column * 66, 1 + row * 40, 64, 38), hints.at(k))
            .setEnabled(false);
    }
}

void WorkingWindow::buildGroupsPage(Widget& page) {
    auto& panel = page.add<Panel>("Panel10");
    panel.setBounds(Rect{0, 0, page.bounds().width(), page.bounds().height()});
    makeDragPanel(panel);

    auto& caption = panel.add<Label>("labelGroups");
    caption.setBounds(Rect::fromBounds(16, 40, 24, 156));
    caption.setText("G\nr\no\nu\np\ns");
    caption.setWordWrap(true);
    caption.setAlignment(TextAlign::Centre);
    caption.setFontColour(Colour::rgb(255, 0, 0));

    for (const ButtonSpec& spec :
         {ButtonSpec{"GC3", 60, kNoGroupHint}, ButtonSpec{"GD3", 122, kNoGroupHint},
          ButtonSpec{"GA3", 184, kNoGroupHint}, ButtonSpec{"GB3", 247, kNoGroupHint}}) {
        addButton(panel, spec.name, Rect::fromBounds(spec.x, 4, 30, 28), spec.hint).setEnabled(false);
    }
    struct GroupSpec {
        const char* panel;
        char letter;
        Point at;
    };
    for (const GroupSpec& group :
         {GroupSpec{"Panel3", 'A', {60, 38}}, GroupSpec{"Panel11", 'B', {180, 38}},
          GroupSpec{"Panel12", 'C', {60, 120}}, GroupSpec{"Panel13", 'D', {180, 120}}}) {
        auto& box = panel.add<Panel>(group.panel);
        box.setBounds(Rect::fromBounds(group.at.x, group.at.y, 112, 76));
        box.setCaption(std::string(1, group.letter));
        makeDragPanel(box);
        const std::string prefix = std::string("G") + group.letter;
        for (const auto& [suffix, at] : {std::pair{'5', Point{2, 4}}, std::pair{'4', Point{74, 4}},
                                         std::pair{'1', Point{2, 44}}, std::pair{'2', Point{74, 44}}}) {
            const char* hint = suffix == '1' ? "Minimize" : suffix == '2' ? "Restore" : "";
            addButton(box, prefix + suffix, Rect::fromBounds(at.x, at.y, 36, 28), hint).setEnabled(false);
        }
    }
}

void WorkingWindow::buildStatusStrip() {
    statusStrip_ = &root().add<Panel>("Panel2");
    statusStrip_->setBounds(
        Rect{0, kCompactSize.height - kStatusHeight, kCompactSize.width, kCompactSize.height});
    makeDragPanel(*statusStrip_);
    statusPicture_ = &statusStrip_->add<Image>("Image1");
    statusPicture_->setBounds(Rect::fromBounds(10, 0, 32, 32));
    statusText_ = &statusStrip_->add<Label>("Label1");
    statusText_->setBounds(Rect::fromBounds(50, 10, 239, 18));
    Font bold = statusText_->font();
    bold.bold = true;
    statusText_->setFont(bold);
    statusText_->setEndEllipsis(true);
    makeDragPanel(*statusText_);
    fullScreenButton_ = &addButton(*statusStrip_, "XiFull", Rect::fromBounds(354, 9, 31, 20), "Full Screen");
    fullScreenButton_->setEnabled(false);
}

} // namespace cellaro
