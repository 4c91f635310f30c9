#pragma once
// The composition root of Ravelin's programs: every window kind and every
// document kind, registered with a session before it starts. The desktop
// program, ravelin-cli and the tests call it; nothing under the core
// folders does, so no subsystem sees the others through it.

namespace ravelin {

class Session;

// Every window kind, the document kinds and the File commands.
void registerAllForms(Session& session);

// The kinds the File commands know, in the order windows are recognised.
void registerDocumentKinds(Session& session);

}  // namespace ravelin
