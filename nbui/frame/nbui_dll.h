// The library's start-up: the module entry, run when the shared library is
// loaded and unloaded (and callable by tests), and InitNbUIDLL, which every
// host module that uses the library calls once.
//
// At the first attach the library opens its language module, "NbLangUI.dll"
// in the folder GetLumoLangDllDirectory names (host/HostShared), through the
// host's loader; when there is none, its own catalogue (resources/) serves.
// It then registers itself as an extension module on whichever of the two
// it got, so that strings, dialog templates, bitmaps and cursors are found
// by number through the resource chain.
#pragma once

#include "mfc/extension.h"
#include "win/types.h"
#include "frame/nbui_export.h"

// Creates a CDynLinkLibrary on the library's extension-module record, which
// links the library's resource module into the caller's resource chain.
// The framework owns the object (the library's last detach deletes it);
// null when it cannot be allocated.
NBUI_API CDynLinkLibrary* InitNbUIDLL();

// The module entry. DLL_PROCESS_ATTACH: at the first attach saves hInstance
// and opens the language module; counts the attach; initialises the
// extension record on the resource module and links a CDynLinkLibrary.
// FALSE when the record cannot be initialised (an invalid resource module);
// the attach is then undone. DLL_PROCESS_DETACH: deletes the record's
// libraries, counts down and at 0 releases the language module (the
// resource handle goes back to the instance handle only when the host's
// loader reports the module released) and forgets the record, as an
// unloaded library would. A detach with nothing attached does nothing.
// Thread attach and detach do nothing. Every reason but a failed attach
// returns TRUE.
NBUI_API BOOL NbUIDllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved);

// The library's own module (the catalogue in resources/), saved at the
// first attach; null before.
NBUI_API HINSTANCE NbUIGetInstanceHandle();
// The module resources are loaded from: the language module when one was
// opened, else the instance handle.
NBUI_API HINSTANCE NbUIGetResourceHandle();
NBUI_API int NbUIGetAttachCount();
// The language identifier the host's loader reported for the language
// module (0 when the library's own catalogue serves).
NBUI_API int NbUIGetLanguageId();
NBUI_API const AFX_EXTENSION_MODULE& NbUIGetExtensionModule();
