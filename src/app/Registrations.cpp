#include "app/Registrations.h"

#include <memory>

#include "acquisition/AcquisitionCommands.h"
#include "acquisition/ScanForm.h"
#include "core/MainForm.h"
#include "core/Session.h"
#include "core/SessionForms.h"
#include "documents/AcquisitionDocument.h"
#include "documents/ChartDocuments.h"
#include "documents/DatasheetDocument.h"
#include "documents/DocumentCommands.h"
#include "documents/DocumentKinds.h"
#include "documents/InfoBoxDocument.h"
#include "documents/InfoBoxForm.h"
#include "documents/ProjectionDocument.h"
#include "documents/PropertiesForm.h"
#include "models/ModGeomForm.h"
#include "models/ModProbForm.h"
#include "projection/DataForm.h"
#include "projection/OptProjForm.h"
#include "projection/ProjForm.h"
#include "projection/ProjectionTool.h"
#include "spacing/HistoForm.h"
#include "spacing/HistoToolsForm.h"
#include "spacing/SpacingForm.h"
#include "tools/ToolSpacingForm.h"
#include "tools/ToolVolForm.h"
#include "tools/ToolXyzForm.h"

namespace ravelin {

namespace {
template <class T>
void registerType(Session& session, const char* name) {
    session.registerForm(name, [](Session& s) { return std::make_unique<T>(s); });
}
}  // namespace

void registerAllForms(Session& session) {
    registerType<MainForm>(session, "frmMain");
    registerType<LogForm>(session, "frmLog");
    registerType<AboutForm>(session, "frmAbout");
    registerType<OptionsForm>(session, "frmOptions");
    registerType<InfoBoxForm>(session, "frmInfoBox");
    registerType<PropertiesForm>(session, "frmProperties");
    registerType<ToolXyzForm>(session, "frmToolXYZ");
    registerType<ToolSpacingForm>(session, "frmToolSpacing");
    registerType<ToolVolForm>(session, "frmToolVol");
    registerType<SpacingForm>(session, "frmSpacing");
    registerType<HistoForm>(session, "frmHisto");
    registerType<HistoToolsForm>(session, "frmHistoTools");
    registerType<ModGeomForm>(session, "frmModGeom");
    registerType<ModProbForm>(session, "frmModProb");
    registerType<ProjForm>(session, "frmProj");
    registerType<OptProjForm>(session, "frmOptProj");
    registerType<DataForm>(session, "frmData");
    registerProjectionTool(session);
    registerType<ScanForm>(session, "frmScan");
    registerAcquisition(session);
    registerDocumentKinds(session);
    registerDocuments(session);
}

void registerDocumentKinds(Session& session) {
    DocumentKinds& kinds = documentKinds(session);
    kinds.add(infoBoxDocumentKind());
    kinds.add(datasheetDocumentKind());
    kinds.add(acquisitionDocumentKind());
    kinds.add(chartDocumentKind());
    kinds.add(variogramDocumentKind());
    kinds.add(projectionDocumentKind());
}

}  // namespace ravelin
