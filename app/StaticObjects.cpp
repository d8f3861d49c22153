// The program's static objects, defined together so that their order is the
// order written here, not an accident of the link. The application object
// comes first: its base constructor installs the crash reporter, which then
// guards the construction of everything after it. Each object registers its
// destructor as soon as it is built, so they are destroyed in reverse order
// and the application object, which restores the error mode, goes last.
#include "editor/CanvasWindow.h"
#include "editor/EditorApp.h"
#include "editor/MailLink.h"
#include "editor/PreviewWindow.h"
#include "support/TextOverrideList.h"

EditorApp theApp;
MailLink theMailLink;
CanvasWindow theCanvas;
PreviewWindow thePreview;
TextOverrideList theTextOverrides;
