#include "acquisition/AcquisitionCommands.h"

#include "acquisition/ScanForm.h"
#include "core/MainForm.h"
#include "core/Session.h"

namespace ravelin {

namespace {

// The menu commands that need an acquisition window to act on.
const char* const kWindowMenuItems[] = {"mnuFileOpenImage", "mnuDataShowJab", "mnuDataExpScan", "mnuDataClearDisc",
                                        "mnuDataClearWin"};

struct ButtonCommand {
    const char* key;      // toolbar key
    const char* command;  // the command the toolbar runs for it
    void (ScanForm::*action)();
};

const ButtonCommand kButtonCommands[] = {
    {"Contour", "tbContour", &ScanForm::cmdDraw_Click},
    {"Discont", "tbDiscont", &ScanForm::cmdDisc_Click},
    {"Rectangle", "tbRectangle", &ScanForm::cmdRectangle_Click},
    {"Scanline", "tbScanline", &ScanForm::cmdScanline_Click},
    {"HidePict", "tbHidePict", &ScanForm::cmdShowHide_Click},
};

// Installs the commands when the main window comes into being.
struct AcquisitionCommandInstaller : SessionObserver {
    void formCreated(Form& form) override {
        if (auto* main = dynamic_cast<MainForm*>(&form)) installAcquisitionCommands(*main);
    }
};

}  // namespace

ScanForm* acquisitionWindow(Session& session) { return dynamic_cast<ScanForm*>(session.findForm("frmScan")); }

ScanForm* ReloadAcquisitionWindow(Session& session) {
    if (Form* old = session.findForm("frmScan")) {
        session.closeCancelled = false;
        if (!session.closeForm(*old)) return nullptr;
    }
    return dynamic_cast<ScanForm*>(&session.createForm("frmScan"));
}

ScanForm* NewAcquisitionWindow(Session& session) {
    ScanForm* scan = ReloadAcquisitionWindow(session);
    if (!scan) return nullptr;
    ++session.digitizingCounter;
    scan->setCaption(ScanForm::kNewCaption + std::to_string(session.digitizingCounter));
    scan->show();
    return scan;
}

void showAcquisitionTools(MainForm& main, bool windowExists) {
    for (const ButtonCommand& b : kButtonCommands) {
        if (Control* button = main.toolButton(b.key)) {
            main.setValue(*button, 0);
            main.setVisible(*button, windowExists);
            if (!windowExists) main.setEnabled(*button, false);
        }
    }
    for (const char* item : kWindowMenuItems) {
        if (Control* menu = main.find(item)) main.setEnabled(*menu, windowExists && main.hasCommand(item));
    }
}

void enableAcquisitionButtons(MainForm& main, bool enabled) {
    for (const ButtonCommand& b : kButtonCommands) {
        if (Control* button = main.toolButton(b.key)) main.setEnabled(*button, enabled && main.hasCommand(b.command));
    }
}

void installAcquisitionCommands(MainForm& main) {
    Session& session = main.session();
    if (!session.hasFormType("frmScan")) return;
    main.setCommand("mnuFileNewScan", [&session] { NewAcquisitionWindow(session); });
    auto onWindow = [&session](void (ScanForm::*action)()) {
        return [&session, action] {
            if (ScanForm* scan = acquisitionWindow(session)) (scan->*action)();
        };
    };
    main.setCommand("mnuFileOpenImage", onWindow(&ScanForm::cmdOpenPict_Click));
    main.setCommand("mnuDataShowJab", onWindow(&ScanForm::cmdShowJab_Click));
    main.setCommand("mnuDataExpScan", onWindow(&ScanForm::cmdExport_Click));
    main.setCommand("mnuDataClearDisc", onWindow(&ScanForm::ClearDisc));
    main.setCommand("mnuDataClearWin", onWindow(&ScanForm::DelAll));
    for (const ButtonCommand& b : kButtonCommands) {
        const std::string key = b.key;
        const auto action = b.action;
        main.setCommand(b.command, [&session, &main, key, action] {
            ScanForm* scan = acquisitionWindow(session);
            if (scan) (scan->*action)();  // the window shows its state on every button
            else main.setToolButtonPressed(key, false);
        });
    }
    showAcquisitionTools(main, acquisitionWindow(session) != nullptr);
}

void registerAcquisition(Session& session) {
    auto& installer = session.moduleState<AcquisitionCommandInstaller>();
    session.removeObserver(&installer);  // registering twice installs once
    session.addObserver(&installer);
}

}  // namespace ravelin
